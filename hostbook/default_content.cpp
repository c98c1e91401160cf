#include "hostbook/default_content.h"

#include "holidays/covered_years.h"
#include "hostbook/built_sheets.h"
#include "hostbook/info_cells.h"
#include "hostbook/settings_table.h"

namespace tavo::hostbook {
namespace {

using namespace std::chrono;

// The 节假日 sheet's note names the years the built-in notices cover.
// It also says what column D and the pasted notice in G are.
std::string HolidayNote() {
  return "每行一天：A 日期，B “休”（放假）或“班”（调休上班），C 节日名称。这些行补充并优先于内置的"
         "国务院放假安排（已收录 " +
         std::to_string(holidays::kFirstYear) + "–" + std::to_string(holidays::kLastYear) +
         " 年）；B 留空则取消内置安排中的这一天。D 列写着“某年国务院通知”的行由 tavo holidays --import "
         "导入，再导入同一年的通知时被替换；自己的行总是优先。新一年的通知也可以连同标题整篇粘贴到 G2"
         "（或从 G2 起一行一格），生成时按通知标出。";
}

DefaultSheet InfoSheet(const Term& term) {
  const int first_year = static_cast<int>(term.start.year()) - (term.autumn ? 0 : 1);
  const std::string title = std::to_string(first_year) + "—" + std::to_string(first_year + 1) +
                            "学年第" + (term.autumn ? "一" : "二") + "学期校历";
  using namespace info;
  DefaultSheet sheet{kSheetName, {}, {{kRemarkColumn, 24}, {kInfoRowColumn, 40}, {kTitleColumn, 30}}};
  sheet.cells = {
      {1, kRemarkColumn, "校历的文字：标题在 D3，说明行在 C3，各周备注从 B3 起每周一行（竖排时显示）。", true},
      {2, kRemarkColumn, "各周备注", true},
      {2, kInfoRowColumn, "说明行", true},
      {2, kTitleColumn, "标题", true},
      {kTextRow, kTitleColumn, title},
      {kTextRow, kInfoRowColumn, "说明：节假日及调休以国家公布的安排为准；如有变动，另行通知。"},
      {RemarkRow(1), kRemarkColumn, "报到注册、上课"},
      {RemarkRow(2), kRemarkColumn, "制订教学计划"},
      {RemarkRow(9), kRemarkColumn, "期中考试"},
      {RemarkRow(18), kRemarkColumn, "期末复习"},
      {RemarkRow(19), kRemarkColumn, "期末考试"},
  };
  return sheet;
}

void AddPageSetupRow(std::vector<DefaultCell>& cells, int row, int first_column,
                     const settings::PageSetupDefaults& d) {
  const host::Variant values[] = {d.top_margin, d.bottom_margin, d.footer_margin,
                                  d.orientation, d.paper_size, d.zoom};
  for (int i = 0; i < settings::kPageSetupColumns; ++i) cells.push_back({row, first_column + i, values[i]});
}

DefaultSheet SettingsSheet(const Term& term) {
  using namespace settings;
  DefaultSheet sheet{kSheetName, {}, {}};
  auto& cells = sheet.cells;
  for (const SettingsColumn& c : kSettingsColumns) {
    cells.push_back({1, c.column, c.label, true});
    sheet.column_widths.push_back({c.column, c.width});
  }
  for (const hostbook::BuiltSheet& built : hostbook::BuiltSheets()) {
    cells.push_back({1, built.key_column, std::string(built.sheet_name) + kKeyLabelSuffix, true});
    sheet.column_widths.push_back({built.key_column, kKeyColumnWidth});
    for (int i = 0; i < kPageSetupColumns; ++i) {
      const auto label = std::string(built.sheet_name) + kPageSetupLabels[static_cast<std::size_t>(i)];
      cells.push_back({1, built.setup_first_column + i, label, true});
      sheet.column_widths.push_back({built.setup_first_column + i, kPageSetupColumnWidth});
    }
  }
  // The dates as the host keeps a typed date: a date value, short-date format.
  cells.push_back({kRow, kStartDateColumn, host::Variant::Date(DateToSerial(term.start))});
  cells.push_back({kRow, kEndDateColumn, host::Variant::Date(DateToSerial(term.end))});
  for (const SettingsColumn& c : kSettingsColumns)
    if (c.default_value) cells.push_back({kRow, c.column, *c.default_value});
  for (int key = kFirstPageSetupRow; key <= kLastPageSetupRow; ++key) {
    const auto index = static_cast<std::size_t>(key - kFirstPageSetupRow);
    if (key > kFirstPageSetupRow) cells.push_back({key, 1, kPageSetupKeyNames[index]});
    for (const hostbook::BuiltSheet& built : hostbook::BuiltSheets())
      AddPageSetupRow(cells, key, built.setup_first_column, (*built.page_defaults)[index]);
  }
  cells.push_back({kRow, 1, kPageSetupKeyNames[0]});
  return sheet;
}

// The school's own days off and make-up working days: headings and one line
// of instructions; the built-in schedule is not copied here.
DefaultSheet HolidaySheet() {
  using namespace settings::holidays;
  DefaultSheet sheet{kSheetName,
                     {},
                     {{kDateColumn, 12}, {kStatusColumn, 6}, {kNameColumn, 16}, {kSourceColumn, 16},
                      {kPastedNoticeColumn, 60}}};
  for (std::size_t c = 0; c < kHeadings.size(); ++c)
    sheet.cells.push_back({1, static_cast<std::int32_t>(c + 1), kHeadings[c], true});
  sheet.cells.push_back({1, kNoteColumn, HolidayNote()});
  sheet.cells.push_back({1, kPastedNoticeColumn, kPastedNoticeHeading, true});
  return sheet;
}

}  // namespace

Term CurrentOrComingTerm(Date today) {
  const int y = static_cast<int>(today.year());
  const unsigned m = static_cast<unsigned>(today.month());
  if (m >= 2 && m <= 7) return {year{y} / March / 1, year{y} / July / 31, false};
  const int start_year = m == 1 ? y - 1 : y;
  return {year{start_year} / September / 1, year{start_year + 1} / January / 31, true};
}

std::vector<DefaultSheet> DefaultHostSheets(Date today) {
  const Term term = CurrentOrComingTerm(today);
  return {InfoSheet(term), SettingsSheet(term), HolidaySheet(), SchoolItemsSheet()};
}

void WriteDefaultSheet(const DefaultSheet& sheet, host::Sheet& to) {
  for (const DefaultCell& cell : sheet.cells) {
    auto target = to.Cells(cell.row, cell.column);
    target->SetValue(cell.value);
    if (cell.bold) target->Font()->SetBold(true);
  }
  for (const auto& [column, width] : sheet.column_widths) to.Columns(column)->SetColumnWidth(width);
}

}  // namespace tavo::hostbook
