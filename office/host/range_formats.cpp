// Font, Interior and Borders of a range over a LibreOffice sheet.
#include <com/sun/star/awt/FontWeight.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/table/BorderLine2.hpp>
#include <com/sun/star/table/BorderLineStyle.hpp>
#include <com/sun/star/table/TableBorder2.hpp>

#include <cmath>

#include "office/host/office_objects.h"
#include "office/host/palette.h"

namespace tavo::office {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

constexpr std::int32_t kAutomatic = -1;       // LibreOffice's COL_AUTO and its "no fill"
constexpr std::int16_t kThinLine = 26;        // 0.75 pt, the desktop host's thin line
constexpr int kEdgeInsideVertical = 11;
constexpr int kEdgeInsideHorizontal = 12;

Reference<css::beans::XPropertySet> Properties(const RangeRef& ref) {
  return Reference<css::beans::XPropertySet>(ref.Range(), UNO_QUERY_THROW);
}

// Western, Asian and complex text each have their own character attributes;
// the host's one font size or weight is all three.
void SetCharacterProperty(const RangeRef& ref, const char* western, const Any& value) {
  Reference<css::beans::XPropertySet> properties = Properties(ref);
  const OUString name = OUString::createFromAscii(western);
  properties->setPropertyValue(name, value);
  properties->setPropertyValue(name + "Asian", value);
  properties->setPropertyValue(name + "Complex", value);
}

int CheckColourIndex(int index, bool fill) {
  if (index == -4105 || (fill && index == -4142)) return 0;  // automatic, none
  if (index < 0 || index > 56) RaiseInvalidArgument("颜色索引 " + std::to_string(index) + " 无效");
  return index;
}

std::int32_t UnoColourOf(const RangeRef& ref, int index) {
  if (index == 0) return kAutomatic;
  return HostToUnoColour(ReadPalette(ref.context->document)[static_cast<std::size_t>(index - 1)]);
}

class OfficeFont : public host::FontFormat {
 public:
  explicit OfficeFont(RangeRef ref) : ref_(std::move(ref)) {}
  double Size() override {
    return Uno([&] {
      float size = 0;
      Properties(ref_)->getPropertyValue("CharHeight") >>= size;
      return std::round(size * 100) / 100.0;
    });
  }
  void SetSize(double points) override {
    if (!std::isfinite(points) || points < 1 || points > 409) RaiseInvalidArgument("字号 超出允许范围");
    Uno([&] { SetCharacterProperty(ref_, "CharHeight", Any(static_cast<float>(points))); });
  }
  bool Bold() override {
    return Uno([&] {
      float weight = 0;
      Properties(ref_)->getPropertyValue("CharWeight") >>= weight;
      return weight > css::awt::FontWeight::NORMAL;
    });
  }
  void SetBold(bool bold) override {
    const float weight = bold ? css::awt::FontWeight::BOLD : css::awt::FontWeight::NORMAL;
    Uno([&] { SetCharacterProperty(ref_, "CharWeight", Any(weight)); });
  }
  int ColorIndex() override {
    return Uno([&] {
      std::int32_t colour = kAutomatic;
      Properties(ref_)->getPropertyValue("CharColor") >>= colour;
      return colour == kAutomatic ? 0 : NearestIndex(ReadPalette(ref_.context->document), colour);
    });
  }
  void SetColorIndex(int index) override {
    index = CheckColourIndex(index, false);
    Uno([&] { Properties(ref_)->setPropertyValue("CharColor", Any(UnoColourOf(ref_, index))); });
  }

 private:
  RangeRef ref_;
};

class OfficeInterior : public host::InteriorFormat {
 public:
  explicit OfficeInterior(RangeRef ref) : ref_(std::move(ref)) {}
  int ColorIndex() override {
    return Uno([&] {
      std::int32_t colour = kAutomatic;
      Properties(ref_)->getPropertyValue("CellBackColor") >>= colour;
      return colour == kAutomatic ? host::kLineNone : NearestIndex(ReadPalette(ref_.context->document), colour);
    });
  }
  void SetColorIndex(int index) override {
    index = CheckColourIndex(index, true);
    Uno([&] { Properties(ref_)->setPropertyValue("CellBackColor", Any(UnoColourOf(ref_, index))); });
  }

 private:
  RangeRef ref_;
};

css::table::BorderLine2 LineOf(int style) {
  css::table::BorderLine2 line;
  switch (style) {
    case host::kLineNone: return line;
    case -4115: line.LineStyle = css::table::BorderLineStyle::DASHED; break;
    case -4118: line.LineStyle = css::table::BorderLineStyle::DOTTED; break;
    case -4119: line.LineStyle = css::table::BorderLineStyle::DOUBLE; break;
    case 4: line.LineStyle = css::table::BorderLineStyle::DASH_DOT; break;
    case 5: line.LineStyle = css::table::BorderLineStyle::DASH_DOT_DOT; break;
    case 13: line.LineStyle = css::table::BorderLineStyle::DASH_DOT; break;  // no slanted dash-dot
    case host::kLineContinuous: line.LineStyle = css::table::BorderLineStyle::SOLID; break;
    default: RaiseInvalidArgument("线型 " + std::to_string(style) + " 无效");
  }
  line.LineWidth = kThinLine;
  line.OuterLineWidth = kThinLine;
  return line;
}

int StyleOf(const css::table::BorderLine2& line) {
  if (line.LineWidth == 0 && line.OuterLineWidth == 0 && line.InnerLineWidth == 0) return host::kLineNone;
  switch (line.LineStyle) {
    case css::table::BorderLineStyle::NONE: return host::kLineNone;
    case css::table::BorderLineStyle::DASHED: return -4115;
    case css::table::BorderLineStyle::DOTTED: return -4118;
    case css::table::BorderLineStyle::DOUBLE: return -4119;
    case css::table::BorderLineStyle::DASH_DOT: return 4;
    case css::table::BorderLineStyle::DASH_DOT_DOT: return 5;
    default: return host::kLineContinuous;
  }
}

// One line of a TableBorder2, chosen by the host's edge number.
struct EdgeMember {
  css::table::BorderLine2 css::table::TableBorder2::*line;
  sal_Bool css::table::TableBorder2::*valid;
};
EdgeMember MemberOf(int edge) {
  using T = css::table::TableBorder2;
  switch (edge) {
    case host::kEdgeLeft: return {&T::LeftLine, &T::IsLeftLineValid};
    case host::kEdgeTop: return {&T::TopLine, &T::IsTopLineValid};
    case host::kEdgeBottom: return {&T::BottomLine, &T::IsBottomLineValid};
    case host::kEdgeRight: return {&T::RightLine, &T::IsRightLineValid};
    case kEdgeInsideVertical: return {&T::VerticalLine, &T::IsVerticalLineValid};
    case kEdgeInsideHorizontal: return {&T::HorizontalLine, &T::IsHorizontalLineValid};
    default: RaiseInvalidArgument("边框 " + std::to_string(edge) + " 无效");
  }
}

void SetEdge(const Reference<css::table::XCellRange>& range, int edge, const css::table::BorderLine2& line) {
  css::table::TableBorder2 border;  // every line invalid: only the one set changes
  const EdgeMember member = MemberOf(edge);
  border.*member.line = line;
  border.*member.valid = true;
  Reference<css::beans::XPropertySet>(range, UNO_QUERY_THROW)->setPropertyValue("TableBorder2", Any(border));
}

// The cells across an outer edge, which show the same line (empty at the sheet's edge).
Reference<css::table::XCellRange> Neighbour(const RangeRef& ref, int edge, int& their_edge) {
  css::table::CellRangeAddress a = ref.area;
  const css::table::CellRangeAddress sheet = SheetArea(ref.sheet);
  switch (edge) {
    case host::kEdgeTop:
      if (a.StartRow == 0) return {};
      a.EndRow = a.StartRow = a.StartRow - 1;
      their_edge = host::kEdgeBottom;
      break;
    case host::kEdgeBottom:
      if (a.EndRow == sheet.EndRow) return {};
      a.StartRow = a.EndRow = a.EndRow + 1;
      their_edge = host::kEdgeTop;
      break;
    case host::kEdgeLeft:
      if (a.StartColumn == 0) return {};
      a.EndColumn = a.StartColumn = a.StartColumn - 1;
      their_edge = host::kEdgeRight;
      break;
    case host::kEdgeRight:
      if (a.EndColumn == sheet.EndColumn) return {};
      a.StartColumn = a.EndColumn = a.EndColumn + 1;
      their_edge = host::kEdgeLeft;
      break;
    default: return {};
  }
  return ref.sheet->getCellRangeByPosition(a.StartColumn, a.StartRow, a.EndColumn, a.EndRow);
}

class OfficeBorderEdge : public host::BorderEdge {
 public:
  OfficeBorderEdge(RangeRef ref, int edge) : ref_(std::move(ref)), edge_(edge) {}
  int LineStyle() override {
    return Uno([&] {
      css::table::TableBorder2 border;
      Properties(ref_)->getPropertyValue("TableBorder2") >>= border;
      const EdgeMember member = MemberOf(edge_);
      return StyleOf(border.*member.line);
    });
  }
  // Neighbouring cells share an edge on the desktop: the cells across it
  // get the same line, so that clearing an edge leaves no line drawn.
  void SetLineStyle(int style) override {
    const css::table::BorderLine2 line = LineOf(style);
    Uno([&] {
      SetEdge(ref_.Range(), edge_, line);
      int their_edge = 0;
      if (auto neighbour = Neighbour(ref_, edge_, their_edge); neighbour.is()) SetEdge(neighbour, their_edge, line);
    });
  }

 private:
  RangeRef ref_;
  int edge_;
};

class OfficeBorders : public host::BorderSet {
 public:
  explicit OfficeBorders(RangeRef ref) : ref_(std::move(ref)) {}
  // Every edge of every cell: the four lines set on a range go to each of its cells.
  void SetLineStyle(int style) override {
    const css::table::BorderLine2 line = LineOf(style);
    Uno([&] {
      Reference<css::beans::XPropertySet> properties = Properties(ref_);
      for (const char* side : {"TopBorder2", "BottomBorder2", "LeftBorder2", "RightBorder2"})
        properties->setPropertyValue(OUString::createFromAscii(side), Any(line));
      for (int edge : {host::kEdgeTop, host::kEdgeBottom, host::kEdgeLeft, host::kEdgeRight}) {
        int their_edge = 0;
        if (auto neighbour = Neighbour(ref_, edge, their_edge); neighbour.is()) SetEdge(neighbour, their_edge, line);
      }
    });
  }
  std::unique_ptr<host::BorderEdge> Item(int edge) override {
    MemberOf(edge);
    return std::make_unique<OfficeBorderEdge>(ref_, edge);
  }

 private:
  RangeRef ref_;
};

}  // namespace

std::unique_ptr<host::FontFormat> MakeFont(RangeRef ref) { return std::make_unique<OfficeFont>(std::move(ref)); }
std::unique_ptr<host::InteriorFormat> MakeInterior(RangeRef ref) {
  return std::make_unique<OfficeInterior>(std::move(ref));
}
std::unique_ptr<host::BorderSet> MakeBorders(RangeRef ref) { return std::make_unique<OfficeBorders>(std::move(ref)); }

}  // namespace tavo::office
