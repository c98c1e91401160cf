#pragma once
// The spreadsheet host's automation object model, as far as the builders and
// the bridge use it. Each member function is one member access on the host
// (a property get, a property put or a method call), named as the host names
// it, so that a late-binding adapter can forward every call by name and the
// embedded workbook can stand in for the desktop host. Objects are handed out
// as owning handles to the host object; dropping a handle releases it.
//
// Every call may raise tavo::Error (for example number 9 for a missing
// sheet); none of them crash on bad arguments.
#include <cstdint>
#include <memory>
#include <string>

#include "host/variant.h"

namespace tavo::host {

// The host's enumerations, each value its number in the host's object
// model, so an adapter passes the number on (Number) and a value read back
// that none names still round-trips.
enum class HAlign : std::int32_t { kGeneral = 1, kCenter = -4108, kLeft = -4131, kRight = -4152 };
enum class VAlign : std::int32_t { kTop = -4160, kCenter = -4108, kBottom = -4107 };
enum class BorderLine : std::int32_t { kContinuous = 1, kNone = -4142 };
// Border edges, Borders(n).
enum class Edge : std::int32_t { kLeft = 7, kTop = 8, kBottom = 9, kRight = 10 };
// How shapes move with the cells under them.
enum class Placement : std::int32_t { kMoveAndSize = 1, kMove = 2, kFreeFloating = 3 };
enum class Visibility : std::int32_t { kVisible = -1, kHidden = 0, kVeryHidden = 2 };
// The shapes' true and false.
enum class TriState : std::int32_t { kTrue = -1, kFalse = 0 };

template <typename E>
constexpr std::int32_t Number(E value) {
  return static_cast<std::int32_t>(value);
}

class FontFormat {
 public:
  virtual ~FontFormat() = default;
  virtual double Size() = 0;
  virtual void SetSize(double points) = 0;
  virtual bool Bold() = 0;
  virtual void SetBold(bool bold) = 0;
  virtual int ColorIndex() = 0;
  virtual void SetColorIndex(int index) = 0;  // 0 = automatic text colour
};

class InteriorFormat {
 public:
  virtual ~InteriorFormat() = default;
  virtual int ColorIndex() = 0;
  virtual void SetColorIndex(int index) = 0;
};

class BorderEdge {
 public:
  virtual ~BorderEdge() = default;
  virtual BorderLine LineStyle() = 0;
  virtual void SetLineStyle(BorderLine style) = 0;
};

class BorderSet {
 public:
  virtual ~BorderSet() = default;
  // Borders.LineStyle: every edge of every cell of the range, inner lines too.
  virtual void SetLineStyle(BorderLine style) = 0;
  // Borders(edge): one edge of the range.
  virtual std::unique_ptr<BorderEdge> Item(Edge edge) = 0;
};

// A rectangular range of cells: one cell, a block, whole rows or columns.
class CellRange {
 public:
  virtual ~CellRange() = default;
  virtual Variant Value() = 0;  // of the top-left cell
  virtual void SetValue(const Variant& value) = 0;
  virtual std::unique_ptr<FontFormat> Font() = 0;
  virtual std::unique_ptr<InteriorFormat> Interior() = 0;
  virtual std::unique_ptr<BorderSet> Borders() = 0;
  virtual double RowHeight() = 0;
  virtual void SetRowHeight(double points) = 0;
  virtual double ColumnWidth() = 0;
  virtual void SetColumnWidth(double characters) = 0;
  // Points from the sheet's left edge to the range's: where the host draws
  // its first column, whatever widths and fonts made it so.
  virtual double Left() = 0;
  virtual HAlign HorizontalAlignment() = 0;
  virtual void SetHorizontalAlignment(HAlign alignment) = 0;
  virtual VAlign VerticalAlignment() = 0;
  virtual void SetVerticalAlignment(VAlign alignment) = 0;
  // ShrinkToFit: a text wider than its cell is drawn smaller until it fits.
  virtual bool ShrinkToFit() = 0;
  virtual void SetShrinkToFit(bool shrink) = 0;
  // WrapText: a text wider than its cell breaks into lines.
  virtual bool WrapText() = 0;
  virtual void SetWrapText(bool wrap) = 0;
  virtual void Merge() = 0;
  virtual void Copy() = 0;    // to the host's clipboard
  virtual void Insert() = 0;  // inserts the copied cells (or blank ones) here
  virtual void Delete() = 0;  // whole rows or columns: shift the rest up or left
  virtual void ClearContents() = 0;
  virtual void Activate() = 0;
  virtual std::int32_t Count() = 0;
  // Row: the number of the range's first row.
  virtual std::int32_t Row() = 0;
  virtual std::unique_ptr<CellRange> Rows() = 0;
  virtual std::unique_ptr<CellRange> Columns() = 0;
  virtual std::unique_ptr<CellRange> CurrentRegion() = 0;
};

// PageSetup members the system reads and writes, by their host names.
enum class PageSetupMember {
  TopMargin,
  BottomMargin,
  FooterMargin,
  Orientation,
  PaperSize,
  Zoom,  // a percentage, or False for fit to page
  CenterFooter,
  HeaderMargin,
  LeftMargin,
  RightMargin,
  CenterHorizontally,
  PrintTitleRows,
};
const char* PageSetupMemberName(PageSetupMember member);

class PageLayout {
 public:
  virtual ~PageLayout() = default;
  virtual Variant Get(PageSetupMember member) = 0;
  virtual void Set(PageSetupMember member, const Variant& value) = 0;
};

class ColorFormat {
 public:
  virtual ~ColorFormat() = default;
  virtual void SetSchemeColor(int scheme_color) = 0;
};

class FillFormat {
 public:
  virtual ~FillFormat() = default;
  virtual void SetVisible(TriState visible) = 0;
  virtual void Solid() = 0;
  virtual std::unique_ptr<ColorFormat> ForeColor() = 0;
  virtual void SetTransparency(double transparency) = 0;
};

class LineFormat {
 public:
  virtual ~LineFormat() = default;
  virtual void SetVisible(TriState visible) = 0;
};

class ShapeGroup {  // the host's ShapeRange
 public:
  virtual ~ShapeGroup() = default;
  virtual std::unique_ptr<FillFormat> Fill() = 0;
  virtual std::unique_ptr<LineFormat> Line() = 0;
};

class Shape {
 public:
  virtual ~Shape() = default;
  virtual void Select() = 0;
};

class ShapeCollection {
 public:
  virtual ~ShapeCollection() = default;
  virtual std::int32_t Count() = 0;
  virtual std::unique_ptr<Shape> AddTextEffect(int preset, const std::string& text,
                                               const std::string& font_name, double font_size,
                                               std::int16_t bold, std::int16_t italic,
                                               std::int32_t left, std::int32_t top) = 0;
};

// Application.Selection when shapes are selected.
class ShapeSelection {
 public:
  virtual ~ShapeSelection() = default;
  virtual void SetPlacement(Placement placement) = 0;
  virtual std::unique_ptr<ShapeGroup> ShapeRange() = 0;
};

class Window {
 public:
  virtual ~Window() = default;
  virtual int SplitRow() = 0;
  virtual void SetSplitRow(int row) = 0;
  virtual int SplitColumn() = 0;
  virtual void SetSplitColumn(int column) = 0;
  virtual bool FreezePanes() = 0;
  virtual void SetFreezePanes(bool frozen) = 0;
  virtual int ScrollRow() = 0;
  virtual void SetScrollRow(int row) = 0;
  virtual int ScrollColumn() = 0;
  virtual void SetScrollColumn(int column) = 0;
};

class Sheet {
 public:
  virtual ~Sheet() = default;
  virtual std::string Name() = 0;
  virtual void SetName(const std::string& name) = 0;
  virtual void Delete() = 0;
  virtual void Activate() = 0;
  virtual Visibility Visible() = 0;
  virtual void SetVisible(Visibility visible) = 0;
  virtual std::unique_ptr<CellRange> Cells() = 0;  // every cell of the sheet
  virtual std::unique_ptr<CellRange> Cells(std::int32_t row, std::int32_t column) = 0;
  virtual std::unique_ptr<CellRange> Range(CellRange& first, CellRange& last) = 0;
  virtual std::unique_ptr<CellRange> Rows(std::int32_t row) = 0;
  virtual std::unique_ptr<CellRange> Columns() = 0;  // every column
  virtual std::unique_ptr<CellRange> Columns(std::int32_t column) = 0;
  virtual std::unique_ptr<CellRange> Columns(const std::string& address) = 0;  // "B:I"
  virtual std::unique_ptr<PageLayout> PageSetup() = 0;
  virtual std::unique_ptr<ShapeCollection> Shapes() = 0;
};

class Sheets {  // the Worksheets collection
 public:
  virtual ~Sheets() = default;
  virtual std::int32_t Count() = 0;
  virtual std::unique_ptr<Sheet> Item(std::int32_t index) = 0;  // 1-based, tab order
  virtual std::unique_ptr<Sheet> Item(const std::string& name) = 0;  // error 9 if missing
  virtual std::unique_ptr<Sheet> Add() = 0;  // before the active sheet; becomes active
};

class Workbook {
 public:
  virtual ~Workbook() = default;
  virtual std::unique_ptr<Sheets> Worksheets() = 0;
  virtual std::unique_ptr<Sheet> ActiveSheet() = 0;
  virtual std::string Path() = 0;  // folder of the saved workbook, "" if never saved
  // Palette entry 1..56 as the host's colour number: red + green*256 + blue*65536.
  virtual std::int32_t Colors(int index) = 0;
  virtual void SetColors(int index, std::int32_t rgb) = 0;
};

class Application {
 public:
  virtual ~Application() = default;
  virtual std::unique_ptr<Workbook> ThisWorkbook() = 0;
  virtual bool ScreenUpdating() = 0;
  virtual void SetScreenUpdating(bool on) = 0;
  virtual bool DisplayAlerts() = 0;
  virtual void SetDisplayAlerts(bool on) = 0;
  virtual std::unique_ptr<Sheet> ActiveSheet() = 0;
  virtual std::unique_ptr<Window> ActiveWindow() = 0;
  virtual std::unique_ptr<ShapeSelection> Selection() = 0;
};

// The host's colour number of red, green and blue.
constexpr std::int32_t Rgb(int red, int green, int blue) { return red + green * 256 + blue * 65536; }

}  // namespace tavo::host
