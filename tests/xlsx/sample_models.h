#pragma once
// Models the .xlsx tests save: a generated sheet using every feature the
// builders set, beside the built-in host workbook.
#include "workbook/workbook_model.h"

namespace tavo::xlsx::test {

// Adds "校历表" before the active sheet and makes it active, like the host's
// Worksheets.Add, with values, formats, merges, sizes, panes, page setup,
// print titles and one watermark text box.
workbook::Worksheet& AddGeneratedSheet(workbook::WorkbookModel& model, const char* name = "校历表");

// The built-in host workbook for a fixed day (2026-12-08).
workbook::WorkbookModel HostModel();

}  // namespace tavo::xlsx::test
