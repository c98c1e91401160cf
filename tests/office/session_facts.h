#pragma once
// A built workbook as comparable facts, one a line, in the terms both the
// embedded workbook and LibreOffice can be read in: colours as RRGGBB,
// widths in pixels, heights and margins in points, a border edge drawn when
// either cell beside it has the line (the cell that owns a shared edge is
// the host's business, the drawn line is not). The LibreOffice side of the
// comparison (office_session_test.py) writes the same lines from UNO.
#include <string>
#include <vector>

#include "workbook/workbook_model.h"

namespace tavo::officetest {

std::vector<std::string> WorkbookFacts(const workbook::WorkbookModel& model);

}  // namespace tavo::officetest
