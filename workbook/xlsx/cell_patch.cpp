#include "workbook/xlsx/cell_patch.h"

#include <cstring>
#include <map>

#include "workbook/xlsx/cell_ref.h"
#include "workbook/xlsx/number_formats.h"
#include "workbook/xlsx/opc_names.h"
#include "workbook/xlsx/sheet_writer.h"

namespace tavo::xlsx {
namespace {

bool Is(pugi::xml_node node, const char* local) {
  return node.type() == pugi::node_element && std::strcmp(LocalName(node.name()), local) == 0;
}

// Element names take the prefix the part uses for the sheet's namespace.
std::string Name(pugi::xml_node root, const char* local) {
  const char* colon = std::strrchr(root.name(), ':');
  return colon ? std::string(root.name(), colon + 1) + local : local;
}

// Gives every row and cell of sheetData an explicit reference, so that
// inserting one does not shift the implicit ones after it.
void MakeReferencesExplicit(pugi::xml_node data) {
  int row_number = 0;
  for (pugi::xml_node row : data.children()) {
    if (!Is(row, "row")) continue;
    if (!row.attribute("r")) row.append_attribute("r") = row_number + 1;
    row_number = row.attribute("r").as_int();
    int column = 0;
    for (pugi::xml_node c : row.children()) {
      if (!Is(c, "c")) continue;
      if (!c.attribute("r")) {
        c.prepend_attribute("r") = CellName(row_number, column + 1).c_str();
      }
      std::optional<CellRef> ref = ParseCellName(c.attribute("r").value());
      column = ref ? ref->column : column + 1;
    }
  }
}

pugi::xml_node FindOrAddRow(pugi::xml_node data, std::int32_t r) {
  pugi::xml_node before;
  for (pugi::xml_node row : data.children()) {
    if (!Is(row, "row")) continue;
    int n = row.attribute("r").as_int();
    if (n == r) return row;
    if (n > r) {
      before = row;
      break;
    }
  }
  std::string name = Name(data.parent(), "row");
  pugi::xml_node row = before ? data.insert_child_before(name.c_str(), before) : data.append_child(name.c_str());
  row.append_attribute("r") = r;
  return row;
}

pugi::xml_node FindOrAddCell(pugi::xml_node row, std::int32_t r, std::int32_t column) {
  pugi::xml_node before;
  for (pugi::xml_node c : row.children()) {
    if (!Is(c, "c")) continue;
    std::optional<CellRef> ref = ParseCellName(c.attribute("r").value());
    if (!ref) continue;
    if (ref->column == column) return c;
    if (ref->column > column) {
      before = c;
      break;
    }
  }
  // The row's column span hint would no longer cover the new cell.
  row.remove_attribute("spans");
  std::string name = Name(row.parent().parent(), "c");
  pugi::xml_node c = before ? row.insert_child_before(name.c_str(), before) : row.append_child(name.c_str());
  c.append_attribute("r") = CellName(r, column).c_str();
  return c;
}

void SetValue(pugi::xml_node c, const host::Variant& value, StyleRegistry& styles) {
  for (pugi::xml_node child = c.first_child(); child;) {
    pugi::xml_node next = child.next_sibling();
    if (Is(child, "v") || Is(child, "f") || Is(child, "is")) c.remove_child(child);
    child = next;
  }
  for (const char* attribute : {"t", "cm", "vm"}) c.remove_attribute(attribute);
  pugi::xml_node sheet = c.parent().parent().parent();
  if (value.IsEmpty()) return;
  if (value.IsNumber()) {
    c.append_child(Name(sheet, "v").c_str()).text() = host::NumberToText(value.Number()).c_str();
  } else if (value.IsBool()) {
    c.append_attribute("t") = "b";
    c.append_child(Name(sheet, "v").c_str()).text() = value.Bool() ? "1" : "0";
  } else if (value.IsDate()) {
    const std::uint32_t style = c.attribute("s").as_uint(0);
    if (!styles.IsDateStyle(style)) {
      if (!c.attribute("s")) c.append_attribute("s");
      c.attribute("s") = styles.WithNumberFormat(style, workbook::kShortDateFormat);
    }
    c.append_child(Name(sheet, "v").c_str()).text() =
        host::NumberToText(DateToFileSerial(value.DateSerial())).c_str();
  } else if (value.IsError()) {
    const char* text = host::CellErrorText(value.ErrorCode());
    c.append_attribute("t") = "e";
    c.append_child(Name(sheet, "v").c_str()).text() = text ? text : "#VALUE!";
  } else {
    c.append_attribute("t") = "inlineStr";
    std::string text = XmlSafeText(value.Text());
    pugi::xml_node t = c.append_child(Name(sheet, "is").c_str()).append_child(Name(sheet, "t").c_str());
    if (!text.empty() && (text.front() == ' ' || text.back() == ' ' || text.find('\n') != std::string::npos)) {
      t.append_attribute("xml:space") = "preserve";
    }
    t.text() = text.c_str();
  }
}

}  // namespace

std::vector<CellChange> ChangedCells(const workbook::Worksheet& sheet,
                                     const std::vector<CellValue>& loaded) {
  std::map<std::pair<std::int32_t, std::int32_t>, const host::Variant*> before;
  for (const CellValue& cell : loaded) before[{cell.row, cell.column}] = &cell.value;
  std::vector<CellChange> changes;
  for (std::int32_t r = 1; r < sheet.cells.RowLimit(); ++r) {
    for (const workbook::Cell& cell : sheet.cells.Row(r)) {
      auto it = before.find({r, cell.column});
      const bool was = it != before.end();
      const bool value_changed = was ? !(*it->second == cell.value) : !cell.value.IsEmpty();
      if (was) before.erase(it);
      // A format set since loading; a new cell with the plain format (a
      // value written into a blank cell) has nothing to say of its style.
      const bool format_set = cell.format.source_style < 0 &&
                              (was || cell.quote_prefix || !(cell.format == workbook::CellFormat{}));
      if (!value_changed && !format_set) continue;
      CellChange change{r, cell.column, cell.value, value_changed, std::nullopt, cell.quote_prefix};
      if (format_set) change.format = cell.format;
      changes.push_back(std::move(change));
    }
  }
  // Loaded cells the model no longer has lost their value.
  for (const auto& [at, value] : before) changes.push_back({at.first, at.second, {}, true, std::nullopt, false});
  return changes;
}

void PatchCells(pugi::xml_document& doc, const std::vector<CellChange>& changes,
                StyleRegistry& styles) {
  if (changes.empty()) return;
  pugi::xml_node root = doc.document_element();
  pugi::xml_node data = Child(root, "sheetData");
  if (!data) {
    pugi::xml_node after;
    for (const char* name : {"sheetPr", "dimension", "sheetViews", "sheetFormatPr", "cols"}) {
      if (pugi::xml_node n = Child(root, name)) after = n;
    }
    std::string name = Name(root, "sheetData");
    data = after ? root.insert_child_after(name.c_str(), after) : root.prepend_child(name.c_str());
  }
  MakeReferencesExplicit(data);
  for (const CellChange& change : changes) {
    pugi::xml_node row = FindOrAddRow(data, change.row);
    pugi::xml_node c = FindOrAddCell(row, change.row, change.column);
    if (change.format) {
      const std::uint32_t style = styles.IndexOf(*change.format, change.quote_prefix);
      if (style != 0 || c.attribute("s")) {
        if (!c.attribute("s")) c.append_attribute("s");
        c.attribute("s") = style;
      }
    }
    if (change.value_changed) SetValue(c, change.value, styles);
  }
}

}  // namespace tavo::xlsx
