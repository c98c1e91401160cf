// Merging, inserting, deleting and clearing cells of a LibreOffice sheet.
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/sheet/CellDeleteMode.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/CellInsertMode.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeMovement.hpp>
#include <com/sun/star/sheet/XSheetCellCursor.hpp>
#include <com/sun/star/sheet/XSheetCellRange.hpp>
#include <com/sun/star/sheet/XSheetOperation.hpp>
#include <com/sun/star/table/CellAddress.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/table/XTableColumns.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/util/XMergeable.hpp>

#include "office/host/office_objects.h"

namespace tavo::office {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

constexpr std::int32_t kValueFlags = css::sheet::CellFlags::VALUE | css::sheet::CellFlags::DATETIME |
                                     css::sheet::CellFlags::STRING | css::sheet::CellFlags::FORMULA;

Reference<css::sheet::XCellRangeMovement> Movement(const RangeRef& ref) {
  return Reference<css::sheet::XCellRangeMovement>(ref.sheet, UNO_QUERY_THROW);
}

// The address with the sheet's index as it is now (sheets may have moved).
css::table::CellRangeAddress Current(const RangeRef& ref) {
  css::table::CellRangeAddress a = ref.area;
  a.Sheet = SheetArea(ref.sheet).Sheet;
  return a;
}

void Clear(const Reference<css::sheet::XSpreadsheet>& sheet, std::int32_t left, std::int32_t top, std::int32_t right,
           std::int32_t bottom) {
  if (left > right || top > bottom) return;
  Reference<css::sheet::XSheetOperation>(sheet->getCellRangeByPosition(left, top, right, bottom), UNO_QUERY_THROW)
      ->clearContents(kValueFlags);
}

// Column widths (or row heights) of the copied cells go with them, as the
// desktop host inserts whole columns and rows.
void CopySizes(const RangeRef& target, const css::table::CellRangeAddress& source, bool columns) {
  auto ranges = [&](const css::table::CellRangeAddress& a) {
    return Reference<css::table::XColumnRowRange>(
        target.sheet->getCellRangeByPosition(a.StartColumn, a.StartRow, a.EndColumn, a.EndRow), UNO_QUERY_THROW);
  };
  Reference<css::table::XColumnRowRange> from = ranges(source);
  css::table::CellRangeAddress to_area = target.area;
  to_area.EndColumn = to_area.StartColumn + (source.EndColumn - source.StartColumn);
  to_area.EndRow = to_area.StartRow + (source.EndRow - source.StartRow);
  Reference<css::table::XColumnRowRange> to = ranges(to_area);
  const char* property = columns ? "Width" : "Height";
  Reference<css::container::XIndexAccess> from_items(
      columns ? Reference<css::container::XIndexAccess>(from->getColumns(), UNO_QUERY_THROW)
              : Reference<css::container::XIndexAccess>(from->getRows(), UNO_QUERY_THROW));
  Reference<css::container::XIndexAccess> to_items(
      columns ? Reference<css::container::XIndexAccess>(to->getColumns(), UNO_QUERY_THROW)
              : Reference<css::container::XIndexAccess>(to->getRows(), UNO_QUERY_THROW));
  for (std::int32_t i = 0; i < from_items->getCount(); ++i) {
    Reference<css::beans::XPropertySet> a(from_items->getByIndex(i), UNO_QUERY_THROW);
    Reference<css::beans::XPropertySet> b(to_items->getByIndex(i), UNO_QUERY_THROW);
    b->setPropertyValue(OUString::createFromAscii(property), a->getPropertyValue(OUString::createFromAscii(property)));
  }
}

// The area grown over the document's merged areas it cuts.
Block GrowOverDocumentMerges(const RangeRef& ref, const Block& area) {
  Reference<css::sheet::XSheetCellCursor> cursor = ref.sheet->createCursorByRange(Reference<css::sheet::XSheetCellRange>(
      ref.sheet->getCellRangeByPosition(area.left, area.top, area.right, area.bottom), UNO_QUERY_THROW));
  cursor->collapseToMergedArea();
  return BlockOf(Reference<css::sheet::XCellRangeAddressable>(cursor, UNO_QUERY_THROW)->getRangeAddress());
}

// A merge of a block of cells waits with the other held writes: the area
// grows over the merged areas of the document and over those held, and
// the values it covers are held as emptied.
void HoldMerge(const RangeRef& ref) {
  const std::vector<Block> held = ref.context->held.HeldMerges(ref.sheet);
  Block area = BlockOf(ref.area);
  for (int guard = 0; guard < 100000; ++guard) {
    const Block grown = GrowOverMerges(GrowOverDocumentMerges(ref, area), held);
    if (grown == area) break;
    area = grown;
  }
  if (area.left == area.right && area.top == area.bottom) return;
  const css::uno::Any empty(OUString{});
  if (area.left < area.right) ref.context->held.SetValue(ref.sheet, {area.top, area.left + 1, area.top, area.right}, empty);
  if (area.top < area.bottom) ref.context->held.SetValue(ref.sheet, {area.top + 1, area.left, area.bottom, area.right}, empty);
  ref.context->held.Merge(ref.sheet, area);
}

}  // namespace

// A range cutting a merged area grows to take it in, as on the desktop;
// values other than the top-left one go, nobody being asked.
void MergeRange(const RangeRef& ref) {
  if (HoldsWrites(ref)) return Uno([&] { HoldMerge(ref); });
  ref.context->Flush();
  Uno([&] {
    Reference<css::sheet::XSheetCellCursor> cursor =
        ref.sheet->createCursorByRange(Reference<css::sheet::XSheetCellRange>(ref.Range(), UNO_QUERY_THROW));
    cursor->collapseToMergedArea();
    const css::table::CellRangeAddress a =
        Reference<css::sheet::XCellRangeAddressable>(cursor, UNO_QUERY_THROW)->getRangeAddress();
    if (a.StartColumn == a.EndColumn && a.StartRow == a.EndRow) return;
    Reference<css::util::XMergeable> merged(
        ref.sheet->getCellRangeByPosition(a.StartColumn, a.StartRow, a.EndColumn, a.EndRow), UNO_QUERY_THROW);
    merged->merge(false);
    Clear(ref.sheet, a.StartColumn + 1, a.StartRow, a.EndColumn, a.StartRow);
    Clear(ref.sheet, a.StartColumn, a.StartRow + 1, a.EndColumn, a.EndRow);
    merged->merge(true);
  });
}

// With cells marked by Copy, a copy of them goes in here (whole columns
// shift right, whole rows down); without, blank cells of the range's size.
void InsertAtRange(const RangeRef& ref) {
  ref.context->Flush();
  Uno([&] {
    CopiedCells copied = ref.context->copied;
    ref.context->copied = {};
    css::table::CellRangeAddress target = Current(ref);
    const bool columns = ref.span == Span::kColumns;
    const bool rows = ref.span == Span::kRows;
    const bool same_sheet = copied.sheet.is() && SheetArea(copied.sheet).Sheet == target.Sheet;
    if (copied.sheet.is()) {  // the inserted block has the copied block's size
      target.EndColumn = target.StartColumn + (copied.area.EndColumn - copied.area.StartColumn);
      target.EndRow = target.StartRow + (copied.area.EndRow - copied.area.StartRow);
    }
    using namespace css::sheet;
    const CellInsertMode mode = columns ? CellInsertMode_COLUMNS
                                : rows  ? CellInsertMode_ROWS
                                : (target.EndColumn - target.StartColumn) >= (target.EndRow - target.StartRow)
                                    ? CellInsertMode_DOWN
                                    : CellInsertMode_RIGHT;
    Movement(ref)->insertCells(target, mode);
    if (!copied.sheet.is()) return;
    css::table::CellRangeAddress source = copied.area;
    source.Sheet = SheetArea(copied.sheet).Sheet;
    if (same_sheet) {  // the copied cells moved out of the way too
      const std::int32_t width = target.EndColumn - target.StartColumn + 1;
      const std::int32_t height = target.EndRow - target.StartRow + 1;
      if ((mode == CellInsertMode_COLUMNS || mode == CellInsertMode_RIGHT) && source.StartColumn >= target.StartColumn) {
        source.StartColumn += width;
        source.EndColumn += width;
      } else if ((mode == CellInsertMode_ROWS || mode == CellInsertMode_DOWN) && source.StartRow >= target.StartRow) {
        source.StartRow += height;
        source.EndRow += height;
      }
    }
    Movement(ref)->copyRange(css::table::CellAddress(target.Sheet, target.StartColumn, target.StartRow), source);
    if (columns || rows) {
      RangeRef at = ref;
      at.area = target;
      CopySizes(at, source, columns);
    }
  });
}

void DeleteRange(const RangeRef& ref) {
  ref.context->Flush();
  Uno([&] {
    using namespace css::sheet;
    const CellDeleteMode mode = ref.span == Span::kRows      ? CellDeleteMode_ROWS
                                : ref.span == Span::kColumns ? CellDeleteMode_COLUMNS
                                : ref.Columns() >= ref.Rows() ? CellDeleteMode_UP
                                                              : CellDeleteMode_LEFT;
    Movement(ref)->removeRange(Current(ref), mode);
  });
}

void ClearRangeContents(const RangeRef& ref) {
  ref.context->Flush();
  Uno([&] { Reference<css::sheet::XSheetOperation>(ref.Range(), UNO_QUERY_THROW)->clearContents(kValueFlags); });
}

}  // namespace tavo::office
