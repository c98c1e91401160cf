#pragma once
// Each sheet the adapter adds gets a page style of its own, so that its page
// setup is its own as on the desktop, with the desktop host's defaults. The
// header and footer are on (and empty) so that LibreOffice keeps the
// header and footer margins: the page's top margin is the desktop's header
// margin and the header's height the rest of the desktop's top margin;
// likewise at the bottom.
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>

#include "office/host/office_context.h"

namespace tavo::office {

// The page style the sheet prints with.
css::uno::Reference<css::beans::XPropertySet> PageStyleOf(const OfficeContext& context,
                                                          const css::uno::Reference<css::sheet::XSpreadsheet>& sheet);

// Gives the sheet a fresh page style "tavo N", not used by any other sheet.
void GiveOwnPageStyle(const OfficeContext& context, const css::uno::Reference<css::sheet::XSpreadsheet>& sheet);

}  // namespace tavo::office
