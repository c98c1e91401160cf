// The school's plan on the calendar: how its terms number the weeks (week 0,
// two terms, a vacation inside a term and between terms, weeks outside every
// term), what it marks on a day, and the remark line each item writes.
#include "hostbook/plan_calendar.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace tavo::hostbook {
namespace {

Date D(int y, unsigned m, unsigned d) { return std::chrono::year{y} / std::chrono::month{m} / std::chrono::day{d}; }

SchoolItem Item(ItemCategory category, Date first, Date last, std::string title = "", int first_week = 1,
                std::string audience = "") {
  SchoolItem item;
  item.category = category;
  item.first = first;
  item.last = last;
  item.title = std::move(title);
  item.first_week = first_week;
  item.audience = std::move(audience);
  return item;
}

// "1 2 寒假 - 预备周": the labels as text, "-" for an unnumbered week.
std::string Labels(const std::vector<WeekLabel>& labels) {
  std::string out;
  for (const WeekLabel& label : labels) {
    std::string text = WeekLabelText(label);
    if (label.kind == WeekLabel::Kind::kNumber && label.number > 0) text = std::to_string(label.number);
    out += (out.empty() ? "" : " ") + (text.empty() ? std::string("-") : text);
  }
  return out;
}

using C = ItemCategory;

TEST(PlanWeekLabels, NumbersTheWeeksFromTheTerms) {
  struct Case {
    const char* label;
    Date start, end;
    bool monday_first;
    std::vector<SchoolItem> items;
    const char* expected;
  };
  const Case cases[] = {
      {"without terms the grid's own count, whatever else the plan holds", D(2025, 9, 1), D(2025, 10, 5), true,
       {Item(C::kVacation, D(2025, 9, 8), D(2025, 9, 14), "秋假"), Item(C::kExam, D(2025, 9, 1), D(2025, 9, 2))},
       "1 2 3 4 5"},
      {"a term from its first day", D(2025, 9, 1), D(2025, 10, 5), true,
       {Item(C::kTerm, D(2025, 9, 1), D(2026, 1, 18))}, "1 2 3 4 5"},
      {"week 0 is the 预备周", D(2025, 8, 25), D(2025, 9, 21), true,
       {Item(C::kTerm, D(2025, 8, 25), D(2026, 1, 18), "", 0)}, "预备周 1 2 3"},
      {"a term that starts on a Wednesday: its week is week 1", D(2025, 8, 25), D(2025, 9, 21), true,
       {Item(C::kTerm, D(2025, 9, 3), D(2026, 1, 18))}, "- 1 2 3"},
      {"a whole week of vacation inside a term is named and not counted", D(2025, 9, 1), D(2025, 10, 19), true,
       {Item(C::kTerm, D(2025, 9, 1), D(2026, 1, 18)), Item(C::kVacation, D(2025, 9, 29), D(2025, 10, 5), "国庆假期")},
       "1 2 3 4 国庆假期 5 6"},
      {"a vacation that leaves part of a week is counted", D(2025, 9, 1), D(2025, 10, 19), true,
       {Item(C::kTerm, D(2025, 9, 1), D(2026, 1, 18)), Item(C::kVacation, D(2025, 10, 1), D(2025, 10, 7), "国庆假期")},
       "1 2 3 4 5 6 7"},
      {"two terms and the vacation between them", D(2026, 1, 5), D(2026, 3, 15), true,
       {Item(C::kTerm, D(2025, 9, 1), D(2026, 1, 18)), Item(C::kVacation, D(2026, 1, 19), D(2026, 3, 1), "寒假"),
        Item(C::kTerm, D(2026, 3, 2), D(2026, 7, 12))},
       "19 20 寒假 寒假 寒假 寒假 寒假 寒假 1 2"},
      {"a range inside a term counts from the term's start", D(2025, 10, 6), D(2025, 10, 19), true,
       {Item(C::kTerm, D(2025, 9, 1), D(2026, 1, 18), "", 3)}, "8 9"},
      {"weeks outside every term and vacation carry no number", D(2026, 1, 5), D(2026, 2, 8), true,
       {Item(C::kTerm, D(2025, 9, 1), D(2026, 1, 18)), Item(C::kVacation, D(2026, 1, 26), D(2026, 2, 1), "寒假")},
       "19 20 - 寒假 -"},
      {"Sunday weeks: the vacation must hold Sunday to Saturday", D(2025, 9, 7), D(2025, 10, 11), false,
       {Item(C::kTerm, D(2025, 9, 7), D(2026, 1, 18)), Item(C::kVacation, D(2025, 9, 28), D(2025, 10, 4), "秋假"),
        Item(C::kVacation, D(2025, 10, 6), D(2025, 10, 12), "不整周")},
       "1 2 3 秋假 4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Labels(PlanWeekLabels(c.start, c.end, c.monday_first, SchoolPlan{c.items})), c.expected);
  }
}

TEST(PlanDayOf, TellsEachCategorysMark) {
  const SchoolPlan plan{{Item(C::kVacation, D(2026, 1, 19), D(2026, 2, 22), "寒假"),
                         Item(C::kExam, D(2026, 1, 12), D(2026, 1, 16), "期末考试"),
                         Item(C::kNoClasses, D(2025, 9, 28), D(2025, 10, 5), "秋假"),
                         Item(C::kNoClasses, D(2025, 10, 5), D(2025, 10, 5), "运动会"),
                         Item(C::kTimetable, D(2025, 10, 11), D(2025, 10, 11), "按周三课表"),
                         Item(C::kEvent, D(2025, 10, 20), D(2025, 10, 20), "运动会")}};
  struct Case {
    Date day;
    bool vacation, exam, no_classes, teaching;
    const char* reason;
  };
  const Case cases[] = {
      {D(2026, 1, 19), true, false, false, false, ""},   {D(2026, 1, 14), false, true, false, false, ""},
      {D(2025, 10, 5), false, false, true, false, "秋假"}, {D(2025, 10, 11), false, false, false, true, ""},
      {D(2025, 10, 20), false, false, false, false, ""}, {D(2025, 10, 21), false, false, false, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(DateToIso(c.day));
    const PlanDay day = PlanDayOf(plan, c.day);
    EXPECT_EQ(day.vacation, c.vacation);
    EXPECT_EQ(day.exam, c.exam);
    EXPECT_EQ(day.no_classes, c.no_classes);
    EXPECT_EQ(day.teaching, c.teaching);
    EXPECT_EQ(day.reason, c.reason);
  }
  EXPECT_EQ(TimetableOf(plan, D(2025, 10, 11)), std::optional<std::string>("按周三课表"));
  EXPECT_EQ(TimetableOf(plan, D(2025, 10, 12)), std::nullopt);
}

TEST(ItemRemarkLine, WritesEachCategoryShortly) {
  struct Case {
    SchoolItem item;
    const char* line;
  };
  const Case cases[] = {
      {Item(C::kExam, D(2026, 1, 12), D(2026, 1, 16), "期末考试"), "期末考试 1.12–1.16"},
      {Item(C::kRegistration, D(2025, 9, 1), D(2025, 9, 1)), "报到注册 9.1"},
      {Item(C::kRegistration, D(2025, 8, 24), D(2025, 8, 24), "报到", 1, "高三"), "高三 8.24 报到"},
      {Item(C::kNoClasses, D(2025, 9, 28), D(2025, 10, 5), "秋假"), "秋假 9.28–10.5"},
      {Item(C::kTimetable, D(2025, 9, 28), D(2025, 9, 28), "按周五课表上课"), "9.28（日）按周五课表上课"},
      {Item(C::kTimetable, D(2025, 10, 11), D(2025, 10, 11), "按周三课表"), "10.11（六）按周三课表上课"},
      {Item(C::kVacation, D(2026, 1, 19), D(2026, 2, 22), "寒假"), "寒假 1.19–2.22"},
      {Item(C::kEvent, D(2025, 10, 20), D(2025, 10, 21), "运动会", 1, "小学"), "小学 10.20–10.21 运动会"},
      {Item(C::kTerm, D(2025, 9, 1), D(2026, 1, 18)), "学期 9.1–1.18"},
  };
  for (const Case& c : cases) EXPECT_EQ(ItemRemarkLine(c.item), c.line);
}

TEST(ItemRemarkLines, PicksTheItemsOfTheWeek) {
  const SchoolPlan plan{{Item(C::kTerm, D(2025, 9, 1), D(2026, 1, 18), "第一学期"),
                         Item(C::kNoClasses, D(2025, 9, 28), D(2025, 10, 5), "秋假"),
                         Item(C::kTimetable, D(2025, 10, 11), D(2025, 10, 11), "按周三课表")}};
  using Lines = std::vector<std::string>;
  EXPECT_EQ(ItemRemarkLines(plan, D(2025, 9, 1), D(2025, 9, 7)), (Lines{"第一学期 9.1–1.18"}));
  EXPECT_EQ(ItemRemarkLines(plan, D(2025, 9, 8), D(2025, 9, 14)), Lines{}) << "a term writes only its first week";
  EXPECT_EQ(ItemRemarkLines(plan, D(2025, 9, 29), D(2025, 10, 5)), (Lines{"秋假 9.28–10.5"}));
  EXPECT_EQ(ItemRemarkLines(plan, D(2025, 10, 6), D(2025, 10, 12)), (Lines{"10.11（六）按周三课表上课"}));
  // A make-up day the notices' remark names already says its timetable there.
  EXPECT_EQ(ItemRemarkLines(plan, D(2025, 10, 6), D(2025, 10, 12), [](Date) { return true; }), Lines{});
}

}  // namespace
}  // namespace tavo::hostbook
