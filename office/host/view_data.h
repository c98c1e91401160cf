#pragma once
// Calc's view data string (XController::getViewData): the window's zoom,
// the active sheet, then one "/"-separated entry per sheet with its cursor,
// split modes and positions and each pane's first row and column. Freezing
// through the API goes by pixels; writing the entry places the frozen
// split on whole cells and opens the scrolling panes right after it.
#include <cstdint>
#include <optional>
#include <string>

namespace tavo::office {

// The view data with sheet `sheet`'s (0-based) entry frozen after `columns`
// columns and `rows` rows, the fixed panes starting at column A and row 1
// and the scrolling ones right after the split. nullopt when the string
// has no such entry or it is not laid out as expected.
std::optional<std::string> FrozenViewData(const std::string& view_data, std::int32_t sheet,
                                          std::int32_t columns, std::int32_t rows);

// Where sheet `sheet`'s entry says its split is frozen: the columns and rows
// before it (0 where that direction is not frozen). XViewSplitable's
// getSplitRow and getSplitColumn convert the split's pixels back to a cell,
// which lands a row off when the UI font makes rows taller (a Chinese UI);
// the entry keeps the cell itself. nullopt as for FrozenViewData.
struct FrozenSplit {
  std::int32_t columns = 0;
  std::int32_t rows = 0;
  friend bool operator==(const FrozenSplit&, const FrozenSplit&) = default;
};
std::optional<FrozenSplit> FrozenSplitOf(const std::string& view_data, std::int32_t sheet);

}  // namespace tavo::office
