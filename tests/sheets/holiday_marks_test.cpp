// Official days off and make-up working days on both sheets: the marks in
// every direction, style and colour mode, the remarks and the legend of the
// school calendar, the school's own "节假日" rows, and years no schedule knows.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>

#include "common/dates.h"
#include "sheet_test_support.h"

namespace tavo::testing {
namespace {

constexpr int kDayOffFill = 38;

// Date cell of `day` in a grid starting with `start` (horizontal grids in
// style 2, so their rows stay where the day loop put them).
std::pair<int, int> DateCell(Date start, Date day, const Options& o) {
  const auto first = o.week_start == 1 ? std::chrono::Monday : std::chrono::Sunday;
  const long offset = DaysBetween(start, day) + WeekdayNumber(start, first) - 1;
  const int week = static_cast<int>(offset / 7);
  const int position = static_cast<int>(offset % 7);
  const int shift = o.direction == 1 && o.style == 2 ? 1 : 0;  // the month column
  if (o.direction == 1) return {3 + 2 * week, 3 + position + shift};
  return {5 + 2 * position, 3 + week};
}

class HolidayMarksTest : public SheetBuildTest {
 protected:
  void MarksOn(const host::Variant& j2 = 1) { Sheet("DTB")->Cells(2, 10)->SetValue(j2); }

  // A "节假日" sheet with the given rows (A, B, C) from row 2.
  void SchoolRows(const std::vector<std::array<host::Variant, 3>>& rows) {
    auto sheet = app->ThisWorkbook()->Worksheets()->Add();
    sheet->SetName("节假日");
    sheet->Cells(1, 1)->SetValue("日期");
    int r = 2;
    for (const auto& row : rows) {
      for (int c = 0; c < 3; ++c)
        if (!row[c].IsEmpty()) sheet->Cells(r, c + 1)->SetValue(row[c]);
      ++r;
    }
  }

  struct Marked {
    std::string date;
    bool bold;
    int fill;
    int date_colour;
    std::string note;
  };
  Marked At(Kind kind, Date start, Date day, const Options& o) {
    const auto [r, c] = DateCell(start, day, o);
    auto sheet = Sheet(SheetName(kind));
    auto date = sheet->Cells(r, c);
    return {date->Value().ToText(), date->Font()->Bold(), date->Interior()->ColorIndex(),
            date->Font()->ColorIndex(), sheet->Cells(r + 1, c)->Value().ToText()};
  }
};

Date D(int y, unsigned m, unsigned d) {
  return std::chrono::year{y} / std::chrono::month{m} / std::chrono::day{d};
}

TEST_F(HolidayMarksTest, AutumnTermMarksEveryDayOffAndMakeUpDayInEveryLayout) {
  MarksOn();
  const Date start = D(2024, 9, 1);
  struct DayCase {
    Date day;
    const char* date_text;
    bool off;
    const char* note;  // the day's own text stays readable under the mark
  };
  const DayCase days[] = {
      {D(2024, 9, 14), "14班", false, "十二"},  {D(2024, 9, 15), "15休", true, "十三"},
      {D(2024, 9, 17), "17休", true, "中秋节"}, {D(2024, 9, 29), "29班", false, "廿七"},
      {D(2024, 10, 1), "10.1休", true, "国庆节"}, {D(2024, 10, 7), "7休", true, "初五"},
      {D(2024, 10, 12), "12班", false, "初十"}, {D(2025, 1, 1), "1.1休", true, "元旦"},
  };
  for (Kind kind : {Kind::kSchool, Kind::kCalendar}) {
    for (int direction : {1, 3}) {
      for (int style : {1, 2}) {
        for (int colour : {1, 2}) {
          if (direction == 3 && style == 1) continue;  // row 3 deleted: same marks, other rows
          const Options o{.week_start = 1, .color_mode = colour, .direction = direction, .style = style};
          SCOPED_TRACE(Describe(kind, o));
          Build(kind, "2024-9-1", "2025-1-19", o);
          ASSERT_TRUE(platform.boxes.empty());
          for (const DayCase& c : days) {
            SCOPED_TRACE(DateToIso(c.day));
            const Marked m = At(kind, start, c.day, o);
            EXPECT_EQ(m.date, c.date_text);
            EXPECT_TRUE(m.bold);
            EXPECT_EQ(m.note, c.note);
            if (colour == 1) {
              EXPECT_EQ(m.date_colour, c.off ? 3 : 11);
              if (c.off) {
                EXPECT_EQ(m.fill, kDayOffFill);
              }
            } else {
              // Without colour the text mark alone tells the days apart.
              EXPECT_NE(m.fill, kDayOffFill);
            }
          }
          // An ordinary day beside them carries no mark.
          const Marked plain = At(kind, start, D(2024, 9, 18), o);
          EXPECT_EQ(plain.date, "18");
          EXPECT_FALSE(plain.bold);
        }
      }
    }
  }
}

TEST_F(HolidayMarksTest, TheFirstCellKeepsItsForcedTextWithTheMark) {
  MarksOn();
  Build(Kind::kSchool, "2024-10-1", "2024-10-31", {});
  EXPECT_EQ(Text(Kind::kSchool, 3, 4), "10.1休");
  EXPECT_TRUE(Value(Kind::kSchool, 3, 4).IsText());
}

TEST_F(HolidayMarksTest, SpringTermAndLongBreaks) {
  MarksOn();
  const Options o{};
  struct Case {
    const char* start;
    const char* end;
    Date day;
    const char* date_text;
  };
  const Case cases[] = {
      {"2026-2-1", "2026-7-10", D(2026, 2, 14), "14班"},
      {"2026-2-1", "2026-7-10", D(2026, 2, 23), "23休"},
      {"2026-2-1", "2026-7-10", D(2026, 2, 28), "28班"},
      {"2020-1-1", "2020-6-30", D(2020, 2, 2), "2休"},  // the extended 春节
      {"2020-1-1", "2020-6-30", D(2020, 2, 3), "3"},
      {"2015-9-1", "2016-1-31", D(2015, 9, 3), "3休"},  // the commemoration
      {"2015-9-1", "2016-1-31", D(2015, 9, 6), "6班"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start + std::string(" ") + DateToIso(c.day));
    Build(Kind::kSchool, c.start, c.end, o);
    EXPECT_EQ(At(Kind::kSchool, *ParseDate(c.start), c.day, o).date, c.date_text);
  }
}

TEST_F(HolidayMarksTest, EveryRemarkTellsTheWeeksBreakAfterTheUsersOwn) {
  MarksOn();
  Sheet("信息表")->Cells(5, 2)->SetValue("运动会周");  // week 3 holds 中秋节, the user wrote its remark
  for (int style : {1, 2}) {
    SCOPED_TRACE(style);
    const Options o{.style = style};
    Build(Kind::kSchool, "2024-9-1", "2025-1-19", o);
    const int remarks = style == 1 ? 10 : 11;
    EXPECT_EQ(Text(Kind::kSchool, 3, remarks), kRemark1);
    EXPECT_EQ(Text(Kind::kSchool, 5, remarks), kRemark2);
    EXPECT_EQ(Text(Kind::kSchool, 7, remarks), "运动会周\n中秋节 9.15–9.17 放假\n9.14上班");
    // Week 5 (9.23-9.29) holds the make-up day of 国庆节; weeks 6 and 7 its days off.
    for (int row : {11, 13, 15}) {
      EXPECT_EQ(Text(Kind::kSchool, row, remarks), "国庆节 10.1–10.7 放假\n9.29、10.12上班") << row;
      // Its first line is a little wider than the column at 9 points: at 8 the
      // two lines fit the week's two rows.
      EXPECT_EQ(Sheet("校历表")->Cells(row, remarks)->Font()->Size(), 8);
      EXPECT_TRUE(Sheet("校历表")->Cells(row, remarks)->WrapText());
    }
    EXPECT_EQ(Text(Kind::kSchool, 17, remarks), "");  // week 8: nothing
    EXPECT_EQ(Text(Kind::kSchool, 39, remarks), "元旦 1.1 放假");  // week 19
    // The information row ends with the legend.
    EXPECT_EQ(Text(Kind::kSchool, 45, 2),
              std::string(kInfoRow) + "\n标“休”的日期放假，标“班”的日期调休上班");
  }
}

TEST_F(HolidayMarksTest, MarksOffBuildsTheSheetOfBefore) {
  // J2 empty, 0, 2 or a text other than 1: no mark, no generated remark, no legend.
  for (const host::Variant& j2 : {host::Variant(), host::Variant(0), host::Variant(2), host::Variant("是")}) {
    SCOPED_TRACE(j2.ToText());
    MarksOn(j2);
    Build(Kind::kSchool, "2024-9-1", "2025-1-19", {});
    ASSERT_TRUE(platform.boxes.empty());
    EXPECT_EQ(Text(Kind::kSchool, 7, 8), "14");  // 9.14
    EXPECT_FALSE(Sheet("校历表")->Cells(7, 8)->Font()->Bold());
    EXPECT_EQ(Text(Kind::kSchool, 11, 10), "");
    EXPECT_EQ(Text(Kind::kSchool, 45, 2), kInfoRow);
  }
}

TEST_F(HolidayMarksTest, TheSchoolsRowsAddReplaceAndRemoveDays) {
  MarksOn();
  SchoolRows({
      {host::Variant("2027-10-1"), host::Variant("休"), host::Variant("国庆节")},
      {host::Variant::Date(DateToSerial(D(2027, 10, 9))), host::Variant(" 班 "), host::Variant("国庆节")},
      {host::Variant("2026年10月7日"), host::Variant(), host::Variant()},  // stays open
      {},                                                                  // a blank line
      {host::Variant("2026-10-10"), host::Variant("休"), host::Variant("校庆")},
  });
  const Options o{};
  Build(Kind::kSchool, "2026-9-1", "2027-10-31", o);
  ASSERT_TRUE(platform.boxes.empty()) << platform.boxes[0].text;
  const Date start = D(2026, 9, 1);
  EXPECT_EQ(At(Kind::kSchool, start, D(2027, 10, 1), o).date, "10.1休");
  EXPECT_EQ(At(Kind::kSchool, start, D(2027, 10, 9), o).date, "9班");
  EXPECT_EQ(At(Kind::kSchool, start, D(2026, 10, 7), o).date, "7");
  EXPECT_EQ(At(Kind::kSchool, start, D(2026, 10, 6), o).date, "6休");
  EXPECT_EQ(At(Kind::kSchool, start, D(2026, 10, 10), o).date, "10休");
  EXPECT_TRUE(platform.notified.empty());  // 2026 built in, 2027 from the school
}

TEST_F(HolidayMarksTest, AMalformedRowIsNamedAndNothingIsBuilt) {
  MarksOn();
  struct Case {
    std::array<host::Variant, 3> row;
    const char* says;
  };
  const Case cases[] = {
      {{host::Variant("十月一日"), host::Variant("休"), host::Variant()}, "第3行：A 列“十月一日”不是日期"},
      {{host::Variant(), host::Variant("班"), host::Variant("国庆节")}, "第3行：缺少日期"},
      {{host::Variant("2027-10-1"), host::Variant("放假"), host::Variant()}, "第3行：B 列“放假”应为“休”"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.says);
    SheetBuildTest::SetUp();
    if (auto sheets = app->ThisWorkbook()->Worksheets(); sheets->Count() > 2) sheets->Item("节假日")->Delete();
    SchoolRows({{host::Variant("2027-1-1"), host::Variant("休"), host::Variant("元旦")}, c.row});
    platform.boxes.clear();
    Build(Kind::kSchool, "2024-9-1", "2025-1-19", {});
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].title, "提示");
    EXPECT_NE(platform.boxes[0].text.find(c.says), std::string::npos) << platform.boxes[0].text;
    EXPECT_NE(platform.boxes[0].text.find("“节假日”工作表"), std::string::npos);
    EXPECT_TRUE(platform.beeps.empty());
    bool built = false;
    auto sheets = app->ThisWorkbook()->Worksheets();
    for (int i = 1; i <= sheets->Count(); ++i) built |= sheets->Item(i)->Name() == "校历表";
    EXPECT_FALSE(built);
  }
}

TEST_F(HolidayMarksTest, AYearWithoutScheduleIsToldWithoutStoppingTheBuild) {
  MarksOn();
  Build(Kind::kSchool, "2026-9-1", "2030-1-31", {});
  EXPECT_TRUE(platform.boxes.empty());
  EXPECT_EQ(platform.beeps.size(), 1u);
  ASSERT_EQ(platform.notified.size(), 1u);
  EXPECT_NE(platform.notified[0].find("2027–2030年"), std::string::npos) << platform.notified[0];
  // The information row (under the last week) says the same.
  // 179 weeks from row 3: the information row is row 361.
  const int info_row = 3 + 2 * 179;
  ASSERT_EQ(Text(Kind::kSchool, info_row - 2, 2), "第179周");
  EXPECT_NE(Text(Kind::kSchool, info_row, 2).find("2027–2030年的放假安排尚未收录"), std::string::npos)
      << Text(Kind::kSchool, info_row, 2);
}

// A calendar has no information row: a line under the grid says it, in the
// same words, in both directions; a range the schedule knows gets no line.
TEST_F(HolidayMarksTest, ACalendarSaysWhichYearsHaveNoSchedule) {
  struct Case {
    const char* start;
    const char* end;
    bool horizontal;
    const char* says;  // nullptr: no line
    int style = 1;
  };
  const Case cases[] = {
      {"2026-1-1", "2045-12-31", false, "2027–2045年的放假安排尚未收录"},
      {"2026-1-1", "2045-12-31", true, "2027–2045年的放假安排尚未收录"},
      {"2026-10-1", "2027-3-31", true, "2027年的放假安排尚未收录", 2},  // month labels above the grid
      {"2026-7-1", "2027-6-30", false, "2027年的放假安排尚未收录"},
      {"2025-7-1", "2025-12-31", true, nullptr},
      {"2025-7-1", "2025-12-31", false, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.start) + (c.horizontal ? " horizontal" : " vertical"));
    SheetBuildTest::SetUp();
    MarksOn();
    Options o;
    o.direction = c.horizontal ? 3 : 1;
    o.style = c.style;
    Build(Kind::kCalendar, c.start, c.end, o);
    std::vector<int> rows;  // where column B says a year has no schedule
    for (int r = 2; r <= 2200; ++r)
      if (Text(Kind::kCalendar, r, 2).find("尚未收录") != std::string::npos) rows.push_back(r);
    if (c.says == nullptr) {
      EXPECT_TRUE(rows.empty());
      continue;
    }
    ASSERT_EQ(rows.size(), 1u);
    const int r = rows[0];
    EXPECT_EQ(Text(Kind::kCalendar, r, 2), c.says);
    // Right under the grid, whose last label (the last week, or 星期日)
    // spans the two rows above it; nothing below.
    EXPECT_FALSE(Text(Kind::kCalendar, r - 2, 2).empty());
    EXPECT_TRUE(Text(Kind::kCalendar, r - 1, 2).empty());
    EXPECT_FALSE(Text(Kind::kCalendar, r - 1, 3).empty() && Text(Kind::kCalendar, r - 2, 3).empty());
    EXPECT_TRUE(Text(Kind::kCalendar, r + 1, 3).empty());
  }
}

}  // namespace
}  // namespace tavo::testing
