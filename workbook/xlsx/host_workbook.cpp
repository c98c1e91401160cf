#include "workbook/xlsx/host_workbook.h"

#include <ctime>
#include <string>
#include <utility>

#include "common/error.h"
#include "holidays/covered_years.h"
#include "hostbook/settings_cells.h"
#include "workbook/xlsx/xlsx.h"

namespace tavo::xlsx {
namespace {

using namespace std::chrono;
using workbook::CellFormat;
using workbook::Worksheet;

void Put(Worksheet& sheet, std::int32_t row, std::int32_t column, const host::Variant& value,
         bool bold = false) {
  CellFormat format;
  format.bold = bold;
  sheet.cells.SetValue(row, column, value, false, format);
}

void FillSettings(Worksheet& dtb, const Term& term) {
  const char* labels[] = {"说明", "开始日期", "结束日期", "周起始(1周一 2周日)", "颜色(1有 2无)",
                          "方向(1竖排 3横排)", "样式(1/2)", "校历表页面键", "日历表页面键",
                          "放假调休(1标出)"};
  for (int c = 0; c < 10; ++c) Put(dtb, 1, c + 1, labels[c], true);
  const char* page_labels[] = {"上边距", "下边距", "页脚边距", "方向", "纸张", "缩放"};
  for (int c = 0; c < 6; ++c) {
    Put(dtb, 1, 11 + c, std::string("校历表") + page_labels[c], true);
    Put(dtb, 1, 21 + c, std::string("日历表") + page_labels[c], true);
  }
  // The dates as the host keeps a typed date: a date value, short-date format.
  for (auto [column, date] : {std::pair{2, term.start}, std::pair{3, term.end}}) {
    CellFormat format;
    format.number_format = workbook::kShortDateFormat;
    dtb.cells.SetValue(2, column, host::Variant::Date(DateToSerial(date)), false, format);
  }
  Put(dtb, 2, 4, 1);  // Monday
  Put(dtb, 2, 5, 1);  // with colour
  Put(dtb, 2, 6, 1);  // vertical
  Put(dtb, 2, 7, 1);  // style 1
  Put(dtb, settings::kRow, settings::kHolidayMarksColumn, settings::kHolidayMarksOn);
  const char* keys[] = {"页面键2：样式1竖排", "页面键3：样式2竖排", "页面键4：样式1横排",
                        "页面键5：样式2横排"};
  for (int key = 2; key <= 5; ++key) {
    if (key > 2) Put(dtb, key, 1, keys[key - 2]);
    const auto index = static_cast<std::size_t>(key - settings::kFirstPageSetupRow);
    for (auto [block, row] : {std::pair{settings::kSchoolCalendarSetupFirstColumn,
                                        settings::kSchoolCalendarPageDefaults[index]},
                              std::pair{settings::kCalendarSetupFirstColumn,
                                        settings::kCalendarPageDefaults[index]}}) {
      Put(dtb, key, block + 0, row.top_margin);
      Put(dtb, key, block + 1, row.bottom_margin);
      Put(dtb, key, block + 2, row.footer_margin);
      Put(dtb, key, block + 3, row.orientation);
      Put(dtb, key, block + 4, row.paper_size);
      Put(dtb, key, block + 5, row.zoom);
    }
  }
  Put(dtb, 2, 1, keys[0]);
  dtb.column_widths[1] = 20;
  for (int c = 2; c <= 10; ++c) dtb.column_widths[c] = 14;
  for (int c : {11, 12, 13, 14, 15, 16, 21, 22, 23, 24, 25, 26}) dtb.column_widths[c] = 12;
}

void FillInfo(Worksheet& info, const Term& term) {
  int first_year = static_cast<int>(term.start.year()) - (term.autumn ? 0 : 1);
  std::string title = std::to_string(first_year) + "—" + std::to_string(first_year + 1) + "学年第" +
                      (term.autumn ? "一" : "二") + "学期校历";
  Put(info, 1, 2, "校历的文字：标题在 D3，说明行在 C3，各周备注从 B3 起每周一行（竖排时显示）。", true);
  Put(info, 2, 2, "各周备注", true);
  Put(info, 2, 3, "说明行", true);
  Put(info, 2, 4, "标题", true);
  Put(info, 3, 4, title);
  Put(info, 3, 3, "说明：节假日及调休以国家公布的安排为准；如有变动，另行通知。");
  Put(info, 3, 2, "报到注册、上课");
  Put(info, 4, 2, "制订教学计划");
  Put(info, 11, 2, "期中考试");
  Put(info, 20, 2, "期末复习");
  Put(info, 21, 2, "期末考试");
  info.column_widths[2] = 24;
  info.column_widths[3] = 40;
  info.column_widths[4] = 30;
}

// The school's own days off and make-up working days: headings and one line
// of instructions; the built-in schedule is not copied here.
void FillHolidays(Worksheet& sheet) {
  namespace rows = settings::holidays;
  for (int c = 0; c < 3; ++c) Put(sheet, 1, c + 1, rows::kHeadings[c], true);
  Put(sheet, 1, rows::kNoteColumn,
      "每行一天：A 日期，B “休”（放假）或“班”（调休上班），C 节日名称。这些行补充并优先于内置的"
      "国务院放假安排（已收录 " + std::to_string(holidays::kFirstYear) + "–" + std::to_string(holidays::kLastYear) +
          " 年）；B 留空则取消内置安排中的这一天。");
  sheet.column_widths[rows::kDateColumn] = 12;
  sheet.column_widths[rows::kStatusColumn] = 6;
  sheet.column_widths[rows::kNameColumn] = 16;
}

}  // namespace

Term CurrentOrComingTerm(Date today) {
  int y = static_cast<int>(today.year());
  unsigned m = static_cast<unsigned>(today.month());
  if (m >= 2 && m <= 7) {
    return {year{y} / March / 1, year{y} / July / 31, false};
  }
  int start_year = m == 1 ? y - 1 : y;
  return {year{start_year} / September / 1, year{start_year + 1} / January / 31, true};
}

workbook::WorkbookModel MakeHostWorkbook(Date today) {
  workbook::WorkbookModel model;
  Term term = CurrentOrComingTerm(today);
  FillInfo(model.AppendSheet("信息表"), term);
  FillSettings(model.AppendSheet("DTB"), term);
  FillHolidays(model.AppendSheet(kHolidaySheet));
  model.active_sheet = 0;
  for (Worksheet& sheet : model.sheets) sheet.modified = true;
  return model;
}

workbook::WorkbookModel MakeHostWorkbook() { return MakeHostWorkbook(LocalToday()); }

void AddHostSheets(workbook::WorkbookModel& model, Date today) {
  for (const Worksheet& sheet : model.sheets) {
    if (sheet.name == "DTB" || sheet.name == "信息表") {
      throw Error(kErrorSource, kSheetExists,
                  "工作簿已有工作表“" + sheet.name + "”，未作任何改动 (the workbook already has the sheet " +
                      sheet.name + "; nothing was changed)");
    }
  }
  // A school that already keeps its own "节假日" sheet keeps it as it is.
  bool has_holiday_sheet = false;
  for (const Worksheet& sheet : model.sheets) has_holiday_sheet |= sheet.name == kHolidaySheet;
  workbook::WorkbookModel host = MakeHostWorkbook(today);
  for (Worksheet& sheet : host.sheets) {
    if (sheet.name == kHolidaySheet && has_holiday_sheet) continue;
    Worksheet added = std::move(sheet);
    added.id = model.NewSheetId();
    added.source_part.clear();
    added.modified = true;
    model.sheets.push_back(std::move(added));
  }
}

void AddHostSheets(workbook::WorkbookModel& model) { AddHostSheets(model, LocalToday()); }

}  // namespace tavo::xlsx
