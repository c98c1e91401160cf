#pragma once
// The events of a term as a calendar application shows them: the weeks as
// the school calendar numbers them, the office's remark of each week, the
// official days off and make-up working days and, when asked for, the
// festivals and solar terms of the days.
#include <string>
#include <string_view>
#include <vector>

#include "cli/ics_writer.h"
#include "common/dates.h"
#include "holidays/holiday_schedule.h"
#include "sheets/sheet_kind.h"

namespace tavo::cli {

enum class TermEventKind { kWeek, kRemark, kDayOff, kWorkingDay, kFestival, kSolarTerm };

struct TermEvent {
  TermEventKind kind;
  Date first;
  Date last;
  std::string summary;
};

struct Term {
  Date start;
  Date end;
  bool monday_first = true;
  // The remark of week n at index n - 1, as 信息表 column B holds it from
  // row 3; an empty or blank remark gives no event.
  std::vector<std::string> week_remarks;
};

// Every event of the term in date order; at the same date, weeks first,
// then remarks, days off, make-up days, festivals and solar terms. With a
// `festivals` note (the school calendar's, sheets::kSchoolCalendar.day_note)
// each day's note and solar term are added as the sheet writes them.
std::vector<TermEvent> TermEvents(const Term& term, const holidays::HolidaySchedule& schedule,
                                  sheets::DayNote festivals);

// The event's UID: a hash of the calendar's name, the event's kind, first
// day and summary, so the same event keeps its UID in every file made of
// the same term, and two schools' feeds do not share one.
std::string EventUid(const TermEvent& event, std::string_view calendar_name);

// The category a calendar application can filter by: 周次, 备注, 放假, ...
const char* KindCategory(TermEventKind kind);

// The events ready for the file.
std::vector<ics::AllDayEvent> CalendarEvents(const std::vector<TermEvent>& events,
                                             std::string_view calendar_name);

}  // namespace tavo::cli
