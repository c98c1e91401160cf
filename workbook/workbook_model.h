#pragma once
// The in-memory workbook: plain data that the embedded host objects operate
// on and that the .xlsx reader fills and the writer serialises. Rows and
// columns are 1-based everywhere, as the host numbers them.
//
// Cells live in a CellStore, which keeps them sparse (one sorted vector per
// row) together with occupancy indexes of the cells that hold a value, so
// that "is there a value in this row/column span" is a binary search. Change
// cell values only through CellStore::SetValue/ClearValue so the indexes
// stay right; formats may be edited in place through FindFormat/FormatAt.
//
// Formats follow the host: a cell that has never been written takes the
// format of its row if the row has one, else of its column if the column has
// one, else the sheet's format (EffectiveFormat). A cell created later copies
// that format and from then on owns it.
#include <algorithm>
#include <array>
#include <iterator>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/a1_address.h"
#include "host/area.h"
#include "host/host_defaults.h"
#include "host/variant.h"

namespace tavo::workbook {

using host::kMaxRows;
using host::kDefaultColumnCount;  // 256 in old hosts
using host::kDefaultColumnWidth;  // characters
inline constexpr double kDefaultRowHeight = 15;              // points
inline constexpr double kDefaultFontSize = 11;               // points

// Host enumeration numbers for what the model stores.
inline constexpr std::int16_t kHAlignGeneral = 1;      // xlGeneral
inline constexpr std::int16_t kVAlignBottom = -4107;   // xlBottom
inline constexpr std::int16_t kLineNoneStyle = -4142;  // xlLineStyleNone
inline constexpr std::int16_t kShortDateFormat = 14;   // built-in number format yyyy/m/d

using host::Area;

// Index into CellFormat::borders.
enum BorderSide : int { kSideLeft = 0, kSideTop = 1, kSideRight = 2, kSideBottom = 3 };

// Everything the host lets the builders set on a cell.
struct CellFormat {
  double font_size = kDefaultFontSize;
  bool bold = false;
  bool wrap = false;                       // wrapText: needed for texts with line feeds
  bool shrink = false;                     // shrinkToFit: a too-wide text is drawn smaller
  std::int16_t font_color = 0;             // palette index 1..56; 0 = automatic
  std::int16_t fill_color = 0;             // palette index 1..56; 0 = no fill
  std::int16_t horizontal = kHAlignGeneral;  // -4108 centre, -4131 left, -4152 right, 1 general
  std::int16_t vertical = kVAlignBottom;     // -4108 centre, -4160 top, -4107 bottom
  // Line style per side (kSide*): 1 continuous, -4142 none, or another host style.
  std::array<std::int16_t, 4> borders{kLineNoneStyle, kLineNoneStyle, kLineNoneStyle,
                                      kLineNoneStyle};
  // Built-in number format: 0 General, 14 the short date. A cell loaded with
  // any date format has 14 here and keeps its own through source_style.
  std::int16_t number_format = 0;
  // Style (xf) index this format was loaded with from a file, -1 otherwise.
  // The host objects set it to -1 whenever they change the format, so a
  // writer may reuse the original style while it is still >= 0.
  std::int32_t source_style = -1;

  bool operator==(const CellFormat&) const = default;
};

// One stored cell of a row. A cell exists when it holds a value or has been
// formatted; an entry with an empty value is a formatted blank cell.
struct Cell {
  std::int32_t column = 1;
  host::Variant value;        // empty, number, text, boolean, date or error value
  bool quote_prefix = false;  // text entered with a leading apostrophe ("'3.13")
  CellFormat format;
};

// Sparse cells of one sheet plus the occupancy indexes.
class CellStore {
 public:
  // Lookup; nullptr when the cell has no entry.
  const Cell* Find(std::int32_t row, std::int32_t column) const;
  // The format of an existing entry, or nullptr.
  CellFormat* FindFormat(std::int32_t row, std::int32_t column);
  // The format of the entry, creating the entry with `initial` when missing.
  CellFormat& FormatAt(std::int32_t row, std::int32_t column, const CellFormat& initial);
  // Makes sure columns first..last of the row all have entries, creating the
  // missing ones with initial(column); returns the first of these
  // last-first+1 entries, which lie next to each other. Values are untouched.
  template <typename Initial>
  Cell* EnsureRun(std::int32_t row, std::int32_t first, std::int32_t last, Initial&& initial);
  // Stores a value as given (no host conversion). A new entry gets `initial`.
  void SetValue(std::int32_t row, std::int32_t column, host::Variant value, bool quote_prefix,
                const CellFormat& initial);
  // Empties the value of an existing entry; the entry and its format stay.
  void ClearValue(std::int32_t row, std::int32_t column);

  // Entries of one row, sorted by column (empty for rows beyond RowLimit).
  const std::vector<Cell>& Row(std::int32_t row) const;
  std::vector<Cell>& MutableRow(std::int32_t row);  // formats only: values via SetValue
  // One past the highest row that has ever held an entry (rows are 1..RowLimit-1).
  std::int32_t RowLimit() const { return static_cast<std::int32_t>(rows_.size()); }
  std::size_t CellCount() const { return count_; }

  // Occupancy: is there a non-empty value in the span (inclusive)?
  bool AnyValueInRow(std::int32_t row, std::int32_t first_column, std::int32_t last_column) const;
  bool AnyValueInColumn(std::int32_t column, std::int32_t first_row, std::int32_t last_row) const;
  // Rows holding a value in a column, ascending.
  const std::vector<std::int32_t>& ValueRowsOfColumn(std::int32_t column) const;

  // Structure. Rows/columns [first, first+count) go and the rest move up/left.
  void DeleteRows(std::int32_t first, std::int32_t count);
  void DeleteColumns(std::int32_t first, std::int32_t count);
  // Rows/columns from `first` on move down/right by `count`; then `inserted`
  // (row, cell) pairs are stored as given (cell.column is the final column).
  // Entries pushed past `column_limit` are dropped.
  void InsertRows(std::int32_t first, std::int32_t count,
                  const std::vector<std::pair<std::int32_t, Cell>>& inserted);
  void InsertColumns(std::int32_t first, std::int32_t count, std::int32_t column_limit,
                     const std::vector<std::pair<std::int32_t, Cell>>& inserted);
  // Highest column of any entry, 0 when empty.
  std::int32_t MaxColumn() const;

 private:
  void Put(std::int32_t row, const Cell& cell);  // stores or replaces, keeping the indexes
  static void AddIndex(std::vector<std::vector<std::int32_t>>& index, std::int32_t key,
                       std::int32_t value);
  static void RemoveIndex(std::vector<std::vector<std::int32_t>>& index, std::int32_t key,
                          std::int32_t value);

  std::vector<std::vector<Cell>> rows_;                 // [row] -> entries by column
  std::vector<std::vector<std::int32_t>> row_values_;   // [row] -> columns with a value
  std::vector<std::vector<std::int32_t>> col_values_;   // [column] -> rows with a value
  std::size_t count_ = 0;
};

template <typename Initial>
Cell* CellStore::EnsureRun(std::int32_t row, std::int32_t first, std::int32_t last,
                           Initial&& initial) {
  auto& cells = MutableRow(row);
  auto less = [](const Cell& cell, std::int32_t column) { return cell.column < column; };
  auto begin = std::lower_bound(cells.begin(), cells.end(), first, less);
  auto end = std::lower_bound(begin, cells.end(), last + 1, less);
  const std::ptrdiff_t offset = begin - cells.begin();
  const std::ptrdiff_t wanted = std::ptrdiff_t{last} - first + 1;
  if (end - begin != wanted) {  // some are missing: rebuild the run in order
    std::vector<Cell> run;
    run.reserve(wanted);
    auto next = begin;
    for (std::int32_t column = first; column <= last; ++column) {
      if (next != end && next->column == column) {
        run.push_back(std::move(*next++));
        continue;
      }
      Cell cell;
      cell.column = column;
      cell.format = initial(column);
      run.push_back(std::move(cell));
      ++count_;
    }
    auto at = cells.erase(begin, end);
    cells.insert(at, std::make_move_iterator(run.begin()), std::make_move_iterator(run.end()));
  }
  return cells.data() + offset;
}

// Merged areas of a sheet, never overlapping, with a row-bucket index so
// that finding the areas meeting a rectangle does not scan them all.
class MergeList {
 public:
  const std::vector<Area>& Areas() const { return areas_; }
  void Add(const Area& area);  // the caller keeps areas disjoint
  void Remove(const Area& area);
  void Assign(std::vector<Area> areas);
  // Areas intersecting `area`.
  std::vector<Area> Intersecting(const Area& area) const;
  // The merged area holding the cell, or nullptr.
  const Area* At(std::int32_t row, std::int32_t column) const;

 private:
  void Rebuild();
  void IndexOne(std::size_t i);

  static constexpr std::int32_t kBucketRows = 16;
  static constexpr std::int32_t kMaxBucketsPerArea = 64;  // taller areas go to `tall_`
  std::vector<Area> areas_;
  std::map<std::int32_t, std::vector<std::size_t>> buckets_;  // row / kBucketRows -> areas_ indexes
  std::vector<std::size_t> tall_;
};

// A text-box shape (the month watermark).
struct TextBoxShape {
  std::int32_t id = 0;  // unique within the sheet, from 1
  std::string text;
  std::string font_name;
  double font_size = 18;
  bool bold = false;
  bool italic = false;
  double left = 0, top = 0;  // points from the sheet's top-left corner
  int preset = 0;            // the text-effect preset asked for
  int placement = 1;         // 1 move and size (the default), 2 move only, 3 free floating
  bool fill_visible = true;
  bool fill_solid = false;
  int fill_scheme_color = 0;  // scheme colour n = palette entry n - 7; 0 unset
  double fill_transparency = 0;  // 0..1
  bool line_visible = true;
};

// PageSetup, with the host's defaults. Margins in points.
struct PageSetup {
  double top_margin = 54, bottom_margin = 54;  // 0.75 in
  double left_margin = 50.4, right_margin = 50.4;  // 0.7 in
  double header_margin = 21.6, footer_margin = 21.6;  // 0.3 in
  int orientation = 1;   // 1 portrait, 2 landscape
  int paper_size = 9;    // 9 = A4
  // Zoom: a percentage 10..400, or fit to fit_wide x fit_tall pages (Zoom = False).
  bool fit_to_page = false;
  int zoom = 100;
  int fit_wide = 1, fit_tall = 1;
  std::string center_footer;     // "&P" = page number
  bool center_horizontally = false;
  std::string print_title_rows;  // "$1:$2", "" = none
};

// The sheet's window state.
struct WindowState {
  std::int32_t split_row = 0, split_column = 0;  // rows/columns above/left of the split
  bool freeze_panes = false;
  std::int32_t scroll_row = 1, scroll_column = 1;  // top-left visible cell
};

struct Worksheet {
  std::uint64_t id = 0;  // unique in the workbook, never reused (see WorkbookModel::NewSheetId)
  std::string name;
  int visible = -1;  // -1 visible, 0 hidden, 2 very hidden

  CellStore cells;
  CellFormat sheet_format;                         // Cells.* formats
  std::map<std::int32_t, CellFormat> row_formats;  // whole-row formats (Rows(n).*)
  std::map<std::int32_t, CellFormat> column_formats;  // whole-column formats
  MergeList merges;
  double default_row_height = kDefaultRowHeight;  // Cells.RowHeight sets it
  double default_column_width = kDefaultColumnWidth;
  std::map<std::int32_t, double> row_heights;    // rows with their own height
  std::map<std::int32_t, double> column_widths;  // columns with their own width
  std::vector<TextBoxShape> shapes;
  std::int32_t next_shape_id = 1;
  PageSetup page_setup;
  WindowState window;

  // For the writer: the package part this sheet was read from
  // ("xl/worksheets/sheet1.xml"), empty for a sheet created in memory. The
  // host objects set `modified` on every change to the sheet (cells,
  // formats, merges, sizes, shapes, page setup, window, name, visibility);
  // a loaded sheet with `modified` false can be copied byte for byte.
  std::string source_part;
  bool modified = false;

  // Format a cell without an entry shows: row's, else column's, else the sheet's.
  const CellFormat& EffectiveFormat(std::int32_t row, std::int32_t column) const;
  double RowHeight(std::int32_t row) const;
  double ColumnWidth(std::int32_t column) const;
};

// What Range.Copy left on the clipboard: an area of a sheet, copied when it
// is pasted/inserted (as the host does), then forgotten.
struct Clipboard {
  bool empty = true;
  std::uint64_t sheet_id = 0;
  Area area;
};

// The shapes currently selected (Shape.Select), as Application.Selection.
struct ShapeSelectionState {
  std::uint64_t sheet_id = 0;  // 0 = no shape selected
  std::int32_t shape_id = 0;
};

struct WorkbookModel {
  std::vector<Worksheet> sheets;  // tab order
  std::size_t active_sheet = 0;   // index into sheets
  std::string path;               // folder of the saved workbook, "" if never saved
  std::int32_t column_count = kDefaultColumnCount;  // Columns.Count of every sheet
  std::array<std::int32_t, 56> palette = DefaultPalette();  // Colors(1..56): r + g*256 + b*65536
  bool palette_modified = false;  // set by Colors(n) = ...; the writer then writes the palette
  bool screen_updating = true;
  bool display_alerts = true;
  ShapeSelectionState selection;
  Clipboard clipboard;
  std::uint64_t last_sheet_id = 0;

  // The host's classic 56-colour palette.
  static std::array<std::int32_t, 56> DefaultPalette();
  // A fresh sheet id; readers call it for every sheet they append.
  std::uint64_t NewSheetId() { return ++last_sheet_id; }
  // Appends an empty sheet (with a fresh id) and returns it.
  Worksheet& AppendSheet(const std::string& name);
  // nullptr when no sheet has that id (deleted).
  Worksheet* FindSheet(std::uint64_t id);
  int IndexOf(std::uint64_t id) const;  // -1 when missing
};

}  // namespace tavo::workbook
