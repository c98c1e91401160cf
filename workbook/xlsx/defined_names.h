#pragma once
// Sheet-scoped defined names in workbook.xml follow their sheet by position
// (localSheetId): deleting or inserting a sheet moves the numbers.
#include <pugixml.hpp>

#include <string>

namespace tavo::xlsx {

// Drops names scoped to `position` and lowers those above it.
void NamesAfterSheetDeleted(pugi::xml_node workbook, int position);
// Raises the names scoped to `position` or later.
void NamesAfterSheetInserted(pugi::xml_node workbook, int position);
// Sets the print titles of the sheet at `position` ("$1:$2"), replacing any.
void SetPrintTitles(pugi::xml_node workbook, int position, const std::string& sheet_name,
                    const std::string& rows);

// 'It''s' for a sheet name in a reference.
std::string QuotedSheetName(const std::string& name);

}  // namespace tavo::xlsx
