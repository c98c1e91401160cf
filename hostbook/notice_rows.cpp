#include "hostbook/notice_rows.h"

#include <algorithm>
#include <array>
#include <string>

#include "common/error.h"
#include "common/text.h"
#include "hostbook/holiday_rows.h"
#include "hostbook/settings_cells.h"

namespace tavo::hostbook {
namespace {

namespace rows = settings::holidays;

// The rows' reader stops after this many empty rows.
constexpr int kEmptyRowsThatEnd = 10;
constexpr int kColumns = rows::kSourceColumn;  // A to D

using RowCells = std::array<host::Variant, kColumns>;

bool IsBlank(const host::Variant& v) { return v.IsEmpty() || (v.IsText() && TrimBlanks(v.Text()).empty()); }

bool IsBlank(const RowCells& cells) {
  return std::all_of(cells.begin(), cells.end(), [](const host::Variant& v) { return IsBlank(v); });
}

RowCells ReadRow(host::Sheet& sheet, int row) {
  RowCells cells;
  for (int c = 0; c < kColumns; ++c) cells[static_cast<std::size_t>(c)] = sheet.Cells(row, c + 1)->Value();
  return cells;
}

bool IsOfNotice(const RowCells& cells, int notice_year) {
  const host::Variant& source = cells[rows::kSourceColumn - 1];
  return source.IsText() && NoticeYearOfSource(TrimBlanks(source.Text())) == notice_year;
}

RowCells NoticeRow(const holidays::NoticeDay& day, int notice_year) {
  RowCells cells;
  cells[rows::kDateColumn - 1] = host::Variant::Date(DateToSerial(day.date));
  cells[rows::kStatusColumn - 1] =
      std::string(day.status == holidays::DayStatus::kWork ? rows::kWorkingDay : rows::kDayOff);
  if (!day.name.empty()) cells[rows::kNameColumn - 1] = day.name;
  cells[rows::kSourceColumn - 1] = NoticeRowSource(notice_year);
  return cells;
}

}  // namespace

NoticeRowsWritten WriteNoticeRows(host::Sheet& sheet, int notice_year,
                                  const std::vector<holidays::NoticeDay>& days) {
  // The list as its reader sees it: every row up to the last one before ten empty rows.
  std::vector<RowCells> list;
  for (int row = rows::kFirstRow, empty = 0; empty < kEmptyRowsThatEnd; ++row) {
    RowCells cells = ReadRow(sheet, row);
    if (IsBlank(cells)) {
      ++empty;
    } else {
      list.resize(list.size() + static_cast<std::size_t>(empty));
      list.push_back(std::move(cells));
      empty = 0;
    }
  }

  std::vector<RowCells> result;
  std::size_t at = list.size();
  int replaced = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (!IsOfNotice(list[i], notice_year)) {
      result.push_back(list[i]);
    } else {
      at = std::min(at, result.size());
      ++replaced;
    }
  }
  at = std::min(at, result.size());
  std::vector<RowCells> added;
  for (const holidays::NoticeDay& day : days) added.push_back(NoticeRow(day, notice_year));
  result.insert(result.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());

  // Rows below the list's end that the longer list would write over or bring into reach.
  const int old_last = rows::kFirstRow + static_cast<int>(list.size()) - 1;
  const int new_last = rows::kFirstRow + static_cast<int>(result.size()) - 1;
  for (int row = old_last + kEmptyRowsThatEnd + 1; row <= new_last + kEmptyRowsThatEnd; ++row) {
    if (IsBlank(ReadRow(sheet, row))) continue;
    RaiseInvalidArgument(std::string("“") + rows::kSheetName + "”工作表第" + std::to_string(row) +
                         "行：导入的通知要写到第" + std::to_string(new_last) + "行，会写到或读进列表末尾（连续 " +
                         std::to_string(kEmptyRowsThatEnd) + " 个空行）之后的这些内容；请先把它们移开");
  }

  NoticeRowsWritten written;
  written.replaced = replaced;
  written.first_row = rows::kFirstRow + static_cast<int>(at);
  written.last_row = written.first_row + static_cast<int>(added.size()) - 1;
  const std::size_t rows_to_write = std::max(list.size(), result.size());
  for (std::size_t i = 0; i < rows_to_write; ++i) {
    const RowCells wanted = i < result.size() ? result[i] : RowCells{};
    const RowCells now = i < list.size() ? list[i] : RowCells{};
    for (int c = 0; c < kColumns; ++c) {
      const auto k = static_cast<std::size_t>(c);
      if (wanted[k] == now[k] || (IsBlank(wanted[k]) && IsBlank(now[k]))) continue;
      sheet.Cells(rows::kFirstRow + static_cast<int>(i), c + 1)->SetValue(wanted[k]);
      written.changed = true;
    }
  }
  auto heading = sheet.Cells(1, rows::kSourceColumn);
  if (IsBlank(heading->Value())) {
    heading->SetValue(std::string(rows::kHeadings[rows::kSourceColumn - 1]));
    heading->Font()->SetBold(true);
    written.changed = true;
  }
  return written;
}

}  // namespace tavo::hostbook
