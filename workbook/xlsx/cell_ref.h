#pragma once
// A1-style cell references.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavo::xlsx {

struct CellRef {
  std::int32_t row = 0;     // 1-based
  std::int32_t column = 0;  // 1-based
};

std::string ColumnLetters(std::int32_t column);  // 1 -> "A", 27 -> "AA"
std::string CellName(std::int32_t row, std::int32_t column);  // (3, 2) -> "B3"
// "B3", "$B$3" -> (3, 2); nullopt when it is not a cell within the sheet's limits.
std::optional<CellRef> ParseCellName(std::string_view name);

inline constexpr std::int32_t kMaxRows = 1048576;
inline constexpr std::int32_t kMaxColumns = 16384;

}  // namespace tavo::xlsx
