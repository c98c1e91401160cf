#pragma once
// The VBA project of tavo's macro workbook: the dialog frmTavo with the
// controls the component addresses by name, its event code forwarding every
// event to tavo.myxl's MyFun, the macro the sheet's button runs, and the
// document modules of the workbook and its sheets.
#include <string>
#include <vector>

#include "workbook/vba/form_streams.h"
#include "workbook/vba/vba_project.h"

namespace tavo::vba {

inline constexpr const char* kDialogName = "frmTavo";
inline constexpr const char* kDialogCaption = "tavo 校历工具";
inline constexpr const char* kMacroModule = "modTavo";
inline constexpr const char* kDialogMacro = "ShowTavoDialog";
inline constexpr const char* kWorkbookCodeName = "ThisWorkbook";

// The dialog: the controls host/dialog_controls.h marks for the form, where
// it places them.
FormSpec TavoDialog();

// The dialog's code below its attribute lines (documented in docs/windows.md).
std::string DialogCode();
// The button's macro module below its attribute line.
std::string MacroCode();

// The whole project for a workbook whose sheets have these code names, in
// tab order.
Project TavoProject(const std::vector<std::string>& sheet_code_names);

}  // namespace tavo::vba
