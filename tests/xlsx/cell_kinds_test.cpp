// Cell values as the desktop host and other tools write them: dates by
// their number format, formulas with and without a cached value, error
// values; and what saving does with each.
#include <gtest/gtest.h>

#include <memory>

#include "common/dates.h"
#include "workbook/embedded_host.h"
#include "workbook/xlsx/number_formats.h"
#include "host/sheet_units.h"
#include "workbook/xlsx/xlsx.h"
#include "xlsx/user_workbook_fixture.h"
#include "xlsx/xlsx_test_support.h"

namespace tavo::xlsx::test {
namespace {

const std::string kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

// The user's workbook with cell formats 0..n (xf `i` has numFmtId ids[i])
// and custom codes 164.., and DTB row 2 replaced by `row2`.
std::string WorkbookWith(const std::vector<int>& ids, const std::vector<std::string>& codes,
                         const std::string& row2) {
  auto parts = UserWorkbookParts();
  std::string numfmts;
  for (size_t i = 0; i < codes.size(); ++i) {
    numfmts += "<numFmt numFmtId=\"" + std::to_string(164 + i) + "\" formatCode=\"" + codes[i] + "\"/>";
  }
  std::string xfs;
  for (int id : ids) xfs += "<xf numFmtId=\"" + std::to_string(id) + "\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>";
  parts["xl/styles.xml"] =
      "<styleSheet xmlns=\"" + kMain + "\">" +
      (codes.empty() ? "" : "<numFmts count=\"" + std::to_string(codes.size()) + "\">" + numfmts + "</numFmts>") +
      "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"等线\"/></font></fonts>"
      "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/></fill></fills>"
      "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
      "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
      "<cellXfs count=\"" + std::to_string(ids.size()) + "\">" + xfs + "</cellXfs></styleSheet>";
  std::string& dtb = parts["xl/worksheets/sheet3.xml"];
  const auto begin = dtb.find("<row r=\"2\"");
  const auto end = dtb.find("</row>", begin) + 6;
  dtb.replace(begin, end - begin, "<row r=\"2\">" + row2 + "</row>");
  ScratchDir dir;
  WriteZip(dir.File("w.xlsx"), parts);
  return ReadFileBytes(dir.File("w.xlsx"));
}

const workbook::Worksheet& Sheet(const LoadedWorkbook& book, const std::string& name) {
  for (const workbook::Worksheet& s : book.model.sheets)
    if (s.name == name) return s;
  throw std::runtime_error("no sheet " + name);
}

host::Variant B2(const LoadedWorkbook& book) {
  const workbook::Cell* cell = Sheet(book, "DTB").cells.Find(2, 2);
  return cell ? cell->value : host::Variant();
}

TEST(CellKinds, NumbersInADateFormatReadAsDates) {
  // 45537 in the file is 2024-09-02, also the automation serial (after 1900-03-01).
  struct Case {
    std::vector<int> ids;  // xf 1 is the cell's
    std::vector<std::string> codes;
    bool date;
  };
  const Case cases[] = {
      {{0, 14}, {}, true},   {{0, 22}, {}, true},  {{0, 45}, {}, true},  {{0, 47}, {}, true},
      {{0, 27}, {}, true},   {{0, 36}, {}, true},  {{0, 50}, {}, true},  {{0, 58}, {}, true},
      {{0, 0}, {}, false},   {{0, 2}, {}, false},  {{0, 23}, {}, false}, {{0, 49}, {}, false},
      {{0, 164}, {"yyyy/m/d"}, true},
      {{0, 164}, {"[$-804]yyyy&quot;年&quot;m&quot;月&quot;d&quot;日&quot;"}, true},
      {{0, 164}, {"[Red]0.00"}, false},
      {{0, 164}, {"[$-804]0.00"}, false},
      {{0, 164}, {"&quot;day&quot; 0"}, false},
      {{0, 164}, {"0.00E+00"}, false},
      {{0, 164}, {"General"}, false},
      {{0, 164}, {"h:mm"}, true},
      {{0, 164}, {"[h]:mm"}, true},
      {{0, 164}, {"0\\d"}, false},
      {{0, 164}, {"m月d日"}, true},
      {{0, 164}, {"ee"}, true},
  };
  for (const Case& c : cases) {
    const std::string label = std::to_string(c.ids[1]) + (c.codes.empty() ? "" : " " + c.codes[0]);
    auto book = LoadXlsxBytes(WorkbookWith(c.ids, c.codes, "<c r=\"B2\" s=\"1\"><v>45537</v></c>"), "w.xlsx");
    EXPECT_EQ(B2(book), c.date ? host::Variant::Date(45537) : host::Variant(45537)) << label;
  }
}

TEST(CellKinds, FileSerialsBefore1900MarchCountTheMissingLeapDay) {
  EXPECT_EQ(FileSerialToDate(1), 2);  // 1900-01-01
  EXPECT_EQ(SerialToDate(FileSerialToDate(59)), (Date{std::chrono::year{1900} / 2 / 28}));
  EXPECT_EQ(FileSerialToDate(61), 61);
  for (double date : {2.0, 59.0, 60.0, 61.0, 45537.5}) EXPECT_EQ(FileSerialToDate(DateToFileSerial(date)), date);
}

TEST(CellKinds, FormulasReadAsTheirCachedValueAndErrorsAsErrors) {
  struct Case {
    const char* cell;
    host::Variant value;
  };
  const Case cases[] = {
      {"<c r=\"B2\"><f>1+1</f><v>2</v></c>", 2},
      {"<c r=\"B2\" t=\"str\"><f>A1&amp;\"x\"</f><v>2024-9-2</v></c>", "2024-9-2"},
      {"<c r=\"B2\" t=\"b\"><f>TRUE()</f><v>1</v></c>", true},
      {"<c r=\"B2\" t=\"e\"><f>1/0</f><v>#DIV/0!</v></c>", host::Variant::Error(host::CellError::Div0)},
      {"<c r=\"B2\" t=\"e\"><v>#N/A</v></c>", host::Variant::Error(host::CellError::NA)},
      {"<c r=\"B2\" s=\"1\"><f>DATE(2024,9,2)</f><v>45537</v></c>", host::Variant::Date(45537)},
      // Written by tools that never calculate: no cached value, or an empty one.
      {"<c r=\"B2\"><f>1+1</f><v></v></c>", {}},
      {"<c r=\"B2\"><f>1+1</f><v/></c>", {}},
      {"<c r=\"B2\"><f>1+1</f></c>", {}},
      {"<c r=\"B2\" t=\"str\"><f>A1</f><v></v></c>", {}},
      {"<c r=\"B2\" t=\"d\"><v>2024-09-02T12:00:00</v></c>", host::Variant::Date(45537.5)},
  };
  for (const Case& c : cases) {
    auto book = LoadXlsxBytes(WorkbookWith({0, 14}, {}, c.cell), "w.xlsx");
    EXPECT_EQ(B2(book), c.value) << c.cell;
  }
}

TEST(CellKinds, SavingKeepsFormulasDatesAndErrorsOfLoadedSheets) {
  ScratchDir dir;
  WriteFileBytes(dir.File("in.xlsx"),
                 WorkbookWith({0, 14}, {},
                              "<c r=\"B2\" s=\"1\"><v>45537</v></c><c r=\"C2\"><f>1+1</f><v></v></c>"
                              "<c r=\"D2\"><v>1</v></c><c r=\"E2\" t=\"e\"><v>#N/A</v></c>"));
  auto book = LoadXlsx(dir.File("in.xlsx"));
  auto model = std::make_shared<workbook::WorkbookModel>(std::move(book.model));
  auto app = workbook::OpenEmbeddedApplication(model);
  auto dtb = app->ThisWorkbook()->Worksheets()->Item("DTB");
  dtb->Cells(2, 4)->SetValue(host::Variant(2));            // the patched cell
  dtb->Cells(2, 6)->SetValue(host::Variant("2025/2/16"));  // a date typed into a General cell
  dtb->Cells(2, 7)->SetValue(dtb->Cells(2, 5)->Value());   // an error value copied
  SaveXlsx(*model, book.original.get(), dir.File("out.xlsx"));

  const std::string sheet = ReadRawEntries(dir.File("out.xlsx")).at("xl/worksheets/sheet3.xml").data;
  EXPECT_NE(sheet.find("<f>1+1</f>"), std::string::npos) << sheet;
  auto again = LoadXlsx(dir.File("out.xlsx"));
  const workbook::Worksheet& back = Sheet(again, "DTB");
  EXPECT_EQ(back.cells.Find(2, 2)->value, host::Variant::Date(45537));
  EXPECT_EQ(back.cells.Find(2, 4)->value, host::Variant(2));
  EXPECT_EQ(back.cells.Find(2, 6)->value, host::Variant::Date(45704));
  EXPECT_EQ(back.cells.Find(2, 7)->value, host::Variant::Error(host::CellError::NA));
}

TEST(CellKinds, AssignmentReadsNumbersAndDatesAsTheHostDoes) {
  auto model = workbook::NewWorkbookModel(1);
  auto app = workbook::OpenEmbeddedApplication(model);
  auto cell = app->ThisWorkbook()->Worksheets()->Item(1)->Cells(1, 1);
  struct Case {
    host::Variant assigned, stored;
  };
  const Case cases[] = {
      {"15", 15},
      {"2024-9-2", host::Variant::Date(45537)},
      {"2024/9/2", host::Variant::Date(45537)},
      {"2024年9月2日", host::Variant::Date(45537)},
      {"2024.9.2", host::Variant::Date(45537)},
      {"'2024-9-2", "2024-9-2"},  // the apostrophe keeps text
      {"2024-2-30", "2024-2-30"},  // no such day
      {"9月2日", "9月2日"},
      {host::Variant::Date(45537.25), host::Variant::Date(45537.25)},
      {host::Variant::Error(host::CellError::Ref), host::Variant::Error(host::CellError::Ref)},
  };
  for (const Case& c : cases) {
    cell->SetValue(c.assigned);
    EXPECT_EQ(cell->Value(), c.stored) << c.assigned.ToText();
    const workbook::Cell* stored = model->sheets[0].cells.Find(1, 1);
    EXPECT_EQ(stored->format.number_format, c.stored.IsDate() ? 14 : 0) << c.assigned.ToText();
    cell->ClearContents();
    model->sheets[0].cells.FormatAt(1, 1, {}).number_format = 0;
  }
  // A number put into a date-formatted cell is a date.
  cell->SetValue(host::Variant("2024-9-2"));
  cell->SetValue(host::Variant(45538));
  EXPECT_EQ(cell->Value(), host::Variant::Date(45538));
}

TEST(CellKinds, ColumnWidthsBelowOneCharacterCountDigitAndPadding) {
  struct Case {
    double characters, file;
  };
  const Case cases[] = {{0.38, 0.7109375}, {0.2, 0.28515625}, {0.5, 0.85546875},
                        {1, 1.7109375},    {8, 8.7109375},    {8.43, 9.140625},
                        {2.88, 3.5703125}, {0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(host::FileColumnWidth(c.characters), c.file) << c.characters;
    // The host reports widths to 1/100 of a character, from the pixels.
    EXPECT_EQ(host::FileColumnWidth(host::HostColumnWidth(c.file)), c.file) << c.characters;
  }
  EXPECT_EQ(host::HostColumnWidth(8.7109375), 8);
  EXPECT_EQ(host::HostColumnWidth(0.7109375), 0.42);  // 5 px
}

}  // namespace
}  // namespace tavo::xlsx::test
