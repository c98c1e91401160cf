#include "bridge/settings_sheet.h"

#include <map>
#include <string>

#include "common/error.h"
#include "host/dialog_controls.h"
#include "sheets/holiday_marks.h"

namespace tavo::bridge {

std::unique_ptr<host::Sheet> SettingsSheet(host::Application& ea) {
  return ea.ThisWorkbook()->Worksheets()->Item(kSettingsSheetName);
}

void WriteSetting(host::Application& ea, int column, const host::Variant& value) {
  // A setting written again as it stands changes nothing, and must not make
  // the workbook one to save (a date box left without a change writes it).
  auto cell = SettingsSheet(ea)->Cells(kSettingsRow, column);
  if (cell->Value() == value) return;
  cell->SetValue(value);
}

void ResetPalette(host::Workbook& workbook) {
  workbook.SetColors(kGreyFillIndex, kGreyFill);
  workbook.SetColors(kBlueFillIndex, kBlueFill);
}

bool CheckBoxTicked(const host::Variant& value) {
  if (value.IsBool()) return value.Bool();
  if (value.IsNumber()) return value.ToNumber() == 1 || value.ToNumber() == -1;
  return false;
}

void LoadSettingsToDialog(host::Application& ea, host::Dialog& uf) {
  ResetPalette(*ea.ThisWorkbook());
  auto dtb = SettingsSheet(ea);
  uf.SetControlValue(host::kStartDateBox, dtb->Cells(kSettingsRow, kStartDateColumn)->Value());
  uf.SetControlValue(host::kEndDateBox, dtb->Cells(kSettingsRow, kEndDateColumn)->Value());

  // D2 to G2 are all read before any button is set, so a cell that is not a
  // number fails the call without leaving the dialog half loaded.
  std::map<int, std::int32_t> stored;
  for (const OptionButton& button : kOptionButtons) {
    if (!stored.contains(button.column))
      stored[button.column] = dtb->Cells(kSettingsRow, button.column)->Value().ToInt32();
  }
  // Only the button matching its cell is set True; the host clears the others
  // of the group itself, and an unknown value leaves the group as it is.
  for (const OptionButton& button : kOptionButtons) {
    if (stored[button.column] == button.value)
      uf.SetControlValue(std::string(button.name), true);
  }
  // A dialog made before the marks has no such box; it opens as before.
  const bool marks = sheets::HolidayMarksOn(*dtb);
  try {
    uf.SetControlValue(host::kHolidayMarksBox, marks);
  } catch (const Error&) {
  }
}

}  // namespace tavo::bridge
