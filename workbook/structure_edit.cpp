// Merging, clearing, deleting and inserting whole rows and columns.
#include "workbook/structure_edit.h"

#include <algorithm>

#include "common/error.h"

namespace tavo::workbook {

namespace {

using CellCopies = std::vector<std::pair<std::int32_t, Cell>>;

// Keys in [first, first+count) go, the ones after move down by count.
template <typename T>
void DropKeys(std::map<std::int32_t, T>& m, std::int32_t first, std::int32_t count) {
  std::map<std::int32_t, T> out;
  for (auto& [key, value] : m) {
    if (key < first) out.emplace(key, std::move(value));
    else if (key - first >= count) out.emplace(key - count, std::move(value));
  }
  m = std::move(out);
}

// Keys from `first` on move up by count; keys pushed past `limit` go.
template <typename T>
void OpenKeys(std::map<std::int32_t, T>& m, std::int32_t first, std::int32_t count,
              std::int32_t limit) {
  std::map<std::int32_t, T> out;
  for (auto& [key, value] : m) {
    if (key < first) out.emplace(key, std::move(value));
    else if (key <= limit - count) out.emplace(key + count, std::move(value));
  }
  m = std::move(out);
}

// The span lo..hi after [first, first+count) is deleted; false when nothing is left.
bool ShrinkSpan(std::int32_t& lo, std::int32_t& hi, std::int32_t first, std::int32_t count) {
  std::int32_t last = first + count - 1;
  if (lo >= first && hi <= last) return false;
  auto moved = [&](std::int32_t x, bool low_end) {
    if (x > last) return x - count;
    if (x >= first) return low_end ? first : first - 1;
    return x;
  };
  lo = moved(lo, true);
  hi = moved(hi, false);
  return lo <= hi;
}

// The span lo..hi after `count` lines open at `first`; a span crossing it widens.
void OpenSpan(std::int32_t& lo, std::int32_t& hi, std::int32_t first, std::int32_t count) {
  if (lo >= first) lo += count, hi += count;
  else if (hi >= first) hi += count;
}

void ShrinkMerges(Worksheet& sheet, bool rows, std::int32_t first, std::int32_t count) {
  std::vector<Area> kept;
  for (Area m : sheet.merges.Areas()) {
    bool left = rows ? ShrinkSpan(m.top, m.bottom, first, count)
                     : ShrinkSpan(m.left, m.right, first, count);
    if (left && (m.Rows() > 1 || m.Columns() > 1)) kept.push_back(m);
  }
  sheet.merges.Assign(std::move(kept));
}

// Moves merges for opened lines, then adds the copied ones that fit.
void OpenMerges(Worksheet& sheet, bool rows, std::int32_t first, std::int32_t count,
                std::int32_t limit, const std::vector<Area>& copied) {
  std::vector<Area> kept;
  for (Area m : sheet.merges.Areas()) {
    std::int32_t& lo = rows ? m.top : m.left;
    std::int32_t& hi = rows ? m.bottom : m.right;
    OpenSpan(lo, hi, first, count);
    if (lo > limit) continue;
    hi = std::min(hi, limit);
    if (m.Rows() > 1 || m.Columns() > 1) kept.push_back(m);
  }
  sheet.merges.Assign(std::move(kept));
  for (const Area& m : copied)
    if (sheet.merges.Intersecting(m).empty()) sheet.merges.Add(m);
}

struct Lines {
  bool rows;
  std::int32_t first, count;
};

// Whole rows or whole columns of the range, or an error.
Lines WholeLines(const RangeRef& range, const char* what) {
  const Area& a = range.area;
  if (range.span == Span::kRows || range.span == Span::kSheet) return {true, a.top, a.Rows()};
  if (range.span == Span::kColumns) return {false, a.left, a.Columns()};
  RaiseInvalidArgument(std::string(what) + "只能用于整行或整列");
}

void InsertColumns(WorkbookModel& model, Worksheet& sheet, std::int32_t at, std::int32_t count,
                   const Worksheet* source, std::int32_t source_left) {
  const std::int32_t limit = model.column_count;
  if (std::int64_t{at} + count - 1 > limit) RaiseInvalidArgument("插入的列超出工作表");
  for (std::int32_t c = limit - count + 1; c <= limit; ++c)
    if (!sheet.cells.ValueRowsOfColumn(c).empty())
      RaiseInvalidArgument("插入会把非空单元格移出工作表");
  CellCopies cells;
  std::map<std::int32_t, CellFormat> formats;
  std::map<std::int32_t, double> widths;
  std::vector<Area> merges;
  if (source) {
    std::int32_t source_right = source_left + count - 1;
    for (std::int32_t row = 1; row < source->cells.RowLimit(); ++row)
      for (const Cell& cell : source->cells.Row(row))
        if (cell.column >= source_left && cell.column <= source_right) {
          cells.emplace_back(row, cell);
          cells.back().second.column = at + cell.column - source_left;
        }
    for (std::int32_t c = source_left; c <= source_right; ++c) {
      if (auto it = source->column_formats.find(c); it != source->column_formats.end())
        formats.emplace(at + c - source_left, it->second);
      if (auto it = source->column_widths.find(c); it != source->column_widths.end())
        widths.emplace(at + c - source_left, it->second);
    }
    Area columns{1, source_left, kMaxRows, source_right};
    for (Area m : source->merges.Intersecting(columns))
      if (columns.Contains(m)) {
        m.left += at - source_left;
        m.right += at - source_left;
        merges.push_back(m);
      }
  }
  sheet.cells.InsertColumns(at, count, limit, cells);
  OpenKeys(sheet.column_formats, at, count, limit);
  OpenKeys(sheet.column_widths, at, count, limit);
  sheet.column_formats.merge(formats);
  sheet.column_widths.merge(widths);
  OpenMerges(sheet, false, at, count, limit, merges);
}

void InsertRows(Worksheet& sheet, std::int32_t column_count, std::int32_t at, std::int32_t count,
                const Worksheet* source, std::int32_t source_top) {
  if (std::int64_t{at} + count - 1 > kMaxRows) RaiseInvalidArgument("插入的行超出工作表");
  for (std::int32_t r = std::max(1, kMaxRows - count + 1); r < sheet.cells.RowLimit(); ++r)
    if (sheet.cells.AnyValueInRow(r, 1, column_count))
      RaiseInvalidArgument("插入会把非空单元格移出工作表");
  CellCopies cells;
  std::map<std::int32_t, CellFormat> formats;
  std::map<std::int32_t, double> heights;
  std::vector<Area> merges;
  if (source) {
    std::int32_t source_bottom = source_top + count - 1;
    for (std::int32_t row = source_top; row <= source_bottom && row < source->cells.RowLimit(); ++row)
      for (const Cell& cell : source->cells.Row(row)) cells.emplace_back(at + row - source_top, cell);
    for (std::int32_t r = source_top; r <= source_bottom; ++r) {
      if (auto it = source->row_formats.find(r); it != source->row_formats.end())
        formats.emplace(at + r - source_top, it->second);
      if (auto it = source->row_heights.find(r); it != source->row_heights.end())
        heights.emplace(at + r - source_top, it->second);
    }
    Area rows{source_top, 1, source_bottom, column_count};
    for (Area m : source->merges.Intersecting(rows))
      if (rows.Contains(m)) {
        m.top += at - source_top;
        m.bottom += at - source_top;
        merges.push_back(m);
      }
  }
  sheet.cells.InsertRows(at, count, cells);
  OpenKeys(sheet.row_formats, at, count, kMaxRows);
  OpenKeys(sheet.row_heights, at, count, kMaxRows);
  sheet.row_formats.merge(formats);
  sheet.row_heights.merge(heights);
  OpenMerges(sheet, true, at, count, kMaxRows, merges);
}

}  // namespace

void MergeRange(Worksheet& sheet, Area area) {
  for (bool grew = true; grew;) {
    grew = false;
    for (const Area& m : sheet.merges.Intersecting(area)) {
      if (area.Contains(m)) continue;
      area = {std::min(area.top, m.top), std::min(area.left, m.left),
              std::max(area.bottom, m.bottom), std::max(area.right, m.right)};
      grew = true;
    }
  }
  if (area.Rows() == 1 && area.Columns() == 1) return;
  sheet.modified = true;
  for (const Area& m : sheet.merges.Intersecting(area)) sheet.merges.Remove(m);
  ClearRangeContents(sheet, {area.top, area.left + 1, area.top, area.right});
  if (area.bottom > area.top) ClearRangeContents(sheet, {area.top + 1, area.left, area.bottom, area.right});
  sheet.merges.Add(area);
}

void ClearRangeContents(Worksheet& sheet, const Area& area) {
  if (area.left > area.right) return;
  sheet.modified = true;
  std::int32_t last = std::min(area.bottom, sheet.cells.RowLimit() - 1);
  for (std::int32_t row = area.top; row <= last; ++row) {
    if (!sheet.cells.AnyValueInRow(row, area.left, area.right)) continue;
    for (const Cell& cell : sheet.cells.Row(row))
      if (cell.column >= area.left && cell.column <= area.right && !cell.value.IsEmpty())
        sheet.cells.ClearValue(row, cell.column);  // keeps the row's vector in place
  }
}

void DeleteRange(const RangeRef& range) {
  Worksheet& sheet = range.Sheet();
  Lines lines = WholeLines(range, "删除");
  sheet.modified = true;
  range.model->clipboard = {};
  if (lines.rows) {
    sheet.cells.DeleteRows(lines.first, lines.count);
    DropKeys(sheet.row_formats, lines.first, lines.count);
    DropKeys(sheet.row_heights, lines.first, lines.count);
  } else {
    sheet.cells.DeleteColumns(lines.first, lines.count);
    DropKeys(sheet.column_formats, lines.first, lines.count);
    DropKeys(sheet.column_widths, lines.first, lines.count);
  }
  ShrinkMerges(sheet, lines.rows, lines.first, lines.count);
}

void InsertRange(const RangeRef& range) {
  WorkbookModel& model = *range.model;
  Worksheet& sheet = range.Sheet();
  Lines lines = WholeLines(range, "插入");
  if (range.span == Span::kSheet) RaiseInvalidArgument("不能插入整张工作表");
  const Worksheet* source = nullptr;
  std::int32_t source_first = 0;
  if (!model.clipboard.empty) {
    source = model.FindSheet(model.clipboard.sheet_id);
    RangeRef copied = MakeRangeRef(range.model, model.clipboard.sheet_id, model.clipboard.area);
    bool same_kind = lines.rows ? copied.span == Span::kRows : copied.span == Span::kColumns;
    if (!source || !same_kind) RaiseInvalidArgument("复制的区域与插入区域的形状不同");
    source_first = lines.rows ? copied.area.top : copied.area.left;
    lines.count = lines.rows ? copied.area.Rows() : copied.area.Columns();
  }
  // The source may be this very sheet: InsertRows/InsertColumns take their
  // copies before they move anything.
  if (lines.rows) InsertRows(sheet, model.column_count, lines.first, lines.count, source, source_first);
  else InsertColumns(model, sheet, lines.first, lines.count, source, source_first);
  sheet.modified = true;
  model.clipboard = {};
}

}  // namespace tavo::workbook
