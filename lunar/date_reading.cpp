#include "lunar/date_reading.h"

#include <optional>

namespace tavo::lunar {
namespace {

// Reads 1..max_digits digits at `pos`, advancing it.
std::optional<unsigned> Digits(std::string_view s, std::size_t& pos, std::size_t max_digits) {
  unsigned value = 0;
  std::size_t n = 0;
  while (pos < s.size() && n < max_digits && s[pos] >= '0' && s[pos] <= '9') {
    value = value * 10 + static_cast<unsigned>(s[pos] - '0');
    ++pos;
    ++n;
  }
  if (n == 0) return std::nullopt;
  return value;
}

// "yyyy-m-d" with a four-digit year and one- or two-digit month and day.
std::optional<Date> ReadShortForm(std::string_view s) {
  std::size_t pos = 0;
  const auto y = Digits(s, pos, 4);
  if (!y || pos != 4 || *y < 100 || pos >= s.size() || s[pos++] != '-') return std::nullopt;
  const auto m = Digits(s, pos, 2);
  if (!m || pos >= s.size() || s[pos++] != '-') return std::nullopt;
  const auto d = Digits(s, pos, 2);
  if (!d || pos != s.size()) return std::nullopt;
  const Date date{std::chrono::year{static_cast<int>(*y)}, std::chrono::month{*m}, std::chrono::day{*d}};
  if (!date.ok()) return std::nullopt;
  return date;
}

}  // namespace

Date ReadDateText(std::string_view text) {
  if (auto date = ReadShortForm(text)) return *date;
  return DateFromText(text);
}

}  // namespace tavo::lunar
