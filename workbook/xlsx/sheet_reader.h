#pragma once
// Reading what the component needs from a worksheet part: its cell values
// and its page setup.
#include <pugixml.hpp>

#include <string>
#include <vector>

#include "workbook/workbook_model.h"

namespace tavo::xlsx {

// Strings and styles of the workbook the cells refer to.
struct CellContext {
  std::vector<std::string> shared_strings;
  std::vector<bool> quote_prefix;  // per cellXfs index
  std::vector<bool> date_style;    // per cellXfs index: numbers show as dates
};

std::vector<std::string> ReadSharedStrings(const pugi::xml_document& doc);

struct CellValue {
  std::int32_t row = 0, column = 0;
  host::Variant value;
  bool quote_prefix = false;
  std::int32_t style = 0;
};

// Every cell with a value. Numbers in a date or time format are dates;
// formulas read as their cached value of the type `t` gives (none, or an
// empty one, reads as no value); error cells are error values. Raises
// tavo::Error naming `file` for a cell reference outside the sheet.
std::vector<CellValue> ReadCellValues(const pugi::xml_document& sheet, const CellContext& context,
                                      const std::string& file);

// Margins, orientation, paper size, zoom or fit to page, footer, centring.
workbook::PageSetup ReadPageSetup(const pugi::xml_document& sheet);

}  // namespace tavo::xlsx
