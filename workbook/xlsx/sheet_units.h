#pragma once
// Sizes as the host gives them and as the file stores them. Column widths
// are characters of the default font's digit (7 pixels wide at 11 pt) in
// the host; the file adds 5 pixels of padding. Row heights are points in
// both. Drawings count in EMU: 12700 per point.
#include <cmath>
#include <cstdint>

namespace tavo::xlsx {

inline constexpr double kDigitPixels = 7;
inline constexpr std::int64_t kEmuPerPoint = 12700;

inline double FileColumnWidth(double characters) {
  if (characters <= 0) return 0;
  return std::trunc((characters * kDigitPixels + 5) / kDigitPixels * 256) / 256;
}

inline double HostColumnWidth(double file_width) {
  if (file_width <= 0) return 0;
  double characters = (file_width * kDigitPixels - 5) / kDigitPixels;
  return std::round(characters * 100) / 100;
}

// The width a column takes on screen and on paper, in points (96 dpi pixels).
inline double ColumnPoints(double characters) {
  if (characters <= 0) return 0;
  double pixels = std::trunc(characters * kDigitPixels + 5);
  return pixels * 0.75;
}

inline std::int64_t PointsToEmu(double points) {
  return static_cast<std::int64_t>(std::llround(points * kEmuPerPoint));
}

}  // namespace tavo::xlsx
