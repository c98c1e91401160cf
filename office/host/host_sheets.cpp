#include "office/host/host_sheets.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>

#include "hostbook/default_content.h"
#include "office/host/new_sheet.h"
#include "office/host/office_host.h"
#include "office/host/office_objects.h"

namespace tavo::office {

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

std::vector<std::string> AddMissingHostSheets(const Reference<css::uno::XComponentContext>& uno,
                                              const Reference<css::uno::XInterface>& document) {
  const ContextPtr context = MakeContext(uno, document);
  std::vector<std::string> added;
  // The cells wait in the context; what was written goes to the document even when a sheet fails.
  struct SendAtEnd {
    const ContextPtr& context;
    ~SendAtEnd() {
      try {
        context->Flush();
      } catch (...) {
      }
    }
  } send_at_end{context};
  for (const hostbook::DefaultSheet& sheet : hostbook::DefaultHostSheets(LocalToday())) {
    Uno([&] {
      auto sheets = context->document->getSheets();
      const OUString name = ToUno(sheet.name);
      if (sheets->hasByName(name)) return;
      const auto count = Reference<css::container::XIndexAccess>(sheets, UNO_QUERY_THROW)->getCount();
      sheets->insertNewByName(name, static_cast<std::int16_t>(count));
      Reference<css::sheet::XSpreadsheet> added_sheet(sheets->getByName(name), UNO_QUERY_THROW);
      PrepareNewSheet(*context, added_sheet);
      auto target = MakeSheet(context, added_sheet);
      hostbook::WriteDefaultSheet(sheet, *target);
      added.push_back(sheet.name);
    });
  }
  context->Flush();
  return added;
}

}  // namespace tavo::office
