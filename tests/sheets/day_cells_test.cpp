// The two cells of every day: where the first date lands, month starts,
// the forced text of the first cell, shading, and which note wins with
// which font.
#include <gtest/gtest.h>

#include <chrono>
#include <utility>

#include "common/dates.h"
#include "sheet_test_support.h"

namespace tavo::testing {
namespace {

constexpr int kNoFill = -4142;

// Date cell of `day` in a grid starting with `start`, worked out from the
// week arithmetic alone. Horizontal grids are built in style 2 here, so
// their rows stay where the day loop put them.
std::pair<int, int> DateCell(Date start, Date day, const Options& o) {
  const auto first = o.week_start == 1 ? std::chrono::Monday : std::chrono::Sunday;
  const long offset = DaysBetween(start, day) + WeekdayNumber(start, first) - 1;
  const int week = static_cast<int>(offset / 7);
  const int position = static_cast<int>(offset % 7);
  if (o.direction == 1) return {3 + 2 * week, 3 + position};
  return {5 + 2 * position, 3 + week};
}

Options Layout(int direction, int week_start = 1, int color_mode = 1) {
  return {.week_start = week_start,
          .color_mode = color_mode,
          .direction = direction,
          .style = direction == 1 ? 1 : 2};
}

struct FirstDateCase {
  int direction, week_start;
  int row, column;              // the date 3.13
  int empty_row, empty_column;  // a day position before it
  int name_row, name_column;    // header of the first day position
  const char* school_name;
  const char* calendar_name;
};

const FirstDateCase kFirstDates[] = {
    {1, 1, 3, 5, 3, 4, 2, 3, "一", "星期一"},
    {1, 2, 3, 6, 3, 3, 2, 3, "日", "星期日"},
    {3, 1, 9, 3, 7, 3, 5, 2, "星期一", "星期一"},
    {3, 2, 11, 3, 5, 3, 5, 2, "星期日", "星期日"},
};

TEST_F(SheetBuildTest, FirstDateOfWednesday13MarchStandsAtItsWeekdayAsText) {
  for (Kind kind : {Kind::kSchool, Kind::kCalendar}) {
    for (const FirstDateCase& c : kFirstDates) {
      const Options o = Layout(c.direction, c.week_start);
      SCOPED_TRACE(Describe(kind, o));
      Build(kind, "2024-3-13", "2024-3-31", o);
      const host::Variant first = Value(kind, c.row, c.column);
      ASSERT_TRUE(first.IsText());
      EXPECT_EQ(first.Text(), "3.13");
      EXPECT_TRUE(Model(kind).cells.Find(c.row, c.column)->quote_prefix);
      EXPECT_TRUE(Value(kind, c.empty_row, c.empty_column).IsEmpty());
      EXPECT_EQ(Text(kind, c.name_row, c.name_column),
                kind == Kind::kSchool ? c.school_name : c.calendar_name);
    }
  }
}

TEST_F(SheetBuildTest, MonthStartsReadMonthDotOne) {
  struct Case {
    const char* start;
    const char* end;
    std::vector<std::pair<Date, const char*>> cells;
  };
  using namespace std::chrono;
  const Case cases[] = {
      {"2024-3-13", "2024-5-10", {{2024y / 4 / 1, "4.1"}, {2024y / 5 / 1, "5.1"}}},
      {"2024-9-1", "2024-10-5", {{2024y / 9 / 1, "9.1"}, {2024y / 10 / 1, "10.1"}}},
  };
  for (Kind kind : {Kind::kSchool, Kind::kCalendar}) {
    for (int direction : {1, 3}) {
      for (const Case& c : cases) {
        const Options o = Layout(direction);
        SCOPED_TRACE(Describe(kind, o) + " from " + c.start);
        Build(kind, c.start, c.end, o);
        for (const auto& [day, text] : c.cells) {
          const auto [row, column] = DateCell(*ParseDate(c.start), day, o);
          EXPECT_EQ(Text(kind, row, column), text) << DateToText(day);
        }
      }
    }
  }
  // Only the first cell is forced to text; later month starts are the host's numbers.
  // The last build: horizontal from Sunday 1 September, Monday first.
  EXPECT_TRUE(Value(Kind::kCalendar, 17, 3).IsText());
  EXPECT_TRUE(Value(Kind::kCalendar, 5, 4).IsNumber());  // Monday 2 September
}

TEST_F(SheetBuildTest, EveryOtherMonthIsShadedInBothCells) {
  const Date start = *ParseDate("2024-1-15");
  const Date end = *ParseDate("2024-3-20");
  for (Kind kind : {Kind::kSchool, Kind::kCalendar}) {
    for (int direction : {1, 3}) {
      for (int week_start : {1, 2}) {
        const Options o = Layout(direction, week_start);
        SCOPED_TRACE(Describe(kind, o));
        Build(kind, "2024-1-15", "2024-3-20", o);
        auto sheet = Sheet(SheetName(kind));
        for (long i = 0; i <= DaysBetween(start, end); ++i) {
          const Date day = AddDays(start, i);
          const auto [row, column] = DateCell(start, day, o);
          const int fill = day.month() == std::chrono::February ? 15 : kNoFill;
          ASSERT_EQ(sheet->Cells(row, column)->Interior()->ColorIndex(), fill) << DateToText(day);
          ASSERT_EQ(sheet->Cells(row + 1, column)->Interior()->ColorIndex(), fill)
              << DateToText(day);
        }
      }
    }
  }
}

// A range starting on a 1st is not shaded in its first month either.
TEST_F(SheetBuildTest, RangeStartingOnTheFirstBeginsUnshaded) {
  Build(Kind::kSchool, "2024-2-1", "2024-3-5", Layout(1));
  EXPECT_EQ(Sheet("校历表")->Cells(3, 6)->Interior()->ColorIndex(), kNoFill);  // Thu 1 Feb
  EXPECT_EQ(Sheet("校历表")->Cells(11, 7)->Interior()->ColorIndex(), 15);      // Fri 1 Mar
}

struct NoteCase {
  const char* date;
  const char* school_note;
  const char* calendar_note;
  bool bold_vertical, bold_horizontal;
  int colour;  // with colours; all notes are 0 without
  // Font size: school vertical, school horizontal, calendar vertical, calendar horizontal.
  double sizes[4];
};

const NoteCase kNotes[] = {
    {"2024-3-13", "初四", "初四", false, false, 0, {12, 12, 12, 12}},
    {"2024-3-10", "<二月>", "<二月>", true, false, 46, {12, 12, 12, 12}},
    {"2024-3-20", "春分", "春分", true, true, 10, {12, 12, 12, 12}},
    {"2024-10-1", "国庆节", "国庆节", true, true, 5, {12, 12, 12, 12}},
    {"2024-2-10", "春节", "春节", true, true, 5, {12, 12, 12, 12}},  // festival beats <正月>
    {"2000-2-4", "除夕立春", "除夕立春", true, true, 5, {12, 12, 12, 12}},  // four characters
    {"2000-2-19", "元宵节雨水", "元宵节雨水", true, true, 5, {9, 9, 11, 9}},
    {"2020-10-1", "国庆节中秋节", "国庆节中秋节", true, true, 5, {9, 9, 11, 9}},
    {"2010-2-14", "春节", "情人节春节", true, true, 5, {12, 12, 11, 9}},
    // Five-character month marks are set as small as long festival notes.
    {"2020-12-15", "<十一月>", "<十一月>", true, false, 46, {9, 9, 11, 9}},
    {"2020-5-23", "<闰四月>", "<闰四月>", true, false, 46, {9, 9, 11, 9}},
    {"2020-7-21", "<六月>", "<六月>", true, false, 46, {12, 12, 12, 12}},
};

TEST_F(SheetBuildTest, LaterNotesWinAndSetTheFont) {
  for (const NoteCase& c : kNotes) {
    for (Kind kind : {Kind::kSchool, Kind::kCalendar}) {
      for (int direction : {1, 3}) {
        for (int color_mode : {1, 2}) {
          const Options o = Layout(direction, 1, color_mode);
          SCOPED_TRACE(Describe(kind, o) + " " + c.date);
          Build(kind, c.date, c.date, o);
          const auto [row, column] = DateCell(*ParseDate(c.date), *ParseDate(c.date), o);
          auto note = Sheet(SheetName(kind))->Cells(row + 1, column);
          EXPECT_EQ(note->Value().ToText(),
                    kind == Kind::kSchool ? c.school_note : c.calendar_note);
          EXPECT_EQ(note->Font()->Bold(), direction == 1 ? c.bold_vertical : c.bold_horizontal);
          EXPECT_EQ(note->Font()->ColorIndex(), color_mode == 1 ? c.colour : 0);
          const int size_index = (kind == Kind::kSchool ? 0 : 2) + (direction == 1 ? 0 : 1);
          EXPECT_EQ(note->Font()->Size(), c.sizes[size_index]);
        }
      }
    }
  }
}

}  // namespace
}  // namespace tavo::testing
