#pragma once
// Cell writes held back and sent to the document in bulk. Each UNO call on a
// cell costs far more than the work it asks for (broadcasts, undo, redraw
// bookkeeping), so values go as one data array per block of cells, each
// format as one call per group of cells sharing it (a cell-range
// collection), border lines likewise, and merges one call per range.
//
// The buffer holds the last value, format and border line written to each
// cell; whatever reads the document or changes its structure sends it first
// (OfficeContext::Flush), so nobody sees a difference but the time.
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/table/BorderLine2.hpp>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "office/host/cell_blocks.h"
#include "office/host/uno_support.h"

namespace tavo::office {

// The cell properties the buffer holds, each set on its own.
enum class CellFormat {
  kNumberFormat, kWrap, kCharHeight, kCharWeight, kCharColour, kBackColour, kHori, kVert, kShrink
};
inline constexpr std::size_t kCellFormats = 9;

// A cell's four lines, as the host's edges name them.
enum class Side { kTop, kBottom, kLeft, kRight };

// Ranges up to this many cells are held back; larger ones (whole rows,
// columns, the sheet) go to the document at once, after what is held.
inline constexpr std::int64_t kMaxHeldCells = std::int64_t{1} << 16;

class WriteBuffer {
 public:
  // Told, after each call of a flush, of the cells that call covered: the
  // writes it sent, one for each cell's value, format or line.
  using Sent = std::function<void(std::int64_t writes)>;

  bool Empty() const { return sheets_.empty(); }
  // The writes held, counted as Sent counts them.
  std::int64_t HeldWrites() const;

  // `value` in every cell of `area` (a text or a number, as setDataArray takes them).
  void SetValue(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet, const Block& area,
                const css::uno::Any& value);
  void SetFormat(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet, const Block& area, CellFormat format,
                 const css::uno::Any& value);
  // `line` on `side` of every cell of `area`.
  void SetSide(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet, const Block& area, Side side,
               const css::table::BorderLine2& line);
  // Merges `area`, already grown over every merged area it cuts.
  void Merge(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet, const Block& area);
  // The merges held for `sheet`, which the document does not know yet.
  std::vector<Block> HeldMerges(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet) const;

  // Sends everything held, in this order: values, formats, border lines,
  // merges (a merge keeps the cells' formats and the values it covers, so
  // the order changes nothing). The buffer is empty afterwards even when a
  // call fails: what failed is not sent twice.
  void Flush(const css::uno::Reference<css::sheet::XSpreadsheetDocument>& document, const Sent& sent = {});
  // Sends the values held and keeps the rest: cheap enough to do as a build
  // goes, where formats sent as the sheet grows would cost more each time.
  void FlushValues(const css::uno::Reference<css::sheet::XSpreadsheetDocument>& document);

 private:
  struct PendingCell {
    std::optional<css::uno::Any> value;
    std::array<std::optional<css::uno::Any>, kCellFormats> formats;
    std::array<std::optional<css::table::BorderLine2>, 4> sides;
  };
  struct SheetWrites {
    css::uno::Reference<css::sheet::XSpreadsheet> sheet;
    std::map<CellPos, PendingCell> cells;
    std::vector<Block> merges;
  };
  SheetWrites& Of(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet);
  template <typename Set>
  void ForEachCell(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet, const Block& area, Set set);

  std::vector<SheetWrites> sheets_;
};

// The side across an edge: a neighbour's bottom line meets our top.
constexpr Side Opposite(Side side) {
  switch (side) {
    case Side::kTop: return Side::kBottom;
    case Side::kBottom: return Side::kTop;
    case Side::kLeft: return Side::kRight;
    case Side::kRight: return Side::kLeft;
  }
  return side;
}

}  // namespace tavo::office
