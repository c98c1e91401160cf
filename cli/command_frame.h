#pragma once
// The frame every workbook command runs in: open the workbook (or the
// built-in one), run the command's body over it, and turn whatever it
// raises into the one "错误" line on standard error and exit status 2.
#include <functional>
#include <string>

#include "cli/workbook_session.h"
#include "platform/linux_platform.h"

namespace tavo::cli {

// "错误: text" on standard error.
void ShowError(const std::string& text);

// False (after the 错误 line) when another program has the workbook open,
// unless `force`: it would later save its own copy over ours.
bool FreeToWrite(const std::string& path, bool force);

// Runs `body` and returns its exit status; a tavo::Error or another
// exception it raises is shown with ShowError and gives kExitError.
int Framed(const std::function<int()>& body);

// Framed, with the workbook `path` (empty: the built-in one) opened over a
// Linux platform for the body.
using WorkbookBody = std::function<int(WorkbookSession& session, platform::LinuxPlatform& platform)>;
int WithWorkbook(const std::string& path, const WorkbookBody& body);

// The exit status of a build event fired in `session`: 0 when the sheet was
// built; 1 when a message stopped it; 2 when an error box was shown.
int BuildStatus(bridge::Outcome outcome, const WorkbookSession& session);

}  // namespace tavo::cli
