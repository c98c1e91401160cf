#pragma once
// "cmdEdit" brings the information sheet into view; "cmdHelp" opens the help
// document that sits next to the workbook.
#include <string>

#include "sheets/host/dialog.h"
#include "sheets/host/host.h"

namespace tavo::bridge {

inline constexpr const char* kInfoSheetName = "信息表";
inline constexpr const char* kHelpDocumentName = "help.doc";

// Makes "信息表" visible and active, scrolled so that A1 is at the top left.
void ShowInfoSheet(host::Application& ea);

// The workbook's folder, the platform's separator and "help.doc", joined
// without anything added or removed. A workbook that was never saved has no
// folder: that raises error 53 instead of naming a file in the root folder.
std::string HelpDocumentPath(host::Application& ea, char separator);

void OpenHelpDocument(host::Application& ea, host::Platform& platform);

}  // namespace tavo::bridge
