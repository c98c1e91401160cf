#include "workbook/xlsx/defined_names.h"

#include <cstring>
#include <vector>

#include "workbook/xlsx/opc_names.h"

namespace tavo::xlsx {
namespace {

std::vector<pugi::xml_node> ScopedNames(pugi::xml_node workbook) {
  std::vector<pugi::xml_node> names;
  for (pugi::xml_node name : Child(workbook, "definedNames").children()) {
    if (name.type() == pugi::node_element && name.attribute("localSheetId")) names.push_back(name);
  }
  return names;
}

}  // namespace

void NamesAfterSheetDeleted(pugi::xml_node workbook, int position) {
  pugi::xml_node list = Child(workbook, "definedNames");
  for (pugi::xml_node name : ScopedNames(workbook)) {
    int id = name.attribute("localSheetId").as_int();
    if (id == position) {
      list.remove_child(name);
    } else if (id > position) {
      name.attribute("localSheetId").set_value(id - 1);
    }
  }
  if (list && !Child(list, "definedName")) workbook.remove_child(list);
}

void NamesAfterSheetInserted(pugi::xml_node workbook, int position) {
  for (pugi::xml_node name : ScopedNames(workbook)) {
    int id = name.attribute("localSheetId").as_int();
    if (id >= position) name.attribute("localSheetId").set_value(id + 1);
  }
}

std::string QuotedSheetName(const std::string& name) {
  std::string out = "'";
  for (char c : name) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out + "'";
}

void SetPrintTitles(pugi::xml_node workbook, int position, const std::string& sheet_name,
                    const std::string& rows) {
  pugi::xml_node list = Child(workbook, "definedNames");
  if (!list) {
    // Schema order: sheets, functionGroups, externalReferences, definedNames.
    pugi::xml_node after = Child(workbook, "sheets");
    for (const char* name : {"functionGroups", "externalReferences"}) {
      if (pugi::xml_node n = Child(workbook, name)) after = n;
    }
    list = workbook.insert_child_after("definedNames", after);
  }
  for (pugi::xml_node name : ScopedNames(workbook)) {
    if (name.attribute("localSheetId").as_int() == position &&
        std::strcmp(name.attribute("name").value(), "_xlnm.Print_Titles") == 0) {
      list.remove_child(name);
    }
  }
  if (rows.empty()) return;
  pugi::xml_node name = list.append_child("definedName");
  name.append_attribute("name") = "_xlnm.Print_Titles";
  name.append_attribute("localSheetId") = position;
  name.text() = (QuotedSheetName(sheet_name) + "!" + rows).c_str();
}

}  // namespace tavo::xlsx
