#pragma once
// What the adapter's objects for one document share: the document and the
// few host states LibreOffice has no place for (the cells Copy marked, the
// DisplayAlerts flag). Everything else is asked of the document each time.
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/table/CellRangeAddress.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <memory>

#include "office/host/uno_support.h"

namespace tavo::office {

struct CopiedCells {
  css::uno::Reference<css::sheet::XSpreadsheet> sheet;  // empty: nothing copied
  css::table::CellRangeAddress area;
};

struct OfficeContext {
  css::uno::Reference<css::uno::XComponentContext> uno;
  css::uno::Reference<css::sheet::XSpreadsheetDocument> document;
  // Range.Copy marks the cells; Range.Insert takes a copy of them from the
  // document as it is then, as the desktop host pastes from its clipboard.
  CopiedCells copied;
  bool display_alerts = true;  // nothing in LibreOffice asks while we work
};
using ContextPtr = std::shared_ptr<OfficeContext>;

// The shared state for `document`; raises the type mismatch (13) when it is
// not a spreadsheet document.
ContextPtr MakeContext(const css::uno::Reference<css::uno::XComponentContext>& uno,
                       const css::uno::Reference<css::uno::XInterface>& document);

}  // namespace tavo::office
