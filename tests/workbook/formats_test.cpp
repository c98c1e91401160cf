// Cell, row, column and sheet formats, and borders with shared edges.
#include "workbook_test_support.h"

namespace tavo::workbook::testing {
namespace {

TEST_F(WorkbookTest, CellWrittenLaterInABoldColumnIsBold) {
  sheet->Columns(2)->Font()->SetBold(true);
  Put(40, 2, "late");
  EXPECT_TRUE(Model().cells.Find(40, 2)->format.bold);
  EXPECT_FALSE(Cell(40, 3)->Font()->Bold());
}

TEST_F(WorkbookTest, RowFormatWinsWhereItCrossesAFormattedColumn) {
  sheet->Columns(2)->Interior()->SetColorIndex(15);
  sheet->Rows(3)->Font()->SetBold(true);
  EXPECT_TRUE(Cell(3, 2)->Font()->Bold());
  EXPECT_EQ(Cell(3, 2)->Interior()->ColorIndex(), 15) << "the crossing keeps the column's fill";
  EXPECT_EQ(Cell(3, 5)->Interior()->ColorIndex(), host::Number(host::BorderLine::kNone));
}

TEST_F(WorkbookTest, SheetFontSizeAppliesToEveryCellWrittenOrNot) {
  Put(2, 2, "before");
  sheet->Rows(5)->Font()->SetBold(true);
  sheet->Cells()->Font()->SetSize(12);
  Put(900, 300, "after");
  for (auto [r, c] : {std::pair{2, 2}, {5, 7}, {900, 300}, {77, 77}})
    EXPECT_DOUBLE_EQ(Cell(r, c)->Font()->Size(), 12) << r << "," << c;
}

TEST_F(WorkbookTest, SheetRowHeightIsTheDefaultOfEveryRow) {
  sheet->Rows(1)->SetRowHeight(48);
  sheet->Cells()->SetRowHeight(14.25);
  sheet->Rows(1)->SetRowHeight(27);
  EXPECT_DOUBLE_EQ(Model().default_row_height, 14.25);
  EXPECT_DOUBLE_EQ(sheet->Rows(1)->RowHeight(), 27);
  EXPECT_DOUBLE_EQ(sheet->Rows(100000)->RowHeight(), 14.25);
}

// ShrinkToFit and WrapText are kept per cell like the other formats: set on
// a block, a column or the sheet, each reads back where it was set and
// nowhere else, and a cell written later in the column takes it on.
struct FlagCase {
  const char* what;
  void (host::CellRange::*set)(bool);
  bool (host::CellRange::*get)();
};
const FlagCase kFlags[] = {
    {"ShrinkToFit", &host::CellRange::SetShrinkToFit, &host::CellRange::ShrinkToFit},
    {"WrapText", &host::CellRange::SetWrapText, &host::CellRange::WrapText},
};

TEST_F(WorkbookTest, ShrinkAndWrapAreCellFormatsOfTheirOwn) {
  for (const FlagCase& f : kFlags) {
    SCOPED_TRACE(f.what);
    auto other = f.set == &host::CellRange::SetShrinkToFit ? &host::CellRange::WrapText : &host::CellRange::ShrinkToFit;
    auto block = sheet->Range(*Cell(3, 3), *Cell(4, 9));
    (block.get()->*f.set)(true);
    EXPECT_TRUE((Cell(4, 9).get()->*f.get)());
    EXPECT_FALSE((Cell(5, 9).get()->*f.get)()) << "below the block";
    EXPECT_FALSE((Cell(3, 3).get()->*other)()) << "the other flag is untouched";
    (Cell(3, 3).get()->*f.set)(false);
    EXPECT_FALSE((Cell(3, 3).get()->*f.get)());
    EXPECT_TRUE((Cell(3, 4).get()->*f.get)());

    (sheet->Columns(12).get()->*f.set)(true);
    Put(700, 12, "later");
    EXPECT_TRUE((Cell(700, 12).get()->*f.get)()) << "a cell written later in the column";
    (sheet->Cells().get()->*f.set)(false);
    EXPECT_FALSE((Cell(700, 12).get()->*f.get)());
    EXPECT_FALSE((Cell(4, 9).get()->*f.get)());
  }
}

TEST_F(WorkbookTest, HostDefaultsForSizes) {
  EXPECT_DOUBLE_EQ(sheet->Columns(3)->ColumnWidth(), 8.43);
  EXPECT_DOUBLE_EQ(Cell(3, 3)->RowHeight(), 15);
  sheet->Columns()->SetColumnWidth(7);
  sheet->Columns(1)->SetColumnWidth(0.2);
  EXPECT_DOUBLE_EQ(sheet->Columns(500)->ColumnWidth(), 7);
  EXPECT_DOUBLE_EQ(sheet->Columns(1)->ColumnWidth(), 0.2);
}

TEST_F(WorkbookTest, FontColourZeroIsAutomatic) {
  Cell(4, 3)->Font()->SetColorIndex(10);
  Cell(4, 3)->Font()->SetColorIndex(0);
  EXPECT_EQ(Model().cells.Find(4, 3)->format.font_color, 0);
  EXPECT_EQ(Cell(4, 3)->Font()->ColorIndex(), 0);
}

struct BadFormat {
  const char* name;
  std::function<void(host::CellRange&)> call;
};

class BadFormats : public WorkbookTest, public ::testing::WithParamInterface<BadFormat> {};

TEST_P(BadFormats, AreRefused) {
  EXPECT_EQ(ErrorNumberOf([&] { GetParam().call(*Cell(2, 2)); }), kInvalidArgument);
  EXPECT_EQ(Model().cells.Find(2, 2), nullptr) << "nothing stored";
}

INSTANTIATE_TEST_SUITE_P(
    Values, BadFormats,
    ::testing::Values(
        BadFormat{"font_colour_57", [](host::CellRange& r) { r.Font()->SetColorIndex(57); }},
        BadFormat{"fill_colour_negative", [](host::CellRange& r) { r.Interior()->SetColorIndex(-3); }},
        BadFormat{"font_size_zero", [](host::CellRange& r) { r.Font()->SetSize(0); }},
        BadFormat{"alignment", [](host::CellRange& r) { r.SetHorizontalAlignment(host::HAlign{42}); }},
        BadFormat{"line_style", [](host::CellRange& r) { r.Borders()->SetLineStyle(host::BorderLine{99}); }},
        BadFormat{"border_edge", [](host::CellRange& r) { r.Borders()->Item(host::Edge{3}); }},
        BadFormat{"row_height", [](host::CellRange& r) { r.SetRowHeight(500); }},
        BadFormat{"column_width", [](host::CellRange& r) { r.SetColumnWidth(-1); }}),
    [](const auto& info) { return std::string(info.param.name); });

using Side = std::array<std::int16_t, 4>;
constexpr std::int16_t kOn = host::Number(host::BorderLine::kContinuous), kOff = host::Number(host::BorderLine::kNone);

Side SidesOf(const Worksheet& sheet, int row, int column) {
  return sheet.EffectiveFormat(row, column).borders;
}

TEST_F(WorkbookTest, BordersLineStyleDrawsEveryEdgeIncludingInnerLines) {
  Block(2, 2, 3, 3)->Borders()->SetLineStyle(host::BorderLine::kContinuous);
  for (auto [r, c] : {std::pair{2, 2}, {2, 3}, {3, 2}, {3, 3}})
    EXPECT_EQ(SidesOf(Model(), r, c), (Side{kOn, kOn, kOn, kOn})) << r << "," << c;
  EXPECT_EQ(SidesOf(Model(), 4, 2), (Side{kOff, kOff, kOff, kOff})) << "outside stays bare";
}

TEST_F(WorkbookTest, ClearingABottomEdgeClearsTheTopEdgeBelow) {
  Block(3, 3, 4, 9)->Borders()->SetLineStyle(host::BorderLine::kContinuous);
  Block(3, 3, 3, 9)->Borders()->Item(host::Edge::kBottom)->SetLineStyle(host::BorderLine::kNone);
  EXPECT_EQ(SidesOf(Model(), 3, 3)[kSideBottom], kOff);
  EXPECT_EQ(SidesOf(Model(), 4, 3)[kSideTop], kOff);
  EXPECT_EQ(SidesOf(Model(), 4, 3)[kSideBottom], kOn);
  EXPECT_EQ(SidesOf(Model(), 3, 3)[kSideTop], kOn);
  EXPECT_EQ(host::Number(Cell(4, 5)->Borders()->Item(host::Edge::kTop)->LineStyle()), host::Number(host::BorderLine::kNone));
}

TEST_F(WorkbookTest, ClearingAnEdgeReachesANeighbourOutsideTheRange) {
  Block(2, 2, 5, 5)->Borders()->SetLineStyle(host::BorderLine::kContinuous);
  Cell(3, 3)->Borders()->Item(host::Edge::kBottom)->SetLineStyle(host::BorderLine::kNone);
  Cell(3, 3)->Borders()->Item(host::Edge::kLeft)->SetLineStyle(host::BorderLine::kNone);
  EXPECT_EQ(SidesOf(Model(), 4, 3)[kSideTop], kOff);
  EXPECT_EQ(SidesOf(Model(), 3, 2)[kSideRight], kOff);
}

TEST_F(WorkbookTest, AnEdgeReadsFromEitherCellThatDrawsIt) {
  Cell(3, 3)->Borders()->Item(host::Edge::kBottom)->SetLineStyle(host::BorderLine::kContinuous);
  EXPECT_EQ(host::Number(Cell(4, 3)->Borders()->Item(host::Edge::kTop)->LineStyle()), host::Number(host::BorderLine::kContinuous));
}

}  // namespace
}  // namespace tavo::workbook::testing
