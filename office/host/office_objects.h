#pragma once
// The adapter's objects and the factories they hand each other out with.
// A range is its sheet and its cell address (0-based, as UNO counts); every
// call asks the document afresh.
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/table/CellRangeAddress.hpp>
#include <com/sun/star/table/XCellRange.hpp>

#include <memory>

#include "office/host/office_context.h"
#include "host/host.h"

namespace tavo::office {

// Whether a range is whole rows, whole columns or the whole sheet: their
// sizes then go to every row or column, as the desktop host does.
enum class Span { kCells, kRows, kColumns, kSheet };
// What Count counts: Rows and Columns of a range count rows or columns.
enum class CountAs { kCells, kRows, kColumns };

struct RangeRef {
  ContextPtr context;
  css::uno::Reference<css::sheet::XSpreadsheet> sheet;
  css::table::CellRangeAddress area;
  Span span = Span::kCells;
  CountAs count_as = CountAs::kCells;

  css::uno::Reference<css::table::XCellRange> Range() const;
  std::int32_t Rows() const { return area.EndRow - area.StartRow + 1; }
  std::int32_t Columns() const { return area.EndColumn - area.StartColumn + 1; }
};

// Whether writes to the range wait in the context's WriteBuffer: blocks of
// cells do; whole rows, columns and the sheet go to the document at once.
bool HoldsWrites(const RangeRef& ref);
inline Block BlockOf(const css::table::CellRangeAddress& a) {
  return {a.StartRow, a.StartColumn, a.EndRow, a.EndColumn};
}

// The whole sheet's address (every row and column LibreOffice has).
css::table::CellRangeAddress SheetArea(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet);
// A range over `area` of the sheet, its span found from the sheet's size.
RangeRef MakeRangeRef(const ContextPtr& context, const css::uno::Reference<css::sheet::XSpreadsheet>& sheet,
                      const css::table::CellRangeAddress& area, CountAs count_as = CountAs::kCells);

std::unique_ptr<host::CellRange> MakeRange(RangeRef ref);
const RangeRef* RangeRefOf(host::CellRange& range);  // nullptr for another host's range
std::unique_ptr<host::FontFormat> MakeFont(RangeRef ref);
std::unique_ptr<host::InteriorFormat> MakeInterior(RangeRef ref);
std::unique_ptr<host::BorderSet> MakeBorders(RangeRef ref);

// Structure edits of a range (range_structure.cpp).
void MergeRange(const RangeRef& ref);
void InsertAtRange(const RangeRef& ref);
void DeleteRange(const RangeRef& ref);
void ClearRangeContents(const RangeRef& ref);

std::unique_ptr<host::Sheet> MakeSheet(const ContextPtr& context, css::uno::Reference<css::sheet::XSpreadsheet> sheet);
std::unique_ptr<host::Sheets> MakeSheets(const ContextPtr& context);
std::unique_ptr<host::Workbook> MakeWorkbook(const ContextPtr& context);
std::unique_ptr<host::PageLayout> MakePageLayout(const ContextPtr& context,
                                                 css::uno::Reference<css::sheet::XSpreadsheet> sheet);
std::unique_ptr<host::ShapeCollection> MakeShapes(const ContextPtr& context,
                                                  css::uno::Reference<css::sheet::XSpreadsheet> sheet);
std::unique_ptr<host::ShapeSelection> MakeShapeSelection(const ContextPtr& context);
std::unique_ptr<host::Window> MakeWindow(const ContextPtr& context);

// Selects the shapes Shape.Select chose in the view, if any are waiting.
void SelectChosenShapes(const ContextPtr& context);

// The document's current controller, its active sheet, and selecting on it.
css::uno::Reference<css::frame::XController> Controller(const ContextPtr& context);
css::uno::Reference<css::sheet::XSpreadsheet> ActiveSheetOf(const ContextPtr& context);

}  // namespace tavo::office
