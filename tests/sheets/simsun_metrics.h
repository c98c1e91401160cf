#pragma once
// How wide the desktop host draws a text in 宋体 (SimSun) at 96 dpi, and how
// much of a cell a text may use, for checking that nothing is cut in print.
//
// SimSun: a Chinese character or full-width sign is one em wide (the font
// size in points × 4/3 pixels), a Latin letter, digit or space half an em;
// synthetic bold widens every character by about one pixel. A column of
// width w is round(7w) + 5 pixels, 5 of which are the cell's padding and
// grid line, so a text has round(7w) pixels (below width 1: round(12w)).
// A line of text takes 14.25 points per 12 points of font size.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace tavo::testing {

inline constexpr double kCellPadding = 5;

inline double ColumnPixels(double width) {
  return width < 1 ? std::round(width * 12) : std::round(width * 7) + kCellPadding;
}

inline double LineHeightPoints(double font_size) { return font_size * 14.25 / 12; }

// The code points of a UTF-8 text.
inline std::vector<std::uint32_t> CodePoints(const std::string& text) {
  std::vector<std::uint32_t> points;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    std::uint32_t code = n == 1 ? lead : lead & (0xFFu >> (n + 1));
    for (std::size_t k = 1; k < n && i + k < text.size(); ++k)
      code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
    points.push_back(code);
    i += n;
  }
  return points;
}

inline bool HalfWidth(std::uint32_t code) {
  return code < 0x1100 || (code >= 0xFF61 && code <= 0xFFDC);
}

// Pixels of one line (no line feeds) at `size` points.
inline double LinePixels(const std::string& line, double size, bool bold) {
  const double em = size * 4 / 3;
  double width = 0;
  for (std::uint32_t code : CodePoints(line)) width += (HalfWidth(code) ? em / 2 : em) + (bold ? 1 : 0);
  return width;
}

// Lines a line takes when the cell wraps it at `available` pixels, breaking
// between any two characters as Chinese text breaks.
inline int WrappedLines(const std::string& line, double size, bool bold, double available) {
  const double em = size * 4 / 3;
  int lines = 1;
  double used = 0;
  for (std::uint32_t code : CodePoints(line)) {
    const double w = (HalfWidth(code) ? em / 2 : em) + (bold ? 1 : 0);
    if (used > 0 && used + w > available) {
      ++lines;
      used = 0;
    }
    used += w;
  }
  return lines;
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (char c : text) {
    if (c == '\n') {
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

}  // namespace tavo::testing
