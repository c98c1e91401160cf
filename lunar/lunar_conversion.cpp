// Gregorian date to lunar month and day. Every accessor converts its own
// date; the result fields only carry the answer out of ConvertToLunar.
#include <string>

#include "common/error.h"
#include "lunar/date_reading.h"
#include "lunar/lunar_engine.h"

namespace tavo::lunar {
namespace {

using std::chrono::January;
using std::chrono::sys_days;

int DaysIntoYear(sys_days date, int year) {
  return static_cast<int>((date - sys_days{std::chrono::year{year} / January / 1}).count());
}

}  // namespace

void LunarEngine::ConvertToLunar(const DateText& date) { ConvertDate(ReadDateText(date)); }

void LunarEngine::ConvertDate(Date date) {
  const sys_days day{date};
  int year = static_cast<int>(date.year());
  DecodeYearEntry(static_cast<std::int16_t>(year));
  // Before the lunar new year the day belongs to the previous lunar year.
  if (DaysIntoYear(day, year) < new_year_offset_) {
    --year;
    DecodeYearEntry(static_cast<std::int16_t>(year));
  }
  int n = DaysIntoYear(day, year) - new_year_offset_;

  // Walk the months; a leap month takes a position of its own. The table
  // never lets the walk pass the thirteenth position, the bound only keeps a
  // damaged entry from reading past the flags.
  int k = 0;
  while (k < 12 && n > 28 + month_is_long_[static_cast<std::size_t>(k)]) {
    n -= 29 + month_is_long_[static_cast<std::size_t>(k)];
    ++k;
  }
  if (n > 28 + month_is_long_[static_cast<std::size_t>(k)]) {
    RaiseOutOfRange("农历年 " + std::to_string(year) + " 的月份表不完整");
  }

  const auto name = [&](int index) { return month_names_[static_cast<std::size_t>(index)]; };
  if (!has_leap_month_ || k < leap_month_) {
    result_month_text_ = name(k);
    result_month_number_ = static_cast<std::int16_t>(k + 1);
    result_day_number_ = static_cast<std::int16_t>(n + 1);
  } else if (k == leap_month_) {
    result_month_text_ = leap_month_names_[static_cast<std::size_t>(k - 1)];
    result_month_number_ = static_cast<std::int16_t>(-k);
    result_day_number_ = static_cast<std::int16_t>(-(n + 1));
  } else {
    result_month_text_ = name(k - 1);
    result_month_number_ = static_cast<std::int16_t>(k);
    result_day_number_ = static_cast<std::int16_t>(n + 1);
  }
  result_day_text_ = day_names_[static_cast<std::size_t>(n)];
}

std::int16_t LunarEngine::LunarMonthNumber(const DateText& date) {
  ConvertToLunar(date);
  return result_month_number_;
}

std::int16_t LunarEngine::LunarDayNumber(const DateText& date) {
  ConvertToLunar(date);
  return result_day_number_;
}

std::string LunarEngine::LunarMonthText(const DateText& date) {
  ConvertToLunar(date);
  return std::string(result_month_text_);
}

std::string LunarEngine::LunarDayText(const DateText& date) {
  ConvertToLunar(date);
  return std::string(result_day_text_);
}

}  // namespace tavo::lunar
