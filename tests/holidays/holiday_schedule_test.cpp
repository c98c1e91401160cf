// The built-in holiday schedule and a school's rows over it: the days of
// real notices, how a holiday reads as one break, and what an override does.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "common/dates.h"
#include "holidays/covered_years.h"
#include "holidays/holiday_schedule.h"

namespace tavo::holidays {
namespace {

using std::chrono::year;

Date D(int y, unsigned m, unsigned d) {
  return year{y} / std::chrono::month{m} / std::chrono::day{d};
}

std::string Iso(Date d) { return DateToIso(d); }

struct DayCase {
  Date date;
  DayStatus status;
  const char* name;
};

// Autumn 2024, spring 2026, the extended 春节 of 2020 and the 2015
// commemoration, with ordinary days beside them.
const DayCase kDays[] = {
    {D(2024, 9, 14), DayStatus::kWork, "中秋节"},
    {D(2024, 9, 15), DayStatus::kOff, "中秋节"},
    {D(2024, 9, 17), DayStatus::kOff, "中秋节"},
    {D(2024, 9, 18), DayStatus::kNone, ""},
    {D(2024, 9, 29), DayStatus::kWork, "国庆节"},
    {D(2024, 10, 1), DayStatus::kOff, "国庆节"},
    {D(2024, 10, 7), DayStatus::kOff, "国庆节"},
    {D(2024, 10, 8), DayStatus::kNone, ""},
    {D(2024, 10, 12), DayStatus::kWork, "国庆节"},
    {D(2025, 1, 1), DayStatus::kOff, "元旦"},
    {D(2026, 2, 14), DayStatus::kWork, "春节"},
    {D(2026, 2, 15), DayStatus::kOff, "春节"},
    {D(2026, 2, 23), DayStatus::kOff, "春节"},
    {D(2026, 2, 24), DayStatus::kNone, ""},
    {D(2026, 2, 28), DayStatus::kWork, "春节"},
    {D(2020, 1, 24), DayStatus::kOff, "春节"},
    {D(2020, 2, 2), DayStatus::kOff, "春节"},
    {D(2020, 2, 3), DayStatus::kNone, ""},
    {D(2015, 9, 3), DayStatus::kOff, "抗战胜利70周年纪念日"},
    {D(2015, 9, 6), DayStatus::kWork, "抗战胜利70周年纪念日"},
    {D(2003, 10, 1), DayStatus::kNone, ""},  // before the built-in notices
};

TEST(HolidaySchedule, DaysOfRealNotices) {
  const HolidaySchedule schedule = HolidaySchedule::BuiltIn();
  for (const DayCase& c : kDays) {
    SCOPED_TRACE(Iso(c.date));
    EXPECT_EQ(schedule.StatusOf(c.date), c.status);
    const HolidayDay* day = schedule.Find(c.date);
    EXPECT_EQ(day ? day->name : std::string(), c.name);
  }
}

struct BreakCase {
  Date any_day;
  const char* name;
  Date first_off, last_off;
  std::vector<Date> working;
};

TEST(HolidaySchedule, AHolidayReadsAsOneBreakFromAnyOfItsDays) {
  const BreakCase cases[] = {
      {D(2024, 9, 14), "中秋节", D(2024, 9, 15), D(2024, 9, 17), {D(2024, 9, 14)}},
      {D(2024, 10, 12), "国庆节", D(2024, 10, 1), D(2024, 10, 7), {D(2024, 9, 29), D(2024, 10, 12)}},
      {D(2026, 2, 20), "春节", D(2026, 2, 15), D(2026, 2, 23), {D(2026, 2, 14), D(2026, 2, 28)}},
      {D(2015, 9, 4), "抗战胜利70周年纪念日", D(2015, 9, 3), D(2015, 9, 5), {D(2015, 9, 6)}},
      // Weekend days the notice only joins widen the range: 5.31 and 6.1 before 6.2.
      {D(2014, 6, 2), "端午节", D(2014, 5, 31), D(2014, 6, 2), {}},
  };
  const HolidaySchedule schedule = HolidaySchedule::BuiltIn();
  for (const BreakCase& c : cases) {
    SCOPED_TRACE(Iso(c.any_day));
    const HolidayBreak hb = schedule.BreakOf(c.any_day);
    EXPECT_EQ(hb.name, c.name);
    ASSERT_TRUE(hb.has_days_off);
    EXPECT_EQ(Iso(hb.first_off), Iso(c.first_off));
    EXPECT_EQ(Iso(hb.last_off), Iso(c.last_off));
    std::vector<std::string> working, expected;
    for (Date d : hb.working_days) working.push_back(Iso(d));
    for (Date d : c.working) expected.push_back(Iso(d));
    EXPECT_EQ(working, expected);
  }
  EXPECT_TRUE(schedule.BreakOf(D(2024, 9, 18)).name.empty());
}

TEST(HolidaySchedule, EveryBuiltInYearIsCoveredAndNoOther) {
  const HolidaySchedule schedule = HolidaySchedule::BuiltIn();
  EXPECT_EQ(kFirstYear, 2004);
  EXPECT_EQ(kLastYear, 2026);
  for (int y = 2004; y <= 2026; ++y) {
    EXPECT_TRUE(schedule.Covers(y)) << y;
    EXPECT_FALSE(schedule.DaysOfYear(y).empty()) << y;
  }
  EXPECT_EQ(schedule.UncoveredYears(2025, 2030), (std::vector<int>{2027, 2028, 2029, 2030}));
  EXPECT_EQ(schedule.UncoveredYears(2001, 2004), (std::vector<int>{2001, 2002, 2003}));
}

TEST(HolidaySchedule, ASchoolsRowsAddReplaceAndRemove) {
  HolidaySchedule schedule = HolidaySchedule::BuiltIn();
  schedule.Override(D(2027, 10, 1), DayStatus::kOff, "国庆节");    // a year not built in
  schedule.Override(D(2024, 10, 8), DayStatus::kOff, "校庆");      // an extra day
  schedule.Override(D(2024, 10, 7), DayStatus::kNone, "");         // the school stays open
  schedule.Override(D(2024, 9, 14), DayStatus::kOff, "中秋节");    // a make-up day given off
  EXPECT_TRUE(schedule.Covers(2027));
  EXPECT_FALSE(schedule.Covers(2028));
  EXPECT_EQ(schedule.StatusOf(D(2027, 10, 1)), DayStatus::kOff);
  EXPECT_EQ(schedule.Find(D(2024, 10, 8))->name, "校庆");
  EXPECT_EQ(schedule.StatusOf(D(2024, 10, 7)), DayStatus::kNone);
  EXPECT_EQ(schedule.StatusOf(D(2024, 9, 14)), DayStatus::kOff);
  // The break follows what is left: 国庆节 now ends on 10.6.
  EXPECT_EQ(Iso(schedule.BreakOf(D(2024, 10, 1)).last_off), "2024-10-06");
  EXPECT_EQ(schedule.DaysOfYear(2027).size(), 1u);
}

// A day of a built-in break gives that break as the school's rows leave
// it; a school's own row joins the days of its name up to three weeks away.
TEST(HolidaySchedule, ASchoolsRowsJoinOrLeaveTheBreaks) {
  struct Row {
    Date date;
    DayStatus status;
    const char* name;
  };
  struct Case {
    const char* label;
    std::vector<Row> rows;
    Date asked;
    const char* name;
    const char* off;  // "first..last", "" without days off
    std::vector<Date> working;
  };
  const Case cases[] = {
      {"a day added to a break extends it, asked from the break",
       {{D(2024, 10, 8), DayStatus::kOff, "国庆节"}}, D(2024, 10, 1), "国庆节", "2024-10-01..2024-10-08",
       {D(2024, 9, 29), D(2024, 10, 12)}},
      {"and asked from the added day", {{D(2024, 10, 8), DayStatus::kOff, "国庆节"}}, D(2024, 10, 8), "国庆节",
       "2024-10-01..2024-10-08", {D(2024, 9, 29), D(2024, 10, 12)}},
      {"a day renamed leaves its break", {{D(2024, 10, 7), DayStatus::kOff, "校庆"}}, D(2024, 10, 1), "国庆节",
       "2024-10-01..2024-10-06", {D(2024, 9, 29), D(2024, 10, 12)}},
      {"and is a break of its own", {{D(2024, 10, 7), DayStatus::kOff, "校庆"}}, D(2024, 10, 7), "校庆",
       "2024-10-07..2024-10-07", {}},
      {"a removed day inside a break leaves the range whole", {{D(2024, 10, 3), DayStatus::kNone, ""}},
       D(2024, 10, 1), "国庆节", "2024-10-01..2024-10-07", {D(2024, 9, 29), D(2024, 10, 12)}},
      {"a make-up day given off widens the days off", {{D(2024, 9, 14), DayStatus::kOff, "中秋节"}},
       D(2024, 9, 16), "中秋节", "2024-09-14..2024-09-17", {}},
      {"a joined weekend day taken back narrows the range", {{D(2014, 5, 31), DayStatus::kNone, ""}},
       D(2014, 6, 2), "端午节", "2014-06-01..2014-06-02", {}},
      {"a school's days three weeks apart are one break",
       {{D(2027, 3, 1), DayStatus::kOff, "校庆"}, {D(2027, 3, 22), DayStatus::kWork, "校庆"}}, D(2027, 3, 1),
       "校庆", "2027-03-01..2027-03-01", {D(2027, 3, 22)}},
      {"a day more apart are two",
       {{D(2027, 3, 1), DayStatus::kOff, "校庆"}, {D(2027, 3, 23), DayStatus::kWork, "校庆"}}, D(2027, 3, 1),
       "校庆", "2027-03-01..2027-03-01", {}},
      {"a make-up day of the school's alone", {{D(2027, 3, 6), DayStatus::kWork, "运动会"}}, D(2027, 3, 6),
       "运动会", "", {D(2027, 3, 6)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    HolidaySchedule schedule = HolidaySchedule::BuiltIn();
    for (const Row& row : c.rows) schedule.Override(row.date, row.status, row.name);
    const HolidayBreak hb = schedule.BreakOf(c.asked);
    EXPECT_EQ(hb.name, c.name);
    EXPECT_EQ(hb.has_days_off ? Iso(hb.first_off) + ".." + Iso(hb.last_off) : "", c.off);
    std::vector<std::string> working, expected;
    for (Date d : hb.working_days) working.push_back(Iso(d));
    for (Date d : c.working) expected.push_back(Iso(d));
    EXPECT_EQ(working, expected);
  }
}

// Every built-in day belongs to one break of its notice, and reads as it.
TEST(HolidaySchedule, EveryBuiltInDayReadsAsTheBreakItComesFrom) {
  const HolidaySchedule schedule = HolidaySchedule::BuiltIn();
  for (const BuiltInBreak& b : kBreaks) {
    ASSERT_NE(b.notice, nullptr);
    for (const HolidayDay& day : MarkedDaysOf(b)) {
      SCOPED_TRACE(Iso(day.date));
      const HolidayBreak hb = schedule.BreakOf(day.date);
      EXPECT_EQ(hb.name, b.name);
      const Date first = b.joined.empty() || b.off.front().first < b.joined.front() ? b.off.front().first
                                                                                     : b.joined.front();
      const Date last = b.joined.empty() || b.joined.back() < b.off.back().last ? b.off.back().last
                                                                                 : b.joined.back();
      EXPECT_EQ(Iso(hb.first_off), Iso(first));
      EXPECT_EQ(Iso(hb.last_off), Iso(last));
      EXPECT_EQ(hb.working_days.size(), b.working.size());
    }
  }
}

TEST(HolidaySchedule, StatusTexts) {
  EXPECT_STREQ(StatusText(DayStatus::kOff), "放假");
  EXPECT_STREQ(StatusText(DayStatus::kWork), "调休上班");
  EXPECT_STREQ(StatusMark(DayStatus::kOff), "休");
  EXPECT_STREQ(StatusMark(DayStatus::kWork), "班");
  EXPECT_STREQ(StatusMark(DayStatus::kNone), "");
}

}  // namespace
}  // namespace tavo::holidays
