#include "host/variant.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "common/dates.h"
#include "common/error.h"

namespace tavo::host {

std::string NumberToText(double n) {
  if (n == 0) return "0";
  char buf[40];
  // Whole numbers print in full ("10", not the shorter "1e+01").
  if (n == std::trunc(n) && std::fabs(n) < 1e15) {
    std::snprintf(buf, sizeof buf, "%.0f", n);
    return buf;
  }
  for (int precision = 1; precision <= 17; ++precision) {
    std::snprintf(buf, sizeof buf, "%.*g", precision, n);
    if (std::strtod(buf, nullptr) == n) break;
  }
  return buf;
}

bool TextToNumber(const std::string& text, double& out) {
  std::size_t b = text.find_first_not_of(" \t");
  if (b == std::string::npos) return false;
  std::size_t e = text.find_last_not_of(" \t");
  std::string s = text.substr(b, e - b + 1);
  // Only plain decimal notation: no hex, no inf/nan, no leading '+' tricks.
  for (char c : s) {
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
      return false;
  }
  char* end = nullptr;
  double v = std::strtod(s.c_str(), &end);
  if (end != s.c_str() + s.size() || !std::isfinite(v)) return false;
  out = v;
  return true;
}

namespace {

struct ErrorName {
  CellError code;
  const char* text;
};
constexpr ErrorName kErrorNames[] = {
    {CellError::Null, "#NULL!"}, {CellError::Div0, "#DIV/0!"}, {CellError::Value, "#VALUE!"},
    {CellError::Ref, "#REF!"},   {CellError::Name, "#NAME?"},  {CellError::Num, "#NUM!"},
    {CellError::NA, "#N/A"},
};

}  // namespace

const char* CellErrorText(std::int32_t code) {
  for (const ErrorName& e : kErrorNames)
    if (static_cast<std::int32_t>(e.code) == code) return e.text;
  return nullptr;
}

bool CellErrorFromText(const std::string& text, std::int32_t& code) {
  for (const ErrorName& e : kErrorNames) {
    if (text == e.text) {
      code = static_cast<std::int32_t>(e.code);
      return true;
    }
  }
  return false;
}

std::string SerialToDateText(double serial) {
  if (!std::isfinite(serial) || serial < -657434 || serial > 2958466) return NumberToText(serial);
  // Before 1899-12-30 the whole part counts days back and the fraction the
  // time forward from that midnight: -1.25 is 1899-12-29 6:00:00.
  const double day = std::trunc(serial);
  // The time of day to the nearest second, as the host shows it.
  long seconds = std::lround(std::fabs(serial - day) * 86400.0);
  double whole_day = day;
  if (seconds >= 86400) {
    seconds -= 86400;
    whole_day += serial < 0 ? -1 : 1;
  }
  char time[32] = "";
  if (seconds > 0)
    std::snprintf(time, sizeof time, "%ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
  if (whole_day == 0 && serial >= 0 && seconds > 0) return time;  // a pure time of day
  const Date d = SerialToDate(whole_day);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%d/%u/%u%s%s", static_cast<int>(d.year()),
                static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()),
                seconds > 0 ? " " : "", time);
  return buf;
}

std::string Variant::ToText() const {
  if (IsEmpty()) return {};
  if (IsNumber()) return NumberToText(Number());
  if (IsBool()) return Bool() ? "True" : "False";
  if (IsDate()) return SerialToDateText(DateSerial());
  if (IsError()) return "Error " + std::to_string(ErrorCode());
  return Text();
}

double Variant::ToNumber() const {
  if (IsEmpty()) return 0;
  if (IsNumber()) return Number();
  if (IsBool()) return Bool() ? -1 : 0;
  if (IsDate()) return DateSerial();
  if (IsError()) RaiseTypeMismatch(ToText() + " 不是数字");
  double v = 0;
  if (!TextToNumber(Text(), v)) RaiseTypeMismatch("\"" + Text() + "\" 不是数字");
  return v;
}

std::int32_t Variant::ToInt32() const {
  double v = std::nearbyint(ToNumber());  // default rounding mode: half to even
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
    RaiseOverflow(NumberToText(v));
  return static_cast<std::int32_t>(v);
}

bool Variant::ToBool() const {
  if (IsBool()) return Bool();
  if (IsText()) {
    if (Text() == "True" || Text() == "true") return true;
    if (Text() == "False" || Text() == "false") return false;
  }
  return ToNumber() != 0;
}

}  // namespace tavo::host
