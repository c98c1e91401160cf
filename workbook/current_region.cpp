#include "workbook/current_region.h"

#include <algorithm>

namespace tavo::workbook {

namespace {

// Grows `r` by values in its ring until the ring is empty; each test is a
// binary search in the occupancy indexes, so this is O(growth * log n).
bool GrowByValues(const CellStore& cells, Area& r, std::int32_t column_count) {
  bool grew = false;
  for (bool again = true; again;) {
    again = false;
    std::int32_t left = std::max(1, r.left - 1), right = std::min(column_count, r.right + 1);
    while (r.top > 1 && cells.AnyValueInRow(r.top - 1, left, right)) --r.top, again = true;
    while (r.bottom < kMaxRows && cells.AnyValueInRow(r.bottom + 1, left, right))
      ++r.bottom, again = true;
    std::int32_t top = std::max(1, r.top - 1), bottom = std::min(kMaxRows, r.bottom + 1);
    while (r.left > 1 && cells.AnyValueInColumn(r.left - 1, top, bottom)) --r.left, again = true;
    while (r.right < column_count && cells.AnyValueInColumn(r.right + 1, top, bottom))
      ++r.right, again = true;
    grew |= again;
  }
  return grew;
}

// Takes in every merged area that `r` cuts, and every area reaching into
// the ring whose value would show there. Only areas crossing the border of
// `r` can do either, so only the four strips along it are searched.
bool GrowByMerges(const Worksheet& sheet, Area& r, std::int32_t column_count) {
  Area ring{std::max(1, r.top - 1), std::max(1, r.left - 1), std::min(kMaxRows, r.bottom + 1),
            std::min(column_count, r.right + 1)};
  const Area strips[] = {
      {ring.top, ring.left, std::min(r.top, ring.bottom), ring.right},
      {std::max(r.bottom, ring.top), ring.left, ring.bottom, ring.right},
      {ring.top, ring.left, ring.bottom, std::min(r.left, ring.right)},
      {ring.top, std::max(r.right, ring.left), ring.bottom, ring.right},
  };
  Area grown = r;
  for (const Area& strip : strips) {
    for (const Area& m : sheet.merges.Intersecting(strip)) {
      if (r.Contains(m)) continue;
      const Cell* anchor = sheet.cells.Find(m.top, m.left);
      bool cut = m.Intersects(r);
      bool shows_value = anchor && !anchor->value.IsEmpty();
      if (!cut && !shows_value) continue;
      grown.top = std::min(grown.top, m.top);
      grown.left = std::min(grown.left, m.left);
      grown.bottom = std::max(grown.bottom, m.bottom);
      grown.right = std::max(grown.right, m.right);
    }
  }
  if (grown == r) return false;
  r = grown;
  return true;
}

}  // namespace

Area CurrentRegion(const Worksheet& sheet, Area start, std::int32_t column_count) {
  Area r = start;
  GrowByValues(sheet.cells, r, column_count);
  while (GrowByMerges(sheet, r, column_count)) GrowByValues(sheet.cells, r, column_count);
  return r;
}

}  // namespace tavo::workbook
