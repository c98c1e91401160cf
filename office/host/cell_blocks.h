#pragma once
// Sets of cells as the few rectangles LibreOffice needs to address them in
// one call each, and the growth of a merge over the merged areas it cuts.
// Rows and columns are 0-based, as UNO counts.
#include <cstdint>
#include <vector>

#include "host/area.h"

namespace tavo::office {

struct CellPos {
  std::int32_t row;
  std::int32_t column;
  friend bool operator<(const CellPos& a, const CellPos& b) {
    return a.row != b.row ? a.row < b.row : a.column < b.column;
  }
  friend bool operator==(const CellPos& a, const CellPos& b) = default;
};

using Block = host::Area;

// Cells sorted by row, then column, as rectangles: the runs of adjacent
// cells of each row, a run joined with the one above when both span the
// same columns.
std::vector<Block> BlocksOf(const std::vector<CellPos>& sorted);

// The same cells as runs of one row each (`along_rows`) or of one column
// each: a border line set on a range's top or bottom edge reaches only its
// first or last row, so such lines go to ranges one cell high (or wide).
std::vector<Block> RunsOf(std::vector<CellPos> cells, bool along_rows);

// `area` grown over every block of `merged` that it cuts, until it cuts none.
Block GrowOverMerges(Block area, const std::vector<Block>& merged);

}  // namespace tavo::office
