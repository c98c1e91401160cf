#include "workbook/xlsx/style_registry.h"

#include <cstring>

#include "host/value_rules.h"
#include "workbook/xlsx/number_formats.h"
#include "workbook/xlsx/opc_names.h"

namespace tavo::xlsx {
namespace {

// Each list's place in the schema order of styleSheet children.
constexpr const char* kOrder[] = {"numFmts", "fonts", "fills", "borders", "cellStyleXfs", "cellXfs"};

pugi::xml_node EnsureList(pugi::xml_node root, const char* name) {
  pugi::xml_node list = Child(root, name);
  if (list) return list;
  pugi::xml_node after;
  for (const char* earlier : kOrder) {
    if (std::strcmp(earlier, name) == 0) break;
    if (pugi::xml_node n = Child(root, earlier)) after = n;
  }
  list = after ? root.insert_child_after(name, after) : root.prepend_child(name);
  list.append_attribute("count") = 0;
  return list;
}

std::uint32_t CountElements(pugi::xml_node list) {
  std::uint32_t n = 0;
  for (pugi::xml_node c : list.children()) n += c.type() == pugi::node_element;
  return n;
}

const char* HorizontalName(int alignment) {
  switch (alignment) {
    case -4108: return "center";
    case -4131: return "left";
    case -4152: return "right";
    case 7: return "centerContinuous";
    case -4130: return "justify";
    case 5: return "fill";
    default: return nullptr;
  }
}

const char* VerticalName(int alignment) {
  switch (alignment) {
    case -4108: return "center";
    case -4160: return "top";
    case -4130: return "justify";
    default: return nullptr;  // bottom, the default
  }
}

}  // namespace

const char* BorderStyleName(int line_style) {
  switch (line_style) {
    case 1: return "thin";
    case -4115: return "dashed";
    case -4118: return "dotted";
    case -4119: return "double";
    case 4: return "dashDot";
    case 5: return "dashDotDot";
    case 13: return "slantDashDot";
    default: return nullptr;  // none
  }
}

StyleRegistry::StyleRegistry(pugi::xml_document& styles) : root_(styles.document_element()) {
  fonts_ = EnsureList(root_, "fonts");
  fills_ = EnsureList(root_, "fills");
  borders_ = EnsureList(root_, "borders");
  cell_xfs_ = EnsureList(root_, "cellXfs");
  base_font_ = Child(fonts_, "font");
  existing_xfs_ = CountElements(cell_xfs_);
  date_styles_ = DateStyles(styles);
}

bool StyleRegistry::IsDateStyle(std::uint32_t style) const {
  if (style < date_styles_.size()) return date_styles_[style];
  return date_xfs_added_.count(style) > 0;
}

std::uint32_t StyleRegistry::Append(pugi::xml_node list, pugi::xml_node item) {
  std::uint32_t count = CountElements(list);
  list.attribute("count") ? list.attribute("count").set_value(count)
                          : list.append_attribute("count").set_value(count);
  (void)item;
  return count - 1;
}

std::uint32_t StyleRegistry::FontIndex(const workbook::CellFormat& format) {
  auto key = std::make_tuple(format.font_size, format.bold, static_cast<int>(format.font_color));
  auto it = fonts_added_.find(key);
  if (it != fonts_added_.end()) return it->second;
  pugi::xml_node font = fonts_.append_child("font");
  if (format.bold) font.append_child("b");
  font.append_child("sz").append_attribute("val") = format.font_size;
  if (format.font_color > 0) {
    font.append_child("color").append_attribute("indexed") = format.font_color + 7;
  }
  pugi::xml_node name = Child(base_font_, "name");
  font.append_child("name").append_attribute("val") = name ? name.attribute("val").value() : "宋体";
  if (pugi::xml_node charset = Child(base_font_, "charset")) font.append_copy(charset);
  if (pugi::xml_node family = Child(base_font_, "family")) font.append_copy(family);
  if (pugi::xml_node scheme = Child(base_font_, "scheme")) font.append_copy(scheme);
  std::uint32_t index = Append(fonts_, font);
  fonts_added_[key] = index;
  return index;
}

std::uint32_t StyleRegistry::FillIndex(const workbook::CellFormat& format) {
  if (format.fill_color <= 0) return 0;
  auto it = fills_added_.find(format.fill_color);
  if (it != fills_added_.end()) return it->second;
  pugi::xml_node pattern = fills_.append_child("fill").append_child("patternFill");
  pattern.append_attribute("patternType") = "solid";
  pattern.append_child("fgColor").append_attribute("indexed") = format.fill_color + 7;
  pattern.append_child("bgColor").append_attribute("indexed") = 64;
  std::uint32_t index = Append(fills_, pattern.parent());
  fills_added_[format.fill_color] = index;
  return index;
}

std::uint32_t StyleRegistry::BorderIndex(const workbook::CellFormat& format) {
  auto it = borders_added_.find(format.borders);
  if (it != borders_added_.end()) return it->second;
  pugi::xml_node border = borders_.append_child("border");
  // Schema order: left, right, top, bottom, diagonal.
  const std::pair<const char*, int> sides[] = {{"left", workbook::kSideLeft},
                                               {"right", workbook::kSideRight},
                                               {"top", workbook::kSideTop},
                                               {"bottom", workbook::kSideBottom}};
  for (auto [name, side] : sides) {
    pugi::xml_node edge = border.append_child(name);
    if (const char* style = BorderStyleName(format.borders[static_cast<size_t>(side)])) {
      edge.append_attribute("style") = style;
      edge.append_child("color").append_attribute("indexed") = 64;
    }
  }
  border.append_child("diagonal");
  std::uint32_t index = Append(borders_, border);
  borders_added_[format.borders] = index;
  return index;
}

std::uint32_t StyleRegistry::IndexOf(const workbook::CellFormat& format, bool quote_prefix) {
  if (format.source_style >= 0 && static_cast<std::uint32_t>(format.source_style) < existing_xfs_ &&
      !quote_prefix) {
    return static_cast<std::uint32_t>(format.source_style);
  }
  workbook::CellFormat plain = format;
  plain.source_style = -1;
  if (plain == workbook::CellFormat{} && !quote_prefix) return 0;

  std::uint32_t font = FontIndex(plain), fill = FillIndex(plain), border = BorderIndex(plain);
  const char* horizontal = HorizontalName(plain.horizontal);
  const char* vertical = VerticalName(plain.vertical);
  std::string key = std::to_string(font) + "/" + std::to_string(fill) + "/" +
                    std::to_string(border) + "/" + (horizontal ? horizontal : "") + "/" +
                    (vertical ? vertical : "") + "/" + (plain.wrap ? "w" : "") + (plain.shrink ? "s" : "") +
                    (quote_prefix ? "q" : "") + "/" + std::to_string(plain.number_format);
  auto it = xfs_added_.find(key);
  if (it != xfs_added_.end()) return it->second;

  pugi::xml_node xf = cell_xfs_.append_child("xf");
  xf.append_attribute("numFmtId") = plain.number_format;
  xf.append_attribute("fontId") = font;
  xf.append_attribute("fillId") = fill;
  xf.append_attribute("borderId") = border;
  xf.append_attribute("xfId") = 0;
  if (plain.number_format != 0) xf.append_attribute("applyNumberFormat") = 1;
  xf.append_attribute("applyFont") = 1;
  if (fill) xf.append_attribute("applyFill") = 1;
  xf.append_attribute("applyBorder") = 1;
  if (quote_prefix) xf.append_attribute("quotePrefix") = 1;
  if (horizontal || vertical || plain.wrap || plain.shrink) {
    xf.append_attribute("applyAlignment") = 1;
    pugi::xml_node alignment = xf.append_child("alignment");
    if (horizontal) alignment.append_attribute("horizontal") = horizontal;
    if (vertical) alignment.append_attribute("vertical") = vertical;
    if (plain.wrap) alignment.append_attribute("wrapText") = 1;
    if (plain.shrink) alignment.append_attribute("shrinkToFit") = 1;
  }
  std::uint32_t index = Append(cell_xfs_, xf);
  xfs_added_[key] = index;
  if (host::IsDateNumberFormat(plain.number_format)) date_xfs_added_.insert(index);
  changed_ = true;
  return index;
}

}  // namespace tavo::xlsx

namespace tavo::xlsx {

std::uint32_t StyleRegistry::WithNumberFormat(std::uint32_t style, int number_format) {
  std::vector<pugi::xml_node> xfs;
  for (pugi::xml_node xf : cell_xfs_.children()) {
    if (xf.type() == pugi::node_element) xfs.push_back(xf);
  }
  const std::string key = "n" + std::to_string(style) + "/" + std::to_string(number_format);
  auto it = xfs_added_.find(key);
  if (it != xfs_added_.end()) return it->second;
  pugi::xml_node xf;
  if (style < xfs.size()) {
    xf = cell_xfs_.append_copy(xfs[style]);
  } else {
    xf = cell_xfs_.append_child("xf");
    for (const char* name : {"fontId", "fillId", "borderId", "xfId"}) xf.append_attribute(name) = 0;
  }
  if (!xf.attribute("numFmtId")) xf.prepend_attribute("numFmtId");
  xf.attribute("numFmtId") = number_format;
  if (!xf.attribute("applyNumberFormat")) xf.append_attribute("applyNumberFormat");
  xf.attribute("applyNumberFormat") = 1;
  std::uint32_t index = Append(cell_xfs_, xf);
  xfs_added_[key] = index;
  if (host::IsDateNumberFormat(number_format)) date_xfs_added_.insert(index);
  changed_ = true;
  return index;
}

}  // namespace tavo::xlsx
