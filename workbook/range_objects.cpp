// Range, Font, Interior, Borders and Border objects of the embedded host.
#include <cmath>
#include <limits>

#include "common/error.h"
#include "workbook/current_region.h"
#include "workbook/embedded_objects.h"
#include "workbook/format_edit.h"
#include "workbook/structure_edit.h"
#include "host/value_rules.h"
#include "host/sheet_units.h"

namespace tavo::workbook {

namespace {

constexpr std::int64_t kMaxValueCells = std::int64_t{1} << 20;  // one assignment fills at most this

const CellFormat& TopLeftFormat(const RangeRef& ref) {
  return ref.Sheet().EffectiveFormat(ref.area.top, ref.area.left);
}

// Points from the sheet's left edge to `column`: the widths of the columns
// before it, each drawn in whole pixels as the host draws it.
double ColumnLeft(const Worksheet& sheet, std::int32_t column) {
  double points = 0;
  std::int32_t explicit_columns = 0;
  for (const auto& [c, width] : sheet.column_widths) {
    if (c >= column) break;
    points += host::ColumnPoints(width);
    ++explicit_columns;
  }
  return points + (column - 1 - explicit_columns) * host::ColumnPoints(sheet.default_column_width);
}

void CheckNumber(double value, double low, double high, const char* what) {
  if (!std::isfinite(value) || value < low || value > high)
    RaiseInvalidArgument(std::string(what) + " 超出允许范围");
}

class EmbeddedFont : public host::FontFormat {
 public:
  explicit EmbeddedFont(RangeRef ref) : ref_(std::move(ref)) {}
  double Size() override { return TopLeftFormat(ref_).font_size; }
  void SetSize(double points) override {
    CheckNumber(points, 1, 409, "字号");
    ApplyFormat(ref_.Sheet(), ref_.area, ref_.span, [&](CellFormat& f) { f.font_size = points; });
  }
  bool Bold() override { return TopLeftFormat(ref_).bold; }
  void SetBold(bool bold) override {
    ApplyFormat(ref_.Sheet(), ref_.area, ref_.span, [&](CellFormat& f) { f.bold = bold; });
  }
  int ColorIndex() override { return TopLeftFormat(ref_).font_color; }
  void SetColorIndex(int index) override {
    if (index == -4105) index = 0;  // xlColorIndexAutomatic
    if (index < 0 || index > 56) RaiseInvalidArgument("颜色索引 " + std::to_string(index) + " 无效");
    auto color = static_cast<std::int16_t>(index);
    ApplyFormat(ref_.Sheet(), ref_.area, ref_.span, [&](CellFormat& f) { f.font_color = color; });
  }

 private:
  RangeRef ref_;
};

class EmbeddedInterior : public host::InteriorFormat {
 public:
  explicit EmbeddedInterior(RangeRef ref) : ref_(std::move(ref)) {}
  int ColorIndex() override {
    int color = TopLeftFormat(ref_).fill_color;
    return color == 0 ? kLineNoneStyle : color;  // xlColorIndexNone shares -4142
  }
  void SetColorIndex(int index) override {
    if (index == -4142 || index == -4105) index = 0;  // none, automatic: no fill
    if (index < 0 || index > 56) RaiseInvalidArgument("颜色索引 " + std::to_string(index) + " 无效");
    auto color = static_cast<std::int16_t>(index);
    ApplyFormat(ref_.Sheet(), ref_.area, ref_.span, [&](CellFormat& f) { f.fill_color = color; });
  }

 private:
  RangeRef ref_;
};

class EmbeddedBorderEdge : public host::BorderEdge {
 public:
  EmbeddedBorderEdge(RangeRef ref, int edge) : ref_(std::move(ref)), edge_(edge) {}
  host::BorderLine LineStyle() override { return host::BorderLine{RangeEdge(ref_, edge_)}; }
  void SetLineStyle(host::BorderLine style) override {
    SetRangeEdge(ref_, edge_, CheckLineStyle(host::Number(style)));
  }

 private:
  RangeRef ref_;
  int edge_;
};

class EmbeddedBorders : public host::BorderSet {
 public:
  explicit EmbeddedBorders(RangeRef ref) : ref_(std::move(ref)) {}
  void SetLineStyle(host::BorderLine style) override { SetAllEdges(ref_, CheckLineStyle(host::Number(style))); }
  std::unique_ptr<host::BorderEdge> Item(host::Edge which) override {
    const int edge = host::Number(which);
    if (edge < 7 || edge > 12) RaiseInvalidArgument("边框 " + std::to_string(edge) + " 无效");
    ref_.Sheet();  // a deleted sheet fails here, like the host
    return std::make_unique<EmbeddedBorderEdge>(ref_, edge);
  }

 private:
  RangeRef ref_;
};

class EmbeddedRange : public host::CellRange {
 public:
  explicit EmbeddedRange(RangeRef ref) : ref_(std::move(ref)) {}
  const RangeRef& Ref() const { return ref_; }

  host::Variant Value() override {
    const Cell* cell = ref_.Sheet().cells.Find(ref_.area.top, ref_.area.left);
    return cell ? cell->value : host::Variant();
  }

  void SetValue(const host::Variant& value) override {
    Worksheet& sheet = ref_.Sheet();
    host::StoredValue stored = host::ConvertAssignedValue(value);
    const Area& a = ref_.area;
    if (stored.value.IsEmpty()) {
      ClearRangeContents(sheet, a);
      return;
    }
    if (std::int64_t{a.Rows()} * a.Columns() > kMaxValueCells)
      RaiseInvalidArgument("一次赋值的单元格过多");
    // Texts with line feeds show on several lines: the host turns wrapping on.
    bool wrap = stored.value.IsText() && stored.value.Text().find('\n') != std::string::npos;
    bool single = a.Rows() == 1 && a.Columns() == 1;
    sheet.modified = true;
    for (std::int32_t row = a.top; row <= a.bottom; ++row) {
      for (std::int32_t column = a.left; column <= a.right; ++column) {
        if (!single) {  // cells hidden under a merged area keep no value
          const Area* merged = sheet.merges.At(row, column);
          if (merged && (merged->top != row || merged->left != column)) continue;
        }
        const CellFormat& effective = sheet.EffectiveFormat(row, column);
        // A number put into a date-formatted cell is a date; a date put into
        // a cell without a date format gets the short-date format.
        const bool date_format = host::IsDateNumberFormat(effective.number_format);
        if (stored.value.IsNumber() && date_format) {
          sheet.cells.SetValue(row, column, host::Variant::Date(stored.value.Number()), false,
                               effective);
        } else {
          sheet.cells.SetValue(row, column, stored.value, stored.quote_prefix, effective);
        }
        if (stored.value.IsDate() && !date_format) {
          CellFormat& format = MaterializeFormat(sheet, row, column);
          format.number_format = kShortDateFormat;
          format.source_style = -1;
        }
        if (wrap) {
          CellFormat& format = MaterializeFormat(sheet, row, column);
          format.wrap = true;
          format.source_style = -1;
        }
      }
    }
  }

  std::unique_ptr<host::FontFormat> Font() override { return std::make_unique<EmbeddedFont>(Live()); }
  std::unique_ptr<host::InteriorFormat> Interior() override {
    return std::make_unique<EmbeddedInterior>(Live());
  }
  std::unique_ptr<host::BorderSet> Borders() override {
    return std::make_unique<EmbeddedBorders>(Live());
  }

  double RowHeight() override { return ref_.Sheet().RowHeight(ref_.area.top); }
  void SetRowHeight(double points) override {
    CheckNumber(points, 0, 409, "行高");
    Worksheet& sheet = ref_.Sheet();
    sheet.modified = true;
    if (ref_.span == Span::kColumns || ref_.span == Span::kSheet) {  // every row
      sheet.default_row_height = points;
      sheet.row_heights.clear();
      return;
    }
    for (std::int32_t row = ref_.area.top; row <= ref_.area.bottom; ++row) sheet.row_heights[row] = points;
  }
  double ColumnWidth() override { return ref_.Sheet().ColumnWidth(ref_.area.left); }
  double Left() override { return ColumnLeft(ref_.Sheet(), ref_.area.left); }
  void SetColumnWidth(double characters) override {
    CheckNumber(characters, 0, 255, "列宽");
    Worksheet& sheet = ref_.Sheet();
    sheet.modified = true;
    if (ref_.span == Span::kRows || ref_.span == Span::kSheet) {  // every column
      sheet.default_column_width = characters;
      sheet.column_widths.clear();
      return;
    }
    for (std::int32_t c = ref_.area.left; c <= ref_.area.right; ++c) sheet.column_widths[c] = characters;
  }

  host::HAlign HorizontalAlignment() override { return host::HAlign{TopLeftFormat(ref_).horizontal}; }
  void SetHorizontalAlignment(host::HAlign chosen) override {
    const int alignment = host::Number(chosen);
    switch (alignment) {
      case 1: case -4131: case -4108: case -4152: case 5: case -4130: case 7: case -4117: break;
      default: RaiseInvalidArgument("水平对齐方式 " + std::to_string(alignment) + " 无效");
    }
    auto value = static_cast<std::int16_t>(alignment);
    ApplyFormat(ref_.Sheet(), ref_.area, ref_.span, [&](CellFormat& f) { f.horizontal = value; });
  }
  host::VAlign VerticalAlignment() override { return host::VAlign{TopLeftFormat(ref_).vertical}; }
  void SetVerticalAlignment(host::VAlign chosen) override {
    const int alignment = host::Number(chosen);
    switch (alignment) {
      case -4160: case -4108: case -4107: case -4130: case -4117: break;
      default: RaiseInvalidArgument("垂直对齐方式 " + std::to_string(alignment) + " 无效");
    }
    auto value = static_cast<std::int16_t>(alignment);
    ApplyFormat(ref_.Sheet(), ref_.area, ref_.span, [&](CellFormat& f) { f.vertical = value; });
  }

  bool ShrinkToFit() override { return TopLeftFormat(ref_).shrink; }
  void SetShrinkToFit(bool shrink) override {
    ApplyFormat(ref_.Sheet(), ref_.area, ref_.span, [&](CellFormat& f) { f.shrink = shrink; });
  }
  bool WrapText() override { return TopLeftFormat(ref_).wrap; }
  void SetWrapText(bool wrap) override {
    ApplyFormat(ref_.Sheet(), ref_.area, ref_.span, [&](CellFormat& f) { f.wrap = wrap; });
  }

  void Merge() override { MergeRange(ref_.Sheet(), ref_.area); }
  void Copy() override {
    ref_.Sheet();
    ref_.model->clipboard = {false, ref_.sheet_id, ref_.area};
  }
  void Insert() override { InsertRange(ref_); }
  void Delete() override { DeleteRange(ref_); }
  void ClearContents() override { ClearRangeContents(ref_.Sheet(), ref_.area); }
  void Activate() override {
    if (&ref_.Sheet() != &ActiveSheet(*ref_.model))
      RaiseInvalidArgument("只能激活活动工作表上的单元格");
  }

  std::int32_t Count() override {
    const Area& a = ref_.area;
    std::int64_t n = ref_.count_as == CountAs::kRows      ? a.Rows()
                     : ref_.count_as == CountAs::kColumns ? a.Columns()
                                                          : std::int64_t{a.Rows()} * a.Columns();
    if (n > std::numeric_limits<std::int32_t>::max()) RaiseOverflow("单元格个数超出 Count 的范围");
    return static_cast<std::int32_t>(n);
  }
  std::unique_ptr<host::CellRange> Rows() override { return As(CountAs::kRows); }
  std::unique_ptr<host::CellRange> Columns() override { return As(CountAs::kColumns); }
  std::int32_t Row() override { return ref_.area.top; }
  std::unique_ptr<host::CellRange> CurrentRegion() override {
    Area region = workbook::CurrentRegion(ref_.Sheet(), ref_.area, ref_.model->column_count);
    return MakeRange(MakeRangeRef(ref_.model, ref_.sheet_id, region));
  }

 private:
  // The reference, after checking that the sheet still exists.
  const RangeRef& Live() {
    ref_.Sheet();
    return ref_;
  }
  std::unique_ptr<host::CellRange> As(CountAs count_as) {
    RangeRef ref = Live();
    ref.count_as = count_as;
    return MakeRange(std::move(ref));
  }

  RangeRef ref_;
};

}  // namespace

std::unique_ptr<host::CellRange> MakeRange(RangeRef ref) {
  return std::make_unique<EmbeddedRange>(std::move(ref));
}

const RangeRef* RangeRefOf(host::CellRange& range) {
  auto* ours = dynamic_cast<EmbeddedRange*>(&range);
  return ours ? &ours->Ref() : nullptr;
}

}  // namespace tavo::workbook
