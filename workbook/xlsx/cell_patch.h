#pragma once
// Writing changed cells into a loaded worksheet part, leaving every other
// cell, row and element as it was: their values, and the formats the host
// set on them since the sheet was loaded. Texts go in as inline strings, so
// the shared strings part never changes.
#include <pugixml.hpp>

#include <optional>
#include <vector>

#include "workbook/workbook_model.h"
#include "workbook/xlsx/sheet_reader.h"
#include "workbook/xlsx/style_registry.h"

namespace tavo::xlsx {

struct CellChange {
  std::int32_t row = 0, column = 0;
  host::Variant value;  // empty clears the value (the cell keeps its style)
  bool value_changed = true;
  // The cell's format, when the host set one since the sheet was loaded.
  std::optional<workbook::CellFormat> format;
  bool quote_prefix = false;
};

// The cells whose value in `sheet` differs from `loaded`, and those whose
// format the host set (a format loaded from the file keeps its style index;
// one set since has none).
std::vector<CellChange> ChangedCells(const workbook::Worksheet& sheet,
                                     const std::vector<CellValue>& loaded);

// A date value gives its cell a date format when its style has none.
void PatchCells(pugi::xml_document& doc, const std::vector<CellChange>& changes,
                StyleRegistry& styles);

}  // namespace tavo::xlsx
