#pragma once
// Edits that move or join cells: merge, clear, delete and insert whole rows
// or columns (with what Copy left on the clipboard).
#include <cstdint>

#include "workbook/range_ref.h"

namespace tavo::workbook {

// Merges the range, grown over every merged area it cuts; keeps only the
// top-left value. A single cell is left alone.
void MergeRange(Worksheet& sheet, Area area);

// Empties the values of the range; formats and merges stay.
void ClearRangeContents(Worksheet& sheet, const Area& area);

// Range.Delete of whole rows or columns: the rest moves up or left with
// cells, formats, merges and sizes. A merge inside the deleted rows goes, one
// crossing them shrinks. Raises for a block that is not whole rows/columns.
void DeleteRange(const RangeRef& range);

// Range.Insert of whole rows or columns: inserts copies of the copied rows or
// columns when the clipboard holds matching ones (values, formats, borders,
// merges, sizes), blank ones when it is empty; the rest moves down or right.
// Raises for a block, a clipboard of the other kind, or data pushed off the sheet.
void InsertRange(const RangeRef& range);

}  // namespace tavo::workbook
