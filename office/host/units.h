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
inline std::int32_t CharactersToMm100(double characters) {
  return static_cast<std::int32_t>(std::lround(ColumnPixels(characters) * 2540.0 / 96.0));
}
inline double Mm100ToCharacters(std::int32_t mm100) {
  const long pixels = std::lround(mm100 * 96.0 / 2540.0);
  if (pixels >= 12) return std::round((pixels - 5) / 7.0 * 100) / 100;
  return std::round(pixels / 12.0 * 100) / 100;
}

}  // namespace tavo::office
