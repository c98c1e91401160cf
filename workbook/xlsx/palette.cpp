#include "workbook/xlsx/palette.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "workbook/xlsx/opc_names.h"

namespace tavo::xlsx {
namespace {

// The 8 fixed entries in front of the palette.
constexpr const char* kFixed[8] = {"00000000", "00FFFFFF", "00FF0000", "0000FF00",
                                   "000000FF", "00FFFF00", "00FF00FF", "0000FFFF"};

}  // namespace

std::string PaletteHex(std::int32_t rgb) {
  char text[9];
  std::snprintf(text, sizeof text, "00%02X%02X%02X", rgb & 0xFF, (rgb >> 8) & 0xFF,
                (rgb >> 16) & 0xFF);
  return text;
}

Palette ReadPalette(const pugi::xml_document& styles, const Palette& fallback) {
  Palette palette = fallback;
  pugi::xml_node list = Child(Child(styles.document_element(), "colors"), "indexedColors");
  int i = 0;
  for (pugi::xml_node entry : list.children()) {
    if (entry.type() != pugi::node_element) continue;
    int n = i++ - 8;  // palette entry n + 1
    if (n < 0 || n >= 56) continue;
    const char* hex = entry.attribute("rgb").value();
    size_t length = std::strlen(hex);
    if (length < 6) continue;
    char* end = nullptr;
    unsigned long argb = std::strtoul(hex + length - 6, &end, 16);
    if (*end != '\0') continue;
    int red = static_cast<int>((argb >> 16) & 0xFF), green = static_cast<int>((argb >> 8) & 0xFF),
        blue = static_cast<int>(argb & 0xFF);
    palette[static_cast<size_t>(n)] = red + green * 256 + blue * 65536;
  }
  return palette;
}

void WritePalette(pugi::xml_document& styles, const Palette& palette) {
  pugi::xml_node root = styles.document_element();
  pugi::xml_node colors = Child(root, "colors");
  if (!colors) {
    // <colors> comes after cellStyles/dxfs/tableStyles in the schema order.
    pugi::xml_node after;
    for (const char* name : {"tableStyles", "dxfs", "cellStyles", "cellXfs"}) {
      after = Child(root, name);
      if (after) break;
    }
    colors = after ? root.insert_child_after("colors", after) : root.append_child("colors");
  }
  pugi::xml_node list = Child(colors, "indexedColors");
  if (list) colors.remove_child(list);
  list = colors.prepend_child("indexedColors");
  for (const char* hex : kFixed) list.append_child("rgbColor").append_attribute("rgb") = hex;
  for (std::int32_t rgb : palette) {
    list.append_child("rgbColor").append_attribute("rgb") = PaletteHex(rgb).c_str();
  }
}

}  // namespace tavo::xlsx
