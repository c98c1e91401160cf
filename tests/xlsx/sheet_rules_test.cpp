// Sheet deletion and insertion at different places of a user's workbook:
// sheet ids, sheet-scoped names, the active tab, tab selection and the
// document properties' title list must all follow.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <functional>

#include "workbook/xlsx/xlsx.h"
#include "xlsx/sample_models.h"
#include "xlsx/user_workbook_fixture.h"
#include "xlsx/xlsx_test_support.h"

namespace tavo::xlsx::test {
namespace {

struct Outcome {
  std::vector<std::string> sheets;  // "name#sheetId"
  std::vector<std::string> scoped;  // "name@localSheetId"
  int active_tab = 0;
  std::vector<std::string> titles;  // app.xml, worksheets first
  bool calc_chain = false;
};

Outcome Inspect(const std::string& file) {
  auto entries = ReadRawEntries(file);
  Outcome out;
  pugi::xml_document workbook, app;
  workbook.load_string(entries["xl/workbook.xml"].data.c_str());
  app.load_string(entries["docProps/app.xml"].data.c_str());
  pugi::xml_node root = workbook.child("workbook");
  for (pugi::xml_node s : root.child("sheets").children("sheet")) {
    out.sheets.push_back(std::string(s.attribute("name").value()) + "#" + s.attribute("sheetId").value());
  }
  for (pugi::xml_node n : root.child("definedNames").children("definedName")) {
    if (n.attribute("localSheetId")) {
      out.scoped.push_back(std::string(n.attribute("name").value()) + "@" + n.attribute("localSheetId").value());
    }
  }
  out.active_tab = root.child("bookViews").child("workbookView").attribute("activeTab").as_int();
  for (pugi::xml_node t : app.child("Properties").child("TitlesOfParts").child("vt:vector").children()) {
    out.titles.push_back(t.text().get());
  }
  out.calc_chain = entries.count("xl/calcChain.xml") != 0;
  return out;
}

// Counts the sheets whose views are selected in the saved file.
int SelectedTabs(const std::string& file) {
  int selected = 0;
  for (const auto& [name, entry] : ReadRawEntries(file)) {
    if (name.rfind("xl/worksheets/sheet", 0) != 0) continue;
    pugi::xml_document doc;
    doc.load_string(entry.data.c_str());
    selected += doc.child("worksheet").child("sheetViews").child("sheetView").attribute("tabSelected").as_bool();
  }
  return selected;
}

void Erase(workbook::WorkbookModel& model, size_t index) {
  model.sheets.erase(model.sheets.begin() + static_cast<long>(index));
  if (model.active_sheet >= model.sheets.size()) model.active_sheet = model.sheets.size() - 1;
}

TEST(SheetRules, DeletingAndInsertingKeepNamesIdsAndTitlesInStep) {
  // The fixture: 课程表#1, 校历表#5, DTB#3, 信息表#4; names scoped to 1 (print
  // titles of 校历表), 2 (DTB print area) and 3 (信息表 filter); tab 1 active.
  struct Case {
    const char* label;
    std::function<void(workbook::WorkbookModel&)> edit;
    Outcome expected;
  } cases[] = {
      {"delete the active generated sheet",
       [](workbook::WorkbookModel& m) { Erase(m, 1); },
       {{"课程表#1", "DTB#3", "信息表#4"},
        {"_xlnm._FilterDatabase@2", "_xlnm.Print_Area@1"},
        1,
        {"课程表", "DTB", "信息表", "Rate"},
        false}},
      {"delete the last sheet while it is active",
       [](workbook::WorkbookModel& m) {
         m.active_sheet = 3;
         Erase(m, 3);
       },
       {{"课程表#1", "校历表#5", "DTB#3"},
        {"_xlnm.Print_Area@2", "_xlnm.Print_Titles@1"},
        2,
        {"课程表", "校历表", "DTB", "Rate"},
        false}},
      {"insert a sheet first",
       [](workbook::WorkbookModel& m) {
         m.active_sheet = 0;
         AddGeneratedSheet(m, "日历表");
       },
       {{"日历表#6", "课程表#1", "校历表#5", "DTB#3", "信息表#4"},
        {"_xlnm._FilterDatabase@4", "_xlnm.Print_Area@3", "_xlnm.Print_Titles@2", "_xlnm.Print_Titles@0"},
        0,
        {"日历表", "课程表", "校历表", "DTB", "信息表", "Rate"},
        true}},
      {"replace the generated sheet",
       [](workbook::WorkbookModel& m) {
         Erase(m, 1);
         AddGeneratedSheet(m);
       },
       {{"课程表#1", "校历表#6", "DTB#3", "信息表#4"},
        {"_xlnm._FilterDatabase@3", "_xlnm.Print_Area@2", "_xlnm.Print_Titles@1"},
        1,
        {"课程表", "校历表", "DTB", "信息表", "Rate"},
        false}},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    std::string original = dir.File("user.xlsx"), out = dir.File("out.xlsx");
    WriteZip(original, UserWorkbookParts(), UserWorkbookStoredParts());
    LoadedWorkbook loaded = LoadXlsx(original);
    c.edit(loaded.model);
    SaveXlsx(loaded.model, loaded.original.get(), out);
    Outcome got = Inspect(out);
    EXPECT_EQ(got.sheets, c.expected.sheets) << c.label;
    EXPECT_EQ(got.scoped, c.expected.scoped) << c.label;
    EXPECT_EQ(got.active_tab, c.expected.active_tab) << c.label;
    EXPECT_EQ(got.titles, c.expected.titles) << c.label;
    EXPECT_EQ(got.calc_chain, c.expected.calc_chain) << c.label;
    // Never several sheets grouped; the old 校历表 was selected in the fixture.
    EXPECT_LE(SelectedTabs(out), 1) << c.label;
    EXPECT_NO_THROW(LoadXlsx(out)) << c.label;
  }
}

}  // namespace
}  // namespace tavo::xlsx::test
