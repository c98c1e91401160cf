#include "office/host/digit_width.h"

#include <com/sun/star/awt/FontDescriptor.hpp>
#include <com/sun/star/awt/XDevice.hpp>
#include <com/sun/star/awt/XFont.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>

#include <algorithm>
#include <cmath>

#include "office/host/units.h"

namespace tavo::office {

using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

// Calc converts the widths of an .xlsx with the font of its default cell
// style, which the file's first style gives; a host workbook's is 宋体 11.
double MeasureDigitTwips(const Reference<css::sheet::XSpreadsheetDocument>& document) {
  try {
    Reference<css::beans::XPropertySet> properties(document, UNO_QUERY_THROW);
    Reference<css::awt::XDevice> device(properties->getPropertyValue("ReferenceDevice"), UNO_QUERY);
    if (!device.is()) return kDesktopDigitTwips;
    Reference<css::style::XStyleFamiliesSupplier> families(document, UNO_QUERY_THROW);
    Reference<css::container::XNameAccess> cell_styles(families->getStyleFamilies()->getByName("CellStyles"),
                                                       UNO_QUERY_THROW);
    Reference<css::beans::XPropertySet> style(cell_styles->getByName("Default"), UNO_QUERY_THROW);
    css::awt::FontDescriptor font;
    style->getPropertyValue("CharFontName") >>= font.Name;
    float points = 0;
    style->getPropertyValue("CharHeight") >>= points;
    // The reference device counts in twips, font heights included.
    font.Height = static_cast<sal_Int16>(std::lround(points * 20));
    Reference<css::awt::XFont> measured = device->getFont(font);
    if (!measured.is() || font.Height <= 0) return kDesktopDigitTwips;
    sal_Int16 widest = 0;
    for (sal_Unicode digit = '0'; digit <= '9'; ++digit) widest = std::max(widest, measured->getCharWidth(digit));
    return widest > 0 ? widest : kDesktopDigitTwips;
  } catch (const css::uno::Exception&) {
    return kDesktopDigitTwips;
  }
}

}  // namespace tavo::office
