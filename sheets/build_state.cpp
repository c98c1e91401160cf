#include "sheets/build_state.h"

#include <limits>

#include "common/error.h"
#include "hostbook/settings_cells.h"

namespace tavo::sheets {

std::int32_t LayoutOptions::PageSetupKey() const {
  const std::int64_t key = std::int64_t{style} + std::int64_t{direction};
  if (key < std::numeric_limits<std::int32_t>::min() ||
      key > std::numeric_limits<std::int32_t>::max()) {
    RaiseOverflow("LayoutStyle + LayoutDirection");
  }
  return static_cast<std::int32_t>(key);
}

LayoutOptions ReadLayoutOptions(host::Sheet& dtb) {
  LayoutOptions options;
  auto option = [&dtb](int column) {
    return dtb.Cells(settings::kRow, column)->Value().ToInt32();
  };
  options.week_start = option(settings::kWeekStartColumn);
  options.color_mode = option(settings::kColorModeColumn);
  options.direction = option(settings::kLayoutDirectionColumn);
  options.style = option(settings::kLayoutStyleColumn);
  return options;
}

bool WorksheetExists(host::Sheets& worksheets, const std::string& name) {
  const std::int32_t count = worksheets.Count();
  for (std::int32_t i = 1; i <= count; ++i) {
    if (worksheets.Item(i)->Name() == name) return true;
  }
  return false;
}

std::unique_ptr<host::CellRange> Cell(host::Sheet& sheet, int row, int column) {
  return sheet.Cells(row, column);
}

std::unique_ptr<host::CellRange> Block(host::Sheet& sheet, int first_row, int first_column,
                                       int last_row, int last_column) {
  auto first = sheet.Cells(first_row, first_column);
  auto last = sheet.Cells(last_row, last_column);
  return sheet.Range(*first, *last);
}

}  // namespace tavo::sheets
