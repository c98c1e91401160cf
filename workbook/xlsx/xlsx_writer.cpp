// SaveXlsx: the workbook-level edits of a save. New sheets are written
// whole, loaded sheets are patched or copied, deleted sheets leave with the
// parts only they used, and the workbook, its relationships, content types,
// document properties and styles are edited in place.
#include <algorithm>
#include <cstring>
#include <set>

#include "workbook/xlsx/app_properties.h"
#include "workbook/xlsx/cell_patch.h"
#include "workbook/xlsx/content_types.h"
#include "workbook/xlsx/defined_names.h"
#include "workbook/xlsx/drawing_writer.h"
#include "workbook/xlsx/opc_names.h"
#include "workbook/xlsx/package_layout.h"
#include "workbook/xlsx/package_skeleton.h"
#include "workbook/xlsx/palette.h"
#include "workbook/xlsx/part_graph.h"
#include "workbook/xlsx/sheet_writer.h"
#include "workbook/xlsx/style_registry.h"
#include "workbook/xlsx/xlsx_error.h"
#include "workbook/xlsx/xlsx_original.h"
#include "workbook/xlsx/xml_part.h"

namespace tavo::xlsx {
namespace {

using workbook::WorkbookModel;
using workbook::Worksheet;

// An XML part opened for editing, written back only when changed.
struct EditedPart {
  std::string name;
  pugi::xml_document doc;
  bool changed = false;

  void Open(const PackageEdit& edit, const std::string& part, const std::string& file) {
    name = part;
    ParseXmlPart(doc, edit.Read(part), file, part);
  }
  pugi::xml_node root() { return doc.document_element(); }
  void Store(PackageEdit& edit) {
    if (changed) edit.Put(name, SaveXmlPart(doc));
  }
};

std::vector<pugi::xml_node> SheetNodes(pugi::xml_node workbook) {
  std::vector<pugi::xml_node> nodes;
  for (pugi::xml_node n : Child(workbook, "sheets").children()) {
    if (n.type() == pugi::node_element && std::strcmp(LocalName(n.name()), "sheet") == 0) nodes.push_back(n);
  }
  return nodes;
}

std::string FreeRelId(pugi::xml_node rels) {
  std::set<std::string> used;
  for (pugi::xml_node r : rels.children()) used.insert(r.attribute("Id").value());
  for (int n = 1;; ++n) {
    std::string id = "rId" + std::to_string(n);
    if (!used.count(id)) return id;
  }
}

pugi::xml_node AddRel(pugi::xml_node rels, const std::string& id, const char* type, const std::string& target) {
  pugi::xml_node r = rels.append_child("Relationship");
  r.append_attribute("Id") = id.c_str();
  r.append_attribute("Type") = type;
  r.append_attribute("Target") = target.c_str();
  return r;
}

void RemoveRel(pugi::xml_node rels, const std::string& id) {
  for (pugi::xml_node r : rels.children()) {
    if (id == r.attribute("Id").value()) {
      rels.remove_child(r);
      return;
    }
  }
}

// "xl/worksheets/sheet7.xml" with the first number not in use, original names included.
std::string FreePartName(const PackageEdit& edit, const ZipPackage* original, const std::string& folder,
                         const char* stem, std::set<std::string>& taken) {
  for (int n = 1;; ++n) {
    std::string name = folder + stem + std::to_string(n) + ".xml";
    if (edit.Exists(name) || taken.count(name) || (original && original->Has(name))) continue;
    taken.insert(name);
    return name;
  }
}

std::string Folder(const std::string& part) {
  auto slash = part.rfind('/');
  return slash == std::string::npos ? "" : part.substr(0, slash + 1);
}

const char* StateOf(int visible) {
  return visible == 0 ? "hidden" : visible == 2 ? "veryHidden" : nullptr;
}

void SetAttribute(pugi::xml_node node, const char* name, const std::string& value, bool& changed) {
  pugi::xml_attribute a = node.attribute(name);
  if (a && value == a.value()) return;
  if (!a) a = node.append_attribute(name);
  a.set_value(value.c_str());
  changed = true;
}

// Clears tabSelected in a loaded sheet's views, so the host does not open
// with several sheets grouped. Parts without it are left untouched.
void ClearTabSelected(PackageEdit& edit, const ZipPackage* original, const std::string& part,
                      const std::string& file, pugi::xml_document* already_open) {
  pugi::xml_document own;
  pugi::xml_document* doc = already_open;
  if (doc == nullptr) {
    const ZipEntry* entry = original ? original->Find(part) : nullptr;
    if (entry == nullptr || entry->size > kMaxPartBytes) return;
    std::string content = edit.Read(part);
    if (content.find("tabSelected") == std::string::npos) return;
    ParseXmlPart(own, content, file, part);
    doc = &own;
  }
  bool changed = false;
  for (pugi::xml_node view : Child(doc->document_element(), "sheetViews").children()) {
    pugi::xml_attribute a = view.attribute("tabSelected");
    if (a && a.as_bool()) {
      view.remove_attribute(a);
      changed = true;
    }
  }
  if (changed && doc == &own) edit.Put(part, SaveXmlPart(own));
}

// The prefix the workbook part binds to the relationships namespace,
// declaring "r" when it binds none.
std::string RelPrefix(pugi::xml_node workbook) {
  for (pugi::xml_attribute a : workbook.attributes()) {
    if (std::strncmp(a.name(), "xmlns:", 6) == 0 && std::strcmp(a.value(), ns::kRel) == 0) {
      return a.name() + 6;
    }
  }
  workbook.append_attribute("xmlns:r") = ns::kRel;
  return "r";
}

struct NewSheet {
  size_t model_index;
  std::string part;
  pugi::xml_node node;
};

}  // namespace

void SaveXlsx(const WorkbookModel& model, const XlsxOriginal* original, const std::string& path) {
  CheckOutputPath(path);
  // A workbook part without sheets is a file no host opens.
  if (model.sheets.empty()) {
    RaiseFileError(kBadFileFormat, "工作簿没有工作表，不能保存", "a workbook without sheets cannot be saved", path);
  }
  const XlsxOriginal::Impl* impl = original ? &original->impl() : nullptr;
  const ZipPackage* package = impl ? impl->package.get() : nullptr;
  const std::string file = package ? package->label() : path;
  PackageEdit edit(package);
  if (!package) WritePackageSkeleton(edit);

  PackageLayout layout = ReadPackageLayout(edit, file);
  EditedPart workbook, rels, types, styles, app;
  workbook.Open(edit, layout.workbook_part, file);
  rels.name = RelsPartFor(layout.workbook_part);
  if (edit.Exists(rels.name)) {
    rels.Open(edit, rels.name, file);
  } else {
    NewXmlDocument(rels.doc);
    rels.doc.append_child("Relationships").append_attribute("xmlns") = ns::kPackageRel;
    rels.changed = true;
  }
  types.Open(edit, "[Content_Types].xml", file);
  ContentTypes content_types(types.doc);
  if (layout.styles_part.empty() || !edit.Exists(layout.styles_part)) {
    layout.styles_part = Folder(layout.workbook_part) + "styles.xml";
    edit.Put(layout.styles_part, DefaultStylesPart());
    AddRel(rels.root(), FreeRelId(rels.root()), reltype::kStyles, "styles.xml");
    content_types.AddOverride(layout.styles_part, ctype::kStyles);
    rels.changed = types.changed = true;
  }
  styles.Open(edit, layout.styles_part, file);
  StyleRegistry registry(styles.doc);
  const bool has_app = edit.Exists("docProps/app.xml");
  if (has_app) app.Open(edit, "docProps/app.xml", file);

  // Which loaded sheet each model sheet is; the rest of the loaded worksheets go.
  std::vector<pugi::xml_node> nodes = SheetNodes(workbook.root());
  std::vector<int> claim(model.sheets.size(), -1);
  std::vector<bool> claimed(layout.sheets.size(), false);
  for (size_t i = 0; i < model.sheets.size(); ++i) {
    const Worksheet& sheet = model.sheets[i];
    if (sheet.source_part.empty()) continue;
    for (size_t k = 0; k < layout.sheets.size(); ++k) {
      if (!claimed[k] && layout.sheets[k].is_worksheet && layout.sheets[k].part == sheet.source_part) {
        claim[i] = static_cast<int>(k);
        claimed[k] = true;
        break;
      }
    }
  }
  std::uint32_t max_sheet_id = 0;
  for (pugi::xml_node n : nodes) max_sheet_id = std::max(max_sheet_id, n.attribute("sheetId").as_uint());

  std::set<std::string> deleted_parts;
  for (size_t k = 0; k < layout.sheets.size(); ++k) {
    if (layout.sheets[k].is_worksheet && !claimed[k]) deleted_parts.insert(layout.sheets[k].part);
  }
  std::vector<pugi::xml_node> model_node(model.sheets.size());
  for (size_t i = 0; i < model.sheets.size(); ++i) {
    if (claim[i] >= 0) model_node[i] = nodes[static_cast<size_t>(claim[i])];
  }
  if (!deleted_parts.empty()) {
    std::set<std::string> remove = PartsToRemove(edit, deleted_parts, file);
    for (int k = static_cast<int>(layout.sheets.size()) - 1; k >= 0; --k) {
      const SheetEntry& entry = layout.sheets[static_cast<size_t>(k)];
      if (!entry.is_worksheet || claimed[static_cast<size_t>(k)]) continue;
      NamesAfterSheetDeleted(workbook.root(), k);
      nodes[static_cast<size_t>(k)].parent().remove_child(nodes[static_cast<size_t>(k)]);
      nodes.erase(nodes.begin() + k);
      RemoveRel(rels.root(), entry.rel_id);
    }
    for (const std::string& part : remove) {
      edit.Remove(part);
      content_types.RemoveOverride(part);
    }
    workbook.changed = rels.changed = types.changed = true;
  }

  // Names and visibility of the sheets that stay.
  for (size_t i = 0; i < model.sheets.size(); ++i) {
    if (!model_node[i]) continue;
    const Worksheet& sheet = model.sheets[i];
    SetAttribute(model_node[i], "name", sheet.name, workbook.changed);
    const char* state = StateOf(sheet.visible);
    if (state) {
      SetAttribute(model_node[i], "state", state, workbook.changed);
    } else if (model_node[i].attribute("state")) {
      model_node[i].remove_attribute("state");
      workbook.changed = true;
    }
  }

  // New sheets go where the model has them.
  std::vector<NewSheet> added;
  std::set<std::string> taken;
  const std::string sheet_folder = Folder(layout.workbook_part) + "worksheets/";
  pugi::xml_node sheets_list = Child(workbook.root(), "sheets");
  if (!sheets_list) sheets_list = workbook.root().append_child("sheets");
  for (size_t i = 0; i < model.sheets.size(); ++i) {
    if (model_node[i]) continue;
    pugi::xml_node node;
    if (i > 0) {
      node = sheets_list.insert_child_after("sheet", model_node[i - 1]);
    } else {
      auto later = std::find_if(model_node.begin() + 1, model_node.end(), [](pugi::xml_node n) { return !n.empty(); });
      node = later != model_node.end() ? sheets_list.insert_child_before("sheet", *later)
             : nodes.empty()           ? sheets_list.append_child("sheet")
                                       : sheets_list.insert_child_before("sheet", nodes.front());
    }
    model_node[i] = node;
    nodes = SheetNodes(workbook.root());
    int position = static_cast<int>(std::find(nodes.begin(), nodes.end(), node) - nodes.begin());
    NamesAfterSheetInserted(workbook.root(), position);

    NewSheet sheet{i, FreePartName(edit, package, sheet_folder, "sheet", taken), node};
    std::string rel_id = FreeRelId(rels.root());
    AddRel(rels.root(), rel_id, reltype::kWorksheet, RelativeTarget(layout.workbook_part, sheet.part));
    node.append_attribute("name") = model.sheets[i].name.c_str();
    node.append_attribute("sheetId") = ++max_sheet_id;
    if (const char* state = StateOf(model.sheets[i].visible)) node.append_attribute("state") = state;
    node.append_attribute((RelPrefix(workbook.root()) + ":id").c_str()) = rel_id.c_str();
    added.push_back(std::move(sheet));
    workbook.changed = rels.changed = types.changed = true;
  }

  // The active sheet and its tab.
  nodes = SheetNodes(workbook.root());
  size_t active_model = std::min(model.active_sheet, model.sheets.empty() ? 0 : model.sheets.size() - 1);
  int active_tab = model.sheets.empty() ? 0
      : static_cast<int>(std::find(nodes.begin(), nodes.end(), model_node[active_model]) - nodes.begin());
  pugi::xml_node views = Child(workbook.root(), "bookViews");
  if (!views) views = workbook.root().insert_child_before("bookViews", sheets_list);
  pugi::xml_node view = Child(views, "workbookView");
  if (!view) view = views.append_child("workbookView");
  if (view.attribute("activeTab").as_int(0) != active_tab) {
    SetAttribute(view, "activeTab", std::to_string(active_tab), workbook.changed);
  }
  if (view.attribute("firstSheet").as_int(0) > active_tab) {
    SetAttribute(view, "firstSheet", std::to_string(active_tab), workbook.changed);
  }

  // Loaded sheets: changed cells patched in, stray tab selections cleared.
  bool cells_patched = false;
  for (size_t i = 0; i < model.sheets.size(); ++i) {
    if (claim[i] < 0) continue;
    const Worksheet& sheet = model.sheets[i];
    const bool active = i == active_model;
    auto loaded = impl ? impl->loaded_cells.find(sheet.source_part) : decltype(impl->loaded_cells.end()){};
    std::vector<CellChange> changes;
    if (impl && loaded != impl->loaded_cells.end() && sheet.modified) changes = ChangedCells(sheet, loaded->second);
    if (!changes.empty()) {
      pugi::xml_document doc;
      ParseXmlPart(doc, edit.Read(sheet.source_part), file, sheet.source_part);
      PatchCells(doc, changes, registry);
      if (!active) ClearTabSelected(edit, package, sheet.source_part, file, &doc);
      edit.Put(sheet.source_part, SaveXmlPart(doc));
      cells_patched = true;
    } else if (!active && (!added.empty() || !deleted_parts.empty() || layout.active_tab != active_tab)) {
      ClearTabSelected(edit, package, sheet.source_part, file, nullptr);
    }
  }

  // New sheets, with their drawings and print titles.
  std::set<std::string> drawings_taken;
  const std::string drawing_folder = Folder(layout.workbook_part) + "drawings/";
  for (const NewSheet& entry : added) {
    const Worksheet& sheet = model.sheets[entry.model_index];
    SheetWriteOptions options;
    options.tab_selected = entry.model_index == active_model;
    if (!sheet.shapes.empty()) {
      std::string drawing = FreePartName(edit, package, drawing_folder, "drawing", drawings_taken);
      edit.Put(drawing, WriteDrawingPart(sheet, model.palette));
      content_types.AddOverride(drawing, ctype::kDrawing);
      options.drawing_rel_id = "rId1";
      pugi::xml_document sheet_rels;
      NewXmlDocument(sheet_rels);
      pugi::xml_node root = sheet_rels.append_child("Relationships");
      root.append_attribute("xmlns") = ns::kPackageRel;
      AddRel(root, options.drawing_rel_id, reltype::kDrawing, RelativeTarget(entry.part, drawing));
      edit.Put(RelsPartFor(entry.part), SaveXmlPart(sheet_rels));
    }
    edit.Put(entry.part, WriteSheetPart(sheet, model.column_count, registry, options));
    content_types.AddOverride(entry.part, ctype::kWorksheet);
    int position = static_cast<int>(std::find(nodes.begin(), nodes.end(), entry.node) - nodes.begin());
    if (!sheet.page_setup.print_title_rows.empty()) {
      SetPrintTitles(workbook.root(), position, sheet.name, sheet.page_setup.print_title_rows);
    }
  }

  // A stale calculation chain is taken for corruption; the host rebuilds it.
  if (!deleted_parts.empty() || cells_patched) {
    for (pugi::xml_node r : rels.root().children()) {
      if (std::strcmp(r.attribute("Type").value(), reltype::kCalcChain) != 0) continue;
      std::string part = ResolveTarget(layout.workbook_part, r.attribute("Target").value());
      edit.Remove(part);
      content_types.RemoveOverride(part);
      rels.root().remove_child(r);
      rels.changed = types.changed = true;
      break;
    }
  }

  const std::array<std::int32_t, 56>& before = impl ? impl->palette_as_loaded : WorkbookModel::DefaultPalette();
  if (model.palette != before) {
    WritePalette(styles.doc, model.palette);
    styles.changed = true;
  }
  styles.changed = styles.changed || registry.changed();

  if (has_app && (!added.empty() || !deleted_parts.empty() || workbook.changed)) {
    std::vector<std::string> titles;
    std::vector<std::string> names;
    for (pugi::xml_node n : nodes) {
      std::string id;
      for (pugi::xml_attribute a : n.attributes()) {
        if (std::strcmp(LocalName(a.name()), "id") == 0) id = a.value();
      }
      for (pugi::xml_node r : rels.root().children()) {
        if (id == r.attribute("Id").value() && std::strcmp(r.attribute("Type").value(), reltype::kWorksheet) == 0) {
          names.push_back(n.attribute("name").value());
        }
      }
    }
    std::string before_text = SaveXmlPart(app.doc);
    if (SetWorksheetTitles(app.doc, names)) app.changed = SaveXmlPart(app.doc) != before_text;
  }
  content_types.EnsureDefault("rels", ctype::kRelationships);
  content_types.EnsureDefault("xml", "application/xml");

  for (EditedPart* part : {&workbook, &rels, &types, &styles, &app}) part->Store(edit);
  edit.Save(path);
}

}  // namespace tavo::xlsx
