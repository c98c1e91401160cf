#pragma once
// The spreadsheet host interface over an open LibreOffice Calc document:
// every call is one UNO call or a few on the document, its current
// controller or its sheets, asked afresh each time. UNO exceptions leave as
// tavo::Error (source "LibreOffice", the desktop host's numbers).
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <memory>

#include "sheets/host/host.h"

namespace tavo::office {

// The application object over `document`; error 13 when it is no
// spreadsheet document.
std::unique_ptr<host::Application> OpenOfficeApplication(
    const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& uno,
    const com::sun::star::uno::Reference<com::sun::star::uno::XInterface>& document);

}  // namespace tavo::office
