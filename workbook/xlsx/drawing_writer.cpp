#include "workbook/xlsx/drawing_writer.h"

#include <algorithm>
#include <cmath>

#include "workbook/xlsx/opc_names.h"
#include "workbook/xlsx/palette.h"
#include "host/sheet_units.h"
#include "workbook/xlsx/sheet_writer.h"
#include "workbook/xlsx/xml_part.h"

namespace tavo::xlsx {
namespace {

// Rough extent of a text box that fits its text on one line: CJK characters
// take a full em, others about half. The box auto-fits when opened; this
// only keeps the first rendering close.
std::pair<std::int64_t, std::int64_t> TextExtent(const std::string& text, double font_size) {
  double ems = 0;
  for (size_t i = 0; i < text.size();) {
    auto c = static_cast<unsigned char>(text[i]);
    size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    ems += length >= 3 ? 1.0 : 0.55;
    i += length;
  }
  double width = ems * font_size + 14.4;   // plus the default insets
  double height = font_size * 1.3 + 7.2;
  return {host::PointsToEmu(width), host::PointsToEmu(height)};
}

std::string SolidFill(const workbook::TextBoxShape& shape, const std::array<std::int32_t, 56>& palette) {
  int entry = shape.fill_scheme_color - 7;  // scheme colour n is palette entry n - 7
  std::int32_t rgb = entry >= 1 && entry <= 56 ? palette[static_cast<size_t>(entry - 1)] : 0;
  std::string hex = PaletteHex(rgb).substr(2);
  int alpha = static_cast<int>(std::lround((1 - std::clamp(shape.fill_transparency, 0.0, 1.0)) * 100000));
  std::string out = "<a:solidFill><a:srgbClr val=\"" + hex + "\">";
  if (alpha < 100000) out += "<a:alpha val=\"" + std::to_string(alpha) + "\"/>";
  return out + "</a:srgbClr></a:solidFill>";
}

}  // namespace

AnchorPoint AnchorAt(const workbook::Worksheet& sheet, double left, double top) {
  AnchorPoint at;
  double x = std::max(0.0, left);
  for (std::int32_t column = 1; column < 16384; ++column) {
    double width = host::ColumnPoints(sheet.ColumnWidth(column));
    if (x < width) {
      at.column = column - 1;
      at.column_offset = host::PointsToEmu(x);
      break;
    }
    x -= width;
  }
  double y = std::max(0.0, top);
  for (std::int32_t row = 1; row < 1048576; ++row) {
    double height = sheet.RowHeight(row);
    if (y < height) {
      at.row = row - 1;
      at.row_offset = host::PointsToEmu(y);
      break;
    }
    y -= height;
  }
  return at;
}

std::string WriteDrawingPart(const workbook::Worksheet& sheet,
                             const std::array<std::int32_t, 56>& palette) {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
      "<xdr:wsDr xmlns:xdr=\"" + std::string(ns::kDrawing) + "\" xmlns:a=\"" + ns::kDrawingMain + "\">";
  for (const workbook::TextBoxShape& shape : sheet.shapes) {
    AnchorPoint at = AnchorAt(sheet, shape.left, shape.top);
    auto [cx, cy] = TextExtent(shape.text, shape.font_size);
    std::string font = XmlEscape(shape.font_name.empty() ? "宋体" : shape.font_name);
    std::string id = std::to_string(shape.id + 1);
    out += "<xdr:oneCellAnchor><xdr:from><xdr:col>" + std::to_string(at.column) +
           "</xdr:col><xdr:colOff>" + std::to_string(at.column_offset) + "</xdr:colOff><xdr:row>" +
           std::to_string(at.row) + "</xdr:row><xdr:rowOff>" + std::to_string(at.row_offset) +
           "</xdr:rowOff></xdr:from><xdr:ext cx=\"" + std::to_string(cx) + "\" cy=\"" +
           std::to_string(cy) + "\"/>";
    out += "<xdr:sp macro=\"\" textlink=\"\"><xdr:nvSpPr><xdr:cNvPr id=\"" + id +
           "\" name=\"TextBox " + std::to_string(shape.id) +
           "\"/><xdr:cNvSpPr txBox=\"1\"/></xdr:nvSpPr>";
    out += "<xdr:spPr><a:xfrm><a:off x=\"" + std::to_string(host::PointsToEmu(shape.left)) + "\" y=\"" +
           std::to_string(host::PointsToEmu(shape.top)) + "\"/><a:ext cx=\"" + std::to_string(cx) +
           "\" cy=\"" + std::to_string(cy) +
           "\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom><a:noFill/><a:ln><a:noFill/></a:ln></xdr:spPr>";
    out += "<xdr:txBody><a:bodyPr vertOverflow=\"overflow\" horzOverflow=\"overflow\" wrap=\"none\" "
           "rtlCol=\"0\" anchor=\"t\"><a:spAutoFit/></a:bodyPr><a:lstStyle/><a:p><a:r>";
    out += "<a:rPr lang=\"zh-CN\" altLang=\"en-US\" sz=\"" +
           std::to_string(std::lround(shape.font_size * 100)) + "\" b=\"" + (shape.bold ? "1" : "0") +
           "\" i=\"" + (shape.italic ? "1" : "0") + "\">";
    out += shape.line_visible ? "" : "<a:ln><a:noFill/></a:ln>";
    out += shape.fill_visible && shape.fill_scheme_color > 0 ? SolidFill(shape, palette) : "";
    out += "<a:latin typeface=\"" + font + "\"/><a:ea typeface=\"" + font + "\"/><a:cs typeface=\"" +
           font + "\"/></a:rPr><a:t>" + XmlEscape(XmlSafeText(shape.text)) +
           "</a:t></a:r></a:p></xdr:txBody></xdr:sp><xdr:clientData/></xdr:oneCellAnchor>";
  }
  out += "</xdr:wsDr>";
  return out;
}

}  // namespace tavo::xlsx
