// Range references, bounds checks and A1-style row/column addresses.
#include "workbook/range_ref.h"

#include "common/error.h"

namespace tavo::workbook {

namespace {

std::string Bounds(const char* what, std::int64_t n, std::int64_t max) {
  return std::string(what) + " " + std::to_string(n) + " 不在 1.." + std::to_string(max) + " 之内";
}

}  // namespace

Worksheet& RangeRef::Sheet() const { return ResolveSheet(*model, sheet_id); }

Worksheet& ResolveSheet(WorkbookModel& model, std::uint64_t sheet_id) {
  Worksheet* sheet = model.FindSheet(sheet_id);
  if (!sheet) RaiseOutOfRange("工作表已被删除");
  return *sheet;
}

RangeRef MakeRangeRef(ModelPtr model, std::uint64_t sheet_id, Area area, CountAs count_as) {
  const std::int32_t columns = model->column_count;
  if (area.top < 1 || area.top > kMaxRows) RaiseInvalidArgument(Bounds("行号", area.top, kMaxRows));
  if (area.bottom < area.top || area.bottom > kMaxRows)
    RaiseInvalidArgument(Bounds("行号", area.bottom, kMaxRows));
  if (area.left < 1 || area.left > columns) RaiseInvalidArgument(Bounds("列号", area.left, columns));
  if (area.right < area.left || area.right > columns)
    RaiseInvalidArgument(Bounds("列号", area.right, columns));
  RangeRef ref;
  ref.model = std::move(model);
  ref.sheet_id = sheet_id;
  ref.area = area;
  ref.count_as = count_as;
  bool all_rows = area.top == 1 && area.bottom == kMaxRows;
  bool all_columns = area.left == 1 && area.right == columns;
  ref.span = all_rows && all_columns ? Span::kSheet
             : all_rows              ? Span::kColumns
             : all_columns           ? Span::kRows
                                     : Span::kCells;
  return ref;
}

}  // namespace tavo::workbook
