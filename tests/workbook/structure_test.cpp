// Copy/Insert of columns, row deletion, merging and clearing.
#include "workbook_test_support.h"

namespace tavo::workbook::testing {
namespace {

using host::Variant;

TEST_F(WorkbookTest, InsertingTheCopiedColumnDuplicatesItAndShiftsTheRest) {
  sheet->Columns(2)->SetColumnWidth(5.5);
  sheet->Columns(2)->Font()->SetBold(true);
  Put(3, 2, "第1周");
  Put(3, 3, 7);
  Block(3, 2, 4, 2)->Merge();
  Block(3, 3, 4, 3)->Merge();
  Block(3, 2, 4, 3)->Borders()->SetLineStyle(host::BorderLine::kContinuous);
  sheet->Columns(3)->SetColumnWidth(11);

  sheet->Columns(2)->Copy();
  sheet->Columns(2)->Insert();

  for (int column : {2, 3}) {
    SCOPED_TRACE(column);
    EXPECT_EQ(Cell(3, column)->Value(), Variant("第1周"));
    EXPECT_DOUBLE_EQ(sheet->Columns(column)->ColumnWidth(), 5.5);
    EXPECT_TRUE(Cell(3, column)->Font()->Bold());
    EXPECT_TRUE(Cell(30, column)->Font()->Bold()) << "column format moves with the column";
    EXPECT_EQ(host::Number(Cell(4, column)->Borders()->Item(host::Edge::kBottom)->LineStyle()), host::Number(host::BorderLine::kContinuous));
  }
  EXPECT_EQ(Cell(3, 4)->Value(), Variant(7.0));
  EXPECT_DOUBLE_EQ(sheet->Columns(4)->ColumnWidth(), 11);
  EXPECT_FALSE(Cell(3, 4)->Font()->Bold());
  const auto& merges = Model().merges.Areas();
  for (Area m : {Area{3, 2, 4, 2}, Area{3, 3, 4, 3}, Area{3, 4, 4, 4}})
    EXPECT_NE(std::find(merges.begin(), merges.end(), m), merges.end()) << m.left;
  EXPECT_EQ(merges.size(), 3u);
  EXPECT_TRUE(model->clipboard.empty) << "the copy is used up";
}

TEST_F(WorkbookTest, InsertWithoutCopyOpensBlankColumn) {
  Put(1, 2, "b");
  sheet->Columns(2)->Insert();
  EXPECT_TRUE(Cell(1, 2)->Value().IsEmpty());
  EXPECT_EQ(Cell(1, 3)->Value(), Variant("b"));
}

TEST_F(WorkbookTest, InsertWidensAMergeCrossingTheColumn) {
  Block(1, 1, 1, 3)->Merge();
  sheet->Columns(2)->Insert();
  EXPECT_EQ(Model().merges.Areas(), (std::vector<Area>{{1, 1, 1, 4}}));
}

TEST_F(WorkbookTest, InsertPushingDataOffTheSheetIsRefused) {
  model->column_count = 256;
  Put(1, 256, "last");
  EXPECT_EQ(ErrorNumberOf([&] { sheet->Columns(2)->Insert(); }), kInvalidArgument);
  EXPECT_EQ(Cell(1, 256)->Value(), Variant("last"));
}

TEST_F(WorkbookTest, InsertOfABlockOrAMismatchedCopyIsRefused) {
  EXPECT_NE(ErrorNumberOf([&] { Cell(2, 2)->Insert(); }), 0);
  sheet->Rows(2)->Copy();
  EXPECT_NE(ErrorNumberOf([&] { sheet->Columns(2)->Insert(); }), 0);
}

TEST_F(WorkbookTest, InsertCopiedColumnOnAColumnOfA2100RowSheetKeepsEveryRow) {
  for (int row = 1; row <= 2100; ++row) {
    Put(row, 2, row);
    Put(row, 3, -row);
  }
  sheet->Columns(2)->Copy();
  sheet->Columns(2)->Insert();
  EXPECT_EQ(Cell(2100, 2)->Value(), Variant(2100.0));
  EXPECT_EQ(Cell(2100, 3)->Value(), Variant(2100.0));
  EXPECT_EQ(Cell(2100, 4)->Value(), Variant(-2100.0));
  EXPECT_EQ(AreaOf(*Cell(1, 2)->CurrentRegion()), (Area{1, 2, 2100, 4}));
}

TEST_F(WorkbookTest, DeletingARowMovesEverythingUp) {
  Put(3, 2, "month");
  Put(4, 2, "week");
  Put(5, 2, "mon");
  sheet->Rows(4)->SetRowHeight(30);
  sheet->Rows(5)->SetRowHeight(21);
  sheet->Rows(4)->Font()->SetBold(true);
  Block(3, 3, 3, 6)->Merge();   // inside the deleted row: goes
  Block(2, 7, 5, 7)->Merge();   // crossing it: shrinks
  Block(5, 2, 6, 2)->Merge();   // below it: moves up

  sheet->Rows(3)->Delete();

  EXPECT_EQ(Cell(3, 2)->Value(), Variant("week"));
  EXPECT_EQ(Cell(4, 2)->Value(), Variant("mon"));
  EXPECT_DOUBLE_EQ(sheet->Rows(3)->RowHeight(), 30);
  EXPECT_DOUBLE_EQ(sheet->Rows(4)->RowHeight(), 21);
  EXPECT_TRUE(Cell(3, 9)->Font()->Bold()) << "row format moves with the row";
  std::vector<Area> merges = Model().merges.Areas();
  std::sort(merges.begin(), merges.end(), [](Area a, Area b) { return a.left < b.left; });
  EXPECT_EQ(merges, (std::vector<Area>{{4, 2, 5, 2}, {2, 7, 4, 7}}));
}

TEST_F(WorkbookTest, DeletingTheRowOfATwoRowMergeLeavesNoMerge) {
  Block(3, 2, 4, 2)->Merge();
  sheet->Rows(4)->Delete();
  EXPECT_TRUE(Model().merges.Areas().empty());
}

TEST_F(WorkbookTest, DeleteOfABlockIsRefused) {
  EXPECT_EQ(ErrorNumberOf([&] { Block(1, 1, 2, 2)->Delete(); }), kInvalidArgument);
}

TEST_F(WorkbookTest, MergeCuttingAMergedAreaGrowsOverItAndKeepsTheTopLeftValue) {
  Put(3, 2, "keep");
  Put(5, 2, "dropped");
  Put(8, 2, "also dropped");
  Block(7, 2, 8, 2)->Merge();
  Block(3, 2, 7, 2)->Merge();  // cuts B7:B8
  EXPECT_EQ(Model().merges.Areas(), (std::vector<Area>{{3, 2, 8, 2}}));
  EXPECT_EQ(Cell(3, 2)->Value(), Variant("keep"));
  EXPECT_TRUE(Cell(5, 2)->Value().IsEmpty());
  EXPECT_TRUE(Cell(8, 2)->Value().IsEmpty());
}

TEST_F(WorkbookTest, MergeOfOneCellChangesNothing) {
  Cell(2, 2)->Merge();
  EXPECT_TRUE(Model().merges.Areas().empty());
}

TEST_F(WorkbookTest, ClearContentsKeepsFormatsAndMerges) {
  Put(2, 2, "x");
  Cell(2, 2)->Font()->SetBold(true);
  Block(2, 2, 3, 2)->Merge();
  sheet->Columns(2)->ClearContents();
  EXPECT_TRUE(Cell(2, 2)->Value().IsEmpty());
  EXPECT_TRUE(Cell(2, 2)->Font()->Bold());
  EXPECT_EQ(Model().merges.Areas().size(), 1u);
  EXPECT_FALSE(Model().cells.AnyValueInColumn(2, 1, 10)) << "occupancy index follows";
}

}  // namespace
}  // namespace tavo::workbook::testing

namespace tavo::workbook::testing {
namespace {

// After any structural edit the occupancy indexes must agree with the cells.
void ExpectIndexesMatchCells(const Worksheet& sheet, int rows, int columns) {
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= columns; ++c) {
      const workbook::Cell* cell = sheet.cells.Find(r, c);
      bool has = cell && !cell->value.IsEmpty();
      ASSERT_EQ(sheet.cells.AnyValueInRow(r, c, c), has) << r << "," << c;
      ASSERT_EQ(sheet.cells.AnyValueInColumn(c, r, r), has) << r << "," << c;
    }
}

struct StructuralEdit {
  const char* name;
  std::function<void(host::Sheet&)> edit;
};

class IndexesAfter : public WorkbookTest, public ::testing::WithParamInterface<StructuralEdit> {};

TEST_P(IndexesAfter, AgreeWithTheCells) {
  for (int r = 1; r <= 12; ++r)
    for (int c = 1; c <= 8; ++c)
      if ((r * 3 + c) % 4 != 0) Put(r, c, r * 100 + c);
  GetParam().edit(*sheet);
  ExpectIndexesMatchCells(Model(), 14, 10);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, IndexesAfter,
    ::testing::Values(
        StructuralEdit{"delete_row", [](host::Sheet& s) { s.Rows(3)->Delete(); }},
        StructuralEdit{"delete_column", [](host::Sheet& s) { s.Columns(2)->Delete(); }},
        StructuralEdit{"insert_blank_row", [](host::Sheet& s) { s.Rows(4)->Insert(); }},
        StructuralEdit{"insert_copied_row",
                       [](host::Sheet& s) {
                         s.Rows(6)->Copy();
                         s.Rows(2)->Insert();
                       }},
        StructuralEdit{"insert_copied_column",
                       [](host::Sheet& s) {
                         s.Columns(5)->Copy();
                         s.Columns(2)->Insert();
                       }},
        StructuralEdit{"clear_block", [](host::Sheet& s) { s.Columns("C:D")->ClearContents(); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tavo::workbook::testing
