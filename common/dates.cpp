#include "common/dates.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "common/error.h"
#include "common/text.h"

namespace tavo {
namespace {

// Reads 1..max_digits decimal digits; advances `s`.
std::optional<int> ReadNumber(std::string_view& s, std::size_t max_digits) {
  std::size_t n = 0;
  int value = 0;
  while (n < s.size() && n < max_digits && s[n] >= '0' && s[n] <= '9') {
    value = value * 10 + (s[n] - '0');
    ++n;
  }
  if (n == 0 || (n < s.size() && s[n] >= '0' && s[n] <= '9')) return std::nullopt;
  s.remove_prefix(n);
  return value;
}

bool Consume(std::string_view& s, std::string_view token) {
  if (s.substr(0, token.size()) != token) return false;
  s.remove_prefix(token.size());
  return true;
}

}  // namespace

std::optional<Date> ParseDate(std::string_view text) {
  std::string_view s = TrimBlanks(text);
  if (s.empty() || s[0] < '0' || s[0] > '9') return std::nullopt;
  // The year is three or four digits (100..9999), like the host's dates.
  std::size_t year_digits = 0;
  while (year_digits < s.size() && s[year_digits] >= '0' && s[year_digits] <= '9') ++year_digits;
  if (year_digits < 3 || year_digits > 4) return std::nullopt;
  auto y = ReadNumber(s, 4);
  if (!y || *y < 100) return std::nullopt;

  std::string_view sep1, sep2, tail;
  if (Consume(s, "年")) {
    sep2 = "月";
    tail = "日";
  } else if (!s.empty() && (s[0] == '-' || s[0] == '/' || s[0] == '.')) {
    sep1 = s.substr(0, 1);
    sep2 = sep1;
    s.remove_prefix(1);
  } else {
    return std::nullopt;
  }
  auto m = ReadNumber(s, 2);
  if (!m || !Consume(s, sep2)) return std::nullopt;
  auto d = ReadNumber(s, 2);
  if (!d) return std::nullopt;
  if (!tail.empty()) Consume(s, tail);  // "2024年3月13" is as good as with 日
  if (!s.empty()) return std::nullopt;

  Date date{std::chrono::year{*y}, std::chrono::month{static_cast<unsigned>(*m)},
            std::chrono::day{static_cast<unsigned>(*d)}};
  if (!date.ok()) return std::nullopt;
  return date;
}

Date DateFromText(std::string_view text) {
  auto d = ParseDate(text);
  if (!d) RaiseTypeMismatch("\"" + std::string(text) + "\" 不是日期");
  return *d;
}

DateText DateToText(Date d) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d-%u-%u", static_cast<int>(d.year()),
                static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
  return buf;
}

std::string DateToIso(Date d) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", static_cast<int>(d.year()),
                static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
  return buf;
}

int WeekdayNumber(Date d, std::chrono::weekday first) {
  std::chrono::weekday wd{std::chrono::sys_days{d}};
  return static_cast<int>((wd - first).count()) + 1;
}

long DaysBetween(Date from, Date to) {
  return static_cast<long>((std::chrono::sys_days{to} - std::chrono::sys_days{from}).count());
}

Date AddDays(Date d, long days) { return Date{std::chrono::sys_days{d} + std::chrono::days{days}}; }

namespace {
constexpr std::chrono::sys_days kSerialEpoch{std::chrono::year{1899} / 12 / 30};
}

double DateToSerial(Date d) {
  return static_cast<double>((std::chrono::sys_days{d} - kSerialEpoch).count());
}

Date SerialToDate(double serial) {
  return Date{kSerialEpoch + std::chrono::days{static_cast<long>(std::floor(serial))}};
}

std::time_t NowOrSourceDateEpoch() {
  std::time_t now = std::time(nullptr);
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch != nullptr && *epoch != '\0') {
    char* end = nullptr;
    const long long seconds = std::strtoll(epoch, &end, 10);
    if (end != nullptr && *end == '\0' && seconds >= 0) now = static_cast<std::time_t>(seconds);
  }
  return now;
}

Date LocalToday() {
  const std::time_t now = NowOrSourceDateEpoch();
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  using namespace std::chrono;
  return year{local.tm_year + 1900} / month{static_cast<unsigned>(local.tm_mon + 1)} /
         day{static_cast<unsigned>(local.tm_mday)};
}

}  // namespace tavo
