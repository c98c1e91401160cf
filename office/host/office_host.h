#pragma once
// The spreadsheet host interface over an open LibreOffice Calc document:
// every call is one UNO call or a few on the document, its current
// controller or its sheets, asked afresh each time, except the cell writes,
// which wait in the context until something reads the document or changes
// its structure (or the caller flushes it). UNO exceptions leave as
// tavo::Error (source "LibreOffice", the desktop host's numbers).
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <memory>

#include "office/host/office_context.h"
#include "host/host.h"

namespace tavo::office {

// The application object over a document's context (MakeContext); the
// caller flushes the context when its call ends.
std::unique_ptr<host::Application> OpenOfficeApplication(const ContextPtr& context);

}  // namespace tavo::office
