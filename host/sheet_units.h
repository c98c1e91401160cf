#pragma once
// Sizes as the host gives them and as the file stores them. Column widths
// are characters of the default font's digit (7 pixels wide at 11 pt) in
// the host; the file stores the column's pixels, padding included, in digits. Row heights are points in
// both. Drawings count in EMU: 12700 per point.
#include <cmath>
#include <cstdint>

namespace tavo::host {

inline constexpr double kDigitPixels = 7;
inline constexpr double kPaddingPixels = 5;
inline constexpr std::int64_t kEmuPerPoint = 12700;

// Pixels of a column `characters` wide. From one character up the host adds
// the padding to the digits; below one it spreads the width over a digit
// and the padding together (12 px a character), so 0.38 is 5 px, not 8.
inline double ColumnPixels(double characters) {
  if (characters <= 0) return 0;
  if (characters < 1) return std::round(characters * (kDigitPixels + kPaddingPixels));
  return std::round(characters * kDigitPixels) + kPaddingPixels;
}

// The file's width of a column: its pixels in digits, truncated to 1/256.
inline double FileColumnWidth(double characters) {
  return std::trunc(ColumnPixels(characters) / kDigitPixels * 256) / 256;
}

// Characters (to 1/100, as the host reports them) of a file's width.
inline double HostColumnWidth(double file_width) {
  if (file_width <= 0) return 0;
  const double pixels = std::round(file_width * kDigitPixels);
  const double characters = pixels < kDigitPixels + kPaddingPixels
                                ? pixels / (kDigitPixels + kPaddingPixels)
                                : (pixels - kPaddingPixels) / kDigitPixels;
  return std::round(characters * 100) / 100;
}

// The width a column takes on screen and on paper, in points (96 dpi pixels).
inline double ColumnPoints(double characters) { return ColumnPixels(characters) * 0.75; }

inline std::int64_t PointsToEmu(double points) {
  return static_cast<std::int64_t>(std::llround(points * kEmuPerPoint));
}

}  // namespace tavo::host
