#pragma once
// The dates of a build: the checks a typed range must pass before anything
// changes, and the weeks of the grid the range fills. Everything that lays
// out or lists the term by weeks (the layouts, the remarks, `tavo ics`)
// counts the weeks here, so they all number a week the same way.
#include <optional>
#include <string>

#include "common/dates.h"
#include "host/dialog.h"
#include "hostbook/term_weeks.h"
#include "sheets/sheet_kind.h"

namespace tavo::sheets {

using hostbook::DateRange;

// The range of the typed texts, or nullopt after the 提示 box of the first
// failing check: a text that is no date, a start before the sheet's lowest
// start, an end after 2100, more than 20 calendar years, an end before the
// start.
std::optional<DateRange> CheckBuildDates(const SheetKind& kind, const std::string& start_text,
                                         const std::string& end_text, host::Platform& platform);

// The weeks are the term's, numbered in the host workbook's home.
using hostbook::GridWeek;
using hostbook::StartPosition;
using hostbook::WeekCount;

}  // namespace tavo::sheets
