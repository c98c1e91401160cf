// Font, Interior and Borders of a range over a LibreOffice sheet.
#include <com/sun/star/awt/FontWeight.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/table/BorderLine2.hpp>
#include <com/sun/star/table/BorderLineStyle.hpp>
#include <com/sun/star/table/TableBorder2.hpp>

#include <cmath>
#include <optional>

#include "office/host/office_objects.h"
#include "office/host/palette.h"

namespace tavo::office {
namespace {

// The host's numbers, as the edges and line styles travel inside this file.
constexpr int kEdgeLeft = host::Number(host::Edge::kLeft);
constexpr int kEdgeTop = host::Number(host::Edge::kTop);
constexpr int kEdgeBottom = host::Number(host::Edge::kBottom);
constexpr int kEdgeRight = host::Number(host::Edge::kRight);
constexpr int kLineNone = host::Number(host::BorderLine::kNone);
constexpr int kLineContinuous = host::Number(host::BorderLine::kContinuous);

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

// The range's properties for reading: what is held goes to the document first.
Reference<css::beans::XPropertySet> ReadProperties(const RangeRef& ref) {
  ref.context->Flush();
  return Properties(ref);
}

// Western, Asian and complex text each have their own character attributes;
// the host's one font size or weight is all three.
void SetCharacterProperty(const RangeRef& ref, const char* western, const Any& value) {
  ref.context->Flush();
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

// Sets one property of the range's cells (held back for a block of cells).
void SetCellProperty(const RangeRef& ref, CellFormat format, const char* name, const Any& value) {
  if (HoldsWrites(ref)) return ref.context->held.SetFormat(ref.sheet, BlockOf(ref.area), format, value);
  ref.context->Flush();
  Properties(ref)->setPropertyValue(OUString::createFromAscii(name), value);
}

std::int32_t UnoColourOf(const RangeRef& ref, int index) {
  if (index == 0) return kAutomatic;
  return HostToUnoColour(ref.context->CurrentPalette()[static_cast<std::size_t>(index - 1)]);
}

class OfficeFont : public host::FontFormat {
 public:
  explicit OfficeFont(RangeRef ref) : ref_(std::move(ref)) {}
  double Size() override {
    return Uno([&] {
      float size = 0;
      ReadProperties(ref_)->getPropertyValue("CharHeight") >>= size;
      return std::round(size * 100) / 100.0;
    });
  }
  void SetSize(double points) override {
    if (!std::isfinite(points) || points < 1 || points > 409) RaiseInvalidArgument("字号 超出允许范围");
    Uno([&] { SetFont(CellFormat::kCharHeight, "CharHeight", Any(static_cast<float>(points))); });
  }
  bool Bold() override {
    return Uno([&] {
      float weight = 0;
      ReadProperties(ref_)->getPropertyValue("CharWeight") >>= weight;
      return weight > css::awt::FontWeight::NORMAL;
    });
  }
  void SetBold(bool bold) override {
    const float weight = bold ? css::awt::FontWeight::BOLD : css::awt::FontWeight::NORMAL;
    Uno([&] { SetFont(CellFormat::kCharWeight, "CharWeight", Any(weight)); });
  }
  int ColorIndex() override {
    return Uno([&] {
      std::int32_t colour = kAutomatic;
      ReadProperties(ref_)->getPropertyValue("CharColor") >>= colour;
      return colour == kAutomatic ? 0 : NearestIndex(ref_.context->CurrentPalette(), colour);
    });
  }
  void SetColorIndex(int index) override {
    index = CheckColourIndex(index, false);
    Uno([&] { SetCellProperty(ref_, CellFormat::kCharColour, "CharColor", Any(UnoColourOf(ref_, index))); });
  }

 private:
  void SetFont(CellFormat format, const char* western, const Any& value) {
    if (HoldsWrites(ref_)) return ref_.context->held.SetFormat(ref_.sheet, BlockOf(ref_.area), format, value);
    SetCharacterProperty(ref_, western, value);
  }
  RangeRef ref_;
};

class OfficeInterior : public host::InteriorFormat {
 public:
  explicit OfficeInterior(RangeRef ref) : ref_(std::move(ref)) {}
  int ColorIndex() override {
    return Uno([&] {
      std::int32_t colour = kAutomatic;
      ReadProperties(ref_)->getPropertyValue("CellBackColor") >>= colour;
      return colour == kAutomatic ? kLineNone : NearestIndex(ref_.context->CurrentPalette(), colour);
    });
  }
  void SetColorIndex(int index) override {
    index = CheckColourIndex(index, true);
    Uno([&] { SetCellProperty(ref_, CellFormat::kBackColour, "CellBackColor", Any(UnoColourOf(ref_, index))); });
  }

 private:
  RangeRef ref_;
};

css::table::BorderLine2 LineOf(int style) {
  css::table::BorderLine2 line;
  switch (style) {
    case kLineNone: return line;
    case -4115: line.LineStyle = css::table::BorderLineStyle::DASHED; break;
    case -4118: line.LineStyle = css::table::BorderLineStyle::DOTTED; break;
    case -4119: line.LineStyle = css::table::BorderLineStyle::DOUBLE; break;
    case 4: line.LineStyle = css::table::BorderLineStyle::DASH_DOT; break;
    case 5: line.LineStyle = css::table::BorderLineStyle::DASH_DOT_DOT; break;
    case 13: line.LineStyle = css::table::BorderLineStyle::DASH_DOT; break;  // no slanted dash-dot
    case kLineContinuous: line.LineStyle = css::table::BorderLineStyle::SOLID; break;
    default: RaiseInvalidArgument("线型 " + std::to_string(style) + " 无效");
  }
  line.LineWidth = kThinLine;
  line.OuterLineWidth = kThinLine;
  return line;
}

int StyleOf(const css::table::BorderLine2& line) {
  if (line.LineWidth == 0 && line.OuterLineWidth == 0 && line.InnerLineWidth == 0) return kLineNone;
  switch (line.LineStyle) {
    case css::table::BorderLineStyle::NONE: return kLineNone;
    case css::table::BorderLineStyle::DASHED: return -4115;
    case css::table::BorderLineStyle::DOTTED: return -4118;
    case css::table::BorderLineStyle::DOUBLE: return -4119;
    case css::table::BorderLineStyle::DASH_DOT: return 4;
    case css::table::BorderLineStyle::DASH_DOT_DOT: return 5;
    default: return kLineContinuous;
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
    case kEdgeLeft: return {&T::LeftLine, &T::IsLeftLineValid};
    case kEdgeTop: return {&T::TopLine, &T::IsTopLineValid};
    case kEdgeBottom: return {&T::BottomLine, &T::IsBottomLineValid};
    case kEdgeRight: return {&T::RightLine, &T::IsRightLineValid};
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

// The cells across an outer edge, which show the same line (none at the sheet's edge).
std::optional<Block> NeighbourBlock(const RangeRef& ref, int edge) {
  Block b = BlockOf(ref.area);
  const css::table::CellRangeAddress sheet = SheetArea(ref.sheet);
  switch (edge) {
    case kEdgeTop:
      if (b.top == 0) return std::nullopt;
      b.bottom = b.top = b.top - 1;
      return b;
    case kEdgeBottom:
      if (b.bottom == sheet.EndRow) return std::nullopt;
      b.top = b.bottom = b.bottom + 1;
      return b;
    case kEdgeLeft:
      if (b.left == 0) return std::nullopt;
      b.right = b.left = b.left - 1;
      return b;
    case kEdgeRight:
      if (b.right == sheet.EndColumn) return std::nullopt;
      b.left = b.right = b.right + 1;
      return b;
    default: return std::nullopt;
  }
}

int OppositeEdge(int edge) {
  switch (edge) {
    case kEdgeTop: return kEdgeBottom;
    case kEdgeBottom: return kEdgeTop;
    case kEdgeLeft: return kEdgeRight;
    default: return kEdgeLeft;
  }
}

Reference<css::table::XCellRange> Neighbour(const RangeRef& ref, int edge, int& their_edge) {
  const std::optional<Block> b = NeighbourBlock(ref, edge);
  if (!b) return {};
  their_edge = OppositeEdge(edge);
  return ref.sheet->getCellRangeByPosition(b->left, b->top, b->right, b->bottom);
}

// The side of a cell an outer edge of a range lies on.
Side SideOf(int edge) {
  switch (edge) {
    case kEdgeTop: return Side::kTop;
    case kEdgeBottom: return Side::kBottom;
    case kEdgeLeft: return Side::kLeft;
    default: return Side::kRight;
  }
}

// The cells of the range along one outer edge.
Block EdgeCells(const RangeRef& ref, int edge) {
  Block b = BlockOf(ref.area);
  switch (edge) {
    case kEdgeTop: b.bottom = b.top; break;
    case kEdgeBottom: b.top = b.bottom; break;
    case kEdgeLeft: b.right = b.left; break;
    default: b.left = b.right; break;
  }
  return b;
}

// Holds `line` on the outer edge of the range and across it, on the neighbour.
void HoldEdge(const RangeRef& ref, int edge, const css::table::BorderLine2& line) {
  WriteBuffer& held = ref.context->held;
  held.SetSide(ref.sheet, EdgeCells(ref, edge), SideOf(edge), line);
  if (const std::optional<Block> neighbour = NeighbourBlock(ref, edge))
    held.SetSide(ref.sheet, *neighbour, Opposite(SideOf(edge)), line);
}

bool IsOuterEdge(int edge) {
  return edge == kEdgeTop || edge == kEdgeBottom || edge == kEdgeLeft || edge == kEdgeRight;
}

class OfficeBorderEdge : public host::BorderEdge {
 public:
  OfficeBorderEdge(RangeRef ref, int edge) : ref_(std::move(ref)), edge_(edge) {}
  host::BorderLine LineStyle() override {
    return host::BorderLine{Uno([&] {
      css::table::TableBorder2 border;
      ReadProperties(ref_)->getPropertyValue("TableBorder2") >>= border;
      const EdgeMember member = MemberOf(edge_);
      return StyleOf(border.*member.line);
    })};
  }
  // Neighbouring cells share an edge on the desktop: the cells across it
  // get the same line, so that clearing an edge leaves no line drawn.
  void SetLineStyle(host::BorderLine style) override {
    const css::table::BorderLine2 line = LineOf(host::Number(style));
    if (HoldsWrites(ref_) && IsOuterEdge(edge_)) return Uno([&] { HoldEdge(ref_, edge_, line); });
    ref_.context->Flush();
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
  void SetLineStyle(host::BorderLine style) override {
    const css::table::BorderLine2 line = LineOf(host::Number(style));
    if (HoldsWrites(ref_)) {
      return Uno([&] {
        const Block cells = BlockOf(ref_.area);
        for (Side side : {Side::kTop, Side::kBottom, Side::kLeft, Side::kRight}) ref_.context->held.SetSide(ref_.sheet, cells, side, line);
        for (int edge : {kEdgeTop, kEdgeBottom, kEdgeLeft, kEdgeRight}) {
          if (const std::optional<Block> neighbour = NeighbourBlock(ref_, edge))
            ref_.context->held.SetSide(ref_.sheet, *neighbour, Opposite(SideOf(edge)), line);
        }
      });
    }
    ref_.context->Flush();
    Uno([&] {
      Reference<css::beans::XPropertySet> properties = Properties(ref_);
      for (const char* side : {"TopBorder2", "BottomBorder2", "LeftBorder2", "RightBorder2"})
        properties->setPropertyValue(OUString::createFromAscii(side), Any(line));
      for (int edge : {kEdgeTop, kEdgeBottom, kEdgeLeft, kEdgeRight}) {
        int their_edge = 0;
        if (auto neighbour = Neighbour(ref_, edge, their_edge); neighbour.is()) SetEdge(neighbour, their_edge, line);
      }
    });
  }
  std::unique_ptr<host::BorderEdge> Item(host::Edge which) override {
    const int edge = host::Number(which);
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
