#pragma once
// The drawing part of a sheet's text boxes (the month watermarks): plain
// text boxes whose text is filled in the chosen colour, anchored to move
// with the cells but not size with them.
#include <array>
#include <cstdint>
#include <string>

#include "workbook/workbook_model.h"

namespace tavo::xlsx {

std::string WriteDrawingPart(const workbook::Worksheet& sheet,
                             const std::array<std::int32_t, 56>& palette);

// The cell and the offset in EMU inside it where a point lies, counting
// the sheet's column widths and row heights (0-based, as drawings count).
struct AnchorPoint {
  std::int32_t column = 0, row = 0;
  std::int64_t column_offset = 0, row_offset = 0;
};
AnchorPoint AnchorAt(const workbook::Worksheet& sheet, double left, double top);

}  // namespace tavo::xlsx
