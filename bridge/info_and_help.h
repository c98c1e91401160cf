#pragma once
// "cmdEdit" brings the information sheet into view; "cmdHelp" opens the help
// document that sits next to the workbook.
#include <string>

#include "host/dialog.h"
#include "host/host.h"
#include "hostbook/info_cells.h"

namespace tavo::bridge {

inline constexpr const char* kInfoSheetName = info::kSheetName;
inline constexpr const char* kHelpDocumentName = "help.doc";

// Makes "信息表" visible and active, scrolled so that A1 is at the top left.
void ShowInfoSheet(host::Application& ea);

// The help document "cmdHelp" opens: "help.doc" in the workbook's folder
// (the folder, the platform's separator and the name, joined without
// anything added or removed) when that file is there, else the copy
// installed with the program. A workbook that was never saved has no folder
// and gets the installed copy. Raises error 53 when neither exists.
std::string HelpDocumentToOpen(host::Application& ea, host::Platform& platform);

void OpenHelpDocument(host::Application& ea, host::Platform& platform);

}  // namespace tavo::bridge
