// The host sheets added to a workbook the user already has: a macro
// workbook with a chart, a picture and a VBA project keeps every part it
// had, byte for byte, and stays macro-enabled.
#include <gtest/gtest.h>

#include "common/error.h"
#include "workbook/xlsx/host_workbook.h"
#include "workbook/xlsx/xlsx.h"
#include "xlsx/user_workbook_fixture.h"
#include "xlsx/xlsx_test_support.h"

namespace tavo::xlsx::test {
namespace {

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

// The user's workbook as an .xlsm whose own sheets are named differently:
// no "DTB" or "信息表" yet, and a VBA project.
std::map<std::string, std::string> MacroWorkbookWithoutHostSheets() {
  auto parts = UserWorkbookParts();
  for (const char* part : {"xl/workbook.xml", "docProps/app.xml"}) {
    ReplaceAll(parts[part], ">DTB<", ">旧设置<");
    ReplaceAll(parts[part], "\"DTB\"", "\"旧设置\"");
    ReplaceAll(parts[part], "DTB!", "旧设置!");
    ReplaceAll(parts[part], "信息表", "班级名单");
  }
  ReplaceAll(parts["[Content_Types].xml"], "spreadsheetml.sheet.main+xml",
             "ms-excel.sheet.macroEnabled.main+xml");
  ReplaceAll(parts["[Content_Types].xml"], "<Default Extension=\"png\"",
             "<Override PartName=\"/xl/vbaProject.bin\" ContentType=\"application/vnd.ms-office.vbaProject\"/>"
             "<Default Extension=\"png\"");
  ReplaceAll(parts["xl/_rels/workbook.xml.rels"], "</Relationships>",
             "<Relationship Id=\"rId9\" Type=\"http://schemas.microsoft.com/office/2006/relationships/vbaProject\" "
             "Target=\"vbaProject.bin\"/></Relationships>");
  std::string project("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  for (int i = 0; i < 600; ++i) project += static_cast<char>(i * 7);
  parts["xl/vbaProject.bin"] = project;
  return parts;
}

TEST(AddHostSheets, AMacroWorkbookKeepsEveryPartAndGainsBothSheets) {
  ScratchDir dir;
  WriteZip(dir.File("plan.xlsm"), MacroWorkbookWithoutHostSheets(), UserWorkbookStoredParts());
  const auto before = ReadRawEntries(dir.File("plan.xlsm"));
  LoadedWorkbook book = LoadXlsx(dir.File("plan.xlsm"));
  const size_t active = book.model.active_sheet;
  AddHostSheets(book.model, Date{std::chrono::year{2026} / 12 / 9});
  EXPECT_EQ(book.model.active_sheet, active);
  SaveXlsx(book.model, book.original.get(), dir.File("plan.xlsm"));

  const auto after = ReadRawEntries(dir.File("plan.xlsm"));
  // Only the parts that list sheets change; the rest are the same bytes.
  const std::set<std::string> listing = {"xl/workbook.xml", "xl/_rels/workbook.xml.rels",
                                         "[Content_Types].xml", "docProps/app.xml", "xl/styles.xml"};
  for (const auto& [name, entry] : before) {
    ASSERT_TRUE(after.count(name)) << name << " was lost";
    if (!listing.count(name)) {
      EXPECT_EQ(after.at(name), entry) << name;
    }
  }
  EXPECT_NE(after.at("[Content_Types].xml").data.find("macroEnabled.main+xml"), std::string::npos);
  EXPECT_NE(after.at("[Content_Types].xml").data.find("/xl/vbaProject.bin"), std::string::npos);
  EXPECT_NE(after.at("xl/_rels/workbook.xml.rels").data.find("vbaProject.bin"), std::string::npos);

  LoadedWorkbook again = LoadXlsx(dir.File("plan.xlsm"));
  std::vector<std::string> names;
  for (const auto& sheet : again.model.sheets) names.push_back(sheet.name);
  EXPECT_EQ(names, (std::vector<std::string>{"课程表", "校历表", "旧设置", "班级名单", "信息表", "DTB", "节假日", "校历事项"}));
  const workbook::Worksheet& dtb = again.model.sheets[again.model.sheets.size() - 3];
  EXPECT_EQ(dtb.cells.Find(2, 2)->value, host::Variant::Date(46266));  // the autumn term, 2026-9-1
  EXPECT_EQ(dtb.cells.Find(5, 14)->value, host::Variant(2));            // key 5 prints landscape
}

TEST(AddHostSheets, RefusesAWorkbookThatHasEitherSheetAndChangesNothing) {
  LoadedWorkbook book = LoadXlsxBytes([] {
    ScratchDir dir;
    WriteZip(dir.File("w.xlsx"), UserWorkbookParts());
    return ReadFileBytes(dir.File("w.xlsx"));
  }(), "w.xlsx");
  const size_t count = book.model.sheets.size();
  try {
    AddHostSheets(book.model);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kSheetExists);
    EXPECT_NE(std::string(e.what()).find("DTB"), std::string::npos) << e.what();
  }
  EXPECT_EQ(book.model.sheets.size(), count);
}

}  // namespace
}  // namespace tavo::xlsx::test
