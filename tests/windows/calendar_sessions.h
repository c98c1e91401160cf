#pragma once
// The user sessions the Windows component is checked with, and the direct
// road that builds them: the same sources called on the embedded workbook
// without COM. Platform-neutral, so the native reference program builds the
// very same sessions on Linux.
#include <string>
#include <vector>

#include "host/variant.h"

namespace tavo::wintest {

// One event of the dialog, after setting one control (empty: none).
struct Step {
  std::string control;
  host::Variant value;
  std::string event;  // empty: only the control changes
};

struct Session {
  std::string name;
  std::vector<Step> steps;
};

// Every build command in each direction and style, plus rejected input.
std::vector<Session> CalendarSessions();

// A message box as the user sees it: title, text and icon name.
struct Box {
  std::string title, text, icon;
  bool operator==(const Box&) const = default;
};

struct Outcome {
  std::vector<std::string> dump;  // the workbook, one fact per line
  std::vector<Box> boxes;
};

// Builds the session on a fresh host workbook through bridge::Myxl directly.
Outcome BuildDirectly(const std::vector<Step>& steps);

// The caption of the session's dialog.
inline constexpr const char* kDialogCaption = "校历生成器";

}  // namespace tavo::wintest
