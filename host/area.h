#pragma once
// A rectangle of cells, both corners included: the one area type of every
// host. The embedded workbook counts from 1 as the desktop host does; the
// LibreOffice host fills it with UNO's 0-based numbers.
#include <cstdint>

namespace tavo::host {

struct Area {
  std::int32_t top = 1, left = 1, bottom = 1, right = 1;

  std::int32_t Rows() const { return bottom - top + 1; }
  std::int32_t Columns() const { return right - left + 1; }
  bool Contains(std::int32_t row, std::int32_t column) const {
    return row >= top && row <= bottom && column >= left && column <= right;
  }
  bool Contains(const Area& o) const {
    return o.top >= top && o.bottom <= bottom && o.left >= left && o.right <= right;
  }
  bool Intersects(const Area& o) const {
    return o.top <= bottom && o.bottom >= top && o.left <= right && o.right >= left;
  }
  bool operator==(const Area&) const = default;
};

}  // namespace tavo::host
