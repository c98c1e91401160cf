// The 24 solar terms and the table of days the formula misses.
#include <cmath>

#include "lunar/solar_term_corrections.h"
#include "lunar_test_support.h"

namespace tavo::lunar::testing {
namespace {

using namespace std::chrono;

struct TermCase {
  int year;
  int index;
  const char* day;
  const char* name;
};

class SolarTerm : public LoadedEngine, public ::testing::WithParamInterface<TermCase> {};

TEST_P(SolarTerm, FallsOnItsDayAndIsNamedThere) {
  const TermCase& c = GetParam();
  const DateText day = Text(c.day);
  EXPECT_EQ(engine.SolarTermDate(static_cast<std::int16_t>(c.year), static_cast<std::int16_t>(c.index)), day);
  EXPECT_EQ(engine.SolarTermName(day), c.name);
}

INSTANTIATE_TEST_SUITE_P(Examples, SolarTerm,
                         ::testing::Values(TermCase{1900, 0, "1900-01-06", "小寒"}, TermCase{1901, 0, "1901-01-06", "小寒"},
                                           TermCase{2013, 0, "2013-01-05", "小寒"},
                                           TermCase{2013, 6, "2013-04-04", "清明节"},
                                           TermCase{2013, 13, "2013-07-22", "大暑"},
                                           TermCase{2100, 23, "2100-12-22", "冬至"}));

// Days where the mean-year formula is a day off and the table wins.
INSTANTIATE_TEST_SUITE_P(Corrected, SolarTerm,
                         ::testing::Values(TermCase{2026, 10, "2026-06-05", "芒种"},
                                           TermCase{2026, 13, "2026-07-23", "大暑"},
                                           TermCase{1902, 13, "1902-07-24", "大暑"}));

TEST_F(LoadedEngine, CorrectedTermsLeaveTheFormulaDayEmpty) {
  EXPECT_EQ(engine.SolarTermName("2026-6-6"), "");
  EXPECT_EQ(engine.SolarTermName("2026-7-22"), "");
}

TEST_F(LoadedEngine, TermNamesCompareTextsNotDates) {
  EXPECT_EQ(engine.SolarTermName("2013-4-4"), "清明节");
  EXPECT_EQ(engine.SolarTermName("2013-4-5"), "");
  EXPECT_EQ(engine.SolarTermName("2013-04-04"), "");  // not the short-date form
  EXPECT_EQ(engine.SolarTermName("2013/4/4"), "");
  EXPECT_EQ(ErrorNumberOf([&] { engine.SolarTermName("4月4日"); }), kTypeMismatch);
}

TEST_F(LoadedEngine, TermIndexOutsideTheTableIsOutOfRange) {
  EXPECT_EQ(ErrorNumberOf([&] { engine.SolarTermDate(2013, 24); }), kOutOfRange);
  EXPECT_EQ(ErrorNumberOf([&] { engine.SolarTermDate(2013, -1); }), kOutOfRange);
  EXPECT_EQ(ErrorNumberOf([&] { engine.SolarTermDate(-32768, 0); }), kOutOfRange);
}

// The day the mean-year formula gives, computed here on its own.
year_month_day FormulaDay(int y, int index) {
  static constexpr double kMinutes[24] = {0,      21208,  42467,  63836,  85337,  107014, 128867, 150921,
                                          173149, 195551, 218072, 240693, 263343, 285009, 308563, 331033,
                                          353350, 375494, 397447, 419210, 440795, 462224, 483532, 504758};
  const double ms = kMinutes[index] * 60000 + (y - 1900) * 31556925974.7 + 7200000 + 300000;
  return year_month_day{sys_days{year{1900} / January / 6} + days{static_cast<int>(std::floor(ms / 86400000))}};
}

TEST(SolarTermCorrections, EachRowMovesTheFormulaDayByOneDay) {
  const auto rows = SolarTermCorrections();
  ASSERT_EQ(rows.size(), 300u);
  int da_shu = 0;
  for (const SolarTermCorrection& c : rows) {
    EXPECT_EQ(c.formula_day, FormulaDay(c.year, c.index)) << c.year << " " << c.index;
    EXPECT_EQ(std::abs((sys_days{c.true_day} - sys_days{c.formula_day}).count()), 1) << c.year << " " << c.index;
    // The true day stays in the term's month.
    EXPECT_EQ(static_cast<unsigned>(c.true_day.month()), static_cast<unsigned>(c.index / 2 + 1));
    EXPECT_GE(c.year, 1900);
    EXPECT_LE(c.year, 2100);
    if (c.index == 13) ++da_shu;
  }
  EXPECT_EQ(da_shu, 126);
}

TEST_F(LoadedEngine, SolarTermDateAppliesEveryCorrection) {
  for (const SolarTermCorrection& c : SolarTermCorrections()) {
    EXPECT_EQ(engine.SolarTermDate(c.year, c.index), DateToText(c.true_day)) << c.year << " " << c.index;
  }
}

}  // namespace
}  // namespace tavo::lunar::testing
