#pragma once
// The workbook palette in styles.xml: <colors><indexedColors> holds 64
// entries, the first 8 fixed; palette entry n (1..56) is entry n + 7.
#include <pugixml.hpp>

#include <array>
#include <cstdint>
#include <string>

namespace tavo::xlsx {

using Palette = std::array<std::int32_t, 56>;  // host colour numbers r + g*256 + b*65536

// The palette a styles part defines, `fallback` where it defines none.
Palette ReadPalette(const pugi::xml_document& styles, const Palette& fallback);

// Replaces (or adds) the full 64-entry indexedColors list, written 00RRGGBB.
void WritePalette(pugi::xml_document& styles, const Palette& palette);

// "00RRGGBB" of a host colour number.
std::string PaletteHex(std::int32_t rgb);

}  // namespace tavo::xlsx
