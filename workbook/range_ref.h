#pragma once
// What a host range object points at: an area of one sheet, found again by
// the sheet's id on every call so that a handle outliving its sheet raises
// instead of touching freed memory.
#include <cstdint>
#include <memory>
#include <string>

#include "host/a1_address.h"
#include "workbook/workbook_model.h"

namespace tavo::workbook {

using ModelPtr = std::shared_ptr<WorkbookModel>;

// Whether the area is whole rows, whole columns or the whole sheet: those
// keep their formats and sizes as row, column and sheet formats.
enum class Span { kCells, kRows, kColumns, kSheet };
// What Count counts: cells, or rows / columns (Range.Rows, Range.Columns).
enum class CountAs { kCells, kRows, kColumns };

struct RangeRef {
  ModelPtr model;
  std::uint64_t sheet_id = 0;
  Area area;
  Span span = Span::kCells;
  CountAs count_as = CountAs::kCells;

  Worksheet& Sheet() const;  // raises when the sheet was deleted
};

// Checks row/column bounds against the workbook and classifies the area.
RangeRef MakeRangeRef(ModelPtr model, std::uint64_t sheet_id, Area area,
                      CountAs count_as = CountAs::kCells);

// The sheet with this id; raises error 9 when it is gone.
Worksheet& ResolveSheet(WorkbookModel& model, std::uint64_t sheet_id);

// The A1 notation of whole rows and columns is every host's.
using host::ColumnFromLetters;
using host::ParseColumnAddress;
using host::ParseRowAddress;

}  // namespace tavo::workbook
