#include "workbook/xlsx/app_properties.h"

#include <cstring>

#include "workbook/xlsx/opc_names.h"

namespace tavo::xlsx {
namespace {

std::vector<pugi::xml_node> Elements(pugi::xml_node parent) {
  std::vector<pugi::xml_node> out;
  for (pugi::xml_node c : parent.children()) {
    if (c.type() == pugi::node_element) out.push_back(c);
  }
  return out;
}

bool IsWorksheetHeading(const char* text) {
  return std::strcmp(text, "Worksheets") == 0 || std::strcmp(text, "工作表") == 0;
}

}  // namespace

bool SetWorksheetTitles(pugi::xml_document& app, const std::vector<std::string>& names) {
  pugi::xml_node root = app.document_element();
  pugi::xml_node pairs = Child(Child(root, "HeadingPairs"), "vector");
  pugi::xml_node titles = Child(Child(root, "TitlesOfParts"), "vector");
  if (!pairs || !titles) return false;
  std::vector<pugi::xml_node> variants = Elements(pairs);
  long offset = 0;
  for (size_t i = 0; i + 1 < variants.size(); i += 2) {
    pugi::xml_node heading = Child(variants[i], "lpstr");
    pugi::xml_node count = Child(variants[i + 1], "i4");
    if (!count) return false;
    if (!IsWorksheetHeading(heading.text().get())) {
      offset += count.text().as_int();
      continue;
    }
    std::vector<pugi::xml_node> entries = Elements(titles);
    long old_count = count.text().as_int();
    if (offset + old_count > static_cast<long>(entries.size())) return false;
    pugi::xml_node before =
        offset + old_count < static_cast<long>(entries.size()) ? entries[static_cast<size_t>(offset + old_count)]
                                                               : pugi::xml_node();
    for (long k = 0; k < old_count; ++k) titles.remove_child(entries[static_cast<size_t>(offset + k)]);
    // New entries take the element name of the vector's own entries (vt:lpstr).
    std::string entry_name = std::string(titles.name()).substr(0, std::strlen(titles.name()) - 6) + "lpstr";
    for (const std::string& name : names) {
      pugi::xml_node entry = before ? titles.insert_child_before(entry_name.c_str(), before)
                                    : titles.append_child(entry_name.c_str());
      entry.text() = name.c_str();
    }
    count.text() = static_cast<int>(names.size());
    titles.attribute("size").set_value(Elements(titles).size());
    return true;
  }
  return false;
}

}  // namespace tavo::xlsx
