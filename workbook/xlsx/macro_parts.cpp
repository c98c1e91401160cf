#include "workbook/xlsx/macro_parts.h"

#include "workbook/xlsx/xml_part.h"

namespace tavo::xlsx {

std::string ButtonVml(const ButtonPlace& p, const std::string& caption, const std::string& macro, int shape_id) {
  // Anchor: left column, offset, top row, offset, right column, offset,
  // bottom row, offset; the host places the shape by it, the style's
  // position is only a hint (pixels at 96 dpi to points: × 0.75).
  const std::string anchor = std::to_string(p.column) + ", " + std::to_string(p.left_px) + ", " +
                             std::to_string(p.row) + ", " + std::to_string(p.top_px) + ", " +
                             std::to_string(p.column) + ", " + std::to_string(p.left_px + p.width_px) + ", " +
                             std::to_string(p.BottomRow()) + ", " + std::to_string(p.BottomOffset());
  auto pt = [](int px) { return std::to_string(px * 3 / 4) + "pt"; };
  const int top_px = p.row * p.row_height_px + p.top_px;
  return std::string("<xml xmlns:v=\"urn:schemas-microsoft-com:vml\" xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
                     "xmlns:x=\"urn:schemas-microsoft-com:office:excel\">") +
         "<o:shapelayout v:ext=\"edit\"><o:idmap v:ext=\"edit\" data=\"1\"/></o:shapelayout>"
         "<v:shapetype id=\"_x0000_t201\" coordsize=\"21600,21600\" o:spt=\"201\" path=\"m,l,21600r21600,l21600,xe\">"
         "<v:stroke joinstyle=\"miter\"/>"
         "<v:path shadowok=\"f\" o:extrusionok=\"f\" strokeok=\"f\" fillok=\"f\" o:connecttype=\"rect\"/>"
         "<o:lock v:ext=\"edit\" shapetype=\"t\"/></v:shapetype>"
         "<v:shape id=\"_x0000_s" + std::to_string(shape_id) + "\" type=\"#_x0000_t201\" "
         "style=\"position:absolute;margin-left:" + pt(p.left_px) + ";margin-top:" + pt(top_px) +
         ";width:" + pt(p.width_px) + ";height:" + pt(p.height_px) + ";z-index:1\" "
         "o:button=\"t\" fillcolor=\"buttonFace [67]\" strokecolor=\"windowText [64]\" o:insetmode=\"auto\">"
         "<v:fill color2=\"buttonFace [67]\" o:detectmouseclick=\"t\"/>"
         "<o:lock v:ext=\"edit\" rotation=\"t\"/>"
         "<v:textbox style=\"mso-direction-alt:auto\" o:singleclick=\"f\">"
         "<div style=\"text-align:center\"><font face=\"宋体\" size=\"240\" color=\"auto\">" + XmlEscape(caption) +
         "</font></div></v:textbox>"
         "<x:ClientData ObjectType=\"Button\"><x:Anchor>" + anchor + "</x:Anchor>"
         "<x:PrintObject>False</x:PrintObject><x:AutoFill>False</x:AutoFill>"
         "<x:FmlaMacro>" + XmlEscape(macro) + "</x:FmlaMacro>"
         "<x:TextHAlign>Center</x:TextHAlign><x:TextVAlign>Center</x:TextVAlign></x:ClientData>"
         "</v:shape></xml>";
}

}  // namespace tavo::xlsx
