// Sheet and workbook helpers of the model, and the host's classic palette.
#include "workbook/workbook_model.h"

namespace tavo::workbook {

namespace {

// Palette entries as 0xRRGGBB, in the host's order 1..56.
constexpr std::array<std::uint32_t, 56> kClassicPalette = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
};

}  // namespace

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

std::array<std::int32_t, 56> WorkbookModel::DefaultPalette() {
  std::array<std::int32_t, 56> palette{};
  for (std::size_t i = 0; i < palette.size(); ++i) {
    std::uint32_t rgb = kClassicPalette[i];
    std::int32_t red = (rgb >> 16) & 0xFF, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
    palette[i] = red + green * 256 + blue * 65536;
  }
  return palette;
}

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
