// Invariants over every day from 1900-01-01 to 2100-12-31.
#include <array>
#include <cstdlib>
#include <map>

#include "lunar_test_support.h"

namespace tavo::lunar::testing {
namespace {

using namespace std::chrono;

struct DayRecord {
  int month_number, day_number;
  std::string month_text, day_text, term, school_note, calendar_note;
};

class Sweep : public LoadedEngine {
 protected:
  template <typename Visit>
  void ForEachDay(Visit visit) {
    for (sys_days d = sys_days{year{1900} / January / 1}; d <= sys_days{year{2100} / December / 31}; d += days{1}) {
      const Date date{d};
      const DateText text = DateToText(date);
      DayRecord r;
      ASSERT_NO_THROW({
        r.month_number = engine.LunarMonthNumber(text);
        r.day_number = engine.LunarDayNumber(text);
        r.month_text = engine.LunarMonthText(text);
        r.day_text = engine.LunarDayText(text);
        r.term = engine.SolarTermName(text);
        r.school_note = engine.SchoolDayNote(text);
        r.calendar_note = engine.CalendarDayNote(text);
      }) << text;
      visit(date, r);
    }
  }
};

TEST_F(Sweep, LunarDaysAdvanceByOneOrStartANewMonth) {
  bool first = true;
  DayRecord prev;
  ForEachDay([&](const Date& date, const DayRecord& r) {
    const int day = std::abs(r.day_number);
    const int month = std::abs(r.month_number);
    ASSERT_GE(day, 1);
    ASSERT_LE(day, 30);
    ASSERT_GE(month, 1);
    ASSERT_LE(month, 12);
    EXPECT_EQ(r.month_number < 0, r.day_number < 0) << DateToText(date);
    EXPECT_EQ(r.month_text.starts_with("闰"), r.month_number < 0) << DateToText(date);
    if (!first) {
      const int prev_day = std::abs(prev.day_number);
      const int prev_month = std::abs(prev.month_number);
      if (day == 1) {
        EXPECT_TRUE(prev_day == 29 || prev_day == 30) << DateToText(date);
        const bool enters_leap = r.month_number < 0 && month == prev_month && prev.month_number > 0;
        const bool next_month = r.month_number > 0 && month == prev_month % 12 + 1;
        EXPECT_TRUE(enters_leap || next_month) << DateToText(date);
      } else {
        EXPECT_EQ(day, prev_day + 1) << DateToText(date);
        EXPECT_EQ(r.month_number, prev.month_number) << DateToText(date);
      }
    }
    first = false;
    prev = r;
  });
}

TEST_F(Sweep, EachTermFallsOnceAYearInItsMonth) {
  std::map<std::pair<int, std::string>, int> seen;
  ForEachDay([&](const Date& date, const DayRecord& r) {
    if (r.term.empty()) return;
    const int y = static_cast<int>(date.year());
    const unsigned m = static_cast<unsigned>(date.month());
    ++seen[{y, r.term}];
    EXPECT_TRUE(r.term == engine.SolarTermName(DateToText(date)));
    if (r.term == "小寒") {
      EXPECT_EQ(m, 1u);
      EXPECT_GE(static_cast<unsigned>(date.day()), 4u);
      EXPECT_LE(static_cast<unsigned>(date.day()), 7u);
    }
    if (r.term == "冬至") {
      EXPECT_EQ(m, 12u);
      EXPECT_GE(static_cast<unsigned>(date.day()), 21u);
      EXPECT_LE(static_cast<unsigned>(date.day()), 23u);
    }
  });
  EXPECT_EQ(seen.size(), 201u * 24u);
  for (const auto& [key, count] : seen) EXPECT_EQ(count, 1) << key.first << " " << key.second;
  for (int y = 1900; y <= 2100; ++y) {
    for (int i = 0; i < 24; ++i) {
      const Date day = DateFromText(engine.SolarTermDate(static_cast<std::int16_t>(y), static_cast<std::int16_t>(i)));
      EXPECT_EQ(static_cast<unsigned>(day.month()), static_cast<unsigned>(i / 2 + 1)) << y << " " << i;
    }
  }
}

TEST_F(Sweep, NotesAreCleanAndEveryYearHasOneEveAndOneNewYear) {
  std::map<int, int> eves, new_years;
  Date last_eve{};
  ForEachDay([&](const Date& date, const DayRecord& r) {
    for (const std::string* s : {&r.month_text, &r.day_text, &r.term, &r.school_note, &r.calendar_note}) {
      EXPECT_EQ(s->find_first_of("\t\r\n"), std::string::npos) << DateToText(date);
    }
    const int y = static_cast<int>(date.year());
    if (r.school_note.find("除夕") != std::string::npos) {
      ++eves[y];
      last_eve = date;
      EXPECT_EQ(r.month_number, 12);
      EXPECT_GE(r.day_number, 29);
    }
    if (r.school_note.find("春节") != std::string::npos) {
      ++new_years[y];
      EXPECT_EQ(sys_days{date} - sys_days{last_eve}, days{1}) << DateToText(date);
    }
    // The notes differ only by Valentine's Day.
    if (date.month() == February && date.day() == day{14}) {
      EXPECT_EQ(r.calendar_note, "情人节" + r.school_note);
    } else {
      EXPECT_EQ(r.calendar_note, r.school_note);
    }
  });
  for (int y = 1900; y <= 2100; ++y) {
    EXPECT_EQ(eves[y], 1) << y;
    EXPECT_EQ(new_years[y], 1) << y;
  }
}

}  // namespace
}  // namespace tavo::lunar::testing
