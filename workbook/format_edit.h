#pragma once
// Format changes over a range, kept the way the host keeps them: a block of
// cells changes each cell; whole rows, whole columns and the whole sheet
// change the row, column or sheet format and every cell already stored there.
#include <cstdint>

#include "workbook/range_ref.h"

namespace tavo::workbook {

// The stored format of a cell, created from what the cell shows when missing.
CellFormat& MaterializeFormat(Worksheet& sheet, std::int32_t row, std::int32_t column);

// Applies `edit` (void(CellFormat&)) to every format the range covers.
template <typename Edit>
void ApplyFormat(Worksheet& sheet, const Area& area, Span span, Edit&& edit) {
  auto touch = [&](CellFormat& format) {
    edit(format);
    format.source_style = -1;
  };
  sheet.modified = true;
  if (span == Span::kCells) {
    for (std::int32_t row = area.top; row <= area.bottom; ++row) {
      // What a missing cell shows: the row's format, else the column's, else the sheet's.
      auto row_format = sheet.row_formats.find(row);
      auto initial = [&](std::int32_t column) -> const CellFormat& {
        if (row_format != sheet.row_formats.end()) return row_format->second;
        auto it = sheet.column_formats.find(column);
        return it != sheet.column_formats.end() ? it->second : sheet.sheet_format;
      };
      Cell* run = sheet.cells.EnsureRun(row, area.left, area.right, initial);
      for (std::int32_t i = 0; i < area.Columns(); ++i) touch(run[i].format);
    }
    return;
  }
  if (span == Span::kSheet) {
    touch(sheet.sheet_format);
    for (auto& [row, format] : sheet.row_formats) touch(format);
    for (auto& [column, format] : sheet.column_formats) touch(format);
    for (std::int32_t row = 1; row < sheet.cells.RowLimit(); ++row)
      for (Cell& cell : sheet.cells.MutableRow(row)) touch(cell.format);
    return;
  }
  if (span == Span::kRows) {
    for (std::int32_t row = area.top; row <= area.bottom; ++row) {
      // Cells where a formatted column crosses the row show the column's
      // format; the host stores them as cells before changing the row.
      for (const auto& [column, format] : sheet.column_formats)
        sheet.cells.FormatAt(row, column, format);
      auto it = sheet.row_formats.try_emplace(row, sheet.sheet_format).first;
      touch(it->second);
      if (row < sheet.cells.RowLimit())
        for (Cell& cell : sheet.cells.MutableRow(row)) touch(cell.format);
    }
    return;
  }
  for (std::int32_t column = area.left; column <= area.right; ++column) {
    for (const auto& [row, format] : sheet.row_formats) sheet.cells.FormatAt(row, column, format);
    auto it = sheet.column_formats.try_emplace(column, sheet.sheet_format).first;
    touch(it->second);
    for (std::int32_t row = 1; row < sheet.cells.RowLimit(); ++row)
      if (CellFormat* format = sheet.cells.FindFormat(row, column)) touch(*format);
  }
}

// Borders.LineStyle: every edge of every cell, inner lines included; the
// neighbours outside the range share the outer edges.
void SetAllEdges(const RangeRef& range, std::int16_t style);
// Borders(edge).LineStyle for edge 7..12 (left, top, bottom, right, inside
// vertical, inside horizontal). Raises for other edges.
void SetRangeEdge(const RangeRef& range, int edge, std::int16_t style);
std::int16_t RangeEdge(const RangeRef& range, int edge);

// Checks a host line style number; raises when the host has no such style.
std::int16_t CheckLineStyle(int style);

}  // namespace tavo::workbook
