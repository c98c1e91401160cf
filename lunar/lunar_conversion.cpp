// Gregorian date to lunar month and day. Every accessor converts its own
// date; the result fields only carry the answer out of ConvertToLunar.
#include <string>

#include "common/error.h"
#include "lunar/date_reading.h"
#include "lunar/lunar_engine.h"

namespace tavo::lunar {
namespace {

// Days from 1 January to the date (0 on 1 January).
int DayOfYear(Date date) {
  static constexpr int kBeforeMonth[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  const auto month = static_cast<unsigned>(date.month());
  const bool after_leap_day = month > 2 && date.year().is_leap();
  return kBeforeMonth[month - 1] + static_cast<int>(static_cast<unsigned>(date.day())) - 1 + (after_leap_day ? 1 : 0);
}

}  // namespace

void LunarEngine::ConvertToLunar(const DateText& date) { ConvertDate(ReadDateText(date)); }

void LunarEngine::ConvertDate(Date date) {
  int year = static_cast<int>(date.year());
  int into_year = DayOfYear(date);
  DecodeYearEntry(static_cast<std::int16_t>(year));
  // Before the lunar new year the day belongs to the previous lunar year.
  if (into_year < new_year_offset_) {
    --year;
    into_year += std::chrono::year{year}.is_leap() ? 366 : 365;
    DecodeYearEntry(static_cast<std::int16_t>(year));
  }
  int n = into_year - new_year_offset_;

  // Walk the months; a leap month takes a position of its own. The table
  // never lets the walk pass the thirteenth position, the bound only keeps a
  // damaged entry from reading past the flags.
  const auto month_length = [this](int position) { return 29 + ((month_flags_ >> (12 - position)) & 1); };
  int k = 0;
  while (k < 12 && n >= month_length(k)) {
    n -= month_length(k);
    ++k;
  }
  if (n >= month_length(k)) RaiseOutOfRange("农历年 " + std::to_string(year) + " 的月份表不完整");

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
