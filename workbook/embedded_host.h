#pragma once
// The embedded workbook as a spreadsheet host: every interface of the host
// object model implemented over a WorkbookModel held in memory. It is the
// default host on Linux and in tests.
//
// Reading colours back: Font.ColorIndex gives 0 for the automatic colour
// (the value that sets it), Interior.ColorIndex gives -4142 (none) for no
// fill, as the desktop host does.
#include <memory>
#include <string>

#include "host/host.h"
#include "workbook/workbook_model.h"

namespace tavo::workbook {

// The application object over `model` (shared with whoever reads or saves it).
std::unique_ptr<host::Application> OpenEmbeddedApplication(std::shared_ptr<WorkbookModel> model);

// A new workbook as the host makes one: sheets "Sheet1".."SheetN", the first active.
std::shared_ptr<WorkbookModel> NewWorkbookModel(int sheet_count = 1);

}  // namespace tavo::workbook
