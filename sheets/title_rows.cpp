#include <string>

#include "sheets/layouts.h"

namespace tavo::sheets {
namespace {

constexpr const char* kInfoSheet = "信息表";

unsigned MonthOf(Date d) { return static_cast<unsigned>(d.month()); }
int YearOf(Date d) { return static_cast<int>(d.year()); }

// 日历[2024.1～2024.12]
std::string RangeTitle(Date start, Date end) {
  return "日历[" + std::to_string(YearOf(start)) + "." + std::to_string(MonthOf(start)) + "～" +
         std::to_string(YearOf(end)) + "." + std::to_string(MonthOf(end)) + "]";
}

std::unique_ptr<host::Sheet> InfoSheet(BuildState& state) {
  return state.workbook.Worksheets()->Item(kInfoSheet);
}

}  // namespace

void WriteTitleRows(BuildState& state) {
  host::Sheet& sheet = state.sheet;
  const bool with_info = state.kind.info_row_and_remarks;

  // The grid's extent after any row deletion or column insertion.
  auto region = Cell(sheet, state.kind.title_region_row, 2)->CurrentRegion();
  const int last_row = with_info ? 2 + region->Rows()->Count() - 1 : 0;
  const int last_column = 2 + region->Columns()->Count() - 1;

  Cell(sheet, 1, 1)->Activate();
  Block(sheet, 1, 2, 1, last_column)->Merge();
  auto title = Cell(sheet, 1, 2);
  title->Font()->SetSize(18);
  title->Font()->SetBold(true);
  title->SetHorizontalAlignment(host::kAlignCenter);
  title->SetVerticalAlignment(host::kAlignTop);
  if (!with_info) {
    title->SetValue(host::Variant(RangeTitle(state.start, state.end)));
    return;
  }
  title->SetValue(InfoSheet(state)->Cells(3, 4)->Value());

  const int info_row = last_row + 1;
  Block(sheet, info_row, 2, info_row, last_column)->Merge();
  auto info = Cell(sheet, info_row, 2);
  info->SetHorizontalAlignment(host::kAlignLeft);
  info->SetVerticalAlignment(host::kAlignTop);
  sheet.Rows(info_row)->SetRowHeight(36);
  info->SetValue(InfoSheet(state)->Cells(3, 3)->Value());

  // Week n (date row 2n + 1) takes its remark from B(n + 2) of "信息表".
  if (!state.options.Vertical()) return;
  auto remarks = InfoSheet(state);
  for (int r = 3; r <= last_row; r += 2) {
    Cell(sheet, r, last_column)->SetValue(remarks->Cells(r / 2 + 2, 2)->Value());
  }
}

}  // namespace tavo::sheets
