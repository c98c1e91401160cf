#pragma once
// The weeks of a term: the grid a range fills, the first week holding the
// start date and each later one beginning on the first weekday. The
// layouts, the weekly remarks and the iCalendar feed all number the weeks
// here, so they number a week the same way.
#include "common/dates.h"

namespace tavo::hostbook {

struct DateRange {
  Date start;
  Date end;
};

// The weekday of `start` counted from the first weekday of the grid, 1..7.
int StartPosition(Date start, bool monday_first);

// Weeks of the grid from `start` to `end`.
int WeekCount(Date start, Date end, bool monday_first);

// The days week `week` (1-based) shows: its first weekday and last day,
// cut to the range.
DateRange GridWeek(Date start, Date end, bool monday_first, int week);

}  // namespace tavo::hostbook
