#pragma once
// The workbook palette of an open document. LibreOffice keeps no indexed
// palette, so the 56 entries live in the document's user-defined property
// "TavoPalette" (56 hexadecimal RRGGBB words); without it the document has
// the host's classic palette. Cells keep the colour itself, as LibreOffice
// does; a colour index is looked up when it is set or read.
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>

#include <array>
#include <cstdint>
#include <string>

#include "host/host_defaults.h"
#include "office/host/uno_support.h"

namespace tavo::office {

inline constexpr const char* kPaletteProperty = "TavoPalette";
using host::Palette;  // host colour numbers r + g*256 + b*65536

Palette ReadPalette(const css::uno::Reference<css::sheet::XSpreadsheetDocument>& document);
void WritePalette(const css::uno::Reference<css::sheet::XSpreadsheetDocument>& document,
                  const Palette& palette);

// The property's text and back; false for a malformed text.
std::string PaletteText(const Palette& palette);
bool ParsePaletteText(const std::string& text, Palette& palette);

// LibreOffice's colour (0xRRGGBB) of a host colour number and back.
constexpr std::int32_t HostToUnoColour(std::int32_t host) {
  return ((host & 0xFF) << 16) | (host & 0xFF00) | ((host >> 16) & 0xFF);
}
constexpr std::int32_t UnoToHostColour(std::int32_t uno) { return HostToUnoColour(uno); }

// The palette entry 1..56 showing `uno_colour`: the exact one, else the nearest.
int NearestIndex(const Palette& palette, std::int32_t uno_colour);

}  // namespace tavo::office
