#pragma once
// The built-in host workbook, for users who have none: the default content
// of the host workbook's sheets written into an embedded workbook.
#include "common/dates.h"
#include "hostbook/default_content.h"
#include "workbook/workbook_model.h"

namespace tavo::xlsx {

using hostbook::CurrentOrComingTerm;
using hostbook::Term;

workbook::WorkbookModel MakeHostWorkbook(Date today);
workbook::WorkbookModel MakeHostWorkbook();  // today by the local clock

// The host's number for a name already in use (a sheet named so exists).
inline constexpr std::int32_t kSheetExists = 1004;

// Appends "信息表" and "DTB", as MakeHostWorkbook makes them, after the
// model's sheets; the active sheet stays. Raises tavo::Error (kSheetExists),
// changing nothing, when the model already has either sheet.
void AddHostSheets(workbook::WorkbookModel& model, Date today);
void AddHostSheets(workbook::WorkbookModel& model);

// Appends "节假日", as a new host workbook has it, when the model has no
// sheet of that name; the active sheet stays. Whether it was added.
bool AddHolidaySheet(workbook::WorkbookModel& model);

}  // namespace tavo::xlsx
