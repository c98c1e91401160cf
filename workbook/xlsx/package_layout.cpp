#include "workbook/xlsx/package_layout.h"

#include <cstring>

#include "workbook/xlsx/opc_names.h"
#include "workbook/xlsx/xlsx_error.h"
#include "workbook/xlsx/xml_part.h"

namespace tavo::xlsx {

std::vector<Relationship> ReadRelationships(const PackageEdit& package, const std::string& source_part,
                                            const std::string& file) {
  std::vector<Relationship> out;
  std::string rels_part = RelsPartFor(source_part);
  std::optional<std::string> content = package.ReadIfPresent(rels_part);
  if (!content) return out;
  pugi::xml_document doc;
  ParseXmlPart(doc, *content, file, rels_part);
  for (pugi::xml_node rel : doc.document_element().children()) {
    if (rel.type() != pugi::node_element || std::strcmp(LocalName(rel.name()), "Relationship") != 0) {
      continue;
    }
    Relationship r;
    r.id = rel.attribute("Id").value();
    r.type = rel.attribute("Type").value();
    r.target = rel.attribute("Target").value();
    r.external = std::strcmp(rel.attribute("TargetMode").value(), "External") == 0;
    if (!r.external) r.part = ResolveTarget(source_part, r.target);
    out.push_back(std::move(r));
  }
  return out;
}

namespace {
int VisibleFromState(const char* state) {
  if (std::strcmp(state, "hidden") == 0) return 0;
  if (std::strcmp(state, "veryHidden") == 0) return 2;
  return -1;
}
}  // namespace

PackageLayout ReadPackageLayout(const PackageEdit& package, const std::string& file) {
  PackageLayout layout;
  for (const Relationship& r : ReadRelationships(package, "", file)) {
    if (r.type == reltype::kOfficeDocument && !r.external) layout.workbook_part = r.part;
  }
  if (layout.workbook_part.empty() || !package.Exists(layout.workbook_part)) {
    layout.workbook_part = "xl/workbook.xml";
  }
  if (!package.Exists(layout.workbook_part)) {
    RaiseBadPackage(file, "缺少工作簿部件 xl/workbook.xml", "there is no workbook part xl/workbook.xml");
  }
  pugi::xml_document doc;
  ParseXmlPart(doc, package.Read(layout.workbook_part), file, layout.workbook_part);

  std::vector<Relationship> rels = ReadRelationships(package, layout.workbook_part, file);
  for (const Relationship& r : rels) {
    if (r.external) continue;
    if (r.type == reltype::kStyles) layout.styles_part = r.part;
    if (r.type == reltype::kSharedStrings) layout.shared_strings_part = r.part;
  }
  pugi::xml_node root = doc.document_element();
  for (pugi::xml_node sheet : Child(root, "sheets").children()) {
    if (sheet.type() != pugi::node_element || std::strcmp(LocalName(sheet.name()), "sheet") != 0) {
      continue;
    }
    SheetEntry entry;
    entry.name = sheet.attribute("name").value();
    for (pugi::xml_attribute a : sheet.attributes()) {
      if (std::strcmp(LocalName(a.name()), "id") == 0) entry.rel_id = a.value();
    }
    entry.visible = VisibleFromState(sheet.attribute("state").value());
    for (const Relationship& r : rels) {
      if (r.id == entry.rel_id && !r.external) {
        entry.part = r.part;
        entry.is_worksheet = r.type == reltype::kWorksheet && package.Exists(r.part);
      }
    }
    layout.sheets.push_back(std::move(entry));
  }
  pugi::xml_node view = Child(Child(root, "bookViews"), "workbookView");
  layout.active_tab = view.attribute("activeTab").as_int(0);
  if (layout.active_tab < 0 || layout.active_tab >= static_cast<int>(layout.sheets.size())) {
    layout.active_tab = 0;
  }
  return layout;
}

}  // namespace tavo::xlsx
