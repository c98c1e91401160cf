// The "节假日" sheet over the embedded host: a notice pasted into G, whole or
// a line a cell, read over the built-in schedule and under the rows; a
// pasted text that does not read, named by its cell and line; the rows a
// notice's import writes, which replace that notice's earlier rows only and
// never win over the school's own.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/error.h"
#include "holidays/holiday_notice_reader.h"
#include "hostbook/default_content.h"
#include "hostbook/holiday_rows.h"
#include "hostbook/notice_rows.h"
#include "hostbook/settings_cells.h"
#include "workbook/embedded_host.h"

namespace tavo::hostbook {
namespace {

using holidays::DayStatus;
namespace rows = settings::holidays;

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Not an official notice: a made-up one for 2027, which no built-in notice covers.
std::string MadeUpNotice() { return ReadFile(std::filesystem::path(TAVO_FIXTURES_DIR) / "made-up-notices/2027.txt"); }
std::string RealNotice(const std::string& name) {
  return ReadFile(std::filesystem::path(TAVO_FIXTURES_DIR) / "holiday-notices" / name);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

Date D(int y, unsigned m, unsigned d) { return std::chrono::year{y} / std::chrono::month{m} / std::chrono::day{d}; }

// "2027-10-01 休 国庆节", one line a day.
std::string Listing(const holidays::HolidaySchedule& schedule, int year) {
  std::string out;
  for (const holidays::HolidayDay& d : schedule.DaysOfYear(year))
    out += DateToIso(d.date) + " " + holidays::StatusMark(d.status) + " " + d.name + "\n";
  return out;
}

// A workbook with the 节假日 sheet a new host workbook has.
class HolidaySheet {
 public:
  HolidaySheet() : model(workbook::NewWorkbookModel()), app(workbook::OpenEmbeddedApplication(model)) {
    auto sheet = app->ThisWorkbook()->Worksheets()->Add();
    sheet->SetName(rows::kSheetName);
    for (const DefaultSheet& s : DefaultHostSheets(D(2026, 12, 10)))
      if (s.name == rows::kSheetName) WriteDefaultSheet(s, *sheet);
  }

  std::unique_ptr<host::Sheet> Sheet() { return app->ThisWorkbook()->Worksheets()->Item(rows::kSheetName); }
  void Set(int row, int column, const host::Variant& value) { Sheet()->Cells(row, column)->SetValue(value); }
  host::Variant Get(int row, int column) { return Sheet()->Cells(row, column)->Value(); }
  void Paste(int first_row, const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i)
      if (!lines[i].empty()) Set(first_row + static_cast<int>(i), rows::kPastedNoticeColumn, lines[i]);
  }
  void OwnRow(int row, const host::Variant& date, const char* status, const char* name) {
    Set(row, rows::kDateColumn, date);
    if (*status) Set(row, rows::kStatusColumn, std::string(status));
    if (*name) Set(row, rows::kNameColumn, std::string(name));
  }

  holidays::HolidaySchedule Schedule() {
    HolidayRowProblem problem{};
    auto schedule = ReadHolidaySchedule(*app->ThisWorkbook(), problem);
    EXPECT_TRUE(schedule) << problem.message;
    return schedule ? *schedule : holidays::HolidaySchedule{};
  }
  HolidayRowProblem Problem() {
    HolidayRowProblem problem{};
    EXPECT_FALSE(ReadHolidaySchedule(*app->ThisWorkbook(), problem));
    return problem;
  }

  // Every cell of A to G of rows 1 to `last`, as text: what a test compares before and after.
  std::string Contents(int last = 80) {
    std::string out;
    for (int r = 1; r <= last; ++r)
      for (int c = 1; c <= rows::kPastedNoticeColumn; ++c) {
        const host::Variant v = Get(r, c);
        if (!v.IsEmpty()) out += std::to_string(r) + "," + std::to_string(c) + "=" + v.ToText() + "\n";
      }
    return out;
  }

  std::shared_ptr<workbook::WorkbookModel> model;
  std::unique_ptr<host::Application> app;
};

const char* const kMadeUpDays =
    "2027-01-01 休 元旦\n2027-01-02 休 元旦\n2027-01-03 休 元旦\n"
    "2027-02-05 休 春节\n2027-02-06 休 春节\n2027-02-07 休 春节\n2027-02-08 休 春节\n2027-02-09 休 春节\n"
    "2027-02-10 休 春节\n2027-02-11 休 春节\n2027-02-13 班 春节\n2027-02-20 班 春节\n"
    "2027-04-03 休 清明节\n2027-04-04 休 清明节\n2027-04-05 休 清明节\n"
    "2027-04-25 班 劳动节\n2027-05-01 休 劳动节\n2027-05-02 休 劳动节\n2027-05-03 休 劳动节\n"
    "2027-05-04 休 劳动节\n2027-05-05 休 劳动节\n2027-05-08 班 劳动节\n"
    "2027-06-09 休 端午节\n2027-09-15 休 中秋节\n2027-09-26 班 国庆节\n"
    "2027-10-01 休 国庆节\n2027-10-02 休 国庆节\n2027-10-03 休 国庆节\n2027-10-04 休 国庆节\n"
    "2027-10-05 休 国庆节\n2027-10-06 休 国庆节\n2027-10-07 休 国庆节\n2027-10-09 班 国庆节\n";

// However the notice landed in G, it gives the same days: the text whole in
// G2, a line a cell as a paste of many lines fills them (with its blank
// lines as empty cells, or without them), with the signature's date made a
// date cell by the host, after a few empty cells at the top.
TEST(HolidaySheetTest, APastedNoticeGivesItsDaysHoweverItFillsTheCells) {
  EXPECT_EQ(Listing(HolidaySheet().Schedule(), 2027), "") << "the built-in schedule knows no 2027";
  const std::string text = MadeUpNotice();
  std::vector<std::string> without_blank_lines;
  for (const std::string& line : Lines(text))
    if (!line.empty()) without_blank_lines.push_back(line);
  struct Case {
    const char* label;
    std::function<void(HolidaySheet&)> paste;
  };
  const Case cases[] = {
      {"whole in G2", [&](HolidaySheet& t) { t.Set(2, rows::kPastedNoticeColumn, text); }},
      {"whole in G2 with Windows line ends",
       [&](HolidaySheet& t) {
         std::string crlf;
         for (const std::string& line : Lines(text)) crlf += line + "\r\n";
         t.Set(2, rows::kPastedNoticeColumn, crlf);
       }},
      {"a line a cell", [&](HolidaySheet& t) { t.Paste(2, Lines(text)); }},
      {"a line a cell, no blank lines", [&](HolidaySheet& t) { t.Paste(2, without_blank_lines); }},
      {"a line a cell, the date a date cell",
       [&](HolidaySheet& t) {
         t.Paste(2, without_blank_lines);
         t.Set(1 + static_cast<int>(without_blank_lines.size()), rows::kPastedNoticeColumn,
               host::Variant::Date(DateToSerial(D(2026, 11, 4))));
       }},
      {"below empty cells", [&](HolidaySheet& t) { t.Paste(5, Lines(text)); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    HolidaySheet t;
    c.paste(t);
    EXPECT_EQ(Listing(t.Schedule(), 2027), kMadeUpDays);
  }
}

// Built-in days, then the pasted notice, then the rows: the imported ones
// first and the school's own after them, wherever they stand.
TEST(HolidaySheetTest, RowsWinOverThePastedNoticeAndOwnRowsOverImportedOnes) {
  HolidaySheet t;
  t.Set(2, rows::kPastedNoticeColumn, MadeUpNotice());
  t.OwnRow(2, host::Variant::Date(DateToSerial(D(2027, 10, 9))), "", "");  // the school works no make-up day
  t.OwnRow(3, "2027-10-8", "休", "校庆");
  // An imported row after the school's own for the same day does not win.
  t.OwnRow(4, "2027-10-8", "班", "国庆节");
  t.Set(4, rows::kSourceColumn, std::string("2027年国务院通知"));
  // A D that is the school's own note leaves the row the school's.
  t.OwnRow(5, "2027-10-10", "班", "补课");
  t.Set(5, rows::kSourceColumn, std::string("教务处通知"));
  t.OwnRow(6, "2027-10-10", "休", "");
  const holidays::HolidaySchedule schedule = t.Schedule();
  EXPECT_EQ(schedule.StatusOf(D(2027, 10, 9)), DayStatus::kNone);
  ASSERT_NE(schedule.Find(D(2027, 10, 8)), nullptr);
  EXPECT_EQ(schedule.Find(D(2027, 10, 8))->name, "校庆");
  EXPECT_EQ(schedule.StatusOf(D(2027, 10, 10)), DayStatus::kOff) << "among own rows the later one wins";
  EXPECT_EQ(schedule.StatusOf(D(2027, 10, 1)), DayStatus::kOff);
}

// A pasted text that does not read stops with one message naming the cell
// and the line at fault.
TEST(HolidaySheetTest, APastedNoticeThatDoesNotReadNamesItsCellAndLine) {
  std::vector<std::string> lines = Lines(MadeUpNotice());
  ASSERT_EQ(lines[18], "七、国庆节：10月1日（周五）至7日（周四）放假调休，共7天。9月26日（周日）、10月9日（周六）上班。");
  std::vector<std::string> garbled = lines;
  garbled[8] = "二、春节：2月5日（周五）至11日（周四放假调休，共7天。2月13日（周六）、2月20日（周六）上班。";  // a bracket lost
  std::vector<std::string> cut(lines.begin(), lines.begin() + 19);
  cut.back() = "七、国庆节：10月1日（周五）至7日（周四）放假调休，共7天。9月26日（周日）、10月";
  std::vector<std::string> untitled(lines.begin() + 2, lines.end());
  auto whole = [](const std::vector<std::string>& ls) {
    std::string text;
    for (const std::string& l : ls) text += l + "\n";
    return std::vector<std::string>{text};
  };
  struct Case {
    const char* label;
    std::vector<std::string> cells;  // from G2 down
    int row;
    std::vector<const char*> named;
  };
  const Case cases[] = {
      {"a line a cell, garbled", garbled, 10, {"G10", "第9行", "括号没有闭合"}},
      {"whole, garbled", whole(garbled), 2, {"G2", "第9行", "括号没有闭合"}},
      {"a line a cell, cut off", cut, 20, {"G20", "第19行", "没有写完"}},
      {"whole, cut off", whole(cut), 2, {"G2", "第19行", "只复制了一部分"}},
      {"no title", untitled, 2, {"G2", "没有标题"}},
      {"no items", {"国务院办公厅关于2027年部分节假日安排的通知", "各省、自治区、直辖市人民政府："}, 2, {"G2", "没有读到"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    HolidaySheet t;
    t.Paste(2, c.cells);
    const HolidayRowProblem problem = t.Problem();
    EXPECT_EQ(problem.row, c.row);
    EXPECT_TRUE(problem.message.starts_with("“节假日”工作表 ")) << problem.message;
    for (const char* part : c.named) EXPECT_NE(problem.message.find(part), std::string::npos) << problem.message;
  }
}

TEST(NoticeRowSource, OnlyTheImportsOwnWordsMarkARow) {
  EXPECT_EQ(NoticeRowSource(2027), "2027年国务院通知");
  const std::pair<const char*, int> cases[] = {
      {"2027年国务院通知", 2027}, {"2012年国务院通知", 2012}, {"国务院通知", 0}, {"2027年国务院通知（补充）", 0},
      {"27年国务院通知", 0},      {"教务处通知", 0},          {"", 0},           {"０２７年国务院通知", 0},
  };
  for (const auto& [text, year] : cases) EXPECT_EQ(NoticeYearOfSource(text), year) << text;
}

std::vector<holidays::NoticeDay> Days(const std::string& text, int year = 0) {
  return holidays::ReadHolidayNotices(text, year);
}

// What rows 2.. hold in A to D, one line each: "2027-10-01 休 国庆节 2027年国务院通知".
std::string RowsOf(HolidaySheet& t) {
  std::string out;
  for (int r = rows::kFirstRow; r < 200; ++r) {
    std::string line;
    for (int c = 1; c <= rows::kSourceColumn; ++c) {
      const host::Variant v = t.Get(r, c);
      line += (c > 1 ? " " : "") + (v.IsDate() ? DateToIso(SerialToDate(v.DateSerial())) : v.ToText());
    }
    if (line != "   ") out += std::to_string(r) + ": " + line + "\n";
  }
  return out;
}

// Importing again replaces that notice's rows and nothing else: the same
// notice changes no cell, a revised one of another length moves the rows
// after it, which keep their content and order.
TEST(HolidaySheetTest, ImportingAgainReplacesOnlyThatNoticesRows) {
  HolidaySheet t;
  const auto notice_2027 = Days(MadeUpNotice());
  const auto notice_2026 = Days(RealNotice("2026.txt"), 2026);
  t.OwnRow(2, "2027-10-8", "休", "校庆");
  t.Set(1, rows::kSourceColumn, host::Variant());  // a workbook whose D1 was cleared
  const NoticeRowsWritten first = WriteNoticeRows(*t.Sheet(), 2027, notice_2027);
  EXPECT_EQ(first.first_row, 3) << "after the school's own rows";
  EXPECT_EQ(t.Get(1, rows::kSourceColumn), host::Variant("来源"));
  EXPECT_EQ(t.Get(3, rows::kSourceColumn), host::Variant("2027年国务院通知"));
  const int after_2027 = 3 + static_cast<int>(notice_2027.size());
  t.OwnRow(after_2027, "2027-10-9", "", "");
  t.Set(after_2027, rows::kSourceColumn, std::string("教务处定"));
  WriteNoticeRows(*t.Sheet(), 2026, notice_2026);
  t.Paste(2, {"国务院办公厅关于2027年部分节假日安排的通知", "一、元旦：1月1日（周五）放假，共1天。"});
  const std::string before = t.Contents(200);

  const NoticeRowsWritten same = WriteNoticeRows(*t.Sheet(), 2027, notice_2027);
  EXPECT_FALSE(same.changed);
  EXPECT_EQ(same.replaced, static_cast<int>(notice_2027.size()));
  EXPECT_EQ(t.Contents(200), before);

  // A revised 2027 notice: fewer days.
  const std::vector<holidays::NoticeDay> revised(notice_2027.begin(), notice_2027.begin() + 3);
  const std::string rows_before = RowsOf(t);
  const NoticeRowsWritten written = WriteNoticeRows(*t.Sheet(), 2027, revised);
  EXPECT_TRUE(written.changed);
  EXPECT_EQ(written.first_row, 3);
  EXPECT_EQ(written.last_row, 5);
  const std::string rows_after = RowsOf(t);
  // Every row but the 2027 notice's is still there, in the same order, and nothing trails after them.
  auto without_2027 = [](const std::string& listing) {
    std::string kept;
    std::istringstream in(listing);
    for (std::string line; std::getline(in, line);)
      if (!line.ends_with("2027年国务院通知")) kept += line.substr(line.find(':')) + "\n";
    return kept;
  };
  EXPECT_EQ(without_2027(rows_after), without_2027(rows_before));
  EXPECT_EQ(t.Get(6, rows::kSourceColumn), host::Variant("教务处定"));
  for (int r = 7 + static_cast<int>(notice_2026.size()); r <= after_2027 + static_cast<int>(notice_2026.size()); ++r)
    EXPECT_TRUE(t.Get(r, rows::kDateColumn).IsEmpty() && t.Get(r, rows::kSourceColumn).IsEmpty()) << "row " << r;
  EXPECT_EQ(t.Get(2, rows::kPastedNoticeColumn), host::Variant("国务院办公厅关于2027年部分节假日安排的通知"));
  // And back to the whole notice: the rows are again where they were.
  WriteNoticeRows(*t.Sheet(), 2027, notice_2027);
  EXPECT_EQ(t.Contents(200), before);
}

// Rows below the list's end (after ten empty rows) are never read; a longer
// list must not write over them or bring them into reach, and nothing changes.
TEST(HolidaySheetTest, AnImportThatWouldReachRowsBeyondTheEndChangesNothing) {
  HolidaySheet t;
  t.OwnRow(2, "2027-10-8", "休", "校庆");
  t.Set(30, rows::kNameColumn, std::string("备忘：寒假另行通知"));
  const std::string before = t.Contents(200);
  try {
    WriteNoticeRows(*t.Sheet(), 2027, Days(MadeUpNotice()));
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(e.description().find("第30行"), std::string::npos) << e.description();
  }
  EXPECT_EQ(t.Contents(200), before);
  // A notice short enough to keep ten empty rows before row 30 is written.
  const auto days = Days(MadeUpNotice());
  EXPECT_TRUE(WriteNoticeRows(*t.Sheet(), 2027, {days.begin(), days.begin() + 5}).changed);
}

}  // namespace
}  // namespace tavo::hostbook
