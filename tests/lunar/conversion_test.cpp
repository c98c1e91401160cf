// Gregorian date to lunar month and day.
#include "lunar_test_support.h"

namespace tavo::lunar::testing {
namespace {

struct LunarCase {
  const char* date;
  const char* month_text;
  const char* day_text;
  int month_number;
  int day_number;
};

class Conversion : public LoadedEngine, public ::testing::WithParamInterface<LunarCase> {};

TEST_P(Conversion, GivesMonthAndDay) {
  const LunarCase& c = GetParam();
  const DateText date = Text(c.date);
  EXPECT_EQ(engine.LunarMonthText(date), c.month_text);
  EXPECT_EQ(engine.LunarDayText(date), c.day_text);
  EXPECT_EQ(engine.LunarMonthNumber(date), c.month_number);
  EXPECT_EQ(engine.LunarDayNumber(date), c.day_number);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, Conversion,
    ::testing::Values(LunarCase{"1900-01-31", "正月", "初一", 1, 1},      // lunar new year 1900
                      LunarCase{"2013-02-09", "十二月", "廿九", 12, 29},  // still lunar year 2012
                      LunarCase{"2013-02-10", "正月", "初一", 1, 1},
                      LunarCase{"2013-10-19", "九月", "十五", 9, 15},
                      LunarCase{"2020-05-22", "四月", "三十", 4, 30},       // last day before a leap month
                      LunarCase{"2020-05-23", "闰四月", "初一", -4, -1},    // first day of the leap month
                      LunarCase{"2020-06-21", "五月", "初一", 5, 1},        // first month after it
                      LunarCase{"2023-03-22", "闰二月", "初一", -2, -1},
                      LunarCase{"2033-12-22", "闰十一月", "初一", -11, -1},  // leap month late in the year
                      LunarCase{"2100-12-31", "十二月", "初一", 12, 1}));    // last convertible day

// January 1900 belongs to lunar year 1899, whose entry was added.
INSTANTIATE_TEST_SUITE_P(
    January1900, Conversion,
    ::testing::Values(LunarCase{"1900-01-01", "十二月", "初一", 12, 1}, LunarCase{"1900-01-08", "十二月", "初八", 12, 8},
                      LunarCase{"1900-01-30", "十二月", "三十", 12, 30},
                      LunarCase{"1899-02-10", "正月", "初一", 1, 1}));

// Days after the month whose flag was one too long in the circulating
// table: each of them used to come out one lunar day late.
INSTANTIATE_TEST_SUITE_P(
    MendedYears, Conversion,
    ::testing::Values(LunarCase{"2001-06-21", "五月", "初一", 5, 1},     // after 闰四月 (29 days)
                      LunarCase{"2001-10-01", "八月", "十五", 8, 15},    // 中秋 2001
                      LunarCase{"2002-02-11", "十二月", "三十", 12, 30},  // eve of 2002
                      LunarCase{"2003-12-23", "十二月", "初一", 12, 1},   // after 十一月 (29 days)
                      LunarCase{"2039-09-18", "八月", "初一", 8, 1},     // after 七月 (29 days)
                      LunarCase{"2057-01-05", "十二月", "初一", 12, 1}));  // after 十一月 (29 days)

TEST_F(LoadedEngine, AnyNotationOfTheDateConverts) {
  for (const char* text : {"2020-05-23", "2020/5/23", "2020.05.23", "2020年5月23日", " 2020-5-23 "}) {
    EXPECT_EQ(engine.LunarMonthText(text), "闰四月") << text;
  }
}

TEST_F(LoadedEngine, DatesOutsideTheTableAreOutOfRange) {
  for (const char* text : {"1899-02-09", "1899-01-01", "1800-06-01", "2101-01-01", "9999-12-31"}) {
    EXPECT_EQ(ErrorNumberOf([&] { engine.ConvertToLunar(text); }), kOutOfRange) << text;
  }
}

TEST_F(LoadedEngine, TextsThatAreNotDatesAreTypeMismatches) {
  for (const char* text : {"", "abc", "2023-02-29", "2024-13-01", "2013-2-9x"}) {
    EXPECT_EQ(ErrorNumberOf([&] { engine.LunarDayText(text); }), kTypeMismatch) << text;
  }
}

TEST_F(LoadedEngine, NewYearOffsetsOfTheExamples) {
  EXPECT_EQ(engine.LunarNewYearOffset(1900), 30);
  EXPECT_EQ(engine.LunarNewYearOffset(2013), 40);
  EXPECT_EQ(engine.LunarNewYearOffset(2020), 24);
  EXPECT_EQ(engine.LunarNewYearOffset(1899), 40);
}

// LunarNewYearOffset leaves the last conversion's results alone.
TEST_F(LoadedEngine, NewYearOffsetKeepsTheDecodedYear) {
  engine.ConvertToLunar("2020-5-23");
  engine.LunarNewYearOffset(2013);
  EXPECT_EQ(engine.LeapMonth(), 4);
  EXPECT_EQ(engine.NewYearOffset(), 24);
}

}  // namespace
}  // namespace tavo::lunar::testing
