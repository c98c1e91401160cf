// Stored values and CurrentRegion of the embedded workbook.
#include <limits>

#include "workbook_test_support.h"

namespace tavo::workbook::testing {
namespace {

using host::Variant;

struct ValueCase {
  const char* name;
  Variant assigned;
  Variant stored;
  bool quote_prefix;
};

class ValueRules : public WorkbookTest, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(ValueRules, StoresAsTheHostDoes) {
  const ValueCase& c = GetParam();
  Put(2, 3, c.assigned);
  EXPECT_EQ(Cell(2, 3)->Value(), c.stored);
  const workbook::Cell* cell = Model().cells.Find(2, 3);
  EXPECT_EQ(cell && cell->quote_prefix, c.quote_prefix);
}

INSTANTIATE_TEST_SUITE_P(
    Assignments, ValueRules,
    ::testing::Values(ValueCase{"integer_text", "15", 15.0, false},
                      ValueCase{"decimal_text", "3.1", 3.1, false},
                      ValueCase{"spaced_number", " 7 ", 7.0, false},
                      ValueCase{"apostrophe_keeps_text", "'3.13", "3.13", true},
                      ValueCase{"apostrophe_on_word", "'abc", "abc", true},
                      ValueCase{"plain_text", "第1周", "第1周", false},
                      ValueCase{"month_label", "3\n\n月", "3\n\n月", false},
                      ValueCase{"number", 12.5, 12.5, false},
                      ValueCase{"boolean", false, false, false},
                      ValueCase{"empty_text_clears", "", Variant(), false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WorkbookTest, TextWithLineFeedsWraps) {
  Put(3, 2, "3\n\n月");
  EXPECT_TRUE(Model().cells.Find(3, 2)->format.wrap);
}

TEST_F(WorkbookTest, NonFiniteNumberIsRefused) {
  EXPECT_EQ(ErrorNumberOf([&] { Put(1, 1, std::numeric_limits<double>::infinity()); }), kInvalidArgument);
}

TEST_F(WorkbookTest, BlockAssignmentSkipsCellsHiddenUnderAMerge) {
  Block(1, 1, 2, 1)->Merge();
  Block(1, 1, 2, 2)->SetValue(4);
  EXPECT_EQ(Cell(1, 1)->Value(), Variant(4.0));
  EXPECT_TRUE(Cell(2, 1)->Value().IsEmpty());
  EXPECT_EQ(Cell(2, 2)->Value(), Variant(4.0));
}

struct BadCell {
  int row, column;
};

class BadCells : public WorkbookTest, public ::testing::WithParamInterface<BadCell> {};

TEST_P(BadCells, RaiseInsteadOfCrashing) {
  model->column_count = 256;
  EXPECT_NE(ErrorNumberOf([&] { Cell(GetParam().row, GetParam().column); }), 0);
}

INSTANTIATE_TEST_SUITE_P(OutOfSheet, BadCells,
                         ::testing::Values(BadCell{0, 1}, BadCell{1, 0}, BadCell{-5, 3},
                                           BadCell{1048577, 1}, BadCell{1, 257}));

// CurrentRegion: cells holding values given as "row,column" pairs, a start
// cell, optional merges, and the expected region.
struct RegionCase {
  const char* name;
  std::vector<std::pair<int, int>> values;
  std::vector<Area> merges;
  std::pair<int, int> start;
  Area expected;
};

class Regions : public WorkbookTest, public ::testing::WithParamInterface<RegionCase> {};

TEST_P(Regions, GrowLikeTheHost) {
  const RegionCase& c = GetParam();
  for (auto [r, col] : c.values) Put(r, col, "x");
  for (const Area& m : c.merges) Block(m.top, m.left, m.bottom, m.right)->Merge();
  auto region = Cell(c.start.first, c.start.second)->CurrentRegion();
  EXPECT_EQ(AreaOf(*region), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Regions,
    ::testing::Values(
        RegionCase{"lone_empty_cell", {}, {}, {5, 5}, {5, 5, 5, 5}},
        RegionCase{"empty_start_next_to_data", {{2, 3}, {3, 3}}, {}, {2, 2}, {2, 2, 3, 3}},
        RegionCase{"block", {{2, 2}, {2, 3}, {3, 2}, {3, 3}}, {}, {2, 2}, {2, 2, 3, 3}},
        RegionCase{"diagonal_corner_counts", {{2, 2}, {3, 3}, {4, 4}}, {}, {2, 2}, {2, 2, 4, 4}},
        RegionCase{"gap_stops_growth", {{2, 2}, {2, 4}}, {}, {2, 2}, {2, 2, 2, 2}},
        RegionCase{"start_inside_merge_takes_it", {{2, 2}}, {{2, 2, 6, 2}}, {2, 2}, {2, 2, 6, 2}},
        RegionCase{"cut_merge_grows_region", {{3, 2}, {4, 3}}, {{4, 3, 9, 3}}, {3, 2}, {3, 2, 9, 3}},
        RegionCase{"merge_reaches_on_to_data", {{2, 2}, {2, 3}, {10, 3}}, {{2, 3, 9, 3}}, {2, 2},
                   {2, 2, 10, 3}},
        // Horizontal layout starting mid-week: headers in B3..B17 with two-row
        // merged weekday names, the first week's dates only from row 9 on.
        RegionCase{"horizontal_mid_week",
                   {{3, 2}, {4, 2}, {5, 2}, {7, 2}, {9, 2}, {11, 2}, {13, 2}, {15, 2}, {17, 2},
                    {9, 3}, {10, 3}, {11, 3}, {12, 3}, {13, 3}, {14, 3}, {15, 3}, {16, 3}, {17, 3},
                    {18, 3}, {4, 4}, {5, 4}, {6, 4}, {17, 4}, {18, 4}},
                   {{5, 2, 6, 2}, {7, 2, 8, 2}, {9, 2, 10, 2}, {11, 2, 12, 2}, {13, 2, 14, 2},
                    {15, 2, 16, 2}, {17, 2, 18, 2}},
                   {3, 2},
                   {3, 2, 18, 4}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WorkbookTest, RegionIgnoresFormatsAndBorders) {
  Put(2, 2, 1);
  Block(1, 1, 5, 5)->Borders()->SetLineStyle(host::BorderLine::kContinuous);
  Block(3, 3, 3, 3)->Interior()->SetColorIndex(15);
  EXPECT_EQ(AreaOf(*Cell(2, 2)->CurrentRegion()), (Area{2, 2, 2, 2}));
}

}  // namespace
}  // namespace tavo::workbook::testing
