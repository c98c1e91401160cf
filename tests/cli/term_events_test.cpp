// The events of a term: weeks numbered as the school calendar numbers them,
// remarks on their weeks, their order, and UIDs that are stable and unique.
// The days off, make-up days and festivals of real terms are checked
// through the command (tests/cli/ics_feed.sh).
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "cli/term_events.h"

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

}  // namespace
}  // namespace tavo::cli
