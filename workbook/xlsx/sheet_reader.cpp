#include "workbook/xlsx/sheet_reader.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/dates.h"

#include "workbook/xlsx/cell_ref.h"
#include "workbook/xlsx/number_formats.h"
#include "workbook/xlsx/opc_names.h"
#include "workbook/xlsx/xlsx_error.h"

namespace tavo::xlsx {
namespace {

bool Is(pugi::xml_node node, const char* local) {
  return node.type() == pugi::node_element && std::strcmp(LocalName(node.name()), local) == 0;
}

// The text of a string item: its <t>, or the runs' <t>s, without phonetic runs.
std::string ItemText(pugi::xml_node item) {
  std::string text;
  for (pugi::xml_node child : item.children()) {
    if (Is(child, "t")) text += child.text().get();
    if (Is(child, "r")) text += Child(child, "t").text().get();
  }
  return text;
}

bool ParseNumber(const char* text, double& out) {
  char* end = nullptr;
  out = std::strtod(text, &end);
  return end != text && *end == '\0';
}

}  // namespace

std::vector<std::string> ReadSharedStrings(const pugi::xml_document& doc) {
  std::vector<std::string> strings;
  for (pugi::xml_node si : doc.document_element().children()) {
    if (Is(si, "si")) strings.push_back(ItemText(si));
  }
  return strings;
}

std::vector<CellValue> ReadCellValues(const pugi::xml_document& sheet, const CellContext& context,
                                      const std::string& file) {
  std::vector<CellValue> out;
  pugi::xml_node data = Child(sheet.document_element(), "sheetData");
  std::int32_t row_number = 0;
  for (pugi::xml_node row : data.children()) {
    if (!Is(row, "row")) continue;
    // Rows and cells may leave out their reference; they then follow the previous one.
    int r = row.attribute("r").as_int(row_number + 1);
    if (r < 1 || r > kMaxRows || r <= row_number) {
      RaiseBadPackage(file, "行号有误", "a row number is out of order or range");
    }
    row_number = r;
    std::int32_t column = 0;
    for (pugi::xml_node c : row.children()) {
      if (!Is(c, "c")) continue;
      const char* ref = c.attribute("r").value();
      if (*ref) {
        std::optional<CellRef> cell = ParseCellName(ref);
        if (!cell || cell->row != row_number) {
          RaiseBadPackage(file, "单元格引用有误：" + std::string(ref),
                          "bad cell reference: " + std::string(ref));
        }
        column = cell->column;
      } else {
        ++column;
      }
      if (column > kMaxColumns) RaiseBadPackage(file, "列号过大", "a column is out of range");
      CellValue cell;
      cell.row = row_number;
      cell.column = column;
      cell.style = c.attribute("s").as_int(0);
      if (cell.style >= 0 && static_cast<size_t>(cell.style) < context.quote_prefix.size()) {
        cell.quote_prefix = context.quote_prefix[static_cast<size_t>(cell.style)];
      }
      const char* type = c.attribute("t").value();
      pugi::xml_node v = Child(c, "v");
      const char* text = v.text().get();
      const bool date_style = cell.style >= 0 &&
                              static_cast<size_t>(cell.style) < context.date_style.size() &&
                              context.date_style[static_cast<size_t>(cell.style)];
      if (std::strcmp(type, "inlineStr") == 0) {
        cell.value = ItemText(Child(c, "is"));
      } else if (v.empty() || *text == '\0') {
        continue;  // a formatted blank cell, or a formula never calculated
      } else if (std::strcmp(type, "s") == 0) {
        char* end = nullptr;
        unsigned long index = std::strtoul(text, &end, 10);
        if (end == text || *end != '\0' || index >= context.shared_strings.size()) {
          RaiseBadPackage(file, "共享字符串索引有误", "a shared string index is out of range");
        }
        cell.value = context.shared_strings[index];
      } else if (std::strcmp(type, "b") == 0) {
        cell.value = std::strcmp(text, "1") == 0 || std::strcmp(text, "true") == 0;
      } else if (std::strcmp(type, "e") == 0) {
        std::int32_t code = 0;
        cell.value = host::CellErrorFromText(text, code) ? host::Variant(host::ErrorValue{code})
                                                          : host::Variant(std::string(text));
      } else if (std::strcmp(type, "d") == 0) {
        // An ISO 8601 date: the day, with its time when it has one.
        std::string iso(text);
        if (auto day = ParseDate(iso.substr(0, iso.find('T')))) {
          double serial = DateToSerial(*day);
          int h = 0, m = 0;
          double sec = 0;
          auto t = iso.find('T');
          if (t != std::string::npos && std::sscanf(iso.c_str() + t + 1, "%d:%d:%lf", &h, &m, &sec) >= 2)
            serial += (h * 3600 + m * 60 + sec) / 86400.0;
          cell.value = host::Variant::Date(serial);
        } else {
          cell.value = iso;
        }
      } else if (std::strcmp(type, "str") == 0) {
        cell.value = std::string(text);
      } else {
        double number = 0;
        if (!ParseNumber(text, number)) {
          RaiseBadPackage(file, "数值单元格有误", "a number cell does not hold a number");
        }
        cell.value = date_style ? host::Variant::Date(FileSerialToDate(number)) : host::Variant(number);
      }
      out.push_back(std::move(cell));
    }
  }
  return out;
}

workbook::PageSetup ReadPageSetup(const pugi::xml_document& sheet) {
  workbook::PageSetup setup;
  pugi::xml_node root = sheet.document_element();
  pugi::xml_node margins = Child(root, "pageMargins");
  auto points = [&](const char* name, double current) {
    pugi::xml_attribute a = margins.attribute(name);
    return a ? a.as_double() * 72.0 : current;
  };
  setup.left_margin = points("left", setup.left_margin);
  setup.right_margin = points("right", setup.right_margin);
  setup.top_margin = points("top", setup.top_margin);
  setup.bottom_margin = points("bottom", setup.bottom_margin);
  setup.header_margin = points("header", setup.header_margin);
  setup.footer_margin = points("footer", setup.footer_margin);

  pugi::xml_node page = Child(root, "pageSetup");
  setup.orientation = std::strcmp(page.attribute("orientation").value(), "landscape") == 0 ? 2 : 1;
  setup.paper_size = page.attribute("paperSize").as_int(page ? 1 : setup.paper_size);
  setup.zoom = page.attribute("scale").as_int(100);
  setup.fit_wide = page.attribute("fitToWidth").as_int(1);
  setup.fit_tall = page.attribute("fitToHeight").as_int(1);
  setup.fit_to_page = Child(Child(root, "sheetPr"), "pageSetUpPr").attribute("fitToPage").as_bool();

  std::string footer = Child(Child(root, "headerFooter"), "oddFooter").text().get();
  auto centre = footer.find("&C");
  if (centre != std::string::npos) {
    std::string rest = footer.substr(centre + 2);
    auto next = rest.find("&R");
    setup.center_footer = rest.substr(0, next);
  }
  setup.center_horizontally = Child(root, "printOptions").attribute("horizontalCentered").as_bool();
  return setup;
}

}  // namespace tavo::xlsx
