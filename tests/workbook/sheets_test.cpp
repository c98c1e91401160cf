// Sheets collection, workbook, window, shapes, page setup and the memory dialog.
#include "workbook/memory_dialog.h"
#include "workbook_test_support.h"

namespace tavo::workbook::testing {
namespace {

using host::PageSetupMember;
using host::Variant;

std::vector<std::string> Names(host::Application& app) {
  auto sheets = app.ThisWorkbook()->Worksheets();
  std::vector<std::string> names;
  for (int i = 1; i <= sheets->Count(); ++i) names.push_back(sheets->Item(i)->Name());
  return names;
}

TEST_F(WorkbookTest, AddInsertsBeforeTheActiveSheetAndActivatesIt) {
  auto sheets = app->ThisWorkbook()->Worksheets();
  sheets->Item("Sheet2")->Activate();
  auto added = sheets->Add();
  EXPECT_EQ(Names(*app), (std::vector<std::string>{"Sheet1", "Sheet4", "Sheet2", "Sheet3"}));
  EXPECT_EQ(app->ActiveSheet()->Name(), "Sheet4");
  app->ThisWorkbook()->ActiveSheet()->SetName("校历表");
  EXPECT_EQ(added->Name(), "校历表");
}

struct DeleteCase {
  const char* deleted;
  const char* active_before;
  const char* active_after;
};

class DeleteActive : public WorkbookTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteActive, ActivatesTheSheetTakingItsPlace) {
  auto sheets = app->ThisWorkbook()->Worksheets();
  sheets->Item(GetParam().active_before)->Activate();
  sheets->Item(GetParam().deleted)->Delete();
  EXPECT_EQ(app->ActiveSheet()->Name(), GetParam().active_after);
}

INSTANTIATE_TEST_SUITE_P(Cases, DeleteActive,
                         ::testing::Values(DeleteCase{"Sheet2", "Sheet2", "Sheet3"},
                                           DeleteCase{"Sheet3", "Sheet3", "Sheet2"},
                                           DeleteCase{"Sheet1", "Sheet1", "Sheet2"},
                                           DeleteCase{"Sheet1", "Sheet3", "Sheet3"}));

TEST_F(WorkbookTest, MissingSheetRaisesNumberNine) {
  auto sheets = app->ThisWorkbook()->Worksheets();
  try {
    sheets->Item("日历表");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 9);
    EXPECT_NE(e.description().find("日历表"), std::string::npos);
  }
  EXPECT_EQ(ErrorNumberOf([&] { sheets->Item(4); }), 9);
  EXPECT_EQ(sheets->Item("sheet2")->Name(), "Sheet2") << "names match without ASCII case";
}

TEST_F(WorkbookTest, HandleOfADeletedSheetRaises) {
  auto old = app->ThisWorkbook()->Worksheets()->Item("Sheet1");
  auto cell = old->Cells(1, 1);
  old->Delete();
  EXPECT_EQ(ErrorNumberOf([&] { old->Name(); }), 9);
  EXPECT_EQ(ErrorNumberOf([&] { cell->SetValue(1); }), 9);
}

TEST_F(WorkbookTest, LastVisibleSheetCannotGoOrHide) {
  auto sheets = app->ThisWorkbook()->Worksheets();
  sheets->Item("Sheet2")->Delete();
  sheets->Item("Sheet3")->SetVisible(host::Visibility::kHidden);
  EXPECT_EQ(app->ActiveSheet()->Name(), "Sheet1");
  EXPECT_NE(ErrorNumberOf([&] { sheets->Item("Sheet1")->Delete(); }), 0);
  EXPECT_NE(ErrorNumberOf([&] { sheets->Item("Sheet1")->SetVisible(host::Visibility::kVeryHidden); }), 0);
  EXPECT_NE(ErrorNumberOf([&] { sheets->Item("Sheet3")->Activate(); }), 0) << "hidden";
  sheets->Item("Sheet3")->SetVisible(host::Visibility::kVisible);
  sheets->Item("Sheet3")->Activate();
  EXPECT_EQ(app->ActiveSheet()->Name(), "Sheet3");
}

TEST_F(WorkbookTest, BadSheetNamesAreRefused) {
  for (const char* name : {"", "Sheet2", "SHEET3", "a/b", "[x]", "'quoted", "history",
                           "12345678901234567890123456789012"})
    EXPECT_EQ(ErrorNumberOf([&] { sheet->SetName(name); }), kInvalidArgument) << name;
  sheet->SetName("sheet1");  // its own name in another case is fine
  EXPECT_EQ(sheet->Name(), "sheet1");
}

TEST_F(WorkbookTest, RangeOfCellsOfAnotherSheetIsRefused) {
  auto other = app->ThisWorkbook()->Worksheets()->Item("Sheet2");
  auto a = sheet->Cells(1, 1);
  auto b = other->Cells(2, 2);
  EXPECT_EQ(ErrorNumberOf([&] { sheet->Range(*a, *b); }), kInvalidArgument);
}

TEST_F(WorkbookTest, ColumnsCountComesFromTheWorkbook) {
  EXPECT_EQ(sheet->Columns()->Count(), 16384);
  model->column_count = 256;
  EXPECT_EQ(sheet->Columns()->Count(), 256);
  EXPECT_EQ(sheet->Columns("B:I")->Count(), 8);
  EXPECT_EQ(Block(2, 2, 5, 3)->Rows()->Count(), 4);
  EXPECT_EQ(Block(2, 2, 5, 3)->Count(), 8);
  EXPECT_EQ(ErrorNumberOf([&] { sheet->Columns("IW"); }), kInvalidArgument);
}

TEST_F(WorkbookTest, PaletteStartsAsTheClassicColours) {
  auto book = app->ThisWorkbook();
  const std::pair<int, std::int32_t> expected[] = {
      {1, host::Rgb(0, 0, 0)},        {2, host::Rgb(255, 255, 255)}, {3, host::Rgb(255, 0, 0)},
      {9, host::Rgb(0x80, 0, 0)},     {10, host::Rgb(0, 0x80, 0)},   {15, host::Rgb(0xC0, 0xC0, 0xC0)},
      {16, host::Rgb(0x80, 0x80, 0x80)}, {37, host::Rgb(0x99, 0xCC, 0xFF)},
      {46, host::Rgb(0xFF, 0x66, 0)}, {56, host::Rgb(0x33, 0x33, 0x33)}};
  for (auto [index, rgb] : expected) EXPECT_EQ(book->Colors(index), rgb) << index;
  book->SetColors(15, host::Rgb(1, 2, 3));
  EXPECT_EQ(book->Colors(15), host::Rgb(1, 2, 3));
  EXPECT_TRUE(model->palette_modified);
  EXPECT_EQ(ErrorNumberOf([&] { book->Colors(57); }), 9);
  EXPECT_EQ(ErrorNumberOf([&] { book->SetColors(0, 0); }), 9);
}

TEST_F(WorkbookTest, ActiveWindowFollowsTheActiveSheet) {
  auto window = app->ActiveWindow();
  window->SetSplitRow(2);
  window->SetFreezePanes(true);
  app->ThisWorkbook()->Worksheets()->Item("Sheet2")->Activate();
  EXPECT_EQ(window->SplitRow(), 0);
  EXPECT_FALSE(window->FreezePanes());
  EXPECT_EQ(model->sheets[0].window.split_row, 2);
  EXPECT_TRUE(model->sheets[0].window.freeze_panes);
  EXPECT_NE(ErrorNumberOf([&] { window->SetScrollRow(0); }), 0);
}

TEST_F(WorkbookTest, SelectedShapeIsTheSelection) {
  EXPECT_NE(ErrorNumberOf([&] { app->Selection(); }), 0) << "no shape selected yet";
  auto shape = app->ActiveSheet()->Shapes()->AddTextEffect(0, "3", "宋体", 80, 0, 0, 120, 300);
  shape->Select();
  auto selection = app->Selection();
  selection->SetPlacement(host::Placement::kMove);
  auto group = selection->ShapeRange();
  group->Fill()->SetVisible(host::TriState::kTrue);
  group->Fill()->Solid();
  group->Fill()->ForeColor()->SetSchemeColor(16);
  group->Fill()->SetTransparency(0.5);
  group->Line()->SetVisible(host::TriState::kFalse);
  const TextBoxShape& s = Model().shapes.at(0);
  EXPECT_EQ(s.text, "3");
  EXPECT_EQ(s.font_name, "宋体");
  EXPECT_DOUBLE_EQ(s.font_size, 80);
  EXPECT_FALSE(s.bold);
  EXPECT_DOUBLE_EQ(s.left, 120);
  EXPECT_DOUBLE_EQ(s.top, 300);
  EXPECT_EQ(s.placement, 2);
  EXPECT_TRUE(s.fill_visible && s.fill_solid);
  EXPECT_EQ(s.fill_scheme_color, 16);
  EXPECT_DOUBLE_EQ(s.fill_transparency, 0.5);
  EXPECT_FALSE(s.line_visible);
  EXPECT_NE(ErrorNumberOf([&] { group->Fill()->SetTransparency(1.5); }), 0);
}

TEST_F(WorkbookTest, PageSetupDefaultsAreTheHosts) {
  auto page = sheet->PageSetup();
  EXPECT_EQ(page->Get(PageSetupMember::PaperSize), Variant(9));
  EXPECT_EQ(page->Get(PageSetupMember::Orientation), Variant(1));
  EXPECT_EQ(page->Get(PageSetupMember::Zoom), Variant(100));
  EXPECT_EQ(page->Get(PageSetupMember::TopMargin), Variant(54.0));
  EXPECT_EQ(page->Get(PageSetupMember::PrintTitleRows), Variant(""));
}

struct PageValue {
  const char* name;
  PageSetupMember member;
  Variant value;
  Variant reads_back;  // empty: the value is refused
};

class PageValues : public WorkbookTest, public ::testing::WithParamInterface<PageValue> {};

TEST_P(PageValues, AreKeptOrRefusedLikeTheHost) {
  const PageValue& c = GetParam();
  auto page = sheet->PageSetup();
  Variant before = page->Get(c.member);
  if (c.reads_back.IsEmpty()) {
    EXPECT_NE(ErrorNumberOf([&] { page->Set(c.member, c.value); }), 0);
    EXPECT_EQ(page->Get(c.member), before);
  } else {
    page->Set(c.member, c.value);
    EXPECT_EQ(page->Get(c.member), c.reads_back);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Members, PageValues,
    ::testing::Values(
        PageValue{"zoom_false_fits", PageSetupMember::Zoom, false, false},
        PageValue{"zoom_percent", PageSetupMember::Zoom, 60, 60},
        PageValue{"zoom_numeric_text", PageSetupMember::Zoom, "75", 75},
        PageValue{"zoom_true", PageSetupMember::Zoom, true, {}},
        PageValue{"zoom_too_small", PageSetupMember::Zoom, 9, {}},
        PageValue{"zoom_too_large", PageSetupMember::Zoom, 401, {}},
        PageValue{"landscape", PageSetupMember::Orientation, 2, 2},
        PageValue{"orientation_3", PageSetupMember::Orientation, 3, {}},
        PageValue{"orientation_text", PageSetupMember::Orientation, "横向", {}},
        PageValue{"paper_a3", PageSetupMember::PaperSize, 8, 8},
        PageValue{"paper_unknown", PageSetupMember::PaperSize, 500, {}},
        PageValue{"margin", PageSetupMember::LeftMargin, 5, 5.0},
        PageValue{"margin_negative", PageSetupMember::TopMargin, -1, {}},
        PageValue{"margin_text", PageSetupMember::BottomMargin, "wide", {}},
        PageValue{"margin_boolean", PageSetupMember::HeaderMargin, true, {}},
        PageValue{"footer", PageSetupMember::CenterFooter, "&P", "&P"},
        PageValue{"centring", PageSetupMember::CenterHorizontally, true, true},
        PageValue{"title_rows", PageSetupMember::PrintTitleRows, "$1:$2", "$1:$2"},
        PageValue{"title_rows_plain", PageSetupMember::PrintTitleRows, "1:2", "$1:$2"},
        PageValue{"title_rows_bad", PageSetupMember::PrintTitleRows, "A1:B2", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MemoryDialog, KeepsValuesByNameAndCaption) {
  MemoryDialog dialog("校历表");
  EXPECT_TRUE(dialog.ControlValue("txtBDate").IsEmpty());
  dialog.SetControlValue("txtBDate", "2024-1-1");
  dialog.SetControlValue("optYi", true);
  EXPECT_EQ(dialog.ControlValue("txtBDate"), Variant("2024-1-1"));
  EXPECT_EQ(dialog.ControlValue("optYi"), Variant(true));
  EXPECT_TRUE(dialog.ControlValue("OPTYI").IsEmpty()) << "names are case-sensitive";
  EXPECT_EQ(dialog.Caption(), "校历表");
}

}  // namespace
}  // namespace tavo::workbook::testing

namespace tavo::workbook::testing {
namespace {

TEST_F(WorkbookTest, RangeOfCellsOfAnotherWorkbookIsRefused) {
  auto other_model = NewWorkbookModel(3);
  auto other_app = OpenEmbeddedApplication(other_model);
  auto foreign = other_app->ActiveSheet()->Cells(2, 2);
  auto own = sheet->Cells(1, 1);
  EXPECT_EQ(ErrorNumberOf([&] { sheet->Range(*own, *foreign); }), kInvalidArgument);
}

TEST_F(WorkbookTest, ShapeOfAnInactiveSheetCannotBeSelected) {
  auto shapes = sheet->Shapes();
  auto shape = shapes->AddTextEffect(0, "1", "宋体", 80, 0, 0, 0, 0);
  app->ThisWorkbook()->Worksheets()->Item("Sheet2")->Activate();
  EXPECT_NE(ErrorNumberOf([&] { shape->Select(); }), 0);
  EXPECT_NE(ErrorNumberOf([&] { shapes->AddTextEffect(50, "1", "宋体", 80, 0, 0, 0, 0); }), 0);
  EXPECT_EQ(shapes->Count(), 1);
}

}  // namespace
}  // namespace tavo::workbook::testing
