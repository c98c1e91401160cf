#pragma once
// The width Calc gives one character of column width in a document: the
// widest digit of the document's default font on its reference device.
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>

namespace tavo::office {

// In twips; the desktop host's 7 pixels when the document has no reference
// device or default style to measure.
double MeasureDigitTwips(const css::uno::Reference<css::sheet::XSpreadsheetDocument>& document);

}  // namespace tavo::office
