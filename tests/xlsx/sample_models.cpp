#include "xlsx/sample_models.h"

#include "host/host.h"
#include "workbook/xlsx/host_workbook.h"

namespace tavo::xlsx::test {

using namespace std::chrono;
using workbook::CellFormat;

workbook::WorkbookModel HostModel() { return MakeHostWorkbook(year{2026} / December / 8); }

workbook::Worksheet& AddGeneratedSheet(workbook::WorkbookModel& model, const char* name) {
  workbook::Worksheet sheet;
  sheet.id = model.NewSheetId();
  sheet.name = name;
  sheet.modified = true;
  sheet.sheet_format.font_size = 12;
  sheet.default_row_height = 14.25;
  sheet.row_heights[1] = 48;
  sheet.column_widths[1] = 0.2;
  sheet.column_widths[2] = 7;
  sheet.column_widths[3] = 6;

  CellFormat title = sheet.sheet_format;
  title.font_size = 18;
  title.bold = true;
  title.horizontal = -4108;
  title.vertical = -4160;
  title.shrink = true;
  sheet.cells.SetValue(1, 2, std::string("2026—2027学年第一学期校历"), false, title);
  sheet.merges.Add({1, 2, 1, 4});

  CellFormat boxed = sheet.sheet_format;
  boxed.borders = {1, 1, 1, 1};
  boxed.fill_color = 15;
  boxed.font_color = 3;
  sheet.cells.SetValue(3, 2, 15.0, false, boxed);
  sheet.cells.SetValue(3, 3, std::string("3.13"), true, boxed);
  sheet.cells.SetValue(3, 4, std::string("国庆节\n中秋节"), false, boxed);
  sheet.cells.SetValue(4, 2, true, false, boxed);
  sheet.cells.SetValue(4, 3, std::string("初一"), false, boxed);
  CellFormat wrapped = boxed;
  wrapped.wrap = true;
  sheet.cells.SetValue(4, 4, std::string("报到注册，正式上课"), false, wrapped);

  sheet.window.freeze_panes = true;
  sheet.window.split_row = 2;
  sheet.window.split_column = 1;

  workbook::PageSetup& page = sheet.page_setup;
  page.top_margin = 36;
  page.bottom_margin = 28.8;
  page.footer_margin = 14.4;
  page.header_margin = 5;
  page.left_margin = page.right_margin = 5;
  page.orientation = 2;
  page.paper_size = 9;
  page.zoom = 60;
  page.center_footer = "&P";
  page.center_horizontally = true;
  page.print_title_rows = "$1:$2";

  workbook::TextBoxShape box;
  box.id = sheet.next_shape_id++;
  box.text = "九月";
  box.font_name = "宋体";
  box.font_size = 80;
  box.left = 100;
  box.top = 200;
  box.fill_visible = true;
  box.fill_solid = true;
  box.fill_scheme_color = 22;  // palette entry 15
  box.fill_transparency = 0.5;
  box.line_visible = false;
  sheet.shapes.push_back(box);

  model.palette[14] = host::Rgb(221, 221, 221);
  model.sheets.insert(model.sheets.begin() + static_cast<long>(model.active_sheet), std::move(sheet));
  return model.sheets[model.active_sheet];
}

}  // namespace tavo::xlsx::test
