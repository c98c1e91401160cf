#pragma once
// The build commands: each kind's dialog button ("cmdDoXL" the school
// calendar "校历表", "cmdDoRL" the calendar "日历表") builds its sheet in the
// workbook of `ea` from the dates in the dialog `uf` and the options in "DTB".
#include "host/dialog.h"
#include "host/host.h"
#include "lunar/lunar_engine.h"
#include "sheets/sheet_kind.h"

namespace tavo::sheets {

// How a build ended when it raised nothing: the sheet built, or stopped by
// a message box (a date out of range, a bad holiday row) with the workbook
// as it was. A failure raises tavo::Error.
enum class BuildOutcome { kBuilt, kStopped };

BuildOutcome BuildSheet(const SheetKind& kind, lunar::LunarEngine& engine, host::Application& ea,
                        host::Dialog& uf, host::Platform& platform);

}  // namespace tavo::sheets
