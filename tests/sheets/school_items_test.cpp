// The school's own items on the school calendar: every category's mark in
// both directions, both styles, with and without colour; the weeks numbered
// from the terms; the legend naming exactly the marks used; and a malformed
// row stopping the build with one notice and nothing written.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "common/dates.h"
#include "host/worksheet_lookup.h"
#include "sheet_test_support.h"

namespace tavo::testing {
namespace {

Date D(int y, unsigned m, unsigned d) { return std::chrono::year{y} / std::chrono::month{m} / std::chrono::day{d}; }

constexpr int kRose = 38, kVacationGreen = 35, kVacationGrey = 48, kExamYellow = 36, kMonthGrey = 15;

using Row = std::array<host::Variant, 6>;

// The autumn term of a university: registration, an autumn break without
// classes over the national days, a make-up Saturday on Wednesday's timetable,
// mid-term and final exams, the winter vacation, and two days the school
// itself swaps.
const std::vector<Row> kAutumnTerm = {
    Row{"2025-9-1", "2026-1-18", "学期", "第一学期", {}, {}},
    Row{"2025-9-1", {}, "报到", "报到注册", {}, {}},
    Row{"2025-8-25", {}, "报到", "报到", {}, "高三"},
    Row{"2025-9-28", "2025-10-5", "停课", "秋假", {}, {}},
    Row{"2025-10-11", {}, "调课", "按周三课表", {}, {}},
    Row{"2025-11-3", "2025-11-7", "考试", "期中考试", {}, {}},
    Row{"2025-11-15", {}, "调课", "按周五课表上课", {}, {}},
    Row{"2025-11-19", {}, "调课", "按周一课表", {}, {}},
    Row{"2025-12-19", {}, "活动", "运动会", {}, {}},
    Row{"2026-1-12", "2026-1-16", "考试", "期末考试", {}, {}},
    Row{"2026-1-19", "2026-2-22", "假期", "寒假", {}, {}},
};

class SchoolItemsTest : public SheetBuildTest {
 protected:
  void Items(const std::vector<Row>& rows) {
    auto sheets = app->ThisWorkbook()->Worksheets();
    if (host::WorksheetExists(*sheets, "校历事项")) sheets->Item("校历事项")->Delete();
    auto sheet = sheets->Add();
    sheet->SetName("校历事项");
    sheet->Cells(1, 1)->SetValue("开始");
    int r = 2;
    for (const Row& row : rows) {
      for (int c = 0; c < 6; ++c)
        if (!row[static_cast<std::size_t>(c)].IsEmpty()) sheet->Cells(r, c + 1)->SetValue(row[static_cast<std::size_t>(c)]);
      ++r;
    }
  }
  void MarksOn() { Sheet("DTB")->Cells(2, 10)->SetValue(1); }

  std::pair<int, int> DateCell(Date start, Date day, const Options& o) {
    const auto first = o.week_start == 1 ? std::chrono::Monday : std::chrono::Sunday;
    const long offset = DaysBetween(start, day) + WeekdayNumber(start, first) - 1;
    const int week = static_cast<int>(offset / 7), position = static_cast<int>(offset % 7);
    if (o.direction == 1) return {3 + 2 * week, 3 + position + (o.style == 2 ? 1 : 0)};
    return {(o.style == 1 ? 4 : 5) + 2 * position, 3 + week};
  }
  // The week label of grid week `week` (1-based).
  std::string WeekLabelText(int week, const Options& o) {
    if (o.direction == 1) return Text(Kind::kSchool, 3 + 2 * (week - 1), o.style == 2 ? 3 : 2);
    return Text(Kind::kSchool, o.style == 1 ? 3 : 4, 2 + week);
  }
  std::string Legend() {
    auto sheet = Sheet("校历表");
    for (int r = 1; r < 200; ++r) {
      const std::string text = sheet->Cells(r, 2)->Value().ToText();
      if (text.find("标“") != std::string::npos) return text.substr(text.find('\n') + 1);
    }
    return {};
  }
};

std::vector<Options> AllLayouts() {
  std::vector<Options> all;
  for (int direction : {1, 3})
    for (int style : {1, 2})
      for (int colour : {1, 2}) all.push_back({.week_start = 1, .color_mode = colour, .direction = direction, .style = style});
  return all;
}

TEST_F(SchoolItemsTest, EveryCategoryIsMarkedInEveryLayout) {
  MarksOn();
  Items(kAutumnTerm);
  const Date start = D(2025, 8, 25);
  struct DayCase {
    const char* what;
    Date day;
    const char* date_text;
    int colour_fill;  // the fill with colour; without colour only a vacation has one
    int grey_fill;
  };
  const DayCase days[] = {
      // The grid starts in August: September, November and January are the grey months.
      {"a 停课 day over a national make-up Sunday", D(2025, 9, 28), "28休", kRose, kMonthGrey},
      {"a national day off inside the 停课", D(2025, 10, 1), "10.1休", kRose, 0},
      {"a 停课 weekday before the national days", D(2025, 9, 30), "30休", kRose, kMonthGrey},
      {"the day after the 停课 and the national days", D(2025, 10, 9), "9", 0, 0},
      {"a 调课 national make-up Saturday", D(2025, 10, 11), "11班", 0, 0},
      {"an exam day", D(2025, 11, 4), "4考", kExamYellow, kMonthGrey},
      {"a 调课 Saturday the school adds", D(2025, 11, 15), "15班", kMonthGrey, kMonthGrey},
      {"a 调课 weekday: a teaching day as it is", D(2025, 11, 19), "19", kMonthGrey, kMonthGrey},
      {"an event day is not marked", D(2025, 12, 19), "19", 0, 0},
      {"a vacation day", D(2026, 1, 20), "20", kVacationGreen, kVacationGrey},
      {"an official day off inside the vacation", D(2026, 2, 17), "17休", kRose, kVacationGrey},
  };
  for (const Options& o : AllLayouts()) {
    SCOPED_TRACE("direction " + std::to_string(o.direction) + " style " + std::to_string(o.style) + " colour " +
                 std::to_string(o.color_mode));
    Build(Kind::kSchool, "2025-8-25", "2026-2-22", o);
    ASSERT_TRUE(platform.boxes.empty()) << platform.boxes.front().text;
    for (const DayCase& c : days) {
      SCOPED_TRACE(c.what);
      const auto [r, col] = DateCell(start, c.day, o);
      auto cell = Sheet("校历表")->Cells(r, col);
      EXPECT_EQ(cell->Value().ToText(), c.date_text);
      const int fill = o.color_mode == 1 ? c.colour_fill : c.grey_fill;
      const int got = cell->Interior()->ColorIndex();
      EXPECT_EQ(got <= 0 ? 0 : got, fill);
    }
    EXPECT_EQ(WeekLabelText(1, o), "");
    EXPECT_EQ(WeekLabelText(2, o), o.direction == 1 ? "第1周" : "1");
    EXPECT_EQ(WeekLabelText(21, o), o.direction == 1 ? "第20周" : "20");
    EXPECT_EQ(WeekLabelText(22, o), "寒假");
    EXPECT_EQ(Legend(), std::string("标“休”的日期放假或停课，标“班”的日期调休上班或调课上课，标“考”的日期考试，") +
                            (o.color_mode == 1 ? "绿色底纹为假期" : "深灰底纹为假期"));
  }
}

TEST_F(SchoolItemsTest, RemarksFollowTheUsersOwnAndAreShownWhole) {
  MarksOn();
  Items(kAutumnTerm);
  Build(Kind::kSchool, "2025-8-25", "2026-2-22", {});
  // Grid week n is row 2n + 1; remark column J.
  const auto remark = [this](int week) { return Text(Kind::kSchool, 2 * week + 1, 10); };
  EXPECT_EQ(remark(1), std::string(kRemark1) + "\n高三 8.25 报到");
  EXPECT_EQ(remark(2), std::string(kRemark2) + "\n第一学期 9.1–1.18\n报到注册 9.1");
  EXPECT_EQ(remark(6), "国庆节、中秋节 10.1–10.8 放假\n9.28、10.11（按周三课表）上班\n秋假 9.28–10.5");
  EXPECT_EQ(remark(7), "国庆节、中秋节 10.1–10.8 放假\n9.28、10.11（按周三课表）上班");
  EXPECT_EQ(remark(12), "11.15（六）按周五课表上课");
  EXPECT_EQ(remark(13), "11.19（三）按周一课表上课");
  EXPECT_EQ(remark(21), "期末考试 1.12–1.16");
  EXPECT_EQ(remark(22), "寒假 1.19–2.22");
  // Three lines or more do not fit two rows of 14.25 points: the rows grow.
  auto sheet = Sheet("校历表");
  for (int week : {2, 6}) {
    const double rows = sheet->Rows(2 * week + 1)->RowHeight() + sheet->Rows(2 * week + 2)->RowHeight();
    EXPECT_GE(rows, 3 * 8 * 1.4) << week;
  }
  EXPECT_EQ(sheet->Rows(2 * 21 + 1)->RowHeight(), 14.25) << "one line keeps the row";
}

TEST_F(SchoolItemsTest, WithoutItemsTheWeeksAreTheGridsOwn) {
  Items({});
  for (const Options& o : AllLayouts()) {
    Build(Kind::kSchool, "2025-8-25", "2025-10-19", o);
    for (int week = 1; week <= 8; ++week)
      EXPECT_EQ(WeekLabelText(week, o), o.direction == 1 ? "第" + std::to_string(week) + "周" : std::to_string(week));
  }
}

TEST_F(SchoolItemsTest, TheCalendarIgnoresTheSchoolsItems) {
  Items({Row{"2025-9-1", "2025-9-30", "学期", {}, {}, {}}, Row{"2025-9-3", {}, "考试", {}, {}, {}},
         Row{"x", {}, "考试", {}, {}, {}}});
  Build(Kind::kCalendar, "2025-9-1", "2025-9-30", {});
  EXPECT_TRUE(platform.boxes.empty());
  EXPECT_EQ(Text(Kind::kCalendar, 3, 5), "3");
}

TEST_F(SchoolItemsTest, AMalformedRowStopsTheBuildWithOneNotice) {
  struct Case {
    Row row;
    const char* message;
  };
  const Case cases[] = {
      {Row{"2025-9-1", {}, "考式", "期中", {}, {}},
       "“校历事项”工作表第3行：C 列“考式”不是类别（应为 学期、假期、报到、考试、活动、停课、调课 之一）"},
      {Row{"2025-9-1", {}, {}, "期中", {}, {}},
       "“校历事项”工作表第3行：缺少类别（应为 学期、假期、报到、考试、活动、停课、调课 之一）"},
      {Row{"9月31日", {}, "考试", {}, {}, {}}, "“校历事项”工作表第3行：A 列“9月31日”不是日期（应如 2025-9-1）"},
      {Row{host::Variant(), "2025-9-1", "考试", {}, {}, {}}, "“校历事项”工作表第3行：缺少开始日期（A 列应为日期，如 2025-9-1）"},
      {Row{"2025-9-1", "下周", "考试", {}, {}, {}}, "“校历事项”工作表第3行：B 列“下周”不是日期（应如 2025-9-1）"},
      {Row{"2025-9-5", "2025-9-1", "考试", {}, {}, {}},
       "“校历事项”工作表第3行：结束日期 2025-09-01 早于开始日期 2025-09-05"},
      {Row{"2025-9-1", "2025-12-31", "学期", {}, "第一", {}},
       "“校历事项”工作表第3行：E 列“第一”应为起始周次：0（预备周）或正整数"},
      {Row{"2025-9-1", "2025-12-31", "学期", {}, 1.5, {}},
       "“校历事项”工作表第3行：E 列“1.5”应为起始周次：0（预备周）或正整数"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    platform.boxes.clear();
    Items({Row{"2025-9-1", "2026-1-18", "学期", {}, {}, {}}, c.row});
    Build(Kind::kSchool, "2025-9-1", "2026-1-18", {});
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, c.message);
    EXPECT_EQ(platform.boxes[0].title, "提示");
    EXPECT_FALSE(host::WorksheetExists(*app->ThisWorkbook()->Worksheets(), "校历表")) << "nothing is written";
  }
}

}  // namespace
}  // namespace tavo::testing
