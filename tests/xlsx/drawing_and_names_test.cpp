// The watermark drawing (anchor from points through column widths and row
// heights, text box look) and the package name arithmetic it relies on.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "workbook/xlsx/cell_ref.h"
#include "workbook/xlsx/drawing_writer.h"
#include "workbook/xlsx/opc_names.h"
#include "workbook/xlsx/xlsx.h"
#include "xlsx/sample_models.h"
#include "xlsx/xlsx_test_support.h"

namespace tavo::xlsx::test {
namespace {

TEST(Drawing, AnchorCountsColumnWidthsAndRowHeights) {
  workbook::WorkbookModel model = HostModel();
  const workbook::Worksheet& sheet = AddGeneratedSheet(model);
  // Column A 0.2 characters = 2 px = 1.5 pt (below one character the host
  // counts 12 px a character), B 7 = 54 px = 40.5 pt, C 6 = 47 px = 35.25 pt,
  // then 8.43 = 64 px = 48 pt; row 1 is 48 pt, the rest 14.25 pt.
  struct Case {
    double left, top;
    AnchorPoint at;
  } cases[] = {
      {0, 0, {0, 0, 0, 0}},
      {1.5, 48, {1, 1, 0, 0}},
      {4.5, 48, {1, 1, 38100, 0}},
      {100, 200, {3, 11, 288925, 120650}},
      {-5, -5, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    AnchorPoint at = AnchorAt(sheet, c.left, c.top);
    EXPECT_EQ(at.column, c.at.column) << c.left;
    EXPECT_EQ(at.row, c.at.row) << c.top;
    EXPECT_EQ(at.column_offset, c.at.column_offset) << c.left;
    EXPECT_EQ(at.row_offset, c.at.row_offset) << c.top;
  }
}

TEST(Drawing, WatermarkIsAPlainTranslucentTextBox) {
  ScratchDir dir;
  workbook::WorkbookModel model = HostModel();
  AddGeneratedSheet(model);
  SaveXlsx(model, nullptr, dir.File("w.xlsx"));
  auto entries = ReadRawEntries(dir.File("w.xlsx"));
  ASSERT_TRUE(entries.count("xl/drawings/drawing1.xml"));
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(entries["xl/drawings/drawing1.xml"].data.c_str()));
  pugi::xml_node anchor = doc.child("xdr:wsDr").child("xdr:oneCellAnchor");
  ASSERT_TRUE(anchor);
  EXPECT_STREQ(anchor.child("xdr:from").child_value("xdr:col"), "3");
  EXPECT_STREQ(anchor.child("xdr:from").child_value("xdr:row"), "11");
  pugi::xml_node sp = anchor.child("xdr:sp");
  EXPECT_TRUE(sp.child("xdr:nvSpPr").child("xdr:cNvSpPr").attribute("txBox").as_bool());
  EXPECT_TRUE(sp.child("xdr:spPr").child("a:ln").child("a:noFill"));
  EXPECT_FALSE(sp.child("xdr:spPr").child("a:prstTxWarp"));
  pugi::xml_node run = sp.child("xdr:txBody").child("a:p").child("a:r");
  EXPECT_STREQ(run.child_value("a:t"), "九月");
  pugi::xml_node props = run.child("a:rPr");
  EXPECT_EQ(props.attribute("sz").as_int(), 8000);
  EXPECT_FALSE(props.attribute("b").as_bool());
  EXPECT_STREQ(props.child("a:latin").attribute("typeface").value(), "宋体");
  EXPECT_TRUE(props.child("a:ln").child("a:noFill"));
  pugi::xml_node colour = props.child("a:solidFill").child("a:srgbClr");
  EXPECT_STREQ(colour.attribute("val").value(), "DDDDDD");  // scheme colour 22 = palette entry 15
  EXPECT_EQ(colour.child("a:alpha").attribute("val").as_int(), 50000);

  pugi::xml_document rels;
  rels.load_string(entries["xl/worksheets/_rels/sheet1.xml.rels"].data.c_str());
  EXPECT_STREQ(rels.child("Relationships").child("Relationship").attribute("Target").value(),
               "../drawings/drawing1.xml");
}

TEST(PackageNames, TargetsResolveBothWays) {
  struct Case {
    const char* source;
    const char* target;
    const char* part;
  } cases[] = {
      {"xl/workbook.xml", "worksheets/sheet1.xml", "xl/worksheets/sheet1.xml"},
      {"xl/worksheets/sheet1.xml", "../drawings/drawing1.xml", "xl/drawings/drawing1.xml"},
      {"xl/workbook.xml", "/xl/styles.xml", "xl/styles.xml"},
      {"", "xl/workbook.xml", "xl/workbook.xml"},
      {"xl/drawings/drawing1.xml", "../../customXml/item1.xml", "customXml/item1.xml"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResolveTarget(c.source, c.target), c.part) << c.target;
    EXPECT_EQ(ResolveTarget(c.source, RelativeTarget(c.source, c.part)), c.part) << c.part;
  }
  EXPECT_EQ(RelsPartFor("xl/worksheets/sheet1.xml"), "xl/worksheets/_rels/sheet1.xml.rels");
  EXPECT_EQ(RelsPartFor(""), "_rels/.rels");
}

TEST(PackageNames, CellReferences) {
  struct Case {
    const char* name;
    int row, column;
  } good[] = {{"A1", 1, 1}, {"$B$3", 3, 2}, {"Z9", 9, 26}, {"AA10", 10, 27}, {"XFD1048576", 1048576, 16384}};
  for (const Case& c : good) {
    auto ref = ParseCellName(c.name);
    ASSERT_TRUE(ref) << c.name;
    EXPECT_EQ(ref->row, c.row) << c.name;
    EXPECT_EQ(ref->column, c.column) << c.name;
    std::string plain = c.name;
    std::erase(plain, '$');
    EXPECT_EQ(CellName(c.row, c.column), plain);
  }
  for (const char* bad : {"", "A", "1", "A0", "XFE1", "A1048577", "AAAA1", "A1B", "A-1"}) {
    EXPECT_FALSE(ParseCellName(bad)) << bad;
  }
}

}  // namespace
}  // namespace tavo::xlsx::test
