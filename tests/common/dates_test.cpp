#include "common/dates.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "common/error.h"

namespace tavo {
namespace {

using namespace std::chrono;

struct ParseCase {
  const char* text;
  int y;
  unsigned m, d;
};

class DateParseAccepts : public ::testing::TestWithParam<ParseCase> {};

TEST_P(DateParseAccepts, ReadsTheDate) {
  auto c = GetParam();
  auto d = ParseDate(c.text);
  ASSERT_TRUE(d) << c.text;
  EXPECT_EQ(*d, (Date{year{c.y}, month{c.m}, day{c.d}})) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Notations, DateParseAccepts,
    ::testing::Values(ParseCase{"2013-2-9", 2013, 2, 9}, ParseCase{"2013-02-09", 2013, 2, 9},
                      ParseCase{"2013/2/9", 2013, 2, 9}, ParseCase{"2013/02/09", 2013, 2, 9},
                      ParseCase{"2013.2.9", 2013, 2, 9}, ParseCase{"2013年2月9日", 2013, 2, 9},
                      ParseCase{"2013年02月09日", 2013, 2, 9}, ParseCase{"  2024-3-13 \t", 2024, 3, 13},
                      ParseCase{"2024-02-29", 2024, 2, 29}, ParseCase{"100-1-1", 100, 1, 1},
                      ParseCase{"9999-12-31", 9999, 12, 31}, ParseCase{"1901-01-01", 1901, 1, 1}));

class DateParseRefuses : public ::testing::TestWithParam<const char*> {};

TEST_P(DateParseRefuses, GivesNothing) {
  EXPECT_FALSE(ParseDate(GetParam())) << GetParam();
  EXPECT_THROW(DateFromText(GetParam()), Error);
}

INSTANTIATE_TEST_SUITE_P(Bad, DateParseRefuses,
                         ::testing::Values("", "   ", "2023-02-29", "2024-13-01", "2024-0-10",
                                           "2024-1-32", "2024-1-0", "99-1-1", "12024-1-1",
                                           "2024-1", "2024-1-1-1", "2024-1/1", "abc",
                                           "2024-1-1x", "-2024-1-1", "2024--1-1", "2024年1-1",
                                           "2024-001-01"));

TEST(DateText, ShortFormHasNoLeadingZeros) {
  EXPECT_EQ(DateToText(Date{year{2013}, month{2}, day{9}}), "2013-2-9");
  EXPECT_EQ(DateToText(Date{year{2100}, month{12}, day{31}}), "2100-12-31");
  EXPECT_EQ(DateToIso(Date{year{2013}, month{2}, day{9}}), "2013-02-09");
}

TEST(DateArithmetic, WeekdaysDifferencesAndSums) {
  Date wed{year{2024}, month{3}, day{13}};
  EXPECT_EQ(WeekdayNumber(wed), 4);           // Sunday first: Wednesday is 4
  EXPECT_EQ(WeekdayNumber(wed, Monday), 3);   // Monday first: Wednesday is 3
  EXPECT_EQ(WeekdayNumber(Date{year{2024}, month{3}, day{10}}, Monday), 7);
  EXPECT_EQ(DaysBetween(Date{year{2013}, month{1}, day{1}}, Date{year{2013}, month{2}, day{10}}), 40);
  EXPECT_EQ(DaysBetween(Date{year{1901}, month{1}, day{1}}, Date{year{1900}, month{12}, day{31}}), -1);
  EXPECT_EQ(AddDays(Date{year{2024}, month{2}, day{28}}, 2), (Date{year{2024}, month{3}, day{1}}));
}

TEST(ErrorText, JoinsSourceNumberAndDescription) {
  Error e("tavo", -2147, "x");
  EXPECT_EQ(ErrorMessage(e), "tavo：(-2147)x");
  try {
    RaiseOutOfRange();
  } catch (const Error& err) {
    EXPECT_EQ(err.number(), 9);
    EXPECT_EQ(err.description(), "下标越界");
    EXPECT_EQ(err.source(), "tavo");
  }
}

// The clock a packager or a fixture fixes: a number of seconds or nothing.
TEST(Clock, SourceDateEpochWhenSetElseNow) {
  struct Case {
    const char* epoch;
    bool fixed;
  };
  const Case cases[] = {{"1790000000", true}, {"0", true}, {"", false}, {"soon", false}, {"-5", false}, {"12x", false}};
  const char* tz = std::getenv("TZ");
  const std::string saved_tz = tz ? tz : "";
  setenv("TZ", "UTC", 1);
  tzset();
  for (const Case& c : cases) {
    setenv("SOURCE_DATE_EPOCH", c.epoch, 1);
    const std::time_t before = std::time(nullptr);
    const std::time_t now = NowOrSourceDateEpoch();
    if (c.fixed) {
      EXPECT_EQ(now, static_cast<std::time_t>(std::stoll(c.epoch))) << c.epoch;
    } else {
      EXPECT_GE(now, before) << c.epoch;
    }
  }
  setenv("SOURCE_DATE_EPOCH", "1790000000", 1);
  using namespace std::chrono;
  EXPECT_EQ(LocalToday(), 2026y / September / 21);
  unsetenv("SOURCE_DATE_EPOCH");
  if (tz) {
    setenv("TZ", saved_tz.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

}  // namespace
}  // namespace tavo
