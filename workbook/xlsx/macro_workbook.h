#pragma once
// The macro-enabled host workbook (.xlsm) for the desktop host: the sheets
// of the built-in host workbook behind a first sheet "使用说明" with a few
// lines of instructions and a button that opens the dialog, and the VBA
// project with that dialog and its event code.
#include <string>

#include "common/dates.h"

namespace tavo::xlsx {

inline constexpr const char* kInstructionSheet = "使用说明";

// Writes the workbook to `path` through a temporary file renamed over it.
// Raises tavo::Error, with no file touched, as SaveXlsx does, and for a
// name that does not end in .xlsm.
void SaveMacroWorkbook(const std::string& path, Date today);
void SaveMacroWorkbook(const std::string& path);  // today by the local clock

}  // namespace tavo::xlsx
