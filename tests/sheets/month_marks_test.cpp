// Month watermarks (style 1): which months get one, where it stands and how
// it looks; month labels (style 2) in both directions.
#include <gtest/gtest.h>

#include <vector>

#include "sheet_test_support.h"

namespace tavo::testing {
namespace {

struct Mark {
  std::string text;
  double left, top;
  bool operator==(const Mark&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Mark& m) {
  return out << "{" << m.text << " @" << m.left << "," << m.top << "}";
}

std::vector<Mark> Marks(const workbook::Worksheet& sheet) {
  std::vector<Mark> marks;
  for (const auto& shape : sheet.shapes) marks.push_back({shape.text, shape.left, shape.top});
  return marks;
}

std::vector<std::string> MarkTexts(const workbook::Worksheet& sheet) {
  std::vector<std::string> texts;
  for (const auto& shape : sheet.shapes) texts.push_back(shape.text);
  return texts;
}

struct SkipCase {
  const char* start;
  const char* end;
  std::vector<std::string> texts;
};

const SkipCase kSkips[] = {
    {"2024-1-10", "2024-3-20", {"1", "2", "3"}},
    {"2024-1-11", "2024-3-20", {"2", "3"}},
    {"2024-1-10", "2024-3-19", {"1", "2"}},
    {"2024-3-11", "2024-3-19", {}},
    {"2024-3-1", "2024-3-31", {"3"}},
    {"2024-12-15", "2025-2-25", {"1", "2"}},  // December follows with January
    {"2024-11-5", "2025-1-20", {"11", "12", "1"}},
};

TEST_F(SheetBuildTest, ShortFirstAndLastMonthsGetNoWatermark) {
  for (const SkipCase& c : kSkips) {
    for (Kind kind : {Kind::kSchool, Kind::kCalendar}) {
      for (int direction : {1, 3}) {
        const Options o{.direction = direction, .style = 1};
        SCOPED_TRACE(Describe(kind, o) + " " + c.start + ".." + c.end);
        Build(kind, c.start, c.end, o);
        EXPECT_EQ(MarkTexts(Model(kind)), c.texts);
      }
    }
  }
}

struct PositionCase {
  Kind kind;
  int direction;
  const char* start;
  const char* end;
  std::vector<Mark> marks;
};

// Halves round to even: 100.5 -> 100, 157.5 -> 158, 79.5 -> 80, 136.5 -> 136.
// Horizontal: two week columns right of the month's first week, where the
// host draws that column: A is 2 px and each week 54 px (1.5 + 40.5 n
// points), so January's week column C puts its mark at E (123), February's
// F at H (244.5 -> 244), March's J at L (406.5 -> 406).
const PositionCase kPositions[] = {
    {Kind::kSchool, 1, "2024-10-1", "2024-10-31", {{"10", 171, 100}}},
    {Kind::kCalendar, 1, "2024-10-1", "2024-10-31", {{"10", 213, 80}}},
    {Kind::kSchool, 1, "2024-1-15", "2024-2-25", {{"2", 191, 158}}},  // 1 Feb in row 7
    {Kind::kCalendar, 1, "2024-1-15", "2024-2-25", {{"2", 233, 136}}},
    {Kind::kSchool, 1, "2024-12-15", "2025-2-25", {{"1", 191, 186}, {"2", 191, 300}}},
    {Kind::kSchool,
     3,
     "2024-1-8",
     "2024-3-31",
     {{"1", 123, 115}, {"2", 244, 115}, {"3", 406, 115}}},
    {Kind::kCalendar,
     3,
     "2024-1-8",
     "2024-3-31",
     {{"1", 123, 115}, {"2", 244, 115}, {"3", 406, 115}}},
};

TEST_F(SheetBuildTest, WatermarksStandOnTheirMonthsFirstWeek) {
  for (const PositionCase& c : kPositions) {
    const Options o{.direction = c.direction, .style = 1};
    SCOPED_TRACE(Describe(c.kind, o) + " " + c.start);
    Build(c.kind, c.start, c.end, o);
    EXPECT_EQ(Marks(Model(c.kind)), c.marks);
  }
}

// Over long ranges a mark must still stand on its own month's weeks, not
// drift right by a little per week until it leaves the grid (and adds a
// printed page): each mark's left edge is the left edge of the column two
// weeks after its month's first day, inside the grid.
TEST_F(SheetBuildTest, HorizontalWatermarksFollowTheColumnsOverLongRanges) {
  struct Range {
    const char* start;
    const char* end;
    int week_start;
  };
  const Range ranges[] = {
      {"2024-9-1", "2025-1-31", 1},   // a term
      {"2025-7-1", "2025-12-31", 2},  // a half-year
      {"2024-1-1", "2025-12-31", 1},  // two years
  };
  for (const Range& r : ranges) {
    for (Kind kind : {Kind::kSchool, Kind::kCalendar}) {
      const Options o{.week_start = r.week_start, .direction = 3, .style = 1};
      SCOPED_TRACE(Describe(kind, o) + " " + r.start + ".." + r.end);
      Build(kind, r.start, r.end, o);
      auto sheet = Sheet(SheetName(kind));
      const int last_column = 2 + sheet->Cells(3, 2)->CurrentRegion()->Columns()->Count() - 1;
      const double grid_right = sheet->Cells(1, last_column + 1)->Left();
      const auto& shapes = Model(kind).shapes;
      ASSERT_FALSE(shapes.empty());
      // The column whose date cell reads m.1, searched from `from` on.
      auto month_start = [&](int month, int from) {
        const std::string first = std::to_string(month) + ".1";
        for (int column = from; column <= last_column; ++column)
          for (int row = 4; row <= 16; row += 2)
            if (Text(kind, row, column) == first) return column;
        return 0;
      };
      int from = 3;
      for (const auto& shape : shapes) {
        const int month = std::stoi(shape.text);
        const int column = month_start(month, from);
        ASSERT_NE(column, 0) << "no first day of month " << month << " from column " << from;
        from = column + 1;
        const double left = sheet->Cells(1, column + 2)->Left();
        EXPECT_NEAR(shape.left, left, 0.5) << "month " << month << " opening in column " << column;
        EXPECT_LT(shape.left, grid_right - 40) << "month " << month;
      }
    }
  }
}

TEST_F(SheetBuildTest, WatermarkIsAHalfTransparentOutlinelessTextEffect) {
  for (int color_mode : {1, 2}) {
    SCOPED_TRACE(color_mode);
    Build(Kind::kCalendar, "2024-1-1", "2024-2-29", {.color_mode = color_mode});
    const auto& shapes = Model(Kind::kCalendar).shapes;
    ASSERT_EQ(shapes.size(), 2u);
    for (const auto& shape : shapes) {
      EXPECT_EQ(shape.preset, 0);
      EXPECT_EQ(shape.font_name, "宋体");
      EXPECT_EQ(shape.font_size, 80);
      EXPECT_FALSE(shape.bold);
      EXPECT_FALSE(shape.italic);
      EXPECT_EQ(shape.placement, 2);
      EXPECT_TRUE(shape.fill_visible);
      EXPECT_TRUE(shape.fill_solid);
      EXPECT_EQ(shape.fill_scheme_color, color_mode == 1 ? 16 : 15);
      EXPECT_EQ(shape.fill_transparency, 0.5);
      EXPECT_FALSE(shape.line_visible);
    }
    // The last one drawn stays selected.
    EXPECT_EQ(model->selection.shape_id, shapes.back().id);
  }
}

TEST_F(SheetBuildTest, StyleTwoAndOtherStylesDrawNoWatermark) {
  for (int style : {2, 0, 7}) {
    Build(Kind::kSchool, "2024-1-1", "2024-3-31", {.style = style});
    EXPECT_TRUE(Model(Kind::kSchool).shapes.empty()) << style;
  }
}

// Vertical, Monday first, 13 March to 10 May 2024: 9 weeks (rows 3..20);
// 1 April starts week 4 (row 9); 1 May is a Wednesday of week 8, so May's
// weeks would begin in row 19, the last week's date row: no label.
TEST_F(SheetBuildTest, VerticalMonthLabelsSpanTheirWeeks) {
  for (Kind kind : {Kind::kSchool, Kind::kCalendar}) {
    SCOPED_TRACE(KindName(kind));
    Build(kind, "2024-3-13", "2024-5-10", {.style = 2});
    EXPECT_EQ(Text(kind, 2, 2), "月份");
    EXPECT_EQ(Text(kind, 3, 2), "3\n\n月");
    EXPECT_EQ(MergeAt(kind, 3, 2), (workbook::Area{3, 2, 8, 2}));
    EXPECT_EQ(Text(kind, 9, 2), "4\n\n月");
    EXPECT_EQ(MergeAt(kind, 9, 2), (workbook::Area{9, 2, 18, 2}));
    EXPECT_TRUE(Value(kind, 19, 2).IsEmpty());
    EXPECT_EQ(MergeAt(kind, 19, 2), (workbook::Area{19, 2, 20, 2}));  // the copied week merge
    auto column_b = Sheet(SheetName(kind))->Columns(2);
    EXPECT_EQ(column_b->ColumnWidth(), kind == Kind::kSchool ? 6 : 5.5);
    EXPECT_TRUE(Sheet(SheetName(kind))->Cells(30, 2)->Font()->Bold());
  }
}

TEST_F(SheetBuildTest, OneWeekRangeGetsTheHeaderButNoMonthLabel) {
  for (Kind kind : {Kind::kSchool, Kind::kCalendar}) {
    Build(kind, "2024-3-13", "2024-3-15", {.style = 2});
    EXPECT_EQ(Text(kind, 2, 2), "月份") << KindName(kind);
    EXPECT_TRUE(Value(kind, 3, 2).IsEmpty()) << KindName(kind);
  }
}

// Horizontal, Monday first, 13 March to 20 May 2024: 1 April opens the week
// in column F, 1 May (a Wednesday) falls in column J so May's weeks start in
// K; the grid ends in column M.
TEST_F(SheetBuildTest, HorizontalMonthLabelsSpanTheirWeeks) {
  for (Kind kind : {Kind::kSchool, Kind::kCalendar}) {
    SCOPED_TRACE(KindName(kind));
    Build(kind, "2024-3-13", "2024-5-20", {.direction = 3, .style = 2});
    EXPECT_EQ(Text(kind, 3, 2), "月  份");
    EXPECT_EQ(Text(kind, 3, 3), "3    月");
    EXPECT_EQ(MergeAt(kind, 3, 3), (workbook::Area{3, 3, 3, 5}));
    EXPECT_EQ(Text(kind, 3, 6), "4    月");
    EXPECT_EQ(MergeAt(kind, 3, 6), (workbook::Area{3, 6, 3, 10}));
    EXPECT_EQ(Text(kind, 3, 11), "5    月");
    EXPECT_EQ(MergeAt(kind, 3, 11), (workbook::Area{3, 11, 3, 13}));
  }
}

}  // namespace
}  // namespace tavo::testing
