// Sparse cell storage with value-occupancy indexes per row and per column.
#include <algorithm>

#include "workbook/workbook_model.h"

namespace tavo::workbook {

namespace {

const std::vector<Cell> kNoCells;
const std::vector<std::int32_t> kNoRows;

auto ColumnLess = [](const Cell& cell, std::int32_t column) { return cell.column < column; };

// Is there an entry of the sorted vector inside [first, last]?
bool AnyIn(const std::vector<std::vector<std::int32_t>>& index, std::int32_t key,
           std::int32_t first, std::int32_t last) {
  if (key < 0 || key >= static_cast<std::int32_t>(index.size()) || first > last) return false;
  const auto& v = index[key];
  auto it = std::lower_bound(v.begin(), v.end(), first);
  return it != v.end() && *it <= last;
}

}  // namespace

const Cell* CellStore::Find(std::int32_t row, std::int32_t column) const {
  const auto& cells = Row(row);
  auto it = std::lower_bound(cells.begin(), cells.end(), column, ColumnLess);
  return it != cells.end() && it->column == column ? &*it : nullptr;
}

CellFormat* CellStore::FindFormat(std::int32_t row, std::int32_t column) {
  const Cell* cell = Find(row, column);
  return cell ? &const_cast<Cell*>(cell)->format : nullptr;
}

CellFormat& CellStore::FormatAt(std::int32_t row, std::int32_t column, const CellFormat& initial) {
  auto& cells = MutableRow(row);
  auto it = std::lower_bound(cells.begin(), cells.end(), column, ColumnLess);
  if (it == cells.end() || it->column != column) {
    Cell cell;
    cell.column = column;
    cell.format = initial;
    it = cells.insert(it, std::move(cell));
    ++count_;
  }
  return it->format;
}

void CellStore::SetValue(std::int32_t row, std::int32_t column, host::Variant value,
                         bool quote_prefix, const CellFormat& initial) {
  FormatAt(row, column, initial);
  auto& cells = rows_[row];
  auto it = std::lower_bound(cells.begin(), cells.end(), column, ColumnLess);
  bool had = !it->value.IsEmpty();
  bool has = !value.IsEmpty();
  it->value = std::move(value);
  it->quote_prefix = has && quote_prefix;
  if (had && !has) {
    RemoveIndex(row_values_, row, column);
    RemoveIndex(col_values_, column, row);
  } else if (!had && has) {
    AddIndex(row_values_, row, column);
    AddIndex(col_values_, column, row);
  }
}

void CellStore::ClearValue(std::int32_t row, std::int32_t column) {
  const Cell* cell = Find(row, column);
  if (cell && !cell->value.IsEmpty()) SetValue(row, column, host::Variant(), false, cell->format);
}

const std::vector<Cell>& CellStore::Row(std::int32_t row) const {
  if (row < 0 || row >= RowLimit()) return kNoCells;
  return rows_[row];
}

std::vector<Cell>& CellStore::MutableRow(std::int32_t row) {
  if (row >= RowLimit()) rows_.resize(row + 1);
  return rows_[row];
}

bool CellStore::AnyValueInRow(std::int32_t row, std::int32_t first_column,
                              std::int32_t last_column) const {
  return AnyIn(row_values_, row, first_column, last_column);
}

bool CellStore::AnyValueInColumn(std::int32_t column, std::int32_t first_row,
                                 std::int32_t last_row) const {
  return AnyIn(col_values_, column, first_row, last_row);
}

const std::vector<std::int32_t>& CellStore::ValueRowsOfColumn(std::int32_t column) const {
  if (column < 0 || column >= static_cast<std::int32_t>(col_values_.size())) return kNoRows;
  return col_values_[column];
}

namespace {

// Index maintenance for structural edits, so that they cost O(entries moved)
// instead of a full rebuild.
void EraseLines(std::vector<std::vector<std::int32_t>>& index, std::int32_t first,
                std::int32_t count) {
  if (first >= static_cast<std::int32_t>(index.size())) return;
  auto end = index.begin() + std::min<std::int64_t>(index.size(), std::int64_t{first} + count);
  index.erase(index.begin() + first, end);
}

void OpenLines(std::vector<std::vector<std::int32_t>>& index, std::int32_t first,
               std::int32_t count, std::int32_t limit) {
  if (first < static_cast<std::int32_t>(index.size())) index.insert(index.begin() + first, count, {});
  if (static_cast<std::int32_t>(index.size()) > limit + 1) index.resize(limit + 1);
}

// In every entry list: positions in [first, first+count) go, later ones move down.
void ErasePositions(std::vector<std::vector<std::int32_t>>& index, std::int32_t first,
                    std::int32_t count) {
  for (auto& v : index) {
    auto begin = std::lower_bound(v.begin(), v.end(), first);
    auto end = std::lower_bound(begin, v.end(), first + count);
    for (auto it = v.erase(begin, end); it != v.end(); ++it) *it -= count;
  }
}

// In every entry list: positions from `first` on move up; past `limit` they go.
void OpenPositions(std::vector<std::vector<std::int32_t>>& index, std::int32_t first,
                   std::int32_t count, std::int32_t limit) {
  for (auto& v : index) {
    auto it = std::lower_bound(v.begin(), v.end(), first);
    for (auto shift = it; shift != v.end(); ++shift) *shift += count;
    v.erase(std::lower_bound(it, v.end(), limit + 1), v.end());
  }
}

}  // namespace

void CellStore::DeleteRows(std::int32_t first, std::int32_t count) {
  if (first >= RowLimit() || count <= 0) return;
  auto begin = rows_.begin() + first;
  auto end = rows_.begin() + std::min<std::int64_t>(RowLimit(), std::int64_t{first} + count);
  for (auto it = begin; it != end; ++it) count_ -= it->size();
  rows_.erase(begin, end);
  EraseLines(row_values_, first, count);
  ErasePositions(col_values_, first, count);
}

void CellStore::DeleteColumns(std::int32_t first, std::int32_t count) {
  if (count <= 0) return;
  for (auto& cells : rows_) {
    auto begin = std::lower_bound(cells.begin(), cells.end(), first, ColumnLess);
    auto end = std::lower_bound(begin, cells.end(), first + count, ColumnLess);
    count_ -= end - begin;
    for (auto it = cells.erase(begin, end); it != cells.end(); ++it) it->column -= count;
  }
  EraseLines(col_values_, first, count);
  ErasePositions(row_values_, first, count);
}

void CellStore::InsertRows(std::int32_t first, std::int32_t count,
                           const std::vector<std::pair<std::int32_t, Cell>>& inserted) {
  if (first < RowLimit()) rows_.insert(rows_.begin() + first, count, {});
  if (RowLimit() > kMaxRows + 1) {  // pushed off the sheet
    for (auto it = rows_.begin() + kMaxRows + 1; it != rows_.end(); ++it) count_ -= it->size();
    rows_.resize(kMaxRows + 1);
  }
  OpenLines(row_values_, first, count, kMaxRows);
  OpenPositions(col_values_, first, count, kMaxRows);
  for (const auto& [row, cell] : inserted) Put(row, cell);
}

void CellStore::InsertColumns(std::int32_t first, std::int32_t count, std::int32_t column_limit,
                              const std::vector<std::pair<std::int32_t, Cell>>& inserted) {
  for (auto& cells : rows_) {
    auto it = std::lower_bound(cells.begin(), cells.end(), first, ColumnLess);
    for (auto shift = it; shift != cells.end(); ++shift) shift->column += count;
    auto past = std::lower_bound(it, cells.end(), column_limit + 1, ColumnLess);
    count_ -= cells.end() - past;
    cells.erase(past, cells.end());
  }
  OpenLines(col_values_, first, count, column_limit);
  OpenPositions(row_values_, first, count, column_limit);
  for (const auto& [row, cell] : inserted) Put(row, cell);
}

void CellStore::Put(std::int32_t row, const Cell& cell) {
  auto& cells = MutableRow(row);
  auto it = std::lower_bound(cells.begin(), cells.end(), cell.column, ColumnLess);
  if (it != cells.end() && it->column == cell.column) {
    if (!it->value.IsEmpty()) {
      RemoveIndex(row_values_, row, cell.column);
      RemoveIndex(col_values_, cell.column, row);
    }
    *it = cell;
  } else {
    cells.insert(it, cell);
    ++count_;
  }
  if (!cell.value.IsEmpty()) {
    AddIndex(row_values_, row, cell.column);
    AddIndex(col_values_, cell.column, row);
  }
}

std::int32_t CellStore::MaxColumn() const {
  std::int32_t max = 0;
  for (const auto& cells : rows_)
    if (!cells.empty()) max = std::max(max, cells.back().column);
  return max;
}

void CellStore::AddIndex(std::vector<std::vector<std::int32_t>>& index, std::int32_t key,
                         std::int32_t value) {
  if (key >= static_cast<std::int32_t>(index.size())) index.resize(key + 1);
  auto& v = index[key];
  if (v.empty() || v.back() < value) {  // the common case: writing in order
    v.push_back(value);
    return;
  }
  auto it = std::lower_bound(v.begin(), v.end(), value);
  if (it == v.end() || *it != value) v.insert(it, value);
}

void CellStore::RemoveIndex(std::vector<std::vector<std::int32_t>>& index, std::int32_t key,
                            std::int32_t value) {
  if (key >= static_cast<std::int32_t>(index.size())) return;
  auto& v = index[key];
  auto it = std::lower_bound(v.begin(), v.end(), value);
  if (it != v.end() && *it == value) v.erase(it);
}

}  // namespace tavo::workbook
