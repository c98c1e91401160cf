#include "host/a1_address.h"

#include <algorithm>
#include <cctype>

#include "common/error.h"

namespace tavo::host {
namespace {

// Reads an unsigned decimal number at `pos`; false when there is none or it
// passes the last row.
bool ReadNumber(const std::string& s, std::size_t& pos, std::int64_t& out) {
  std::size_t start = pos;
  out = 0;
  while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos]))) {
    out = out * 10 + (s[pos] - '0');
    if (out > kMaxRows) return false;
    ++pos;
  }
  return pos > start;
}

}  // namespace

std::int32_t ColumnFromLetters(const std::string& text) {
  std::size_t pos = !text.empty() && text[0] == '$' ? 1 : 0;
  if (pos >= text.size() || text.size() - pos > 3) return 0;
  std::int32_t column = 0;
  for (; pos < text.size(); ++pos) {
    char c = static_cast<char>(std::toupper(static_cast<unsigned char>(text[pos])));
    if (c < 'A' || c > 'Z') return 0;
    column = column * 26 + (c - 'A' + 1);
  }
  return column;
}

void ParseColumnAddress(const std::string& address, std::int32_t column_count, std::int32_t& first,
                        std::int32_t& last) {
  std::size_t colon = address.find(':');
  first = ColumnFromLetters(address.substr(0, colon));
  last = colon == std::string::npos ? first : ColumnFromLetters(address.substr(colon + 1));
  if (first < 1 || last < 1 || first > column_count || last > column_count)
    RaiseInvalidArgument("列地址 \"" + address + "\" 无效");
  if (first > last) std::swap(first, last);
}

bool ParseRowAddress(const std::string& address, std::int32_t& first, std::int32_t& last) {
  std::size_t pos = 0;
  std::int64_t a = 0, b = 0;
  if (pos < address.size() && address[pos] == '$') ++pos;
  if (!ReadNumber(address, pos, a)) return false;
  b = a;
  if (pos < address.size() && address[pos] == ':') {
    ++pos;
    if (pos < address.size() && address[pos] == '$') ++pos;
    if (!ReadNumber(address, pos, b)) return false;
  }
  if (pos != address.size() || a < 1 || b < 1) return false;
  first = static_cast<std::int32_t>(std::min(a, b));
  last = static_cast<std::int32_t>(std::max(a, b));
  return true;
}

}  // namespace tavo::host
