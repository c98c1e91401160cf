#include "sheets/build_state.h"

#include <limits>

#include "common/error.h"
#include "hostbook/settings_cells.h"

namespace tavo::sheets {

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
