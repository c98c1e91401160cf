#pragma once
// What a new workbook of the desktop host starts with, which every host
// reproduces: the classic 56-colour palette and the standard column width.
#include <array>
#include <cstdint>

namespace tavo::host {

inline constexpr double kDefaultColumnWidth = 8.43;  // characters

// Colors(1..56) as the host numbers them: r + g*256 + b*65536.
using Palette = std::array<std::int32_t, 56>;
Palette ClassicPalette();

}  // namespace tavo::host
