#pragma once
// The whole embedded workbook as text, one fact per line, so that two
// workbooks built by different roads can be compared cell by cell and format
// by format and the first difference shown.
#include <string>
#include <vector>

#include "workbook/workbook_model.h"

namespace tavo::wintest {

std::vector<std::string> DumpWorkbook(const workbook::WorkbookModel& model);

}  // namespace tavo::wintest
