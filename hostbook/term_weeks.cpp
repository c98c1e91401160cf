#include "hostbook/term_weeks.h"

namespace tavo::hostbook {

int StartPosition(Date start, bool monday_first) {
  return WeekdayNumber(start, monday_first ? std::chrono::Monday : std::chrono::Sunday);
}

int WeekCount(Date start, Date end, bool monday_first) {
  const long days_in_grid = StartPosition(start, monday_first) - 1 + DaysBetween(start, end) + 1;
  return static_cast<int>((days_in_grid + 6) / 7);
}

DateRange GridWeek(Date start, Date end, bool monday_first, int week) {
  const Date first = AddDays(start, 7L * (week - 1) - (StartPosition(start, monday_first) - 1));
  const Date last = AddDays(first, 6);
  return {DaysBetween(start, first) < 0 ? start : first, DaysBetween(last, end) < 0 ? end : last};
}

}  // namespace tavo::hostbook
