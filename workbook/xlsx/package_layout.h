#pragma once
// Where things are in a spreadsheet package: the workbook part, its sheets
// in tab order and the parts it relates to, as read from the package's
// relationships and workbook.xml.
#include <string>
#include <vector>

#include "workbook/xlsx/package_edit.h"

namespace tavo::xlsx {

struct SheetEntry {
  std::string name;
  std::string rel_id;
  std::string part;  // "" when the relationship is missing or external
  bool is_worksheet = false;  // chart and dialog sheets are not
  int visible = -1;           // -1 visible, 0 hidden, 2 very hidden
};

struct PackageLayout {
  std::string workbook_part;
  std::vector<SheetEntry> sheets;  // tab order, every kind of sheet
  int active_tab = 0;
  std::string styles_part;
  std::string shared_strings_part;
};

// Raises tavo::Error when the package has no workbook part or its XML is bad.
PackageLayout ReadPackageLayout(const PackageEdit& package, const std::string& file);

// The relationships of one part: id, type, resolved target part (empty when
// external).
struct Relationship {
  std::string id, type, target, part;
  bool external = false;
};
std::vector<Relationship> ReadRelationships(const PackageEdit& package, const std::string& source_part,
                                            const std::string& file);

}  // namespace tavo::xlsx
