#include "office/host/new_sheet.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>

#include "host/host_defaults.h"
#include "office/host/units.h"
#include "office/host/uno_support.h"

namespace tavo::office {

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

void PrepareNewSheet(OfficeContext& context, const Reference<css::sheet::XSpreadsheet>& sheet) {
  Reference<css::beans::XPropertySet> cells(sheet, UNO_QUERY_THROW);
  const css::uno::Any face(ToUno("宋体"));
  for (const char* property : {"CharFontName", "CharFontNameAsian", "CharFontNameComplex"}) {
    cells->setPropertyValue(OUString::createFromAscii(property), face);
  }
  Reference<css::beans::XPropertySet> columns(Reference<css::table::XColumnRowRange>(sheet, UNO_QUERY_THROW)->getColumns(),
                                              UNO_QUERY_THROW);
  columns->setPropertyValue("Width",
                            css::uno::Any(CharactersToMm100(host::kDefaultColumnWidth, context.DigitTwips())));
}

}  // namespace tavo::office
