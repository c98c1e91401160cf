// Sheet and workbook helpers of the model.
#include "workbook/workbook_model.h"

namespace tavo::workbook {

const CellFormat& Worksheet::EffectiveFormat(std::int32_t row, std::int32_t column) const {
  if (const Cell* cell = cells.Find(row, column)) return cell->format;
  if (auto it = row_formats.find(row); it != row_formats.end()) return it->second;
  if (auto it = column_formats.find(column); it != column_formats.end()) return it->second;
  return sheet_format;
}

double Worksheet::RowHeight(std::int32_t row) const {
  auto it = row_heights.find(row);
  return it == row_heights.end() ? default_row_height : it->second;
}

double Worksheet::ColumnWidth(std::int32_t column) const {
  auto it = column_widths.find(column);
  return it == column_widths.end() ? default_column_width : it->second;
}

std::array<std::int32_t, 56> WorkbookModel::DefaultPalette() { return host::ClassicPalette(); }

Worksheet& WorkbookModel::AppendSheet(const std::string& name) {
  Worksheet sheet;
  sheet.id = NewSheetId();
  sheet.name = name;
  sheets.push_back(std::move(sheet));
  return sheets.back();
}

Worksheet* WorkbookModel::FindSheet(std::uint64_t id) {
  for (auto& sheet : sheets)
    if (sheet.id == id) return &sheet;
  return nullptr;
}

int WorkbookModel::IndexOf(std::uint64_t id) const {
  for (std::size_t i = 0; i < sheets.size(); ++i)
    if (sheets[i].id == id) return static_cast<int>(i);
  return -1;
}

}  // namespace tavo::workbook
