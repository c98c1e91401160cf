// The build frame: the date checks and their order, what a refused build
// leaves alone, sheet replacement, frozen panes, the key cell and the tone.
#include <gtest/gtest.h>

#include "common/error.h"
#include "sheet_test_support.h"

namespace tavo::testing {
namespace {

constexpr const char* kStartFormat = "开始日期 格式不正确，请重新输入！";
constexpr const char* kEndFormat = "结束日期 格式不正确，请重新输入！";
constexpr const char* kTooLong = "结束日期与开始日期相差不能超过20年！";
constexpr const char* kEndBeforeStart = "结束日期 应大于 开始日期！";

struct DateCheckCase {
  Kind kind;
  const char* start;
  const char* end;
  const char* message;  // nullptr: the build runs
};

const DateCheckCase kDateChecks[] = {
    {Kind::kSchool, "abc", "xyz", kStartFormat},
    {Kind::kSchool, "", "2024-3-1", kStartFormat},
    {Kind::kCalendar, "2024-2-30", "2101-1-1", kStartFormat},  // not a date beats out of range
    {Kind::kSchool, "2024-3-1", "3/1/2024x", kEndFormat},
    {Kind::kSchool, "1900-12-31", "1901-1-5", "开始日期 应在1901-2100年之间！"},
    {Kind::kSchool, "1901-1-1", "1901-1-5", nullptr},
    {Kind::kCalendar, "1900-12-31", "1901-1-5", nullptr},
    {Kind::kCalendar, "1899-12-31", "1900-1-5", "开始日期 应在1900-2100年之间！"},
    {Kind::kSchool, "2100-12-1", "2101-1-1", "结束日期 应在1901-2100年之间！"},
    {Kind::kCalendar, "2100-12-1", "2101-1-1", "结束日期 应在1900-2100年之间！"},
    {Kind::kCalendar, "2100-12-25", "2100-12-31", nullptr},
    {Kind::kSchool, "2000-12-31", "2021-1-1", kTooLong},  // calendar years count
    {Kind::kCalendar, "1980-1-1", "2001-12-31", kTooLong},
    {Kind::kSchool, "2024-3-13", "2024-3-12", kEndBeforeStart},
    {Kind::kCalendar, "2024-3-13", "2024-3-13", nullptr},  // one day
    {Kind::kSchool, "2024年3月13日", "2024/3/20", nullptr},
};

class DateChecks : public SheetBuildTest, public ::testing::WithParamInterface<DateCheckCase> {};

TEST_P(DateChecks, FirstFailingCheckIsShownAndNothingChanges) {
  const DateCheckCase& c = GetParam();
  SetDates(c.start, c.end);
  Build(c.kind);
  if (c.message == nullptr) {
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_EQ(model->sheets.size(), 3u);
    EXPECT_EQ(platform.beeps, (std::vector<std::pair<int, int>>{{360, 36}}));
    return;
  }
  EXPECT_EQ(platform.boxes, (std::vector<ShownBox>{{c.message, "提示", 48}}));
  EXPECT_EQ(model->sheets.size(), 2u);
  EXPECT_TRUE(platform.beeps.empty());
  EXPECT_TRUE(Sheet("DTB")->Cells(2, 8)->Value().IsEmpty());
  EXPECT_TRUE(Sheet("DTB")->Cells(2, 9)->Value().IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Builders, DateChecks, ::testing::ValuesIn(kDateChecks));

struct FrameCase {
  Kind kind;
  Options options;
  int key;
  int split_row, split_column;
};

const FrameCase kFrames[] = {
    {Kind::kSchool, {.direction = 1, .style = 1}, 2, 2, 0},
    {Kind::kSchool, {.direction = 1, .style = 2}, 3, 2, 0},
    {Kind::kSchool, {.direction = 3, .style = 1}, 4, 0, 2},
    {Kind::kCalendar, {.direction = 3, .style = 2}, 5, 0, 2},
    {Kind::kCalendar, {.direction = 1, .style = 1}, 2, 2, 0},
};

class Frame : public SheetBuildTest, public ::testing::WithParamInterface<FrameCase> {};

TEST_P(Frame, RebuildReplacesTheSheetFreezesTheHeaderAndRecordsTheKey) {
  const FrameCase& c = GetParam();
  Build(c.kind, "2024-3-13", "2024-4-20", c.options);
  Sheet(SheetName(c.kind))->Cells(40, 40)->SetValue("left over");
  Build(c.kind);

  ASSERT_EQ(model->sheets.size(), 3u);
  EXPECT_EQ(app->ActiveSheet()->Name(), SheetName(c.kind));
  EXPECT_TRUE(Value(c.kind, 40, 40).IsEmpty());  // a new sheet, not the old one
  auto window = app->ActiveWindow();
  EXPECT_EQ(window->SplitRow(), c.split_row);
  EXPECT_EQ(window->SplitColumn(), c.split_column);
  EXPECT_TRUE(window->FreezePanes());
  const int key_column = c.kind == Kind::kSchool ? 8 : 9;
  const int other_column = c.kind == Kind::kSchool ? 9 : 8;
  EXPECT_EQ(Sheet("DTB")->Cells(2, key_column)->Value(), host::Variant(c.key));
  EXPECT_TRUE(Sheet("DTB")->Cells(2, other_column)->Value().IsEmpty());
  EXPECT_EQ(platform.beeps.size(), 2u);
  EXPECT_TRUE(platform.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Builders, Frame, ::testing::ValuesIn(kFrames));

// The longest range allowed, Monday first: 2000-01-01 is a Saturday, so 1097
// weeks, the last ending with Thursday 2020-12-31 in column F.
TEST_F(SheetBuildTest, TwentyYearsBuildToTheLastDay) {
  for (Kind kind : {Kind::kSchool, Kind::kCalendar}) {
    SCOPED_TRACE(KindName(kind));
    Build(kind, "2000-1-1", "2020-12-31", {.style = 2});
    const int last_date_row = 3 + 2 * 1096;
    EXPECT_EQ(Text(kind, last_date_row, 7), "31");  // column F moved right by the month column
    EXPECT_EQ(Value(kind, last_date_row, 3),
              kind == Kind::kSchool ? host::Variant("第1097周") : host::Variant(1097));
    EXPECT_EQ(Text(kind, last_date_row - 6, 2), "12\n\n月");  // December 2020 begins mid-week
  }
  EXPECT_EQ(platform.beeps.size(), 2u);
}

// The engine converts from 1900-01-01, so the calendar's first allowed day builds.
TEST_F(SheetBuildTest, CalendarFromItsFirstAllowedDay) {
  Build(Kind::kCalendar, "1900-1-1", "1900-12-31", {});
  EXPECT_EQ(platform.beeps.size(), 1u);
  EXPECT_EQ(Text(Kind::kCalendar, 3, 3), "1.1");  // a Monday
  EXPECT_EQ(Text(Kind::kCalendar, 4, 3), "元旦");
  EXPECT_EQ(Text(Kind::kCalendar, 1, 2), "日历[1900.1～1900.12]");
}

// Host failures are not caught by the builder: they end it, after the old
// sheet is gone, with what was written so far.
TEST_F(SheetBuildTest, MissingInformationSheetEndsTheSchoolBuildAfterTheGrid) {
  Sheet("信息表")->Delete();
  SetDates("2024-3-13", "2024-3-20");
  EXPECT_THROW(Build(Kind::kSchool), Error);
  EXPECT_EQ(Text(Kind::kSchool, 3, 5), "3.13");
  EXPECT_TRUE(platform.beeps.empty());
  EXPECT_NO_THROW(Build(Kind::kCalendar));  // the calendar never reads it
}

TEST_F(SheetBuildTest, UnreadableOptionEndsTheBuildBeforeTouchingTheWorkbook) {
  Build(Kind::kSchool, "2024-3-13", "2024-3-20", {});
  Sheet("DTB")->Cells(2, 6)->SetValue("竖");
  EXPECT_THROW(Build(Kind::kSchool), Error);
  EXPECT_EQ(Text(Kind::kSchool, 3, 5), "3.13");
  EXPECT_EQ(model->sheets.size(), 3u);
}

}  // namespace
}  // namespace tavo::testing
