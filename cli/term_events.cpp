#include "cli/term_events.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "lunar/lunar_day.h"
#include "common/error.h"
#include "hostbook/plan_calendar.h"
#include "hostbook/term_weeks.h"
#include "common/text.h"

namespace tavo::cli {
namespace {

using holidays::DayStatus;

std::string Trimmed(std::string_view text) { return std::string(TrimBlanks(text)); }

// "国庆节 放假", "国庆节 调休上班"; the status alone when the day has no name.
std::string HolidaySummary(const holidays::HolidayDay& day) {
  const std::string status = holidays::StatusText(day.status);
  const std::string name = Trimmed(day.name);
  return name.empty() ? status : name + " " + status;
}

void AddWeeks(const Term& term, std::vector<TermEvent>& events) {
  const std::vector<hostbook::WeekLabel> labels =
      hostbook::PlanWeekLabels(term.start, term.end, term.monday_first, term.plan);
  const int weeks = hostbook::WeekCount(term.start, term.end, term.monday_first);
  for (int week = 1; week <= weeks; ++week) {
    const hostbook::DateRange days = hostbook::GridWeek(term.start, term.end, term.monday_first, week);
    // Numbered as the sheet numbers them; a vacation's weeks are its own event.
    const hostbook::WeekLabel& label = labels[static_cast<std::size_t>(week - 1)];
    if (label.kind == hostbook::WeekLabel::Kind::kNumber)
      events.push_back({TermEventKind::kWeek, days.start, days.end, hostbook::WeekLabelText(label)});
    const auto index = static_cast<std::size_t>(week - 1);
    if (index >= term.week_remarks.size()) continue;
    std::string remark = Trimmed(term.week_remarks[index]);
    if (!remark.empty()) events.push_back({TermEventKind::kRemark, days.start, days.end, std::move(remark)});
  }
}

void AddDays(const Term& term, const holidays::HolidaySchedule& schedule, sheets::DayNote festivals,
             std::vector<TermEvent>& events) {
  const std::chrono::sys_days last{term.end};
  for (std::chrono::sys_days n{term.start}; n <= last; n += std::chrono::days{1}) {
    const Date day{n};
    if (const holidays::HolidayDay* holiday = schedule.Find(day);
        holiday != nullptr && holiday->status != DayStatus::kNone) {
      const auto kind =
          holiday->status == DayStatus::kOff ? TermEventKind::kDayOff : TermEventKind::kWorkingDay;
      events.push_back({kind, day, day, HolidaySummary(*holiday)});
    }
    if (festivals == nullptr) continue;
    // The notes the school calendar writes under the day.
    if (std::string note = festivals(n); !note.empty()) {
      events.push_back({TermEventKind::kFestival, day, day, std::move(note)});
    }
    if (const std::string_view term_name = lunar::SolarTermOf(n); !term_name.empty()) {
      events.push_back({TermEventKind::kSolarTerm, day, day, std::string(term_name)});
    }
  }
}

void AddItems(const Term& term, std::vector<TermEvent>& events) {
  for (const hostbook::SchoolItem& item : term.plan.items) {
    if (!item.Touches(term.start, term.end)) continue;
    events.push_back({TermEventKind::kItem, item.first, item.last, hostbook::ItemSummary(item), item.category});
  }
}

// --only's names of the feed's own kinds.
struct KindName {
  const char* name;
  TermEventKind kind;
};
constexpr KindName kKindNames[] = {
    {"weeks", TermEventKind::kWeek},           {"remarks", TermEventKind::kRemark},
    {"days-off", TermEventKind::kDayOff},      {"make-up-days", TermEventKind::kWorkingDay},
    {"festivals", TermEventKind::kFestival},   {"solar-terms", TermEventKind::kSolarTerm},
};

}  // namespace

std::vector<TermEvent> TermEvents(const Term& term, const holidays::HolidaySchedule& schedule,
                                  sheets::DayNote festivals) {
  std::vector<TermEvent> events;
  AddWeeks(term, events);
  AddDays(term, schedule, festivals, events);
  AddItems(term, events);
  std::stable_sort(events.begin(), events.end(), [](const TermEvent& a, const TermEvent& b) {
    const long from_a_to_b = DaysBetween(a.first, b.first);
    if (from_a_to_b != 0) return from_a_to_b > 0;
    return a.kind < b.kind;
  });
  return events;
}

const char* KindCategory(TermEventKind kind) {
  switch (kind) {
    case TermEventKind::kWeek: return "周次";
    case TermEventKind::kRemark: return "备注";
    case TermEventKind::kDayOff: return "放假";
    case TermEventKind::kWorkingDay: return "调休上班";
    case TermEventKind::kFestival: return "节日";
    case TermEventKind::kSolarTerm: return "节气";
    case TermEventKind::kItem: return "校历事项";
  }
  return "";
}

const char* EventCategory(const TermEvent& event) {
  if (event.kind == TermEventKind::kItem) return hostbook::CategoryName(event.item_category);
  return KindCategory(event.kind);
}

bool EventFilter::Keeps(const TermEvent& event) const {
  if (categories.empty()) return true;
  return std::find(categories.begin(), categories.end(), EventCategory(event)) != categories.end();
}

bool EventFilter::Names(TermEventKind kind) const {
  return std::find(categories.begin(), categories.end(), KindCategory(kind)) != categories.end();
}

std::string EventFilterNames() {
  std::string names;
  for (const KindName& k : kKindNames) names += (names.empty() ? "" : ", ") + std::string(k.name);
  for (const KindName& k : kKindNames) names += std::string(", ") + KindCategory(k.kind);
  for (hostbook::ItemCategory c : hostbook::AllCategories()) names += std::string(", ") + hostbook::CategoryName(c);
  return names;
}

EventFilter ParseEventFilter(std::string_view list) {
  EventFilter filter;
  for (std::size_t from = 0; from <= list.size();) {
    std::size_t comma = list.find(',', from);
    if (comma == std::string_view::npos) comma = list.size();
    const std::string name = Trimmed(list.substr(from, comma - from));
    from = comma + 1;
    if (name.empty()) continue;
    std::string category;
    for (const KindName& k : kKindNames)
      if (name == k.name || name == KindCategory(k.kind)) category = KindCategory(k.kind);
    if (category.empty() && hostbook::CategoryNamed(name)) category = name;
    if (category.empty())
      throw Error(kErrorSource, kInvalidArgument,
                  "--only：不认识“" + name + "”（可用：" + EventFilterNames() + "）");
    filter.categories.push_back(category);
  }
  if (filter.categories.empty())
    throw Error(kErrorSource, kInvalidArgument, "--only：没有给出种类（可用：" + EventFilterNames() + "）");
  return filter;
}

std::string EventUid(const TermEvent& event, std::string_view calendar_name) {
  std::string key(calendar_name);
  // The unit separator keeps "a" + "bc" apart from "ab" + "c".
  key += '\x1f';
  key += KindCategory(event.kind);
  // A school item's 类别 joins the key, so two items of one name and day in
  // different categories stay two events.
  if (event.kind == TermEventKind::kItem) {
    key += '\x1f';
    key += hostbook::CategoryName(event.item_category);
  }
  key += '\x1f';
  key += DateToIso(event.first);
  key += '\x1f';
  key += event.summary;
  char uid[32];
  std::snprintf(uid, sizeof uid, "%016llx@tavo",
                static_cast<unsigned long long>(ics::Fnv1a64(key)));
  return uid;
}

std::vector<ics::AllDayEvent> CalendarEvents(const std::vector<TermEvent>& events,
                                             std::string_view calendar_name) {
  std::vector<ics::AllDayEvent> out;
  out.reserve(events.size());
  for (const TermEvent& event : events) {
    out.push_back({EventUid(event, calendar_name), event.first, event.last, event.summary,
                   EventCategory(event)});
  }
  return out;
}

}  // namespace tavo::cli
