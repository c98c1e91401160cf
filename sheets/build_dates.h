#pragma once
// The dates of a build: the checks a typed range must pass before anything
// changes, and the weeks of the grid the range fills. Everything that lays
// out or lists the term by weeks (the layouts, the remarks, `tavo ics`)
// counts the weeks here, so they all number a week the same way.
#include <optional>
#include <string>

#include "common/dates.h"
#include "host/dialog.h"
#include "sheets/sheet_kind.h"

namespace tavo::sheets {

struct DateRange {
  Date start;
  Date end;
};

// The range of the typed texts, or nullopt after the 提示 box of the first
// failing check: a text that is no date, a start before the sheet's lowest
// start, an end after 2100, more than 20 calendar years, an end before the
// start.
std::optional<DateRange> CheckBuildDates(const SheetKind& kind, const std::string& start_text,
                                         const std::string& end_text, host::Platform& platform);

// The weekday of `start` counted from the first weekday of the grid, 1..7.
int StartPosition(Date start, bool monday_first);

// Weeks of the grid from `start` to `end`: the first holds the start date,
// each later one begins on the first weekday.
int WeekCount(Date start, Date end, bool monday_first);

// The days week `week` (1-based) shows: its first weekday and last day,
// cut to the range.
DateRange GridWeek(Date start, Date end, bool monday_first, int week);

}  // namespace tavo::sheets
