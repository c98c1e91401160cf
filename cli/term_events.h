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
#include "hostbook/school_items.h"
#include "sheets/sheet_kind.h"

namespace tavo::cli {

enum class TermEventKind { kWeek, kRemark, kDayOff, kWorkingDay, kFestival, kSolarTerm, kItem };

struct TermEvent {
  TermEventKind kind;
  Date first;
  Date last;
  std::string summary;
  // kItem: the school item's category, its CATEGORIES in the feed.
  hostbook::ItemCategory item_category = hostbook::ItemCategory::kEvent;
};

struct Term {
  Date start;
  Date end;
  bool monday_first = true;
  // The remark of week n at index n - 1, as 信息表 column B holds it from
  // row 3; an empty or blank remark gives no event.
  std::vector<std::string> week_remarks;
  // The school's items ("校历事项"): each one touching the term is an event,
  // and its terms number the weeks as the school calendar does.
  hostbook::SchoolPlan plan;
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

// The category a calendar application can filter by: 周次, 备注, 放假, ...;
// a school item's own 类别 (学期, 考试, ...).
const char* KindCategory(TermEventKind kind);
const char* EventCategory(const TermEvent& event);

// The events a feed restricted by `--only` keeps: names of kinds ("weeks",
// "remarks", "days-off", "make-up-days", "festivals", "solar-terms") or of
// categories (周次, 放假, ..., and each 类别 学期, 假期, 报到, ...), comma-separated.
// Raises tavo::Error (invalid argument) naming an unknown one.
struct EventFilter {
  std::vector<std::string> categories;  // the EventCategory values kept; empty = every event
  bool Keeps(const TermEvent& event) const;
  // Whether the list names this kind itself.
  bool Names(TermEventKind kind) const;
};
EventFilter ParseEventFilter(std::string_view list);
// The names --only takes, for its help and its error.
std::string EventFilterNames();

// The events ready for the file.
std::vector<ics::AllDayEvent> CalendarEvents(const std::vector<TermEvent>& events,
                                             std::string_view calendar_name);

}  // namespace tavo::cli
