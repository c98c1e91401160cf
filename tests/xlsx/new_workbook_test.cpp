// Saving a workbook made in memory, then reading it back with our reader,
// with the XML of the parts and with openpyxl as an independent reader.
#include <gtest/gtest.h>

#include "host/host.h"
#include "workbook/xlsx/host_workbook.h"
#include "workbook/xlsx/xlsx.h"
#include "xlsx/sample_models.h"
#include "xlsx/xlsx_test_support.h"

namespace tavo::xlsx::test {
namespace {

using namespace std::chrono;

const workbook::Worksheet& Sheet(const workbook::WorkbookModel& model, const std::string& name) {
  for (const auto& sheet : model.sheets) {
    if (sheet.name == name) return sheet;
  }
  throw std::runtime_error("no sheet " + name);
}

host::Variant Value(const workbook::Worksheet& sheet, int row, int column) {
  const workbook::Cell* cell = sheet.cells.Find(row, column);
  return cell ? cell->value : host::Variant();
}

TEST(HostWorkbook, TermFollowsTheDate) {
  struct Case {
    Date today, start, end;
  } cases[] = {
      {year{2026} / December / 8, year{2026} / September / 1, year{2027} / January / 31},
      {year{2027} / January / 20, year{2026} / September / 1, year{2027} / January / 31},
      {year{2027} / February / 1, year{2027} / March / 1, year{2027} / July / 31},
      {year{2027} / July / 31, year{2027} / March / 1, year{2027} / July / 31},
      {year{2027} / August / 1, year{2027} / September / 1, year{2028} / January / 31},
  };
  for (const Case& c : cases) {
    Term term = CurrentOrComingTerm(c.today);
    EXPECT_EQ(term.start, c.start) << DateToText(c.today);
    EXPECT_EQ(term.end, c.end) << DateToText(c.today);
  }
}

TEST(HostWorkbook, SavedSettingsAndPageTableReadBack) {
  ScratchDir dir;
  std::string file = dir.File("host.xlsx");
  SaveXlsx(HostModel(), nullptr, file);
  LoadedWorkbook loaded = LoadXlsx(file);
  const auto& dtb = Sheet(loaded.model, "DTB");
  // The term's dates are date cells, as the host keeps typed dates.
  EXPECT_EQ(Value(dtb, 2, 2), host::Variant::Date(46266));  // 2026-9-1
  EXPECT_EQ(Value(dtb, 2, 3), host::Variant::Date(46418));  // 2027-1-31
  for (int column = 4; column <= 7; ++column) EXPECT_EQ(Value(dtb, 2, column), host::Variant(1));
  EXPECT_TRUE(Value(dtb, 2, 8).IsEmpty());
  for (int key = 2; key <= 5; ++key) {
    for (int block : {11, 21}) {
      EXPECT_EQ(Value(dtb, key, block + 3), host::Variant(key <= 3 ? 1 : 2)) << key;  // orientation
      EXPECT_EQ(Value(dtb, key, block + 4), host::Variant(9)) << key;                 // A4
      // Zoom: a percentage, never so small that 9-point notes cannot be read.
      EXPECT_TRUE(Value(dtb, key, block + 5).IsNumber()) << key;
      EXPECT_GE(Value(dtb, key, block + 5).Number(), 60) << key;
      EXPECT_LE(Value(dtb, key, block + 5).Number(), 100) << key;
      EXPECT_GT(Value(dtb, key, block + 1).Number(), Value(dtb, key, block + 2).Number());
    }
  }
  const auto& info = Sheet(loaded.model, "信息表");
  EXPECT_EQ(Value(info, 3, 4), host::Variant("2026—2027学年第一学期校历"));
  EXPECT_TRUE(Value(info, 3, 3).IsText());
  EXPECT_TRUE(Value(info, 3, 2).IsText());
  EXPECT_EQ(loaded.model.path, dir.path().string());
}

TEST(NewWorkbook, GeneratedSheetReadsBackInOurReader) {
  ScratchDir dir;
  std::string file = dir.File("built.xlsx");
  workbook::WorkbookModel model = HostModel();
  AddGeneratedSheet(model);
  SaveXlsx(model, nullptr, file);

  LoadedWorkbook loaded = LoadXlsx(file);
  ASSERT_EQ(loaded.model.sheets.size(), 5u);
  EXPECT_EQ(loaded.model.sheets[0].name, "校历表");
  EXPECT_EQ(loaded.model.active_sheet, 0u);
  const workbook::PageSetup& page = loaded.model.sheets[0].page_setup;
  EXPECT_DOUBLE_EQ(page.top_margin, 36);
  EXPECT_DOUBLE_EQ(page.bottom_margin, 28.8);
  EXPECT_DOUBLE_EQ(page.footer_margin, 14.4);
  EXPECT_DOUBLE_EQ(page.header_margin, 5);
  EXPECT_EQ(page.orientation, 2);
  EXPECT_EQ(page.paper_size, 9);
  EXPECT_FALSE(page.fit_to_page);
  EXPECT_EQ(page.zoom, 60);
  EXPECT_EQ(page.center_footer, "&P");
  EXPECT_TRUE(page.center_horizontally);
  EXPECT_EQ(loaded.model.palette[14], host::Rgb(221, 221, 221));
  EXPECT_EQ(loaded.model.palette[0], 0);
}

TEST(NewWorkbook, FitToPageReadsBackAsFitToPage) {
  ScratchDir dir;
  std::string file = dir.File("fit.xlsx");
  workbook::WorkbookModel model = HostModel();
  AddGeneratedSheet(model, "日历表").page_setup.fit_to_page = true;
  SaveXlsx(model, nullptr, file);
  LoadedWorkbook loaded = LoadXlsx(file);
  const workbook::PageSetup& page = loaded.model.sheets[0].page_setup;
  EXPECT_TRUE(page.fit_to_page);
  EXPECT_EQ(page.fit_wide, 1);
  EXPECT_EQ(page.fit_tall, 1);
}

// openpyxl reads what LibreOffice and the host read; it checks our XML
// against an implementation that is not ours.
TEST(NewWorkbook, IndependentReaderSeesEveryFormat) {
  ScratchDir dir;
  std::string file = dir.File("built.xlsx");
  workbook::WorkbookModel model = HostModel();
  AddGeneratedSheet(model);
  SaveXlsx(model, nullptr, file);

  std::string script = R"PY(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1] if len(sys.argv) > 1 else ")PY" + file + R"PY(")
assert wb.sheetnames == ["校历表", "信息表", "DTB", "节假日", "校历事项"], wb.sheetnames
ws = wb["校历表"]
assert wb.active.title == "校历表"
assert [str(r) for r in ws.merged_cells.ranges] == ["B1:D1"], ws.merged_cells.ranges
b1 = ws["B1"]
assert b1.value == "2026—2027学年第一学期校历"
assert b1.font.b and b1.font.sz == 18, (b1.font.b, b1.font.sz)
assert b1.alignment.horizontal == "center" and b1.alignment.vertical == "top"
assert b1.alignment.shrink_to_fit and not b1.alignment.wrap_text
b3 = ws["B3"]
assert b3.value == 15 and b3.font.sz == 12
assert b3.fill.fill_type == "solid" and b3.fill.fgColor.indexed == 22, b3.fill.fgColor
assert b3.font.color.indexed == 10, b3.font.color
for side in ("left", "right", "top", "bottom"):
    assert getattr(b3.border, side).style == "thin", side
c3 = ws["C3"]
assert c3.value == "3.13" and c3.data_type == "s" and c3.quotePrefix, (c3.value, c3.quotePrefix)
d3 = ws["D3"]
assert d3.value == "国庆节\n中秋节" and d3.alignment.wrap_text
assert ws["B4"].value is True
d4 = ws["D4"]
assert d4.alignment.wrap_text and not d4.alignment.shrink_to_fit, d4.alignment
assert not b3.alignment.shrink_to_fit and not b3.alignment.wrap_text
assert ws.row_dimensions[1].height == 48
assert ws.sheet_format.defaultRowHeight == 14.25 and ws.sheet_format.customHeight
assert abs(ws.column_dimensions["B"].width - 7.71) < 0.01, ws.column_dimensions["B"].width
assert ws.freeze_panes == "B3", ws.freeze_panes
assert ws.print_title_rows == "$1:$2", ws.print_title_rows
ps = ws.page_setup
assert ps.orientation == "landscape" and int(ps.paperSize) == 9 and int(ps.scale) == 60
pm = ws.page_margins
assert abs(pm.top - 0.5) < 1e-9 and abs(pm.left - 5 / 72) < 1e-9 and abs(pm.header - 5 / 72) < 1e-9
assert ws.print_options.horizontalCentered
assert ws.oddFooter.center.text == "&P", ws.oddFooter.center.text
colors = wb._colors
assert len(colors) == 64 and colors[22] == "00DDDDDD", colors[22]
print("ok")
)PY";
  std::string output;
  int status = RunPython(script, output);
  if (output.find("No module named 'openpyxl'") != std::string::npos) GTEST_SKIP() << "python3-openpyxl is not installed";
  EXPECT_EQ(status, 0) << output;
}

}  // namespace
}  // namespace tavo::xlsx::test
