#pragma once
// Writing changed cell values into a loaded worksheet part, leaving every
// other cell, row and element as it was. Texts go in as inline strings, so
// the shared strings part never changes.
#include <pugixml.hpp>

#include <vector>

#include "workbook/workbook_model.h"
#include "workbook/xlsx/sheet_reader.h"
#include "workbook/xlsx/style_registry.h"

namespace tavo::xlsx {

struct CellChange {
  std::int32_t row = 0, column = 0;
  host::Variant value;  // empty clears the value (the cell keeps its style)
};

// The cells whose value in `sheet` differs from `loaded`.
std::vector<CellChange> ChangedCells(const workbook::Worksheet& sheet,
                                     const std::vector<CellValue>& loaded);

// A date value gives its cell a date format when its style has none.
void PatchCells(pugi::xml_document& doc, const std::vector<CellChange>& changes,
                StyleRegistry& styles);

}  // namespace tavo::xlsx
