// Placeholder until the builders land: the two commands do nothing.
#include "sheets/build_commands.h"

namespace tavo::sheets {

void BuildSchoolCalendar(lunar::LunarEngine&, host::Application&, host::Dialog&, host::Platform&) {}
void BuildCalendar(lunar::LunarEngine&, host::Application&, host::Dialog&, host::Platform&) {}

}  // namespace tavo::sheets
