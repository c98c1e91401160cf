#include "workbook/xlsx/cell_ref.h"

namespace tavo::xlsx {

std::string ColumnLetters(std::int32_t column) {
  std::string letters;
  while (column > 0) {
    int rest = (column - 1) % 26;
    letters.insert(letters.begin(), static_cast<char>('A' + rest));
    column = (column - 1) / 26;
  }
  return letters;
}

std::string CellName(std::int32_t row, std::int32_t column) {
  return ColumnLetters(column) + std::to_string(row);
}

std::optional<CellRef> ParseCellName(std::string_view name) {
  size_t i = 0;
  if (i < name.size() && name[i] == '$') ++i;
  std::int64_t column = 0;
  size_t letters = 0;
  for (; i < name.size(); ++i) {
    char c = name[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c < 'A' || c > 'Z') break;
    column = column * 26 + (c - 'A' + 1);
    if (++letters > 3) return std::nullopt;
  }
  if (i < name.size() && name[i] == '$') ++i;
  std::int64_t row = 0;
  size_t digits = 0;
  for (; i < name.size(); ++i) {
    char c = name[i];
    if (c < '0' || c > '9') return std::nullopt;
    row = row * 10 + (c - '0');
    if (++digits > 7) return std::nullopt;
  }
  if (letters == 0 || digits == 0 || row < 1 || row > kMaxRows || column > kMaxColumns) {
    return std::nullopt;
  }
  return CellRef{static_cast<std::int32_t>(row), static_cast<std::int32_t>(column)};
}

}  // namespace tavo::xlsx
