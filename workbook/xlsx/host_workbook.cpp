#include "workbook/xlsx/host_workbook.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/error.h"
#include "hostbook/default_content.h"
#include "workbook/embedded_host.h"
#include "workbook/xlsx/xlsx.h"

namespace tavo::xlsx {

using workbook::Worksheet;

namespace {

bool HasSheet(const workbook::WorkbookModel& model, const std::string& name) {
  for (const Worksheet& sheet : model.sheets)
    if (sheet.name == name) return true;
  return false;
}

// A sheet of another model appended as a new part of this one.
void AppendCopy(workbook::WorkbookModel& model, Worksheet sheet) {
  sheet.id = model.NewSheetId();
  sheet.source_part.clear();
  sheet.modified = true;
  model.sheets.push_back(std::move(sheet));
}

}  // namespace

workbook::WorkbookModel MakeHostWorkbook(Date today) {
  auto model = std::make_shared<workbook::WorkbookModel>();
  const std::vector<hostbook::DefaultSheet> sheets = hostbook::DefaultHostSheets(today);
  for (const hostbook::DefaultSheet& sheet : sheets) model->AppendSheet(sheet.name);
  model->active_sheet = 0;
  {
    const auto application = workbook::OpenEmbeddedApplication(model);
    const auto book = application->ThisWorkbook();
    for (const hostbook::DefaultSheet& sheet : sheets)
      hostbook::WriteDefaultSheet(sheet, *book->Worksheets()->Item(sheet.name));
  }
  for (workbook::Worksheet& sheet : model->sheets) sheet.modified = true;
  return std::move(*model);
}

workbook::WorkbookModel MakeHostWorkbook() { return MakeHostWorkbook(LocalToday()); }

void AddHostSheets(workbook::WorkbookModel& model, Date today) {
  for (const Worksheet& sheet : model.sheets) {
    if (sheet.name == kSettingsSheet || sheet.name == kInfoSheet) {
      throw Error(kErrorSource, kSheetExists,
                  "工作簿已有工作表“" + sheet.name + "”，未作任何改动 (the workbook already has the sheet " +
                      sheet.name + "; nothing was changed)");
    }
  }
  // A school that already keeps its own "节假日" or "校历事项" sheet keeps it as it is.
  workbook::WorkbookModel host = MakeHostWorkbook(today);
  for (Worksheet& sheet : host.sheets) {
    if (HasSheet(model, sheet.name)) continue;
    AppendCopy(model, std::move(sheet));
  }
}

void AddHostSheets(workbook::WorkbookModel& model) { AddHostSheets(model, LocalToday()); }

bool AddHolidaySheet(workbook::WorkbookModel& model) {
  if (HasSheet(model, kHolidaySheet)) return false;
  workbook::WorkbookModel host = MakeHostWorkbook();
  for (Worksheet& sheet : host.sheets)
    if (sheet.name == kHolidaySheet) AppendCopy(model, std::move(sheet));
  return true;
}

}  // namespace tavo::xlsx
