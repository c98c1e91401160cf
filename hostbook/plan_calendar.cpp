#include "hostbook/plan_calendar.h"

#include <algorithm>
#include <array>
#include <chrono>

#include "hostbook/term_weeks.h"

namespace tavo::hostbook {
namespace {

constexpr std::array<const char*, 7> kWeekdayShort = {"日", "一", "二", "三", "四", "五", "六"};
constexpr const char* kTeachingSuffix = "上课";

bool Between(Date d, Date first, Date last) {
  return DaysBetween(first, d) >= 0 && DaysBetween(d, last) >= 0;
}

// The first vacation covering `day`, or nullptr.
const SchoolItem* VacationOn(const SchoolPlan& plan, Date day) {
  for (const SchoolItem& item : plan.items)
    if (item.category == ItemCategory::kVacation && item.Covers(day)) return &item;
  return nullptr;
}

// The vacation every day of the week from `first` holds, or nullptr.
const SchoolItem* VacationWeek(const SchoolPlan& plan, Date first) {
  const SchoolItem* vacation = VacationOn(plan, first);
  if (vacation == nullptr) return nullptr;
  for (int i = 1; i < 7; ++i)
    if (VacationOn(plan, AddDays(first, i)) == nullptr) return nullptr;
  return vacation;
}

std::string VacationName(const SchoolItem& item) {
  return item.title.empty() ? CategoryName(item.category) : item.title;
}

// The first day of the week holding `day`.
Date WeekStartOf(Date day, bool monday_first) {
  return AddDays(day, -(StartPosition(day, monday_first) - 1));
}

WeekLabel LabelOf(const SchoolPlan& plan, const std::vector<const SchoolItem*>& terms, Date week,
                  bool monday_first) {
  // The latest term begun by this week that has not ended before it.
  const SchoolItem* term = nullptr;
  for (const SchoolItem* t : terms) {
    if (DaysBetween(WeekStartOf(t->first, monday_first), week) >= 0 && DaysBetween(week, t->last) >= 0)
      term = t;
  }
  if (const SchoolItem* vacation = VacationWeek(plan, week))
    return {WeekLabel::Kind::kVacation, 0, VacationName(*vacation)};
  if (term == nullptr) return {WeekLabel::Kind::kNone, 0, {}};
  int number = term->first_week;
  for (Date w = WeekStartOf(term->first, monday_first); DaysBetween(w, week) > 0; w = AddDays(w, 7))
    if (VacationWeek(plan, w) == nullptr) ++number;
  return {WeekLabel::Kind::kNumber, number, {}};
}

std::string DefaultTitle(ItemCategory category) {
  switch (category) {
    case ItemCategory::kRegistration: return "报到注册";
    case ItemCategory::kTimetable: return "调课";
    default: return CategoryName(category);
  }
}

// "按周三课表上课": the 调课 row's own words, ending in 上课.
std::string TeachingPhrase(const SchoolItem& item) {
  std::string phrase = item.title;
  if (phrase.size() < 6 || phrase.compare(phrase.size() - 6, 6, kTeachingSuffix) != 0) phrase += kTeachingSuffix;
  return phrase;
}

}  // namespace

std::vector<WeekLabel> PlanWeekLabels(Date start, Date end, bool monday_first, const SchoolPlan& plan) {
  const int weeks = WeekCount(start, end, monday_first);
  std::vector<WeekLabel> labels;
  labels.reserve(static_cast<std::size_t>(weeks));
  std::vector<const SchoolItem*> terms;
  for (const SchoolItem& item : plan.items)
    if (item.category == ItemCategory::kTerm) terms.push_back(&item);
  std::stable_sort(terms.begin(), terms.end(),
                   [](const SchoolItem* a, const SchoolItem* b) { return DaysBetween(a->first, b->first) > 0; });
  const Date first_week = WeekStartOf(start, monday_first);
  for (int w = 0; w < weeks; ++w) {
    if (terms.empty()) {
      labels.push_back({WeekLabel::Kind::kNumber, w + 1, {}});
    } else {
      labels.push_back(LabelOf(plan, terms, AddDays(first_week, 7L * w), monday_first));
    }
  }
  return labels;
}

std::string WeekLabelText(const WeekLabel& label) {
  switch (label.kind) {
    case WeekLabel::Kind::kNumber:
      return label.number == 0 ? kPreparationWeek : "第" + std::to_string(label.number) + "周";
    case WeekLabel::Kind::kVacation: return label.vacation;
    case WeekLabel::Kind::kNone: return {};
  }
  return {};
}

PlanDay PlanDayOf(const SchoolPlan& plan, Date day) {
  PlanDay marks;
  for (const SchoolItem& item : plan.items) {
    if (!item.Covers(day)) continue;
    switch (item.category) {
      case ItemCategory::kVacation: marks.vacation = true; break;
      case ItemCategory::kExam: marks.exam = true; break;
      case ItemCategory::kNoClasses:
        if (!marks.no_classes) marks.reason = item.title.empty() ? DefaultTitle(item.category) : item.title;
        marks.no_classes = true;
        break;
      case ItemCategory::kTimetable: marks.teaching = true; break;
      default: break;
    }
  }
  return marks;
}

std::optional<std::string> TimetableOf(const SchoolPlan& plan, Date day) {
  for (const SchoolItem& item : plan.items) {
    if (item.category != ItemCategory::kTimetable || !item.Covers(day)) continue;
    std::string phrase = TeachingPhrase(item);
    phrase.resize(phrase.size() - 6);  // without 上课
    return phrase;
  }
  return std::nullopt;
}

std::string MonthDayText(Date d) {
  return std::to_string(static_cast<unsigned>(d.month())) + "." + std::to_string(static_cast<unsigned>(d.day()));
}

std::string SpanText(Date first, Date last) {
  return DaysBetween(first, last) == 0 ? MonthDayText(first) : MonthDayText(first) + "–" + MonthDayText(last);
}

std::string ItemRemarkLine(const SchoolItem& item) {
  const std::string lead = item.audience.empty() ? std::string() : item.audience + " ";
  if (item.category == ItemCategory::kTimetable) {
    std::string when = SpanText(item.first, item.last);
    if (DaysBetween(item.first, item.last) == 0)
      when += std::string("（") + kWeekdayShort[static_cast<std::size_t>(WeekdayNumber(item.first) - 1)] + "）";
    return lead + when + TeachingPhrase(item);
  }
  const std::string title = item.title.empty() ? DefaultTitle(item.category) : item.title;
  if (!item.audience.empty()) return lead + SpanText(item.first, item.last) + " " + title;
  return title + " " + SpanText(item.first, item.last);
}

std::string ItemSummary(const SchoolItem& item) {
  const std::string title =
      item.category == ItemCategory::kTimetable ? TeachingPhrase(item)
                                                : item.title.empty() ? DefaultTitle(item.category) : item.title;
  return item.audience.empty() ? title : item.audience + " " + title;
}

std::vector<std::string> ItemRemarkLines(const SchoolPlan& plan, Date first, Date last,
                                         const std::function<bool(Date)>& national_working_day) {
  std::vector<std::string> lines;
  for (const SchoolItem& item : plan.items) {
    if (!item.Touches(first, last)) continue;
    if (item.category == ItemCategory::kTerm && !Between(item.first, first, last)) continue;
    if (item.category == ItemCategory::kTimetable && national_working_day &&
        DaysBetween(item.first, item.last) == 0 && national_working_day(item.first))
      continue;
    lines.push_back(ItemRemarkLine(item));
  }
  return lines;
}

}  // namespace tavo::hostbook
