#include "bridge/date_and_option_entry.h"

#include "bridge/settings_sheet.h"
#include "host/dialog_controls.h"

namespace tavo::bridge {

void OnDateEntered(host::Application& ea, host::Dialog& uf, host::Platform& platform,
                   const std::string& control) {
  const bool is_start = control == host::kStartDateBox;
  const std::string label = is_start ? "开始日期" : "结束日期";
  const int column = is_start ? kStartDateColumn : kEndDateColumn;
  const std::string text = uf.ControlValue(is_start ? host::kStartDateBox : host::kEndDateBox).ToText();

  const auto date = ParseDate(text);
  if (!date) {
    platform.MessageBox(label + " 格式不正确，请重新输入！", host::kTitleNotice, host::kStyleWarning);
    return;
  }
  if (*date < kFirstAcceptedDate || *date > kLastAcceptedDate) {
    platform.MessageBox(label + " 应在1901-2100年之间！", host::kTitleNotice, host::kStyleWarning);
    return;
  }
  // The box left with the date it showed (in whatever notation) changes
  // nothing: the cell is not written, and the workbook stays as it was.
  const host::Variant stored = SettingsSheet(ea)->Cells(kSettingsRow, column)->Value();
  if (!stored.IsEmpty() && ParseDate(stored.ToText()) == date) return;
  WriteSetting(ea, column, text);  // as typed, so the box shows it unchanged next time
}

void StoreHolidayMarks(host::Application& ea, host::Dialog& uf) {
  WriteSetting(ea, kHolidayMarksColumn,
               CheckBoxTicked(uf.ControlValue(host::kHolidayMarksBox)) ? kHolidayMarksOn : kHolidayMarksOff);
}

void StoreOption(host::Application& ea, const std::string& button) {
  for (const OptionButton& option : kOptionButtons) {
    if (option.name == button) {
      WriteSetting(ea, option.column, option.value);
      return;
    }
  }
}

}  // namespace tavo::bridge
