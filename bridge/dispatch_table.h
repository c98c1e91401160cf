#pragma once
// Which handler each dialog event runs. Event names are matched exactly,
// letter case and blanks included; a name that is not listed runs nothing.
#include <string>
#include <string_view>

#include "lunar/lunar_engine.h"
#include "host/dialog.h"
#include "host/host.h"

namespace tavo::bridge {

// What one call of MyFun lends its handler.
struct EventCall {
  lunar::LunarEngine& engine;
  host::Application& ea;
  host::Dialog& uf;
  host::Platform& platform;
  const std::string& event;
};

// What a call of MyFun came to: an event that builds nothing ran (or none
// was listed), a sheet was built, a build was stopped by a message box with
// the workbook as it was, or an error box was shown.
enum class Outcome { kDone, kBuilt, kStopped, kFailed };

using EventHandler = Outcome (*)(EventCall& call);

// The handler of the event named exactly `event`, or nullptr. Each sheet
// kind's build button comes first, then the table of the other events.
EventHandler FindHandler(std::string_view event);

}  // namespace tavo::bridge
