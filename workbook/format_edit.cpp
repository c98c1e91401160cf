// Cell formats and borders with shared edges between neighbouring cells.
#include "workbook/format_edit.h"

#include "common/error.h"

namespace tavo::workbook {

namespace {

constexpr BorderSide Opposite(BorderSide side) {
  return static_cast<BorderSide>((side + 2) % 4);
}

// The neighbour across `side` of (row, column), false when off the sheet.
bool Neighbour(std::int32_t& row, std::int32_t& column, BorderSide side, std::int32_t column_count) {
  switch (side) {
    case kSideLeft: --column; break;
    case kSideRight: ++column; break;
    case kSideTop: --row; break;
    case kSideBottom: ++row; break;
  }
  return row >= 1 && row <= kMaxRows && column >= 1 && column <= column_count;
}

// The neighbour across `side` draws the same line: give it the same style
// when it is stored, and always take a line away when clearing, or the host
// would still draw it from the neighbour's side.
void SyncNeighbour(Worksheet& sheet, std::int32_t row, std::int32_t column, BorderSide side,
                   std::int16_t style, std::int32_t column_count) {
  if (!Neighbour(row, column, side, column_count)) return;
  BorderSide theirs = Opposite(side);
  CellFormat* format = sheet.cells.FindFormat(row, column);
  if (!format) {
    if (style != kLineNoneStyle || sheet.EffectiveFormat(row, column).borders[theirs] == kLineNoneStyle)
      return;
    format = &MaterializeFormat(sheet, row, column);
  }
  format->borders[theirs] = style;
  format->source_style = -1;
}

// One side of every cell of a block, with the neighbours across that side.
void SetSide(const RangeRef& range, const Area& area, BorderSide side, std::int16_t style) {
  Worksheet& sheet = range.Sheet();
  RangeRef part = MakeRangeRef(range.model, range.sheet_id, area);
  if (part.span != Span::kCells) {
    ApplyFormat(sheet, area, part.span, [&](CellFormat& f) { f.borders[side] = style; });
    if (style != kLineNoneStyle) return;
    // Clearing: the neighbouring line of whole rows or columns loses its side too.
    Area next = area;
    std::int32_t columns = range.model->column_count;
    if (side == kSideTop && area.top > 1) next.top = next.bottom = area.top - 1;
    else if (side == kSideBottom && area.bottom < kMaxRows) next.top = next.bottom = area.bottom + 1;
    else if (side == kSideLeft && area.left > 1) next.left = next.right = area.left - 1;
    else if (side == kSideRight && area.right < columns) next.left = next.right = area.right + 1;
    else return;
    RangeRef neighbour = MakeRangeRef(range.model, range.sheet_id, next);
    ApplyFormat(sheet, next, neighbour.span,
                [&](CellFormat& f) { f.borders[Opposite(side)] = kLineNoneStyle; });
    return;
  }
  sheet.modified = true;
  for (std::int32_t row = area.top; row <= area.bottom; ++row) {
    for (std::int32_t column = area.left; column <= area.right; ++column) {
      CellFormat& format = MaterializeFormat(sheet, row, column);
      format.borders[side] = style;
      format.source_style = -1;
      SyncNeighbour(sheet, row, column, side, style, range.model->column_count);
    }
  }
}

}  // namespace

CellFormat& MaterializeFormat(Worksheet& sheet, std::int32_t row, std::int32_t column) {
  if (CellFormat* format = sheet.cells.FindFormat(row, column)) return *format;
  CellFormat initial = sheet.EffectiveFormat(row, column);
  return sheet.cells.FormatAt(row, column, initial);
}

std::int16_t CheckLineStyle(int style) {
  switch (style) {
    case 1: case -4115: case 4: case 5: case -4118: case -4119: case -4142: case 13:
      return static_cast<std::int16_t>(style);
    default:
      RaiseInvalidArgument("线型 " + std::to_string(style) + " 无效");
  }
}

void SetAllEdges(const RangeRef& range, std::int16_t style) {
  Worksheet& sheet = range.Sheet();
  const Area& a = range.area;
  if (range.span != Span::kCells) {
    for (BorderSide side : {kSideLeft, kSideTop, kSideRight, kSideBottom})
      SetSide(range, a, side, style);
    return;
  }
  ApplyFormat(sheet, a, Span::kCells, [&](CellFormat& f) { f.borders.fill(style); });
  // Inner lines are set on both of their cells above; the cells outside
  // share the outer lines.
  const std::int32_t columns = range.model->column_count;
  for (std::int32_t column = a.left; column <= a.right; ++column) {
    SyncNeighbour(sheet, a.top, column, kSideTop, style, columns);
    SyncNeighbour(sheet, a.bottom, column, kSideBottom, style, columns);
  }
  for (std::int32_t row = a.top; row <= a.bottom; ++row) {
    SyncNeighbour(sheet, row, a.left, kSideLeft, style, columns);
    SyncNeighbour(sheet, row, a.right, kSideRight, style, columns);
  }
}

void SetRangeEdge(const RangeRef& range, int edge, std::int16_t style) {
  const Area& a = range.area;
  Area part = a;
  BorderSide side;
  switch (edge) {
    case 7: part.right = a.left; side = kSideLeft; break;
    case 8: part.bottom = a.top; side = kSideTop; break;
    case 9: part.top = a.bottom; side = kSideBottom; break;
    case 10: part.left = a.right; side = kSideRight; break;
    case 11:  // inside vertical: right side of all but the last column
      if (a.left == a.right) return;
      part.right = a.right - 1;
      side = kSideRight;
      break;
    case 12:  // inside horizontal
      if (a.top == a.bottom) return;
      part.bottom = a.bottom - 1;
      side = kSideBottom;
      break;
    default:
      RaiseInvalidArgument("边框 " + std::to_string(edge) + " 无效");
  }
  SetSide(range, part, side, style);
}

std::int16_t RangeEdge(const RangeRef& range, int edge) {
  const Worksheet& sheet = range.Sheet();
  const Area& a = range.area;
  std::int32_t row = a.top, column = a.left;
  BorderSide side;
  switch (edge) {
    case 7: side = kSideLeft; break;
    case 8: side = kSideTop; break;
    case 9: side = kSideBottom; row = a.bottom; break;
    case 10: side = kSideRight; column = a.right; break;
    case 11: side = kSideRight; break;
    case 12: side = kSideBottom; break;
    default: RaiseInvalidArgument("边框 " + std::to_string(edge) + " 无效");
  }
  std::int16_t own = sheet.EffectiveFormat(row, column).borders[side];
  if (own != kLineNoneStyle) return own;
  if (!Neighbour(row, column, side, range.model->column_count)) return own;
  return sheet.EffectiveFormat(row, column).borders[Opposite(side)];
}

}  // namespace tavo::workbook
