#pragma once
// Official days off and make-up working days on the sheets: the schedule a
// build marks (the built-in notices with the workbook's "节假日" rows laid
// over them), the remark of a week that holds such days, and the legend the
// information row ends with.
#include <optional>
#include <string>
#include <vector>

#include "common/dates.h"
#include "holidays/holiday_schedule.h"
#include "host/dialog.h"
#include "host/host.h"
#include "hostbook/holiday_rows.h"
#include "hostbook/plan_calendar.h"
#include "hostbook/school_items.h"

namespace tavo::sheets {

// What a build with marks carries: the schedule and the years of its range
// that neither the built-in notices nor the workbook's rows cover.
struct HolidayMarks {
  holidays::HolidaySchedule schedule;
  std::vector<int> uncovered_years;
};

// Whether "DTB" J2 turns the marks on: 1 (a number, or a text reading 1);
// anything else, an empty cell included, leaves them off.
bool HolidayMarksOn(host::Sheet& dtb);

// The school's rows are read in the host workbook's home.
using hostbook::HolidayRowProblem;
using hostbook::ReadHolidaySchedule;

// The schedule of a build, or nullopt after the 提示 box that names a
// malformed row (the build then changes nothing). Tells the platform in
// one line about years of the range no schedule covers.
std::optional<HolidayMarks> PrepareHolidayMarks(host::Workbook& workbook, host::Platform& platform,
                                                Date start, Date end);

// The remark of the week from `first` to `last` (both included) when it
// holds days off or make-up working days: per holiday, "国庆节 10.1–10.7 放假"
// and, on a second line, "9.29、10.12上班". Empty when the week has none.
// With the school's plan, a make-up day a 调课 row names says which
// timetable runs: "10.11（按周三课表）上班".
std::string WeekRemark(const holidays::HolidaySchedule& schedule, Date first, Date last,
                       const hostbook::SchoolPlan* plan = nullptr);

// Whether any day from `first` to `last` is marked.
bool AnyMarkedDay(const holidays::HolidaySchedule& schedule, Date first, Date last);

// "2027–2045年的放假安排尚未收录" when the range reaches years the schedule does
// not know; empty otherwise. The one wording of both sheets.
std::string ScheduleGapText(const HolidayMarks& marks);

// The legend the information row ends with: what the marks mean, and which
// years have no schedule yet. Empty when the range shows no mark and every
// year is covered.
std::string MarksLegend(const HolidayMarks& marks, Date first, Date last);

// "2027年", "2027、2029年", "2027–2030年".
std::string YearsText(const std::vector<int>& years);

// "10.1", the month and day as the sheets write dates.
using hostbook::MonthDayText;

}  // namespace tavo::sheets
