#include "office/host/host_sheets.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>

#include "office/host/new_sheet.h"
#include "office/host/office_host.h"
#include "office/host/office_objects.h"
#include "workbook/xlsx/host_workbook.h"

namespace tavo::office {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

void CopySheet(const workbook::Worksheet& from, host::Sheet& to) {
  for (std::int32_t row = 1; row < from.cells.RowLimit(); ++row) {
    for (const workbook::Cell& cell : from.cells.Row(row)) {
      auto target = to.Cells(row, cell.column);
      // The model holds values as stored: a quoted text keeps its quote.
      if (cell.quote_prefix && cell.value.IsText()) {
        target->SetValue(host::Variant("'" + cell.value.Text()));
      } else {
        target->SetValue(cell.value);
      }
      if (cell.format.bold) target->Font()->SetBold(true);
    }
  }
  for (const auto& [column, width] : from.column_widths) to.Columns(column)->SetColumnWidth(width);
}

}  // namespace

std::vector<std::string> AddMissingHostSheets(const Reference<css::uno::XComponentContext>& uno,
                                              const Reference<css::uno::XInterface>& document) {
  const ContextPtr context = MakeContext(uno, document);
  const workbook::WorkbookModel model = xlsx::MakeHostWorkbook();
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
  for (const workbook::Worksheet& sheet : model.sheets) {
    Uno([&] {
      auto sheets = context->document->getSheets();
      const OUString name = ToUno(sheet.name);
      if (sheets->hasByName(name)) return;
      const auto count = Reference<css::container::XIndexAccess>(sheets, UNO_QUERY_THROW)->getCount();
      sheets->insertNewByName(name, static_cast<std::int16_t>(count));
      Reference<css::sheet::XSpreadsheet> added_sheet(sheets->getByName(name), UNO_QUERY_THROW);
      PrepareNewSheet(*context, added_sheet);
      auto target = MakeSheet(context, added_sheet);
      CopySheet(sheet, *target);
      added.push_back(sheet.name);
    });
  }
  context->Flush();
  return added;
}

}  // namespace tavo::office
