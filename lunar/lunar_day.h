#pragma once
// What the calendar says of one day: its lunar date, its solar term, its
// festivals and the notes the two sheets write under it. Plain functions of
// the day over the constant tables: nothing to load, no state, callable
// from any thread at once. LunarEngine offers the same answers to the
// hosts through its DateText operations.
#include <chrono>
#include <string>
#include <string_view>

#include "common/dates.h"

namespace tavo::lunar {

// The first day the lunar table converts (new year of lunar year 1899) and
// the last: the Gregorian years of the table, as the engine reads them.
inline constexpr Date kFirstLunarDay{std::chrono::year{1899}, std::chrono::February, std::chrono::day{10}};
inline constexpr Date kLastLunarDay{std::chrono::year{2100}, std::chrono::December, std::chrono::day{31}};

struct LunarDate {
  int month = 0;                 // 1..12, negative in a leap month
  int day = 0;                   // 1..30, negative in a leap month
  std::string_view month_text;   // "正月", "闰四月"
  std::string_view day_text;     // "初一" .. "三十"
};

// The lunar date of `day`; the out-of-range error outside kFirstLunarDay..kLastLunarDay.
LunarDate LunarDateOf(std::chrono::sys_days day);

// The day of solar term `index` (0 = 小寒 .. 23 = 冬至) in `year`; the
// out-of-range error for an index outside 0..23 or a year outside 100..9999.
Date SolarTermDayOf(int year, int index);

// The name of the solar term falling on `day` ("清明节" for 清明), or empty.
// Years outside 100..9999 raise as SolarTermDayOf does.
std::string_view SolarTermOf(std::chrono::sys_days day);

// The Gregorian festivals of `day`, fixed-date ones first ("护士节母亲节");
// 情人节 only `with_valentine`. Needs no table: every day has an answer.
std::string GregorianFestivalsOf(std::chrono::sys_days day, bool with_valentine);

// The lunar festival of `day` or 除夕, or empty; none in a leap month.
// Outside the lunar table it raises as LunarDateOf does.
std::string_view LunarFestivalOf(std::chrono::sys_days day);

// The festival note under a day on the school calendar (without 情人节) and
// on the calendar: the Gregorian festivals, then the lunar one.
std::string SchoolNoteOf(std::chrono::sys_days day);
std::string CalendarNoteOf(std::chrono::sys_days day);

}  // namespace tavo::lunar
