#include "office/host/palette.h"

#include <com/sun/star/beans/PropertyAttribute.hpp>
#include <com/sun/star/beans/XPropertyContainer.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/beans/XPropertySetInfo.hpp>
#include <com/sun/star/document/XDocumentProperties.hpp>
#include <com/sun/star/document/XDocumentPropertiesSupplier.hpp>

#include <cstdio>
#include <limits>
#include <sstream>

#include "host/host_defaults.h"

namespace tavo::office {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

Reference<css::beans::XPropertyContainer> UserProperties(
    const Reference<css::sheet::XSpreadsheetDocument>& document) {
  Reference<css::document::XDocumentPropertiesSupplier> supplier(document, UNO_QUERY_THROW);
  return supplier->getDocumentProperties()->getUserDefinedProperties();
}

}  // namespace

std::string PaletteText(const Palette& palette) {
  std::string text;
  char word[8];
  for (std::int32_t host : palette) {
    std::snprintf(word, sizeof word, "%06X", static_cast<unsigned>(HostToUnoColour(host)) & 0xFFFFFFu);
    if (!text.empty()) text += ' ';
    text += word;
  }
  return text;
}

bool ParsePaletteText(const std::string& text, Palette& palette) {
  std::istringstream in(text);
  Palette parsed{};
  std::string word;
  std::size_t n = 0;
  while (in >> word) {
    if (n == parsed.size() || word.size() != 6) return false;
    std::int32_t uno = 0;
    for (char c : word) {
      int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
      if (digit < 0) return false;
      uno = uno * 16 + digit;
    }
    parsed[n++] = UnoToHostColour(uno);
  }
  if (n != parsed.size()) return false;
  palette = parsed;
  return true;
}

Palette ReadPalette(const Reference<css::sheet::XSpreadsheetDocument>& document) {
  return Uno([&] {
    Palette palette = host::ClassicPalette();
    Reference<css::beans::XPropertySet> properties(UserProperties(document), UNO_QUERY_THROW);
    const OUString name = OUString::createFromAscii(kPaletteProperty);
    if (!properties->getPropertySetInfo()->hasPropertyByName(name)) return palette;
    OUString text;
    properties->getPropertyValue(name) >>= text;
    // A damaged property is no reason to fail a build: the classic colours stand.
    ParsePaletteText(FromUno(text), palette);
    return palette;
  });
}

void WritePalette(const Reference<css::sheet::XSpreadsheetDocument>& document, const Palette& palette) {
  Uno([&] {
    Reference<css::beans::XPropertyContainer> container = UserProperties(document);
    Reference<css::beans::XPropertySet> properties(container, UNO_QUERY_THROW);
    const OUString name = OUString::createFromAscii(kPaletteProperty);
    const css::uno::Any text(ToUno(PaletteText(palette)));
    if (properties->getPropertySetInfo()->hasPropertyByName(name)) {
      properties->setPropertyValue(name, text);
    } else {
      container->addProperty(name, css::beans::PropertyAttribute::REMOVABLE, text);
    }
  });
}

int NearestIndex(const Palette& palette, std::int32_t uno_colour) {
  const std::int32_t host = UnoToHostColour(uno_colour);
  int best = 1;
  long best_distance = std::numeric_limits<long>::max();
  for (int i = 0; i < 56; ++i) {
    const std::int32_t c = palette[static_cast<std::size_t>(i)];
    const long dr = (c & 0xFF) - (host & 0xFF);
    const long dg = ((c >> 8) & 0xFF) - ((host >> 8) & 0xFF);
    const long db = ((c >> 16) & 0xFF) - ((host >> 16) & 0xFF);
    const long distance = dr * dr + dg * dg + db * db;
    if (distance < best_distance) {
      best = i + 1;
      best_distance = distance;
      if (distance == 0) break;
    }
  }
  return best;
}

}  // namespace tavo::office
