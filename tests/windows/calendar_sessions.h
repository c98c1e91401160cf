#pragma once
// The user sessions the Windows component is checked with, and the direct
// road that builds them: the same sources called on the embedded workbook
// without COM. Platform-neutral, so the native reference program builds the
// very same sessions on Linux.
#include <string>
#include <vector>

#include "host/host.h"
#include "host/variant.h"

namespace tavo::wintest {

// One event of the dialog, after setting one control (empty: none).
struct Step {
  std::string control;
  host::Variant value;
  std::string event;  // empty: only the control changes
};

// One row of the host workbook's "校历事项" sheet, columns A to F.
using ItemRow = std::vector<std::string>;

struct Session {
  std::string name;
  std::vector<Step> steps;
  std::vector<ItemRow> items;  // written into the new host workbook before the steps
};

// Writes the rows into "校历事项" from row 2 on.
void WriteSchoolItems(host::Application& application, const std::vector<ItemRow>& items);

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
Outcome BuildDirectly(const Session& session);

// The caption of the session's dialog.
inline constexpr const char* kDialogCaption = "校历生成器";

}  // namespace tavo::wintest
