// Range objects over a LibreOffice sheet.
#include <com/sun/star/awt/Point.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XSheetCellCursor.hpp>
#include <com/sun/star/sheet/XSheetCellRange.hpp>
#include <com/sun/star/table/CellHoriJustify.hpp>
#include <com/sun/star/table/CellVertJustify2.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include <cmath>
#include <limits>

#include "office/host/cell_value.h"
#include "office/host/office_objects.h"
#include "office/host/units.h"

namespace tavo::office {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

void CheckNumber(double value, double low, double high, const char* what) {
  if (!std::isfinite(value) || value < low || value > high) RaiseInvalidArgument(std::string(what) + " 超出允许范围");
}

Reference<css::beans::XPropertySet> FirstOf(const Reference<css::table::XTableRows>& rows) {
  return Reference<css::beans::XPropertySet>(rows->getByIndex(0), UNO_QUERY_THROW);
}

css::table::CellHoriJustify HorizontalOf(int alignment) {
  using namespace css::table;
  switch (alignment) {
    case 1: return CellHoriJustify_STANDARD;
    case -4131: return CellHoriJustify_LEFT;
    case -4108: case 7: return CellHoriJustify_CENTER;  // no centring across a selection
    case -4152: return CellHoriJustify_RIGHT;
    case 5: return CellHoriJustify_REPEAT;
    case -4130: case -4117: return CellHoriJustify_BLOCK;
    default: RaiseInvalidArgument("水平对齐方式 " + std::to_string(alignment) + " 无效");
  }
}

int HostHorizontal(css::table::CellHoriJustify justify) {
  using namespace css::table;
  switch (justify) {
    case CellHoriJustify_LEFT: return -4131;
    case CellHoriJustify_CENTER: return -4108;
    case CellHoriJustify_RIGHT: return -4152;
    case CellHoriJustify_BLOCK: return -4130;
    case CellHoriJustify_REPEAT: return 5;
    default: return 1;
  }
}

std::int32_t VerticalOf(int alignment) {
  namespace V = css::table::CellVertJustify2;
  switch (alignment) {
    case -4160: return V::TOP;
    case -4108: return V::CENTER;
    case -4107: return V::BOTTOM;
    case -4130: case -4117: return V::BLOCK;
    default: RaiseInvalidArgument("垂直对齐方式 " + std::to_string(alignment) + " 无效");
  }
}

int HostVertical(std::int32_t justify) {
  namespace V = css::table::CellVertJustify2;
  switch (justify) {
    case V::TOP: return -4160;
    case V::CENTER: return -4108;
    case V::BLOCK: return -4130;
    default: return -4107;  // the standard position is the bottom
  }
}

std::string SheetName(const Reference<css::sheet::XSpreadsheet>& sheet) {
  return FromUno(Reference<css::container::XNamed>(sheet, UNO_QUERY_THROW)->getName());
}

class OfficeRange : public host::CellRange {
 public:
  explicit OfficeRange(RangeRef ref) : ref_(std::move(ref)) {}
  const RangeRef& Ref() const { return ref_; }

  host::Variant Value() override {
    ref_.context->Flush();
    return ReadCellValue(*ref_.context, Uno([&] { return ref_.sheet->getCellByPosition(ref_.area.StartColumn, ref_.area.StartRow); }));
  }
  void SetValue(const host::Variant& value) override {
    if (!HoldsWrites(ref_) || !HoldValue(*ref_.context, ref_.sheet, BlockOf(ref_.area), value)) {
      ref_.context->Flush();
      WriteRangeValue(*ref_.context, Uno([&] { return ref_.Range(); }), ref_.Rows(), ref_.Columns(), value);
    }
    if (ref_.context->on_value) ref_.context->on_value();
  }
  std::unique_ptr<host::FontFormat> Font() override { return MakeFont(ref_); }
  std::unique_ptr<host::InteriorFormat> Interior() override { return MakeInterior(ref_); }
  std::unique_ptr<host::BorderSet> Borders() override { return MakeBorders(ref_); }

  double RowHeight() override {
    ref_.context->Flush();
    return Uno([&] {
      std::int32_t height = 0;
      FirstOf(RowsOf()->getRows())->getPropertyValue("Height") >>= height;
      return Mm100ToPoints(height);
    });
  }
  void SetRowHeight(double points) override {
    CheckNumber(points, 0, 409, "行高");
    ref_.context->Flush();
    Uno([&] {
      Reference<css::beans::XPropertySet>(RowsOf()->getRows(), UNO_QUERY_THROW)
          ->setPropertyValue("Height", Any(PointsToMm100(points)));
    });
  }
  double ColumnWidth() override {
    ref_.context->Flush();
    return Uno([&] {
      std::int32_t width = 0;
      Reference<css::beans::XPropertySet>(RowsOf()->getColumns()->getByIndex(0), UNO_QUERY_THROW)
          ->getPropertyValue("Width") >>= width;
      return Mm100ToCharacters(width, ref_.context->DigitTwips());
    });
  }
  // The cell's Position: 1/100 mm from the sheet's corner, as Calc lays the
  // columns out (widths rounded to its own units).
  double Left() override {
    ref_.context->Flush();
    return Uno([&] {
      css::awt::Point position;
      Reference<css::beans::XPropertySet>(
          ref_.sheet->getCellByPosition(ref_.area.StartColumn, ref_.area.StartRow), UNO_QUERY_THROW)
          ->getPropertyValue("Position") >>= position;
      return Mm100ToPoints(position.X);
    });
  }
  void SetColumnWidth(double characters) override {
    CheckNumber(characters, 0, 255, "列宽");
    ref_.context->Flush();
    Uno([&] {
      Reference<css::beans::XPropertySet>(RowsOf()->getColumns(), UNO_QUERY_THROW)
          ->setPropertyValue("Width", Any(CharactersToMm100(characters, ref_.context->DigitTwips())));
    });
  }

  host::HAlign HorizontalAlignment() override {
    ref_.context->Flush();
    return host::HAlign{Uno([&] {
      css::table::CellHoriJustify justify = css::table::CellHoriJustify_STANDARD;
      TopLeft()->getPropertyValue("HoriJustify") >>= justify;
      return HostHorizontal(justify);
    })};
  }
  void SetHorizontalAlignment(host::HAlign alignment) override {
    SetAlignment(CellFormat::kHori, Any(HorizontalOf(host::Number(alignment))));
  }
  host::VAlign VerticalAlignment() override {
    ref_.context->Flush();
    return host::VAlign{Uno([&] {
      std::int32_t justify = 0;
      TopLeft()->getPropertyValue("VertJustify") >>= justify;
      return HostVertical(justify);
    })};
  }
  void SetVerticalAlignment(host::VAlign alignment) override {
    SetAlignment(CellFormat::kVert, Any(VerticalOf(host::Number(alignment))));
  }

  bool ShrinkToFit() override { return TopLeftFlag("ShrinkToFit"); }
  void SetShrinkToFit(bool shrink) override { SetCellFlag(CellFormat::kShrink, "ShrinkToFit", shrink); }
  bool WrapText() override { return TopLeftFlag("IsTextWrapped"); }
  void SetWrapText(bool wrap) override { SetCellFlag(CellFormat::kWrap, "IsTextWrapped", wrap); }

  void Merge() override { MergeRange(ref_); }
  void Copy() override {
    ref_.context->Flush();
    Uno([&] { ref_.Range(); });  // a deleted sheet fails here, as on the desktop
    ref_.context->copied = {ref_.sheet, ref_.area};
  }
  void Insert() override { InsertAtRange(ref_); }
  void Delete() override { DeleteRange(ref_); }
  void ClearContents() override { ClearRangeContents(ref_); }
  void Activate() override {
    ref_.context->Flush();
    Uno([&] {
      if (SheetName(ActiveSheetOf(ref_.context)) != SheetName(ref_.sheet))
        RaiseInvalidArgument("只能激活活动工作表上的单元格");
      ref_.context->chosen_shapes.clear();  // the cells take the shapes' place
      Reference<css::view::XSelectionSupplier>(Controller(ref_.context), UNO_QUERY_THROW)->select(Any(ref_.Range()));
    });
  }

  std::int32_t Count() override {
    const std::int64_t n = ref_.count_as == CountAs::kRows      ? ref_.Rows()
                           : ref_.count_as == CountAs::kColumns ? ref_.Columns()
                                                                : std::int64_t{ref_.Rows()} * ref_.Columns();
    if (n > std::numeric_limits<std::int32_t>::max()) RaiseOverflow("单元格个数超出 Count 的范围");
    return static_cast<std::int32_t>(n);
  }
  std::unique_ptr<host::CellRange> Rows() override { return As(CountAs::kRows); }
  std::unique_ptr<host::CellRange> Columns() override { return As(CountAs::kColumns); }
  std::int32_t Row() override { return ref_.area.StartRow + 1; }
  std::unique_ptr<host::CellRange> CurrentRegion() override {
    ref_.context->Flush();
    return Uno([&] {
      Reference<css::sheet::XSheetCellRange> corner(
          ref_.sheet->getCellRangeByPosition(ref_.area.StartColumn, ref_.area.StartRow, ref_.area.StartColumn,
                                             ref_.area.StartRow),
          UNO_QUERY_THROW);
      Reference<css::sheet::XSheetCellCursor> cursor = ref_.sheet->createCursorByRange(corner);
      Reference<css::sheet::XCellRangeAddressable> addressable(cursor, UNO_QUERY_THROW);
      // LibreOffice's region stops at the hidden cells of a merged area; on
      // the desktop a merged area covers all its cells. So the region takes
      // in every merged area it cuts and grows again, until it stays.
      cursor->collapseToCurrentRegion();
      css::table::CellRangeAddress area = addressable->getRangeAddress();
      for (int guard = 0; guard < 100000; ++guard) {
        cursor->collapseToMergedArea();
        cursor->collapseToCurrentRegion();
        const css::table::CellRangeAddress grown = addressable->getRangeAddress();
        if (grown.StartColumn == area.StartColumn && grown.StartRow == area.StartRow &&
            grown.EndColumn == area.EndColumn && grown.EndRow == area.EndRow)
          break;
        area = grown;
      }
      return MakeRange(MakeRangeRef(ref_.context, ref_.sheet, area));
    });
  }

 private:
  void SetAlignment(CellFormat format, const Any& justify) {
    if (HoldsWrites(ref_)) return ref_.context->held.SetFormat(ref_.sheet, BlockOf(ref_.area), format, justify);
    ref_.context->Flush();
    Uno([&] { Properties()->setPropertyValue(format == CellFormat::kHori ? "HoriJustify" : "VertJustify", justify); });
  }
  bool TopLeftFlag(const char* name) {
    ref_.context->Flush();
    return Uno([&] {
      bool on = false;
      TopLeft()->getPropertyValue(OUString::createFromAscii(name)) >>= on;
      return on;
    });
  }
  void SetCellFlag(CellFormat format, const char* name, bool on) {
    if (HoldsWrites(ref_)) return ref_.context->held.SetFormat(ref_.sheet, BlockOf(ref_.area), format, Any(on));
    ref_.context->Flush();
    Uno([&] { Properties()->setPropertyValue(OUString::createFromAscii(name), Any(on)); });
  }
  Reference<css::beans::XPropertySet> Properties() {
    return Reference<css::beans::XPropertySet>(ref_.Range(), UNO_QUERY_THROW);
  }
  Reference<css::beans::XPropertySet> TopLeft() {
    return Reference<css::beans::XPropertySet>(
        ref_.sheet->getCellByPosition(ref_.area.StartColumn, ref_.area.StartRow), UNO_QUERY_THROW);
  }
  Reference<css::table::XColumnRowRange> RowsOf() {
    return Reference<css::table::XColumnRowRange>(ref_.Range(), UNO_QUERY_THROW);
  }
  std::unique_ptr<host::CellRange> As(CountAs count_as) {
    RangeRef ref = ref_;
    ref.count_as = count_as;
    return MakeRange(std::move(ref));
  }

  RangeRef ref_;
};

}  // namespace

Reference<css::table::XCellRange> RangeRef::Range() const {
  return sheet->getCellRangeByPosition(area.StartColumn, area.StartRow, area.EndColumn, area.EndRow);
}

css::table::CellRangeAddress SheetArea(const Reference<css::sheet::XSpreadsheet>& sheet) {
  return Uno([&] { return Reference<css::sheet::XCellRangeAddressable>(sheet, UNO_QUERY_THROW)->getRangeAddress(); });
}

RangeRef MakeRangeRef(const ContextPtr& context, const Reference<css::sheet::XSpreadsheet>& sheet,
                      const css::table::CellRangeAddress& area, CountAs count_as) {
  const css::table::CellRangeAddress whole = SheetArea(sheet);
  if (area.StartRow < 0 || area.StartColumn < 0 || area.EndRow > whole.EndRow || area.EndColumn > whole.EndColumn ||
      area.StartRow > area.EndRow || area.StartColumn > area.EndColumn)
    RaiseInvalidArgument("单元格地址超出工作表的范围");
  const bool all_rows = area.StartRow == 0 && area.EndRow == whole.EndRow;
  const bool all_columns = area.StartColumn == 0 && area.EndColumn == whole.EndColumn;
  RangeRef ref{context, sheet, area, Span::kCells, count_as};
  ref.area.Sheet = whole.Sheet;
  ref.span = all_rows && all_columns ? Span::kSheet : all_rows ? Span::kColumns : all_columns ? Span::kRows : Span::kCells;
  return ref;
}

bool HoldsWrites(const RangeRef& ref) {
  return ref.span == Span::kCells && std::int64_t{ref.Rows()} * ref.Columns() <= kMaxHeldCells;
}

std::unique_ptr<host::CellRange> MakeRange(RangeRef ref) { return std::make_unique<OfficeRange>(std::move(ref)); }

const RangeRef* RangeRefOf(host::CellRange& range) {
  auto* ours = dynamic_cast<OfficeRange*>(&range);
  return ours ? &ours->Ref() : nullptr;
}

}  // namespace tavo::office
