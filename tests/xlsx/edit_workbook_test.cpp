// Loading a user's workbook, rebuilding its generated sheet as a build
// does, and saving: what changes, what goes, and that everything else is
// copied byte for byte.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "host/host.h"
#include "workbook/xlsx/xlsx.h"
#include "workbook/xlsx/zip_package.h"
#include "xlsx/sample_models.h"
#include "xlsx/user_workbook_fixture.h"
#include "xlsx/xlsx_test_support.h"

namespace tavo::xlsx::test {
namespace {

host::Variant Value(const workbook::Worksheet& sheet, int row, int column) {
  const workbook::Cell* cell = sheet.cells.Find(row, column);
  return cell ? cell->value : host::Variant();
}

workbook::Worksheet& Named(workbook::WorkbookModel& model, const std::string& name) {
  for (auto& sheet : model.sheets) {
    if (sheet.name == name) return sheet;
  }
  throw std::runtime_error("no sheet " + name);
}

void SetCell(workbook::Worksheet& sheet, int row, int column, const host::Variant& value) {
  sheet.cells.SetValue(row, column, value, false, {});
  sheet.modified = true;
}

// What a school-calendar build does to the loaded model: settings stored,
// old sheet deleted (the next sheet becomes active), new one added before
// the active sheet.
void RebuildSchoolCalendar(workbook::WorkbookModel& model) {
  workbook::Worksheet& dtb = Named(model, "DTB");
  SetCell(dtb, 2, 4, 1);
  SetCell(dtb, 2, 8, 2);
  SetCell(dtb, 2, 11, 43.2);
  SetCell(dtb, 2, 9, std::string("x<&>\"y"));
  dtb.cells.ClearValue(5, 16);
  model.sheets.erase(model.sheets.begin() + 1);
  model.active_sheet = 1;
  AddGeneratedSheet(model);  // sets palette entry 15 too
}

class EditWorkbook : public ::testing::Test {
 protected:
  void SetUp() override {
    original_ = dir_.File("user.xlsx");
    WriteZip(original_, UserWorkbookParts(), UserWorkbookStoredParts());
  }
  pugi::xml_document Part(const std::string& file, const std::string& name) {
    pugi::xml_document doc;
    auto entries = ReadRawEntries(file);
    EXPECT_TRUE(entries.count(name)) << name;
    EXPECT_TRUE(doc.load_string(entries[name].data.c_str())) << name;
    return doc;
  }
  ScratchDir dir_;
  std::string original_;
};

TEST_F(EditWorkbook, LoadReadsSheetsValuesAndOldPageSetup) {
  LoadedWorkbook loaded = LoadXlsx(original_);
  auto& model = loaded.model;
  ASSERT_EQ(model.sheets.size(), 4u);
  EXPECT_EQ(model.sheets[1].name, "校历表");
  EXPECT_EQ(model.active_sheet, 1u);
  const auto& dtb = Named(model, "DTB");
  struct Case {
    int row, column;
    host::Variant value;
  } cases[] = {
      {2, 2, "2026-9-1"}, {2, 3, "2027-1-31"}, {2, 4, 2}, {2, 5, true}, {2, 8, 5}, {2, 11, 40},
      {5, 16, false},     {1, 1, "说明"},       {3, 3, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Value(dtb, c.row, c.column), c.value) << c.row << "," << c.column;
  const auto& info = Named(model, "信息表");
  EXPECT_EQ(Value(info, 3, 2), host::Variant("开学典礼"));
  EXPECT_EQ(Value(info, 3, 3), host::Variant("说明行"));
  EXPECT_EQ(Value(info, 3, 4), host::Variant(" 校历 "));

  const workbook::PageSetup& page = model.sheets[1].page_setup;
  EXPECT_NEAR(page.top_margin, 43.2, 1e-9);
  EXPECT_NEAR(page.bottom_margin, 36, 1e-9);
  EXPECT_NEAR(page.footer_margin, 18, 1e-9);
  EXPECT_EQ(page.orientation, 2);
  EXPECT_EQ(page.paper_size, 8);
  EXPECT_TRUE(page.fit_to_page);
  EXPECT_EQ(page.fit_tall, 2);
  for (const auto& sheet : model.sheets) EXPECT_FALSE(sheet.modified) << sheet.name;
}

TEST_F(EditWorkbook, RebuildKeepsEveryUntouchedPartByteForByte) {
  LoadedWorkbook loaded = LoadXlsx(original_);
  RebuildSchoolCalendar(loaded.model);
  std::string out = dir_.File("out.xlsx");
  SaveXlsx(loaded.model, loaded.original.get(), out);

  auto before = ReadRawEntries(original_);
  auto after = ReadRawEntries(out);
  const std::set<std::string> edited = {"[Content_Types].xml", "docProps/app.xml", "xl/workbook.xml",
                                        "xl/_rels/workbook.xml.rels", "xl/styles.xml",
                                        "xl/worksheets/sheet3.xml"};
  const std::set<std::string> removed = {
      "xl/worksheets/sheet2.xml", "xl/worksheets/_rels/sheet2.xml.rels", "xl/drawings/drawing2.xml",
      "xl/drawings/_rels/drawing2.xml.rels", "xl/media/image2.png",
      "xl/printerSettings/printerSettings1.bin", "xl/calcChain.xml"};
  for (const auto& [name, entry] : before) {
    if (edited.count(name)) {
      EXPECT_TRUE(after.count(name)) << name;
    } else if (removed.count(name)) {
      EXPECT_FALSE(after.count(name)) << name << " should be gone";
    } else {
      ASSERT_TRUE(after.count(name)) << name;
      EXPECT_TRUE(after[name] == entry) << name << " changed";
    }
  }
  // Only the new sheet, its drawing and their relationships are added.
  std::set<std::string> added;
  for (const auto& [name, entry] : after) {
    if (!before.count(name)) added.insert(name);
  }
  EXPECT_EQ(added, (std::set<std::string>{"xl/worksheets/sheet5.xml", "xl/worksheets/_rels/sheet5.xml.rels",
                                          "xl/drawings/drawing3.xml"}));
}

TEST_F(EditWorkbook, SheetListNamesAndPropertiesFollowTheRules) {
  LoadedWorkbook loaded = LoadXlsx(original_);
  RebuildSchoolCalendar(loaded.model);
  std::string out = dir_.File("out.xlsx");
  SaveXlsx(loaded.model, loaded.original.get(), out);

  pugi::xml_document workbook = Part(out, "xl/workbook.xml");
  std::vector<std::pair<std::string, int>> sheets;
  for (pugi::xml_node s : workbook.child("workbook").child("sheets").children("sheet")) {
    sheets.emplace_back(s.attribute("name").value(), s.attribute("sheetId").as_int());
  }
  // sheetId: largest + 1, never the deleted sheet's 5 again.
  EXPECT_EQ(sheets, (std::vector<std::pair<std::string, int>>{{"课程表", 1}, {"校历表", 6}, {"DTB", 3}, {"信息表", 4}}));
  EXPECT_EQ(workbook.child("workbook").child("bookViews").child("workbookView").attribute("activeTab").as_int(), 1);

  std::vector<std::string> names;
  for (pugi::xml_node n : workbook.child("workbook").child("definedNames").children("definedName")) {
    names.push_back(std::string(n.attribute("name").value()) + "@" + n.attribute("localSheetId").as_string("-") +
                    "=" + n.text().get());
  }
  EXPECT_EQ(names, (std::vector<std::string>{"_xlnm._FilterDatabase@3=信息表!$B$2:$B$9",
                                             "_xlnm.Print_Area@2=DTB!$A$1:$Z$5", "Rate@-=课程表!$A$1",
                                             "_xlnm.Print_Titles@1='校历表'!$1:$2"}));

  pugi::xml_document rels = Part(out, "xl/_rels/workbook.xml.rels");
  for (pugi::xml_node r : rels.child("Relationships").children()) {
    std::string target = r.attribute("Target").value();
    EXPECT_NE(target, "calcChain.xml");
    EXPECT_NE(target, "worksheets/sheet2.xml");
  }
  pugi::xml_document types = Part(out, "[Content_Types].xml");
  std::set<std::string> overrides;
  for (pugi::xml_node o : types.child("Types").children("Override")) overrides.insert(o.attribute("PartName").value());
  for (const char* gone : {"/xl/calcChain.xml", "/xl/worksheets/sheet2.xml", "/xl/drawings/drawing2.xml"}) {
    EXPECT_FALSE(overrides.count(gone)) << gone;
  }
  for (const char* added : {"/xl/worksheets/sheet5.xml", "/xl/drawings/drawing3.xml"}) {
    EXPECT_TRUE(overrides.count(added)) << added;
  }

  pugi::xml_document app = Part(out, "docProps/app.xml");
  std::vector<std::string> titles;
  for (pugi::xml_node t : app.child("Properties").child("TitlesOfParts").child("vt:vector").children()) {
    titles.push_back(t.text().get());
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"课程表", "校历表", "DTB", "信息表", "Rate"}));
  EXPECT_EQ(app.child("Properties").child("TitlesOfParts").child("vt:vector").attribute("size").as_int(), 5);

  // Only the new, active sheet is selected.
  pugi::xml_document fresh = Part(out, "xl/worksheets/sheet5.xml");
  EXPECT_TRUE(fresh.child("worksheet").child("sheetViews").child("sheetView").attribute("tabSelected").as_bool());
}

TEST_F(EditWorkbook, SettingsCellsArePatchedInPlace) {
  LoadedWorkbook loaded = LoadXlsx(original_);
  RebuildSchoolCalendar(loaded.model);
  std::string out = dir_.File("out.xlsx");
  SaveXlsx(loaded.model, loaded.original.get(), out);

  std::string dtb = ReadRawEntries(out)["xl/worksheets/sheet3.xml"].data;
  EXPECT_NE(dtb.find("<!-- settings -->"), std::string::npos);
  EXPECT_NE(dtb.find("<c r=\"C2\" t=\"str\"><f>\"2027-1-\"&amp;\"31\"</f>"), std::string::npos) << dtb;
  EXPECT_NE(dtb.find("<c r=\"B2\" t=\"s\" s=\"1\"><v>3</v></c>"), std::string::npos) << dtb;

  LoadedWorkbook again = LoadXlsx(out);
  const auto& sheet = Named(again.model, "DTB");
  struct Case {
    int row, column;
    host::Variant value;
  } cases[] = {{2, 2, "2026-9-1"}, {2, 3, "2027-1-31"}, {2, 4, 1},   {2, 8, 2},
               {2, 9, "x<&>\"y"},  {2, 11, 43.2},       {5, 16, {}}, {5, 14, 2}};
  for (const Case& c : cases) EXPECT_EQ(Value(sheet, c.row, c.column), c.value) << c.row << "," << c.column;
  EXPECT_EQ(again.model.palette[14], host::Rgb(221, 221, 221));
  EXPECT_EQ(again.model.sheets[1].page_setup.paper_size, 9);  // the new sheet's
}

// A format the host sets on a cell of a loaded sheet is saved with it: on
// a cell the file had, on a new cell with a value, on a new blank cell.
TEST_F(EditWorkbook, FormatsSetOnALoadedSheetAreSaved) {
  LoadedWorkbook loaded = LoadXlsx(original_);
  workbook::Worksheet& dtb = Named(loaded.model, "DTB");
  auto format_of = [&](int row, int column) -> workbook::CellFormat& {
    workbook::CellFormat& format = dtb.cells.FormatAt(row, column, {});
    format.source_style = -1;  // as the host objects mark a format they change
    return format;
  };
  format_of(2, 2).font_size = 14;  // B2, loaded with a value and a style
  SetCell(dtb, 2, 20, std::string("新"));
  format_of(2, 20).bold = true;
  format_of(3, 20).fill_color = 6;
  dtb.modified = true;
  const std::string out = dir_.File("formatted.xlsx");
  SaveXlsx(loaded.model, loaded.original.get(), out);

  pugi::xml_document sheet = Part(out, "xl/worksheets/sheet3.xml");
  pugi::xml_document styles = Part(out, "xl/styles.xml");
  auto xf = [&](const char* cell) {
    const std::string query = std::string("//*[local-name()='c'][@r='") + cell + "']";
    pugi::xml_node c = sheet.select_node(query.c_str()).node();
    EXPECT_TRUE(c) << cell;
    const int index = c.attribute("s").as_int(0);
    return styles.select_node(("//*[local-name()='cellXfs']/*[" + std::to_string(index + 1) + "]").c_str()).node();
  };
  auto font = [&](pugi::xml_node x) {
    const int id = x.attribute("fontId").as_int();
    return styles.select_node(("//*[local-name()='fonts']/*[" + std::to_string(id + 1) + "]").c_str()).node();
  };
  EXPECT_EQ(font(xf("B2")).select_node("*[local-name()='sz']").node().attribute("val").as_double(), 14) << "B2";
  EXPECT_TRUE(font(xf("T2")).select_node("*[local-name()='b']").node()) << "T2";
  EXPECT_NE(xf("T3").attribute("fillId").as_int(), 0) << "T3";

  // The values are as they were.
  LoadedWorkbook again = LoadXlsx(out);
  LoadedWorkbook first = LoadXlsx(original_);
  EXPECT_EQ(Value(Named(again.model, "DTB"), 2, 2), Value(Named(first.model, "DTB"), 2, 2));
  EXPECT_EQ(Value(Named(again.model, "DTB"), 2, 20), host::Variant(std::string("新")));
}

TEST_F(EditWorkbook, SavingAnUnchangedModelChangesNoEntry) {
  LoadedWorkbook loaded = LoadXlsx(original_);
  std::string out = dir_.File("same.xlsx");
  SaveXlsx(loaded.model, loaded.original.get(), out);
  auto before = ReadRawEntries(original_);
  auto after = ReadRawEntries(out);
  ASSERT_EQ(before.size(), after.size());
  for (const auto& [name, entry] : before) EXPECT_TRUE(after[name] == entry) << name;
}

TEST_F(EditWorkbook, SavesOverTheFileItWasLoadedFrom) {
  for (int round = 0; round < 2; ++round) {
    LoadedWorkbook loaded = LoadXlsx(original_);
    RebuildSchoolCalendar(loaded.model);
    SaveXlsx(loaded.model, loaded.original.get(), original_);
  }
  LoadedWorkbook again = LoadXlsx(original_);
  ASSERT_EQ(again.model.sheets.size(), 4u);
  EXPECT_EQ(again.model.sheets[1].name, "校历表");
  auto entries = ReadRawEntries(original_);
  EXPECT_TRUE(entries.count("xl/charts/chart1.xml"));
  EXPECT_TRUE(entries.count("xl/media/image1.png"));
  EXPECT_FALSE(entries.count("xl/media/image2.png"));
  std::set<std::string> sheets;
  for (const auto& [name, entry] : entries) {
    if (name.rfind("xl/worksheets/sheet", 0) == 0) sheets.insert(name);
  }
  // The second rebuild deleted the first rebuild's sheet and its drawing.
  EXPECT_EQ(sheets, (std::set<std::string>{"xl/worksheets/sheet1.xml", "xl/worksheets/sheet3.xml",
                                           "xl/worksheets/sheet4.xml", "xl/worksheets/sheet2.xml"}));
  EXPECT_EQ(entries.count("xl/drawings/drawing2.xml") + entries.count("xl/drawings/drawing3.xml"), 1u);
}

}  // namespace
}  // namespace tavo::xlsx::test
