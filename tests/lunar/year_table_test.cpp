// The packed lunar-year table and its decoding.
#include <chrono>
#include <numeric>
#include <vector>

#include "lunar_test_support.h"

namespace tavo::lunar::testing {
namespace {

using namespace std::chrono;

TEST(BinaryText, WritesBaseTwoDigitsWithoutLeadingZeros) {
  EXPECT_EQ(LunarEngine::ToBinaryText(0), "");
  EXPECT_EQ(LunarEngine::ToBinaryText(-5), "");
  EXPECT_EQ(LunarEngine::ToBinaryText(6), "110");
  EXPECT_EQ(LunarEngine::ToBinaryText(1), "1");
  EXPECT_EQ(LunarEngine::ToBinaryText(4442477), "10000111100100101101101");
}

TEST(BinaryText, ReadsDigitsFirstMostSignificant) {
  EXPECT_EQ(LunarEngine::FromBinaryText("011110"), 30);
  EXPECT_EQ(LunarEngine::FromBinaryText(""), 0);
  EXPECT_EQ(LunarEngine::FromBinaryText("111111111111111"), 32767);
  EXPECT_EQ(LunarEngine::FromBinaryText("0000000000000000000001"), 1);
}

TEST(BinaryText, RefusesOverflowAndNonDigits) {
  EXPECT_EQ(ErrorNumberOf([] { LunarEngine::FromBinaryText("1000000000000000"); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { LunarEngine::FromBinaryText("10a1"); }), kTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { LunarEngine::FromBinaryText("12"); }), kTypeMismatch);
}

struct DecodeCase {
  int year;
  const char* entry_text;  // base-2 digits of the entry
  bool has_leap;
  int leap_month;
  int new_year_offset;
  const char* flags;  // MonthIsLong 0..12
};

class YearDecoding : public LoadedEngine, public ::testing::WithParamInterface<DecodeCase> {};

TEST_P(YearDecoding, UnpacksTheEntry) {
  const DecodeCase& c = GetParam();
  const auto year = static_cast<std::int16_t>(c.year);
  EXPECT_EQ(engine.YearEntryText(year), c.entry_text);
  engine.DecodeYearEntry(year);
  EXPECT_EQ(engine.HasLeapMonth(), c.has_leap);
  EXPECT_EQ(engine.LeapMonth(), c.leap_month);
  EXPECT_EQ(engine.NewYearOffset(), c.new_year_offset);
  EXPECT_EQ(engine.LunarNewYearOffset(year), c.new_year_offset);
  std::string flags;
  for (int i = 0; i < 13; ++i) flags += static_cast<char>('0' + engine.MonthIsLong(i));
  EXPECT_EQ(flags, c.flags);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, YearDecoding,
    ::testing::Values(
        // 23 digits: leap month 8, its flag stands at index 8.
        DecodeCase{1900, "10000111100100101101101", true, 8, 30, "0100101101101"},
        // 19 digits, the longest entry without a leap month.
        DecodeCase{1901, "1100010100101011100", false, 0, 49, "0100101011100"},
        // 18 digits: the offset is the first 5. Corrected entry (十一月 has 29 days).
        DecodeCase{2003, "111111101101001010", false, 0, 31, "1101101001010"},
        DecodeCase{2013, "1010001010110101010", false, 0, 40, "1010110101010"},
        DecodeCase{2020, "1000110000111010010101", true, 4, 24, "0111010010101"},
        DecodeCase{2033, "10110111100100101011101", true, 11, 30, "0100101011101"},
        DecodeCase{2100, "1001111101010100100", false, 0, 39, "1101010100100"},
        // Added so that January 1900 converts: new year 1899-02-10.
        DecodeCase{1899, "1010001010101101010", false, 0, 40, "1010101101010"}),
    [](const auto& info) { return std::to_string(info.param.year); });

// The mended entries: the authoritative month lengths, one 30-day flag fewer
// than the long-circulating values.
TEST_F(LoadedEngine, MendedEntriesCarryTheAuthoritativeMonthLengths) {
  struct Mend {
    int year;
    std::int32_t entry;
  };
  for (const Mend& m : {Mend{2001, 2292373}, Mend{2003, 260938}, Mend{2039, 2816852}, Mend{2056, 376138}}) {
    EXPECT_EQ(engine.YearEntryText(static_cast<std::int16_t>(m.year)), LunarEngine::ToBinaryText(m.entry))
        << m.year;
  }
}

// The months of every lunar year must fill exactly the days up to the next
// new year; a flag too many shows the rest of the year a day late.
TEST_F(LoadedEngine, MonthsOfEveryYearReachTheNextNewYear) {
  for (int y = 1899; y < 2100; ++y) {
    engine.DecodeYearEntry(static_cast<std::int16_t>(y));
    const int months = engine.HasLeapMonth() ? 13 : 12;
    int length = 0;
    for (int i = 0; i < months; ++i) length += 29 + engine.MonthIsLong(i);
    if (!engine.HasLeapMonth()) {
      EXPECT_EQ(engine.MonthIsLong(12), 0) << y;
    }
    const sys_days new_year = sys_days{year{y} / January / 1} + days{engine.NewYearOffset()};
    const sys_days next =
        sys_days{year{y + 1} / January / 1} + days{engine.LunarNewYearOffset(static_cast<std::int16_t>(y + 1))};
    EXPECT_EQ(length, (next - new_year).count()) << y;
    EXPECT_GE(engine.NewYearOffset(), 20) << y;
    EXPECT_LE(engine.NewYearOffset(), 50) << y;
  }
}

TEST_F(LoadedEngine, LeapMonthExactlyForLargeEntries) {
  for (int y = 1899; y <= 2100; ++y) {
    const auto year = static_cast<std::int16_t>(y);
    const bool large = engine.YearEntryText(year).size() > 19;
    engine.DecodeYearEntry(year);
    EXPECT_EQ(engine.HasLeapMonth(), large) << y;
    EXPECT_EQ(engine.LeapMonth() != 0, large) << y;
  }
}

TEST_F(LoadedEngine, YearsOutsideTheTableAreOutOfRange) {
  for (std::int16_t y : {1898, 2101, 0, -1, 32767}) {
    EXPECT_EQ(ErrorNumberOf([&] { engine.DecodeYearEntry(y); }), kOutOfRange) << y;
    EXPECT_EQ(ErrorNumberOf([&] { engine.YearEntryText(y); }), kOutOfRange) << y;
    EXPECT_EQ(ErrorNumberOf([&] { engine.LunarNewYearOffset(y); }), kOutOfRange) << y;
  }
  EXPECT_EQ(ErrorNumberOf([&] { engine.MonthIsLong(13); }), kOutOfRange);
  EXPECT_EQ(ErrorNumberOf([&] { engine.MonthIsLong(-1); }), kOutOfRange);
}

TEST(UnloadedEngine, RefusesToDecodeOrConvert) {
  LunarEngine engine;
  EXPECT_EQ(engine.YearEntryText(1900), "");
  EXPECT_EQ(ErrorNumberOf([&] { engine.DecodeYearEntry(1900); }), kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([&] { engine.LunarNewYearOffset(2013); }), kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([&] { engine.ConvertToLunar("2013-2-9"); }), kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([&] { engine.SolarTermDate(2013, 0); }), kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([&] { engine.SchoolDayNote("2013-2-9"); }), kInvalidArgument);
  // The table bounds are checked first, as for a loaded engine.
  EXPECT_EQ(ErrorNumberOf([&] { engine.DecodeYearEntry(2101); }), kOutOfRange);
}

TEST(LoadCalendarTables, CanRunAgain) {
  LunarEngine engine;
  engine.LoadCalendarTables();
  engine.LoadCalendarTables();
  EXPECT_EQ(engine.LunarMonthText("2013-2-10"), "正月");
}

}  // namespace
}  // namespace tavo::lunar::testing
