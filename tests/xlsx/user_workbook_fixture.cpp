#include "xlsx/user_workbook_fixture.h"

namespace tavo::xlsx::test {
namespace {

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
const std::string kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const std::string kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const std::string kPkgRel = "http://schemas.openxmlformats.org/package/2006/relationships";

std::string Rels(const std::string& body) {
  return kDecl + "<Relationships xmlns=\"" + kPkgRel + "\">" + body + "</Relationships>";
}

std::string Rel(const std::string& id, const std::string& type, const std::string& target) {
  return "<Relationship Id=\"" + id + "\" Type=\"" + kRel + "/" + type + "\" Target=\"" + target + "\"/>";
}

std::string Override(const std::string& part, const std::string& type) {
  return "<Override PartName=\"" + part + "\" ContentType=\"application/vnd.openxmlformats-" + type + "\"/>";
}

std::string Sheet(const std::string& views, const std::string& data, const std::string& tail) {
  return kDecl + "<worksheet xmlns=\"" + kMain + "\" xmlns:r=\"" + kRel + "\">" + views +
         "<sheetFormatPr defaultRowHeight=\"13.5\"/>" + data + tail + "</worksheet>";
}

}  // namespace

std::map<std::string, std::string> UserWorkbookParts() {
  std::map<std::string, std::string> p;
  const std::string ws = "officedocument.spreadsheetml.worksheet+xml";
  p["[Content_Types].xml"] =
      kDecl + "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
              "<Default Extension=\"bin\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.printerSettings\"/>"
              "<Default Extension=\"png\" ContentType=\"image/png\"/>"
              "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
              "<Default Extension=\"xml\" ContentType=\"application/xml\"/>" +
      Override("/xl/workbook.xml", "officedocument.spreadsheetml.sheet.main+xml") +
      Override("/xl/worksheets/sheet1.xml", ws) + Override("/xl/worksheets/sheet2.xml", ws) +
      Override("/xl/worksheets/sheet3.xml", ws) + Override("/xl/worksheets/sheet4.xml", ws) +
      Override("/xl/theme/theme1.xml", "officedocument.theme+xml") +
      Override("/xl/styles.xml", "officedocument.spreadsheetml.styles+xml") +
      Override("/xl/sharedStrings.xml", "officedocument.spreadsheetml.sharedStrings+xml") +
      Override("/xl/calcChain.xml", "officedocument.spreadsheetml.calcChain+xml") +
      Override("/xl/drawings/drawing1.xml", "officedocument.drawing+xml") +
      Override("/xl/drawings/drawing2.xml", "officedocument.drawing+xml") +
      Override("/xl/charts/chart1.xml", "officedocument.drawingml.chart+xml") +
      Override("/docProps/core.xml", "package.core-properties+xml") +
      Override("/docProps/app.xml", "officedocument.extended-properties+xml") + "</Types>";
  p["_rels/.rels"] = Rels(Rel("rId3", "extended-properties", "docProps/app.xml") +
                          "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties\" Target=\"docProps/core.xml\"/>" +
                          Rel("rId1", "officeDocument", "xl/workbook.xml"));
  p["docProps/app.xml"] =
      kDecl + "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\" "
              "xmlns:vt=\"http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes\"><Application>Microsoft Excel</Application>"
              "<HeadingPairs><vt:vector size=\"4\" baseType=\"variant\"><vt:variant><vt:lpstr>工作表</vt:lpstr></vt:variant>"
              "<vt:variant><vt:i4>4</vt:i4></vt:variant><vt:variant><vt:lpstr>命名范围</vt:lpstr></vt:variant>"
              "<vt:variant><vt:i4>1</vt:i4></vt:variant></vt:vector></HeadingPairs><TitlesOfParts><vt:vector size=\"5\" baseType=\"lpstr\">"
              "<vt:lpstr>课程表</vt:lpstr><vt:lpstr>校历表</vt:lpstr><vt:lpstr>DTB</vt:lpstr><vt:lpstr>信息表</vt:lpstr>"
              "<vt:lpstr>Rate</vt:lpstr></vt:vector></TitlesOfParts><AppVersion>16.0300</AppVersion></Properties>";
  p["docProps/core.xml"] =
      kDecl + "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
              "xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:creator>王老师</dc:creator></cp:coreProperties>";
  p["xl/workbook.xml"] =
      kDecl + "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRel + "\"><fileVersion appName=\"xl\"/>"
              "<bookViews><workbookView xWindow=\"0\" yWindow=\"0\" windowWidth=\"28800\" windowHeight=\"12300\" activeTab=\"1\"/></bookViews>"
              "<sheets><sheet name=\"课程表\" sheetId=\"1\" r:id=\"rId1\"/><sheet name=\"校历表\" sheetId=\"5\" r:id=\"rId2\"/>"
              "<sheet name=\"DTB\" sheetId=\"3\" r:id=\"rId3\"/><sheet name=\"信息表\" sheetId=\"4\" r:id=\"rId4\"/></sheets>"
              "<definedNames><definedName name=\"_xlnm._FilterDatabase\" localSheetId=\"3\" hidden=\"1\">信息表!$B$2:$B$9</definedName>"
              "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"2\">DTB!$A$1:$Z$5</definedName>"
              "<definedName name=\"_xlnm.Print_Titles\" localSheetId=\"1\">校历表!$1:$2</definedName>"
              "<definedName name=\"Rate\">课程表!$A$1</definedName></definedNames>"
              "<calcPr calcId=\"191029\"/></workbook>";
  p["xl/_rels/workbook.xml.rels"] =
      Rels(Rel("rId8", "calcChain", "calcChain.xml") + Rel("rId3", "worksheet", "worksheets/sheet3.xml") +
           Rel("rId7", "sharedStrings", "sharedStrings.xml") + Rel("rId2", "worksheet", "worksheets/sheet2.xml") +
           Rel("rId1", "worksheet", "worksheets/sheet1.xml") + Rel("rId6", "styles", "styles.xml") +
           Rel("rId5", "theme", "theme/theme1.xml") + Rel("rId4", "worksheet", "worksheets/sheet4.xml"));
  p["xl/worksheets/sheet1.xml"] =
      Sheet("<sheetViews><sheetView tabSelected=\"0\" workbookViewId=\"0\"/></sheetViews>",
            "<sheetData><row r=\"1\" spans=\"1:3\"><c r=\"A1\"><v>2</v></c><c r=\"B1\" t=\"s\"><v>0</v></c>"
            "<c r=\"C1\"><f>A1*2</f><v>4</v></c></row></sheetData>",
            "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/><drawing r:id=\"rId1\"/>");
  p["xl/worksheets/_rels/sheet1.xml.rels"] = Rels(Rel("rId1", "drawing", "../drawings/drawing1.xml"));
  p["xl/worksheets/sheet2.xml"] = Sheet(
      "<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr><sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\"/></sheetViews>",
      "<sheetData><row r=\"1\"><c r=\"B1\" t=\"inlineStr\"><is><t>旧校历</t></is></c></row></sheetData>",
      "<printOptions horizontalCentered=\"1\"/><pageMargins left=\"0.0694\" right=\"0.0694\" top=\"0.6\" bottom=\"0.5\" header=\"0.0694\" footer=\"0.25\"/>"
      "<pageSetup paperSize=\"8\" orientation=\"landscape\" fitToWidth=\"1\" fitToHeight=\"2\" r:id=\"rId2\"/>"
      "<headerFooter><oddFooter>&amp;C&amp;P</oddFooter></headerFooter><drawing r:id=\"rId1\"/>");
  p["xl/worksheets/_rels/sheet2.xml.rels"] =
      Rels(Rel("rId2", "printerSettings", "../printerSettings/printerSettings1.bin") +
           Rel("rId1", "drawing", "../drawings/drawing2.xml"));
  p["xl/worksheets/sheet3.xml"] = Sheet(
      "<sheetViews><sheetView workbookViewId=\"0\"/></sheetViews>",
      "<!-- settings --><sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>1</v></c><c r=\"B1\" t=\"s\"><v>2</v></c></row>"
      "<row r=\"2\" spans=\"2:26\"><c r=\"B2\" t=\"s\" s=\"1\"><v>3</v></c><c r=\"C2\" t=\"str\"><f>\"2027-1-\"&amp;\"31\"</f><v>2027-1-31</v></c>"
      "<c r=\"D2\"><v>2</v></c><c r=\"E2\" t=\"b\"><v>1</v></c><c r=\"F2\"><v>3</v></c><c r=\"G2\"><v>2</v></c><c r=\"H2\"><v>5</v></c>"
      "<c r=\"K2\"><v>40</v></c><c r=\"P2\"><v>75</v></c></row>"
      "<row r=\"5\"><c r=\"K5\"><v>36</v></c><c r=\"N5\"><v>2</v></c><c r=\"P5\" t=\"b\"><v>0</v></c></row></sheetData>",
      "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>");
  p["xl/worksheets/sheet4.xml"] = Sheet(
      "<sheetViews><sheetView workbookViewId=\"0\"/></sheetViews>",
      "<sheetData><row r=\"3\"><c r=\"B3\" t=\"inlineStr\"><is><r><t>开学</t></r><r><rPr><b/></rPr><t>典礼</t></r></is></c>"
      "<c r=\"C3\" t=\"s\"><v>4</v></c><c r=\"D3\" t=\"inlineStr\"><is><t xml:space=\"preserve\"> 校历 </t></is></c></row></sheetData>",
      "");
  p["xl/sharedStrings.xml"] =
      kDecl + "<sst xmlns=\"" + kMain + "\" count=\"5\" uniqueCount=\"5\"><si><t>语文</t></si><si><t>说明</t></si>"
              "<si><t>开始日期</t></si><si><t>2026-9-1</t></si><si><r><t>说明</t></r><r><t>行</t></r><rPh sb=\"0\" eb=\"1\"><t>ショウ</t></rPh></si></sst>";
  p["xl/styles.xml"] =
      kDecl + "<styleSheet xmlns=\"" + kMain + "\"><fonts count=\"1\"><font><sz val=\"11\"/><name val=\"等线\"/><family val=\"2\"/>"
              "<scheme val=\"minor\"/></font></fonts><fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
              "<fill><patternFill patternType=\"gray125\"/></fill></fills><borders count=\"1\"><border><left/><right/><top/><bottom/>"
              "<diagonal/></border></borders><cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
              "</cellStyleXfs><cellXfs count=\"2\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
              "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" quotePrefix=\"1\"/></cellXfs>"
              "<cellStyles count=\"1\"><cellStyle name=\"常规\" xfId=\"0\" builtinId=\"0\"/></cellStyles></styleSheet>";
  p["xl/calcChain.xml"] = kDecl + "<calcChain xmlns=\"" + kMain + "\"><c r=\"C1\" i=\"1\"/><c r=\"C2\" i=\"3\"/></calcChain>";
  p["xl/theme/theme1.xml"] = kDecl + "<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" name=\"Office\"/>";
  p["xl/drawings/drawing1.xml"] =
      kDecl + "<xdr:wsDr xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing\" "
              "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\"><!-- chart and picture --></xdr:wsDr>";
  p["xl/drawings/_rels/drawing1.xml.rels"] =
      Rels(Rel("rId2", "image", "../media/image1.png") + Rel("rId1", "chart", "../charts/chart1.xml"));
  p["xl/drawings/drawing2.xml"] =
      kDecl + "<xdr:wsDr xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing\"/>";
  p["xl/drawings/_rels/drawing2.xml.rels"] =
      Rels(Rel("rId1", "image", "../media/image1.png") + Rel("rId2", "image", "../media/image2.png"));
  p["xl/charts/chart1.xml"] =
      kDecl + "<c:chartSpace xmlns:c=\"http://schemas.openxmlformats.org/drawingml/2006/chart\"/>";
  p["xl/media/image1.png"] = std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR one", 20);
  p["xl/media/image2.png"] = std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR two", 20);
  p["xl/printerSettings/printerSettings1.bin"] = std::string("\0\1\2\3printer", 11);
  return p;
}

std::set<std::string> UserWorkbookStoredParts() { return {"xl/media/image1.png", "xl/media/image2.png"}; }

}  // namespace tavo::xlsx::test
