#include "hostbook/holiday_rows.h"

#include "host/worksheet_lookup.h"
#include "hostbook/settings_cells.h"
#include "common/text.h"

namespace tavo::hostbook {
namespace {

namespace rows = settings::holidays;
using holidays::DayStatus;

// Blank lines between a school's groups of rows are allowed up to this many.
constexpr int kEmptyRowsThatEnd = 10;

std::string Trimmed(const std::string& text) { return std::string(TrimBlanks(text)); }

std::optional<Date> RowDate(const host::Variant& value) {
  if (value.IsDate()) return SerialToDate(value.DateSerial());
  if (value.IsText()) return ParseDate(value.Text());
  return std::nullopt;
}

std::string RowProblemText(int row, const std::string& what) {
  return std::string("“") + rows::kSheetName + "”工作表第" + std::to_string(row) + "行：" + what;
}

}  // namespace

std::optional<holidays::HolidaySchedule> ReadHolidaySchedule(host::Workbook& workbook,
                                                          HolidayRowProblem& problem) {
  holidays::HolidaySchedule schedule = holidays::HolidaySchedule::BuiltIn();
  auto sheets = workbook.Worksheets();
  if (!host::WorksheetExists(*sheets, rows::kSheetName)) return schedule;
  auto sheet = sheets->Item(rows::kSheetName);
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
    schedule.Override(*date, status, name);
  }
  return schedule;
}

}  // namespace tavo::hostbook
