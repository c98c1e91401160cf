#pragma once
// The built-in host workbook, for users who have none: the settings sheet
// "DTB" with its defaults and a filled page-setup table, and the
// information sheet "信息表" with sample texts.
#include "common/dates.h"
#include "workbook/workbook_model.h"

namespace tavo::xlsx {

// The school term a workbook made on `today` starts with: the autumn term
// (1 September to 31 January) from August to January, the spring term
// (1 March to 31 July) from February to July.
struct Term {
  Date start, end;
  bool autumn = true;
};
Term CurrentOrComingTerm(Date today);

workbook::WorkbookModel MakeHostWorkbook(Date today);
workbook::WorkbookModel MakeHostWorkbook();  // today by the local clock

// The host's number for a name already in use (a sheet named so exists).
inline constexpr std::int32_t kSheetExists = 1004;

// Appends "信息表" and "DTB", as MakeHostWorkbook makes them, after the
// model's sheets; the active sheet stays. Raises tavo::Error (kSheetExists),
// changing nothing, when the model already has either sheet.
void AddHostSheets(workbook::WorkbookModel& model, Date today);
void AddHostSheets(workbook::WorkbookModel& model);

}  // namespace tavo::xlsx
