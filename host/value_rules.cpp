#include "host/value_rules.h"

#include <cmath>

#include "common/dates.h"
#include "common/error.h"

namespace tavo::host {

namespace {
constexpr std::size_t kMaxTextBytes = 32767 * 4;  // 32767 characters of at most 4 UTF-8 bytes

std::size_t CharacterCount(const std::string& text) {
  std::size_t n = 0;
  for (unsigned char c : text) n += (c & 0xC0) != 0x80;
  return n;
}
}  // namespace

bool IsDateNumberFormat(int id) {
  return (id >= 14 && id <= 22) || (id >= 45 && id <= 47) || (id >= 27 && id <= 36) ||
         (id >= 50 && id <= 58);
}

StoredValue ConvertAssignedValue(const host::Variant& assigned) {
  if (assigned.IsNumber()) {
    if (!std::isfinite(assigned.Number())) RaiseInvalidArgument("单元格不能保存非有限数值");
    return {assigned, false};
  }
  if (assigned.IsDate()) {
    // The host's dates run from 100-01-01 to 9999-12-31.
    const double serial = assigned.DateSerial();
    if (!std::isfinite(serial) || serial < -657434 || serial >= 2958466)
      RaiseInvalidArgument("日期超出范围");
    return {assigned, false};
  }
  if (!assigned.IsText()) return {assigned, false};
  const std::string& text = assigned.Text();
  if (text.size() > 32767 && (text.size() > kMaxTextBytes || CharacterCount(text) > 32767))
    RaiseInvalidArgument("单元格文本超过 32767 个字符");
  if (text.empty()) return {};  // the host stores "" as an empty cell
  if (text[0] == '\'') return {host::Variant(text.substr(1)), true};
  double number = 0;
  if (host::TextToNumber(text, number)) return {host::Variant(number), false};
  if (auto date = ParseDate(text)) return {host::Variant::Date(DateToSerial(*date)), false};
  return {assigned, false};
}

}  // namespace tavo::host
