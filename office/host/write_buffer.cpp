#include "office/host/write_buffer.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XSheetCellRangeContainer.hpp>
#include <com/sun/star/table/TableBorder2.hpp>
#include <com/sun/star/util/XMergeable.hpp>

#include <utility>

namespace tavo::office {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

// The property names of each held format: the host's one font size or
// weight is LibreOffice's Western, Asian and complex one.
const std::vector<const char*>& NamesOf(CellFormat format) {
  static const std::vector<const char*> names[kCellFormats] = {
      {"NumberFormat"},
      {"IsTextWrapped"},
      {"CharHeight", "CharHeightAsian", "CharHeightComplex"},
      {"CharWeight", "CharWeightAsian", "CharWeightComplex"},
      {"CharColor"},
      {"CellBackColor"},
      {"HoriJustify"},
      {"VertJustify"},
      {"ShrinkToFit"},
  };
  return names[static_cast<std::size_t>(format)];
}

// Cells grouped by what they get, in the order the values first appear.
template <typename Value>
using Groups = std::vector<std::pair<Value, std::vector<CellPos>>>;

template <typename Value>
void AddTo(Groups<Value>& groups, const Value& value, const CellPos& cell) {
  for (auto& [v, cells] : groups) {
    if (v == value) {
      cells.push_back(cell);
      return;
    }
  }
  groups.push_back({value, {cell}});
}

class SheetSender {
 public:
  SheetSender(const Reference<css::sheet::XSpreadsheetDocument>& document,
              const Reference<css::sheet::XSpreadsheet>& sheet)
      : document_(document),
        sheet_(sheet),
        index_(Reference<css::sheet::XCellRangeAddressable>(sheet, UNO_QUERY_THROW)->getRangeAddress().Sheet) {}

  Reference<css::table::XCellRange> Range(const Block& b) const {
    return sheet_->getCellRangeByPosition(b.left, b.top, b.right, b.bottom);
  }

  // One range, or a collection of them when there are several.
  Reference<css::beans::XPropertySet> Ranges(const std::vector<Block>& blocks) const {
    if (blocks.size() == 1) return Reference<css::beans::XPropertySet>(Range(blocks.front()), UNO_QUERY_THROW);
    Reference<css::lang::XMultiServiceFactory> factory(document_, UNO_QUERY_THROW);
    Reference<css::sheet::XSheetCellRangeContainer> ranges(
        factory->createInstance("com.sun.star.sheet.SheetCellRanges"), UNO_QUERY_THROW);
    Sequence<css::table::CellRangeAddress> addresses(static_cast<sal_Int32>(blocks.size()));
    auto out = addresses.getArray();
    for (std::size_t i = 0; i < blocks.size(); ++i) {
      const Block& b = blocks[i];
      out[i] = css::table::CellRangeAddress(index_, b.left, b.top, b.right, b.bottom);
    }
    ranges->addRangeAddresses(addresses, false);
    return Reference<css::beans::XPropertySet>(ranges, UNO_QUERY_THROW);
  }

 private:
  Reference<css::sheet::XSpreadsheetDocument> document_;
  Reference<css::sheet::XSpreadsheet> sheet_;
  std::int16_t index_;
};

// One line of a TableBorder2 by side, the others left as they are.
css::table::TableBorder2 BorderOf(Side side, const css::table::BorderLine2& line) {
  css::table::TableBorder2 border;
  switch (side) {
    case Side::kTop: border.TopLine = line; border.IsTopLineValid = true; break;
    case Side::kBottom: border.BottomLine = line; border.IsBottomLineValid = true; break;
    case Side::kLeft: border.LeftLine = line; border.IsLeftLineValid = true; break;
    case Side::kRight: border.RightLine = line; border.IsRightLineValid = true; break;
  }
  return border;
}

// The held values of `cells`, one data array per block.
template <typename Cells>
void SendValues(const SheetSender& send, const Cells& cells, const WriteBuffer::Sent& sent) {
  std::vector<CellPos> valued;
  for (const auto& [pos, cell] : cells) {
    if (cell.value) valued.push_back(pos);
  }
  for (const Block& b : BlocksOf(valued)) {
    Sequence<Sequence<Any>> data(b.bottom - b.top + 1);
    auto rows = data.getArray();
    for (std::int32_t r = b.top; r <= b.bottom; ++r) {
      Sequence<Any> row(b.right - b.left + 1);
      auto out = row.getArray();
      for (std::int32_t c = b.left; c <= b.right; ++c) out[c - b.left] = *cells.at({r, c}).value;
      rows[r - b.top] = row;
    }
    Reference<css::sheet::XCellRangeData>(send.Range(b), UNO_QUERY_THROW)->setDataArray(data);
    if (sent) sent(std::int64_t{b.bottom - b.top + 1} * (b.right - b.left + 1));
  }
}

}  // namespace

WriteBuffer::SheetWrites& WriteBuffer::Of(const Reference<css::sheet::XSpreadsheet>& sheet) {
  for (SheetWrites& writes : sheets_) {
    if (writes.sheet == sheet) return writes;
  }
  sheets_.push_back({sheet, {}, {}});
  return sheets_.back();
}

template <typename Set>
void WriteBuffer::ForEachCell(const Reference<css::sheet::XSpreadsheet>& sheet, const Block& area, Set set) {
  auto& cells = Of(sheet).cells;
  for (std::int32_t r = area.top; r <= area.bottom; ++r) {
    for (std::int32_t c = area.left; c <= area.right; ++c) set(cells[{r, c}]);
  }
}

void WriteBuffer::SetValue(const Reference<css::sheet::XSpreadsheet>& sheet, const Block& area, const Any& value) {
  ForEachCell(sheet, area, [&](PendingCell& cell) { cell.value = value; });
}

void WriteBuffer::SetFormat(const Reference<css::sheet::XSpreadsheet>& sheet, const Block& area, CellFormat format,
                            const Any& value) {
  const auto i = static_cast<std::size_t>(format);
  ForEachCell(sheet, area, [&](PendingCell& cell) { cell.formats[i] = value; });
}

void WriteBuffer::SetSide(const Reference<css::sheet::XSpreadsheet>& sheet, const Block& area, Side side,
                          const css::table::BorderLine2& line) {
  const auto i = static_cast<std::size_t>(side);
  ForEachCell(sheet, area, [&](PendingCell& cell) { cell.sides[i] = line; });
}

void WriteBuffer::Merge(const Reference<css::sheet::XSpreadsheet>& sheet, const Block& area) {
  Of(sheet).merges.push_back(area);
}

std::vector<Block> WriteBuffer::HeldMerges(const Reference<css::sheet::XSpreadsheet>& sheet) const {
  for (const SheetWrites& writes : sheets_) {
    if (writes.sheet == sheet) return writes.merges;
  }
  return {};
}

void WriteBuffer::FlushValues(const Reference<css::sheet::XSpreadsheetDocument>& document) {
  std::vector<std::pair<Reference<css::sheet::XSpreadsheet>, std::map<CellPos, PendingCell>>> held;
  for (SheetWrites& writes : sheets_) {
    std::map<CellPos, PendingCell> values;
    for (auto& [pos, cell] : writes.cells) {
      if (cell.value) values[pos].value = std::exchange(cell.value, std::nullopt);
    }
    if (!values.empty()) held.emplace_back(writes.sheet, std::move(values));
  }
  Uno([&] {
    for (const auto& [sheet, values] : held) SendValues(SheetSender(document, sheet), values, {});
  });
}

std::int64_t WriteBuffer::HeldWrites() const {
  std::int64_t writes = 0;
  for (const SheetWrites& sheet : sheets_) {
    for (const auto& [pos, cell] : sheet.cells) {
      writes += cell.value ? 1 : 0;
      for (const auto& format : cell.formats) writes += format ? 1 : 0;
      for (const auto& side : cell.sides) writes += side ? 1 : 0;
    }
  }
  return writes;
}

void WriteBuffer::Flush(const Reference<css::sheet::XSpreadsheetDocument>& document, const Sent& sent) {
  const std::vector<SheetWrites> held = std::exchange(sheets_, {});
  Uno([&] {
    for (const SheetWrites& writes : held) {
      const SheetSender send(document, writes.sheet);
      SendValues(send, writes.cells, sent);

      for (std::size_t f = 0; f < kCellFormats; ++f) {
        Groups<Any> groups;
        for (const auto& [pos, cell] : writes.cells) {
          if (cell.formats[f]) AddTo(groups, *cell.formats[f], pos);
        }
        for (const auto& [value, cells] : groups) {
          Reference<css::beans::XPropertySet> target = send.Ranges(BlocksOf(cells));
          for (const char* name : NamesOf(static_cast<CellFormat>(f)))
            target->setPropertyValue(OUString::createFromAscii(name), value);
          if (sent) sent(static_cast<std::int64_t>(cells.size()));
        }
      }

      for (std::size_t s = 0; s < 4; ++s) {
        Groups<css::table::BorderLine2> groups;
        for (const auto& [pos, cell] : writes.cells) {
          if (cell.sides[s]) AddTo(groups, *cell.sides[s], pos);
        }
        const auto side = static_cast<Side>(s);
        const bool along_rows = side == Side::kTop || side == Side::kBottom;
        for (const auto& [line, cells] : groups) {
          send.Ranges(RunsOf(cells, along_rows))->setPropertyValue("TableBorder2", Any(BorderOf(side, line)));
          if (sent) sent(static_cast<std::int64_t>(cells.size()));
        }
      }

      // Merged areas inside a new one go first, as they do on the desktop.
      for (const Block& b : writes.merges) {
        Reference<css::util::XMergeable> merged(send.Range(b), UNO_QUERY_THROW);
        merged->merge(false);
        merged->merge(true);
      }
    }
  });
}

}  // namespace tavo::office
