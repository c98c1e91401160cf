// The lunar date of a day: find the lunar year it belongs to, then walk its
// months from the new year.
#include <string>

#include "common/error.h"
#include "lunar/calendar_tables.h"
#include "lunar/lunar_day.h"

namespace tavo::lunar {
namespace {

using namespace std::chrono;

sys_days NewYearOf(int lunar_year) {
  const int offset = tables::UnpackYearEntry(tables::YearEntryOf(lunar_year)).new_year_offset;
  return sys_days{year{lunar_year} / January / 1} + days{offset};
}

}  // namespace

LunarDate LunarDateOf(sys_days day) {
  if (day < sys_days{kFirstLunarDay} || day > sys_days{kLastLunarDay}) {
    RaiseOutOfRange("日期 " + DateToIso(Date{day}) + " 不在农历表 " + DateToIso(kFirstLunarDay) + " 至 " +
                    DateToIso(kLastLunarDay) + " 之内");
  }
  // Before the lunar new year the day belongs to the previous lunar year.
  int lunar_year = static_cast<int>(Date{day}.year());
  sys_days new_year = NewYearOf(lunar_year);
  if (day < new_year) new_year = NewYearOf(--lunar_year);
  const tables::YearEntryFields entry = tables::UnpackYearEntry(tables::YearEntryOf(lunar_year));

  // A leap month takes a position of its own. The table never lets the walk
  // pass the thirteenth position; the bound only keeps a damaged entry from
  // reading past the flags.
  int n = static_cast<int>((day - new_year).count());
  int k = 0;
  while (k < 12 && n >= entry.MonthLength(k)) {
    n -= entry.MonthLength(k);
    ++k;
  }
  if (n >= entry.MonthLength(k)) RaiseOutOfRange("农历年 " + std::to_string(lunar_year) + " 的月份表不完整");

  LunarDate date;
  date.day_text = tables::kDayNames[static_cast<std::size_t>(n)];
  if (!entry.has_leap_month || k < entry.leap_month) {
    date.month_text = tables::kMonthNames[static_cast<std::size_t>(k)];
    date.month = k + 1;
    date.day = n + 1;
  } else if (k == entry.leap_month) {
    date.month_text = tables::kLeapMonthNames[static_cast<std::size_t>(k - 1)];
    date.month = -k;
    date.day = -(n + 1);
  } else {
    date.month_text = tables::kMonthNames[static_cast<std::size_t>(k - 1)];
    date.month = k;
    date.day = n + 1;
  }
  return date;
}

}  // namespace tavo::lunar
