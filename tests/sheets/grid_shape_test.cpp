// How the grid is framed: the month column of vertical style 2, the deleted
// month row of horizontal style 1, the host's last column, the title, the
// information row and the remarks from "信息表".
#include <gtest/gtest.h>

#include "sheet_test_support.h"

namespace tavo::testing {
namespace {

constexpr int kCenter = -4108;
constexpr int kLeft = -4131;
constexpr int kTop = -4160;

int CountCellsHolding(const workbook::Worksheet& sheet, const std::string& text) {
  int count = 0;
  for (std::int32_t row = 1; row < sheet.cells.RowLimit(); ++row) {
    for (const auto& cell : sheet.cells.Row(row)) count += cell.value == host::Variant(text);
  }
  return count;
}

// Vertical style 2, 13 March to 10 May 2024 (9 weeks, rows 3..20).
TEST_F(SheetBuildTest, VerticalStyleTwoShiftsTheGridOneColumnRight) {
  Build(Kind::kSchool, "2024-3-13", "2024-5-10", {.style = 2});
  const Kind k = Kind::kSchool;
  EXPECT_EQ(Text(k, 2, 3), "周次");
  EXPECT_EQ(Text(k, 3, 3), "第1周");
  EXPECT_EQ(Text(k, 19, 3), "第9周");
  EXPECT_EQ(Text(k, 2, 4), "一");
  EXPECT_EQ(Text(k, 2, 10), "日");
  EXPECT_EQ(Text(k, 3, 6), "3.13");
  EXPECT_EQ(Text(k, 2, 11), "备注");
  EXPECT_EQ(Text(k, 3, 11), kRemark1);
  EXPECT_EQ(MergeAt(k, 1, 2), (workbook::Area{1, 2, 1, 11}));
  EXPECT_EQ(MergeAt(k, 21, 2), (workbook::Area{21, 2, 21, 11}));
  EXPECT_EQ(Text(k, 21, 2), kInfoRow);

  Build(Kind::kCalendar, "2024-3-13", "2024-5-10", {.style = 2});
  const Kind c = Kind::kCalendar;
  EXPECT_EQ(Value(c, 3, 3), host::Variant(1));
  EXPECT_EQ(Text(c, 2, 4), "星期一");
  EXPECT_EQ(Text(c, 2, 10), "星期日");
  EXPECT_EQ(MergeAt(c, 1, 2), (workbook::Area{1, 2, 1, 10}));
  EXPECT_TRUE(Value(c, 21, 2).IsEmpty());  // no information row on the calendar
}

// Horizontal style 1, 13 March to 10 May 2024: row 3 goes, everything below moves up.
TEST_F(SheetBuildTest, HorizontalStyleOneDropsTheMonthRow) {
  for (Kind kind : {Kind::kSchool, Kind::kCalendar}) {
    SCOPED_TRACE(KindName(kind));
    Build(kind, "2024-3-13", "2024-5-10", {.direction = 3, .style = 1});
    EXPECT_EQ(Text(kind, 3, 2), "周  次");
    EXPECT_EQ(Value(kind, 3, 3), host::Variant(1));
    EXPECT_EQ(Value(kind, 3, 11), host::Variant(9));
    EXPECT_EQ(Text(kind, 4, 2), "星期一");
    EXPECT_EQ(Text(kind, 16, 2), "星期日");
    EXPECT_EQ(Text(kind, 8, 3), "3.13");  // was row 9
    EXPECT_EQ(MergeAt(kind, 4, 2), (workbook::Area{4, 2, 5, 2}));
    EXPECT_EQ(MergeAt(kind, 1, 2), (workbook::Area{1, 2, 1, 11}));
  }
  EXPECT_EQ(Text(Kind::kSchool, 18, 2), kInfoRow);
  EXPECT_EQ(MergeAt(Kind::kSchool, 18, 2), (workbook::Area{18, 2, 18, 11}));
  EXPECT_EQ(Sheet("校历表")->Rows(18)->RowHeight(), 36);
}

TEST_F(SheetBuildTest, HorizontalStyleTwoKeepsTheMonthRow) {
  Build(Kind::kSchool, "2024-3-13", "2024-5-10", {.direction = 3, .style = 2});
  EXPECT_EQ(Text(Kind::kSchool, 4, 2), "周  次");
  EXPECT_EQ(Value(Kind::kSchool, 4, 3), host::Variant(1));
  EXPECT_EQ(Text(Kind::kSchool, 19, 2), kInfoRow);
}

// A host of 256 columns: the week columns stop at IU (253 weeks). From
// The title's merge: over the whole grid up to a half-year's 27 weeks (one
// page), over the first 27 weeks of a longer horizontal range; a vertical
// title always spans the grid's columns.
TEST_F(SheetBuildTest, TitleSpansTheFirstPageOfAHorizontalGrid) {
  struct Case {
    Kind kind;
    const char* start;
    const char* end;
    int direction;
    int last_column;
  };
  const Case cases[] = {
      {Kind::kCalendar, "2025-7-1", "2025-12-31", 3, 29},   // 27 weeks: B..AC, as before
      {Kind::kCalendar, "2025-9-1", "2025-12-31", 3, 20},   // 18 weeks: the grid's width
      {Kind::kCalendar, "2026-1-1", "2045-12-31", 3, 29},   // 20 years
      {Kind::kSchool, "2024-9-1", "2026-8-31", 3, 29},      // two school years
      {Kind::kSchool, "2024-9-1", "2025-1-19", 3, 23},      // a term of 21 weeks: the grid
      {Kind::kCalendar, "2026-1-1", "2045-12-31", 1, 9},    // vertical: B..I
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " " + std::to_string(c.direction));
    Build(c.kind, c.start, c.end, {.direction = c.direction});
    EXPECT_EQ(MergeAt(c.kind, 1, 2), (workbook::Area{1, 2, 1, c.last_column}));
  }
}

// Saturday 2000-01-01, Monday first, that is up to Sunday 2004-10-31, and
// 58 months have begun.
TEST_F(SheetBuildTest, HorizontalGridStopsAtTheHostsLastColumn) {
  model->column_count = 256;
  for (int style : {1, 2}) {
    SCOPED_TRACE(style);
    Build(Kind::kCalendar, "2000-1-1", "2010-12-31", {.direction = 3, .style = style});
    const int week_row = style == 1 ? 3 : 4;
    const int sunday_row = style == 1 ? 16 : 17;
    EXPECT_EQ(Value(Kind::kCalendar, week_row, 255), host::Variant(253));
    EXPECT_TRUE(Value(Kind::kCalendar, week_row, 256).IsEmpty());
    EXPECT_EQ(Text(Kind::kCalendar, sunday_row, 255), "31");
    // The title stays over the first page's columns (B..AC), not over 254.
    EXPECT_EQ(MergeAt(Kind::kCalendar, 1, 2), (workbook::Area{1, 2, 1, 29}));
  }
  // The last build was style 2: October 2004 is the last month labelled.
  EXPECT_EQ(Text(Kind::kCalendar, 3, 2), "月  份");
  Build(Kind::kCalendar, "2000-1-1", "2010-12-31", {.direction = 3, .style = 1});
  const auto& shapes = Model(Kind::kCalendar).shapes;
  ASSERT_EQ(shapes.size(), 58u);
  EXPECT_EQ(shapes.back().text, "10");
}

TEST_F(SheetBuildTest, SchoolTitleAndInformationRowComeFromTheInformationSheet) {
  for (int direction : {1, 3}) {
    Build(Kind::kSchool, "2024-3-13", "2024-4-7", {.direction = direction, .style = 1});
    auto sheet = Sheet("校历表");
    auto title = sheet->Cells(1, 2);
    EXPECT_EQ(title->Value().ToText(), kInfoTitle);
    EXPECT_EQ(title->Font()->Size(), 18);
    EXPECT_TRUE(title->Font()->Bold());
    EXPECT_EQ(host::Number(title->HorizontalAlignment()), kCenter);
    EXPECT_EQ(host::Number(title->VerticalAlignment()), kTop);
    EXPECT_EQ(sheet->Rows(1)->RowHeight(), 48);
    // Vertical: 4 weeks, rows 3..10; horizontal style 1: rows 3..17.
    const int info_row = direction == 1 ? 11 : 18;
    auto info = sheet->Cells(info_row, 2);
    EXPECT_EQ(info->Value().ToText(), kInfoRow);
    EXPECT_EQ(host::Number(info->HorizontalAlignment()), kLeft);
    EXPECT_EQ(host::Number(info->VerticalAlignment()), kTop);
  }
}

TEST_F(SheetBuildTest, RemarksFollowTheWeeksInTheVerticalLayoutOnly) {
  Build(Kind::kSchool, "2024-3-13", "2024-4-7", {.direction = 1});
  const Kind k = Kind::kSchool;
  EXPECT_EQ(Text(k, 3, 10), kRemark1);
  EXPECT_EQ(Text(k, 5, 10), kRemark2);
  EXPECT_TRUE(Value(k, 7, 10).IsEmpty());
  EXPECT_TRUE(Value(k, 9, 10).IsEmpty());
  EXPECT_EQ(MergeAt(k, 3, 10), (workbook::Area{3, 10, 4, 10}));

  Build(Kind::kSchool, "2024-3-13", "2024-4-7", {.direction = 3});
  EXPECT_EQ(CountCellsHolding(Model(k), kRemark1), 0);
  EXPECT_EQ(CountCellsHolding(Model(k), kRemark2), 0);
}

TEST_F(SheetBuildTest, CalendarTitleNamesTheMonthsOfTheRange) {
  for (int direction : {1, 3}) {
    Build(Kind::kCalendar, "2024-1-31", "2024-12-1", {.direction = direction});
    auto title = Sheet("日历表")->Cells(1, 2);
    EXPECT_EQ(title->Value().ToText(), "日历[2024.1～2024.12]");
    EXPECT_EQ(host::Number(title->HorizontalAlignment()), kCenter);
    EXPECT_EQ(Sheet("日历表")->Rows(1)->RowHeight(), 27);
  }
}

TEST_F(SheetBuildTest, GridIsCentredAndBoxedPerDay) {
  Build(Kind::kCalendar, "2024-3-13", "2024-3-24", {.direction = 1});
  auto sheet = Sheet("日历表");
  EXPECT_EQ(host::Number(sheet->Cells(4, 5)->HorizontalAlignment()), kCenter);
  EXPECT_EQ(host::Number(sheet->Cells(4, 5)->VerticalAlignment()), kCenter);
  EXPECT_EQ(host::Number(sheet->Cells(3, 5)->Borders()->Item(host::Edge{9})->LineStyle()), -4142);
  EXPECT_EQ(host::Number(sheet->Cells(4, 5)->Borders()->Item(host::Edge{9})->LineStyle()), 1);
  EXPECT_EQ(host::Number(sheet->Cells(3, 5)->Borders()->Item(host::Edge{8})->LineStyle()), 1);
  EXPECT_EQ(MergeAt(Kind::kCalendar, 5, 2), (workbook::Area{5, 2, 6, 2}));
  EXPECT_EQ(sheet->Columns(2)->ColumnWidth(), 5.5);
  EXPECT_EQ(sheet->Columns(5)->ColumnWidth(), 11);
}

}  // namespace
}  // namespace tavo::testing
