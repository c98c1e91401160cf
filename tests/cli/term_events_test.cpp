// The events of a term: weeks numbered as the school calendar numbers them,
// remarks on their weeks, their order, and UIDs that are stable and unique.
// The days off, make-up days and festivals of real terms are checked
// through the command (tests/cli/ics_feed.sh).
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "cli/term_events.h"
#include "common/error.h"

namespace tavo::cli {
namespace {

using Kind = TermEventKind;

Date Day(int y, unsigned m, unsigned d) {
  return Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

std::vector<TermEvent> OfKind(const std::vector<TermEvent>& events, Kind kind) {
  std::vector<TermEvent> out;
  for (const TermEvent& e : events)
    if (e.kind == kind) out.push_back(e);
  return out;
}

struct WeekCase {
  const char* what;
  Date start, end;
  bool monday_first;
  int weeks;
  Date first_week_last_day;  // week 1 runs from the start to here
  Date last_week_first_day;  // the last week runs from here to the end
};

TEST(TermEventsTest, NumbersWeeksAsTheGridDoes) {
  const WeekCase cases[] = {
      // 2024-9-1 is a Sunday: alone in week 1 when weeks start on Monday.
      {"autumn 2024, Monday", Day(2024, 9, 1), Day(2025, 1, 19), true, 21, Day(2024, 9, 1),
       Day(2025, 1, 13)},
      {"autumn 2024, Sunday", Day(2024, 9, 1), Day(2025, 1, 19), false, 21, Day(2024, 9, 7),
       Day(2025, 1, 19)},
      // 2026-3-2 is a Monday, 2026-7-12 a Sunday.
      {"spring 2026, Monday", Day(2026, 3, 2), Day(2026, 7, 12), true, 19, Day(2026, 3, 8),
       Day(2026, 7, 6)},
      {"spring 2026, Sunday", Day(2026, 3, 2), Day(2026, 7, 12), false, 20, Day(2026, 3, 7),
       Day(2026, 7, 12)},
      {"one day", Day(2024, 3, 13), Day(2024, 3, 13), true, 1, Day(2024, 3, 13), Day(2024, 3, 13)},
      {"across a year end", Day(2025, 12, 29), Day(2026, 1, 4), true, 1, Day(2026, 1, 4),
       Day(2025, 12, 29)},
  };
  const holidays::HolidaySchedule none;
  for (const WeekCase& c : cases) {
    const auto weeks = OfKind(TermEvents({c.start, c.end, c.monday_first, {}, {}}, none, nullptr), Kind::kWeek);
    ASSERT_EQ(weeks.size(), static_cast<std::size_t>(c.weeks)) << c.what;
    EXPECT_EQ(weeks.front().summary, "第1周") << c.what;
    EXPECT_EQ(weeks.back().summary, "第" + std::to_string(c.weeks) + "周") << c.what;
    EXPECT_EQ(weeks.front().first, c.start) << c.what;
    EXPECT_EQ(weeks.front().last, c.first_week_last_day) << c.what;
    EXPECT_EQ(weeks.back().first, c.last_week_first_day) << c.what;
    EXPECT_EQ(weeks.back().last, c.end) << c.what;
    // Weeks follow one another without gap or overlap.
    for (std::size_t i = 1; i < weeks.size(); ++i)
      EXPECT_EQ(DaysBetween(weeks[i - 1].last, weeks[i].first), 1) << c.what << " week " << i + 1;
  }
}

TEST(TermEventsTest, PutsRemarksOnTheirWeeks) {
  // Monday-first weeks of September 2024: 9.1 | 9.2–8 | 9–15 | 16–22 | 23–29 | 9.30.
  const Term term{Day(2024, 9, 1), Day(2024, 9, 30), true,
                  {"开学典礼", "", "  \n ", "运动会,上午;下午\n全校", "国庆准备", "月末", "past the term"}, {}};
  const auto remarks = OfKind(TermEvents(term, {}, nullptr), Kind::kRemark);
  struct Expected {
    const char* summary;
    Date first, last;
  };
  const Expected expected[] = {
      {"开学典礼", Day(2024, 9, 1), Day(2024, 9, 1)},
      {"运动会,上午;下午\n全校", Day(2024, 9, 16), Day(2024, 9, 22)},
      {"国庆准备", Day(2024, 9, 23), Day(2024, 9, 29)},
      {"月末", Day(2024, 9, 30), Day(2024, 9, 30)},
  };
  // Blank remarks give no event, and neither does a remark after the last week.
  ASSERT_EQ(remarks.size(), std::size(expected));
  for (std::size_t i = 0; i < remarks.size(); ++i) {
    EXPECT_EQ(remarks[i].summary, expected[i].summary);
    EXPECT_EQ(remarks[i].first, expected[i].first) << expected[i].summary;
    EXPECT_EQ(remarks[i].last, expected[i].last) << expected[i].summary;
  }
}

TEST(TermEventsTest, SortsByDateThenKind) {
  const Term term{Day(2024, 9, 29), Day(2024, 10, 13), true, {"国庆", "", "返校"}, {}};
  const auto events = TermEvents(term, holidays::HolidaySchedule::BuiltIn(), nullptr);
  for (std::size_t i = 1; i < events.size(); ++i) {
    const long gap = DaysBetween(events[i - 1].first, events[i].first);
    EXPECT_TRUE(gap > 0 || (gap == 0 && events[i - 1].kind <= events[i].kind)) << i;
  }
  // 9.29 (a Sunday, week 1) is a make-up day: the week, its remark, then the day.
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(events[0].kind, Kind::kWeek);
  EXPECT_EQ(events[1].kind, Kind::kRemark);
  EXPECT_EQ(events[2].kind, Kind::kWorkingDay);
}

TEST(TermEventsTest, UidsAreStableAndTellEventsApart) {
  const TermEvent base{Kind::kRemark, Day(2024, 9, 2), Day(2024, 9, 8), "开学"};
  const std::string uid = EventUid(base, "实验小学校历");
  EXPECT_EQ(uid, EventUid(base, "实验小学校历"));
  EXPECT_EQ(uid.size(), 16u + 5u);
  EXPECT_EQ(uid.substr(16), "@tavo");
  // The last day is not part of it: a term that ends later keeps its last week's UID.
  EXPECT_EQ(uid, EventUid({Kind::kRemark, Day(2024, 9, 2), Day(2024, 9, 5), "开学"}, "实验小学校历"));

  const std::pair<TermEvent, const char*> others[] = {
      {{Kind::kWeek, Day(2024, 9, 2), Day(2024, 9, 8), "开学"}, "实验小学校历"},
      {{Kind::kRemark, Day(2024, 9, 3), Day(2024, 9, 8), "开学"}, "实验小学校历"},
      {{Kind::kRemark, Day(2024, 9, 2), Day(2024, 9, 8), "开学典礼"}, "实验小学校历"},
      {base, "第二小学校历"},
  };
  for (const auto& [event, name] : others) EXPECT_NE(EventUid(event, name), uid) << event.summary;

  // Unique within a whole term with every kind of event.
  const auto events = CalendarEvents(
      TermEvents({Day(2024, 9, 1), Day(2025, 7, 13), true, {"a", "b", "a", "b"}, {}},
                 holidays::HolidaySchedule::BuiltIn(), sheets::kSchoolCalendar.day_note),
      "校历");
  std::set<std::string> uids;
  for (const auto& e : events) EXPECT_TRUE(uids.insert(e.uid).second) << e.summary;
}

hostbook::SchoolItem Item(hostbook::ItemCategory category, Date first, Date last, std::string title,
                         int first_week = 1) {
  hostbook::SchoolItem item;
  item.category = category;
  item.first = first;
  item.last = last;
  item.title = std::move(title);
  item.first_week = first_week;
  return item;
}

TEST(TermEventsTest, SchoolItemsAreEventsAndTheirTermsNumberTheWeeks) {
  using C = hostbook::ItemCategory;
  Term term{Day(2025, 8, 25), Day(2026, 2, 8), true, {}, {}};
  term.plan.items = {Item(C::kTerm, Day(2025, 9, 1), Day(2026, 1, 18), "第一学期", 0),
                     Item(C::kExam, Day(2026, 1, 12), Day(2026, 1, 16), "期末考试"),
                     Item(C::kVacation, Day(2026, 1, 19), Day(2026, 2, 22), "寒假"),
                     Item(C::kEvent, Day(2026, 3, 5), Day(2026, 3, 5), "past the term")};
  const std::vector<TermEvent> events = TermEvents(term, holidays::HolidaySchedule(), nullptr);
  const std::vector<TermEvent> weeks = OfKind(events, Kind::kWeek);
  // 8.25 lies before the term: no week event; the term's first week is its 预备周;
  // the vacation's three weeks are the vacation's own event.
  ASSERT_EQ(weeks.size(), 20u);
  EXPECT_EQ(weeks.front().summary, "预备周");
  EXPECT_EQ(weeks.front().first, Day(2025, 9, 1));
  EXPECT_EQ(weeks.back().summary, "第19周");
  std::vector<std::string> items;
  for (const TermEvent& e : OfKind(events, Kind::kItem)) items.push_back(std::string(EventCategory(e)) + " " + e.summary);
  EXPECT_EQ(items, (std::vector<std::string>{"学期 第一学期", "考试 期末考试", "假期 寒假"}));
  const auto feed = CalendarEvents(events, "校历");
  EXPECT_EQ(feed.back().category, "假期");
}

TEST(EventFilterTest, KeepsTheNamedKindsAndRefusesOthers) {
  struct Case {
    const char* list;
    std::vector<std::string> categories;
  };
  const Case cases[] = {
      {"weeks", {"周次"}},
      {"考试,假期", {"考试", "假期"}},
      {" days-off , make-up-days ", {"放假", "调休上班"}},
      {"周次,festivals,solar-terms,调课", {"周次", "节日", "节气", "调课"}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseEventFilter(c.list).categories, c.categories) << c.list;
  for (const char* bad : {"", ",", "exams", "考试,期末"}) EXPECT_THROW(ParseEventFilter(bad), Error) << bad;
  EventFilter exams = ParseEventFilter("考试");
  TermEvent exam{Kind::kItem, Day(2026, 1, 12), Day(2026, 1, 16), "期末考试", hostbook::ItemCategory::kExam};
  TermEvent event{Kind::kItem, Day(2026, 1, 12), Day(2026, 1, 12), "运动会", hostbook::ItemCategory::kEvent};
  EXPECT_TRUE(exams.Keeps(exam));
  EXPECT_FALSE(exams.Keeps(event));
  EXPECT_TRUE(EventFilter{}.Keeps(event)) << "no --only keeps everything";
}

}  // namespace
}  // namespace tavo::cli
