#pragma once
// The desktop host's units against LibreOffice's: points and characters of
// the object model, 1/100 mm of UNO.
#include <cmath>
#include <cstdint>

namespace tavo::office {

// Points to 1/100 mm and back; a point read back is rounded to the twip
// (1/20 point), the unit LibreOffice keeps sizes in.
inline std::int32_t PointsToMm100(double points) {
  return static_cast<std::int32_t>(std::lround(points * 2540.0 / 72.0));
}
inline double Mm100ToPoints(std::int32_t mm100) {
  return std::round(mm100 * 72.0 / 2540.0 * 20.0) / 20.0;
}

// A column width in characters of the default font's digit width, as the
// desktop host draws it at 96 dpi: 7 pixels a character plus 5 of padding,
// and below one character 12 pixels a character.
inline std::int32_t ColumnPixels(double characters) {
  if (characters <= 0) return 0;
  if (characters < 1) return static_cast<std::int32_t>(std::lround(characters * 12));
  return static_cast<std::int32_t>(std::lround(characters * 7)) + 5;
}

// The desktop host's digit: 7 pixels at 96 dpi, in twips.
inline constexpr double kDesktopDigitTwips = 7 * 15;

// Calc reads an .xlsx column width (the desktop's pixels in digits, as the
// file stores them) as that many digits of the workbook's default font,
// measured in twips on the document's reference device, and keeps the
// column to the twip. Widths set and read through these get the size Calc
// gives the same width read from a file, so a sheet built here and one
// written by the command look alike in the same Calc.
inline double FileDigits(double characters) {
  return std::trunc(ColumnPixels(characters) / 7.0 * 256) / 256;
}
inline std::int32_t CharactersToMm100(double characters, double digit_twips = kDesktopDigitTwips) {
  const double twips = std::round(FileDigits(characters) * digit_twips);
  return static_cast<std::int32_t>(std::lround(twips * 127.0 / 72.0));
}
inline double Mm100ToCharacters(std::int32_t mm100, double digit_twips = kDesktopDigitTwips) {
  if (mm100 <= 0 || digit_twips <= 0) return 0;
  const long pixels = std::lround(mm100 * 72.0 / 127.0 / digit_twips * 7);
  if (pixels >= 12) return std::round((pixels - 5) / 7.0 * 100) / 100;
  return std::round(pixels / 12.0 * 100) / 100;
}

}  // namespace tavo::office
