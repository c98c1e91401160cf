#pragma once
// docProps/app.xml lists the worksheet names and their count; keep them in
// step with the workbook's sheets.
#include <pugixml.hpp>

#include <string>
#include <vector>

namespace tavo::xlsx {

// Returns false (and changes nothing) when the part has no worksheet entry
// it recognises.
bool SetWorksheetTitles(pugi::xml_document& app, const std::vector<std::string>& names);

}  // namespace tavo::xlsx
