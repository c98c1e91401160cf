#pragma once
// The two build commands: "cmdDoXL" builds the school calendar "校历表",
// "cmdDoRL" the calendar "日历表", in the workbook of `ea` from the dates in
// the dialog `uf` and the options in "DTB".
#include "lunar/lunar_engine.h"
#include "host/dialog.h"
#include "host/host.h"

namespace tavo::sheets {

void BuildSchoolCalendar(lunar::LunarEngine& engine, host::Application& ea, host::Dialog& uf,
                         host::Platform& platform);
void BuildCalendar(lunar::LunarEngine& engine, host::Application& ea, host::Dialog& uf,
                   host::Platform& platform);

}  // namespace tavo::sheets
