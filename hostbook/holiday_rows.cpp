#include "hostbook/holiday_rows.h"

#include <vector>

#include "common/error.h"
#include "common/text.h"
#include "holidays/holiday_notice_reader.h"
#include "host/worksheet_lookup.h"
#include "hostbook/settings_cells.h"

namespace tavo::hostbook {
namespace {

namespace rows = settings::holidays;
using holidays::DayStatus;

// Blank lines between a school's groups of rows, or in a pasted notice, are allowed up to this many.
constexpr int kEmptyRowsThatEnd = 10;

constexpr std::string_view kSourceTail = "年国务院通知";

std::string Trimmed(const std::string& text) { return std::string(TrimBlanks(text)); }

std::optional<Date> RowDate(const host::Variant& value) {
  if (value.IsDate()) return SerialToDate(value.DateSerial());
  if (value.IsText()) return ParseDate(value.Text());
  return std::nullopt;
}

std::string RowProblemText(int row, const std::string& what) {
  return std::string("“") + rows::kSheetName + "”工作表第" + std::to_string(row) + "行：" + what;
}

std::string PastedCellName(int row) {
  return std::string(1, static_cast<char>('A' + rows::kPastedNoticeColumn - 1)) + std::to_string(row);
}

// The pasted notice: its text, and the row of the cell each of its lines came from.
struct PastedNotice {
  std::string text;
  std::vector<int> line_rows;
};

PastedNotice ReadPastedNotice(host::Sheet& sheet) {
  PastedNotice notice;
  int empty_cells = 0;
  for (int row = rows::kPastedNoticeFirstRow; empty_cells < kEmptyRowsThatEnd; ++row) {
    const host::Variant value = sheet.Cells(row, rows::kPastedNoticeColumn)->Value();
    std::string text;
    if (value.IsDate()) {
      // The host reads a pasted line such as the signature "2025年11月4日" as a date.
      const Date d = SerialToDate(value.DateSerial());
      text = std::to_string(static_cast<int>(d.year())) + "年" + std::to_string(static_cast<unsigned>(d.month())) +
             "月" + std::to_string(static_cast<unsigned>(d.day())) + "日";
    } else if (!value.IsEmpty()) {
      text = value.ToText();
    }
    if (TrimBlanks(text).empty()) {
      ++empty_cells;
      continue;
    }
    // The empty cells before this one were blank lines of the text.
    for (; empty_cells > 0 && !notice.text.empty(); --empty_cells) {
      notice.text += '\n';
      notice.line_rows.push_back(row - empty_cells);
    }
    empty_cells = 0;
    if (!notice.text.empty()) notice.text += '\n';
    notice.text += text;
    for (std::size_t pos = 0;; ++pos) {
      notice.line_rows.push_back(row);
      pos = text.find('\n', pos);
      if (pos == std::string::npos) break;
    }
  }
  return notice;
}

// The description of a notice reader's error without the host's general
// words before it; the line it names ("第4行") followed by the cell it is in.
std::string NoticeFault(const Error& e, const PastedNotice& notice, int& row) {
  const std::string detail = holidays::NoticeFaultText(e);
  row = rows::kPastedNoticeFirstRow;
  constexpr std::string_view kLine = "第";
  if (!detail.starts_with(kLine)) return detail;
  std::size_t end = kLine.size();
  int line = 0;
  while (end < detail.size() && detail[end] >= '0' && detail[end] <= '9' && line < 1000000)
    line = line * 10 + (detail[end++] - '0');
  if (line < 1 || !std::string_view(detail).substr(end).starts_with("行") ||
      static_cast<std::size_t>(line) > notice.line_rows.size())
    return detail;
  row = notice.line_rows[static_cast<std::size_t>(line - 1)];
  return detail;
}

std::string PastedProblemText(int row, const std::string& what) {
  return std::string("“") + rows::kSheetName + "”工作表 " + PastedCellName(row) + " 中粘贴的放假通知" + what;
}

// Lays the pasted notice's days over the schedule; false after setting `problem`.
bool LayPastedNotice(host::Sheet& sheet, holidays::HolidaySchedule& schedule, HolidayRowProblem& problem) {
  const PastedNotice notice = ReadPastedNotice(sheet);
  if (notice.text.empty()) return true;
  const int year = holidays::NoticeTitleYear(notice.text);
  if (year == 0) {
    problem = {rows::kPastedNoticeFirstRow,
               PastedProblemText(rows::kPastedNoticeFirstRow,
                                 "没有标题，看不出是哪一年的：请连同标题（国务院办公厅关于…年部分节假日安排的通知）一起粘贴")};
    return false;
  }
  try {
    for (const holidays::NoticeDay& day : holidays::ReadHolidayNotices(notice.text, year))
      schedule.Override(day.date, day.status, day.name);
  } catch (const Error& e) {
    int row = 0;
    const std::string fault = NoticeFault(e, notice, row);
    problem = {row, PastedProblemText(row, "读不通：" + fault)};
    return false;
  }
  return true;
}

struct Row {
  Date date;
  DayStatus status;
  std::string name;
  bool imported;
};

}  // namespace

std::string NoticeRowSource(int notice_year) { return std::to_string(notice_year) + std::string(kSourceTail); }

int NoticeYearOfSource(std::string_view source) {
  if (source.size() != 4 + kSourceTail.size() || !source.ends_with(kSourceTail)) return 0;
  int year = 0;
  for (char c : source.substr(0, 4)) {
    if (c < '0' || c > '9') return 0;
    year = year * 10 + (c - '0');
  }
  return year >= 1900 ? year : 0;
}

std::optional<holidays::HolidaySchedule> ReadHolidaySchedule(host::Workbook& workbook,
                                                          HolidayRowProblem& problem) {
  holidays::HolidaySchedule schedule = holidays::HolidaySchedule::BuiltIn();
  auto sheets = workbook.Worksheets();
  if (!host::WorksheetExists(*sheets, rows::kSheetName)) return schedule;
  auto sheet = sheets->Item(rows::kSheetName);
  if (!LayPastedNotice(*sheet, schedule, problem)) return std::nullopt;
  std::vector<Row> read;
  int empty_rows = 0;
  for (int row = rows::kFirstRow; empty_rows < kEmptyRowsThatEnd; ++row) {
    const host::Variant date_value = sheet->Cells(row, rows::kDateColumn)->Value();
    const host::Variant status_value = sheet->Cells(row, rows::kStatusColumn)->Value();
    const host::Variant name_value = sheet->Cells(row, rows::kNameColumn)->Value();
    const std::string status_text = Trimmed(status_value.IsEmpty() ? "" : status_value.ToText());
    const std::string name = Trimmed(name_value.IsEmpty() ? "" : name_value.ToText());
    const bool date_empty =
        date_value.IsEmpty() || (date_value.IsText() && Trimmed(date_value.Text()).empty());
    if (date_empty && status_text.empty() && name.empty()) {
      ++empty_rows;
      continue;
    }
    empty_rows = 0;
    const std::optional<Date> date = RowDate(date_value);
    if (!date) {
      problem = {row, RowProblemText(row, date_empty ? "缺少日期（A 列应为日期，如 2027-10-1）"
                                                     : "A 列“" + date_value.ToText() +
                                                           "”不是日期（应如 2027-10-1）")};
      return std::nullopt;
    }
    DayStatus status = DayStatus::kNone;
    if (status_text == rows::kDayOff) {
      status = DayStatus::kOff;
    } else if (status_text == rows::kWorkingDay) {
      status = DayStatus::kWork;
    } else if (!status_text.empty()) {
      problem = {row, RowProblemText(row, "B 列“" + status_text +
                                              "”应为“休”（放假）或“班”（调休上班），留空表示取消这一天")};
      return std::nullopt;
    }
    const host::Variant source = sheet->Cells(row, rows::kSourceColumn)->Value();
    const bool imported = source.IsText() && NoticeYearOfSource(Trimmed(source.Text())) != 0;
    read.push_back({*date, status, name, imported});
  }
  for (const bool imported : {true, false})
    for (const Row& row : read)
      if (row.imported == imported) schedule.Override(row.date, row.status, row.name);
  return schedule;
}

}  // namespace tavo::hostbook
