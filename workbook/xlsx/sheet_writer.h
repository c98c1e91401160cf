#pragma once
// The XML of a worksheet part written whole from the model: values (texts
// as inline strings), cell, row, column and sheet formats, merges, sizes,
// frozen panes and page setup.
#include <string>

#include "workbook/workbook_model.h"
#include "workbook/xlsx/style_registry.h"

namespace tavo::xlsx {

struct SheetWriteOptions {
  bool tab_selected = false;
  std::string drawing_rel_id;  // "" when the sheet has no drawing
};

std::string WriteSheetPart(const workbook::Worksheet& sheet, std::int32_t column_count,
                           StyleRegistry& styles, const SheetWriteOptions& options);

// Text made safe for XML 1.0: control characters other than tab, line feed
// and carriage return are dropped.
std::string XmlSafeText(const std::string& text);

}  // namespace tavo::xlsx
