#pragma once
// What the adapter's objects for one document share during one call: the
// document, the few host states LibreOffice has no place for (the cells Copy
// marked, the DisplayAlerts flag), the cell writes not sent yet, and what
// one call reads once (the palette, number format keys).
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/table/CellRangeAddress.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "office/host/digit_width.h"
#include "office/host/palette.h"
#include "office/host/uno_support.h"
#include "office/host/write_buffer.h"

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
  // Cell writes not sent yet: everything that reads the document or changes
  // its structure calls Flush first.
  WriteBuffer held;
  // The stored palette, read at its first use in the call.
  std::optional<Palette> palette;
  std::map<std::string, std::int32_t> format_keys;
  // One character of column width, measured at its first use in the call.
  std::optional<double> digit_twips;
  // The shapes Shape.Select chose, not yet selected in the view: selecting
  // a shape switches the view's tools, which costs more than making the
  // shape. The view selects them when the call ends or before the active
  // sheet changes; a range activated meanwhile takes their place.
  std::vector<css::uno::Reference<css::drawing::XShape>> chosen_shapes;
  // Told of every value written to cells, and of the cells each call of a
  // flush sends (the progress of a build).
  std::function<void()> on_value;
  WriteBuffer::Sent on_sent;

  void Flush() {
    if (!held.Empty()) held.Flush(document, on_sent);
  }
  void FlushValues() {
    if (!held.Empty()) held.FlushValues(document);
  }
  double DigitTwips() {
    if (!digit_twips) digit_twips = MeasureDigitTwips(document);
    return *digit_twips;
  }
  const Palette& CurrentPalette() {
    if (!palette) palette = ReadPalette(document);
    return *palette;
  }
  void StorePalette(const Palette& entries) {
    palette.reset();  // read again should writing fail half-way
    WritePalette(document, entries);
    palette = entries;
  }
};
using ContextPtr = std::shared_ptr<OfficeContext>;

// The shared state for `document`; raises the type mismatch (13) when it is
// not a spreadsheet document.
ContextPtr MakeContext(const css::uno::Reference<css::uno::XComponentContext>& uno,
                       const css::uno::Reference<css::uno::XInterface>& document);

}  // namespace tavo::office
