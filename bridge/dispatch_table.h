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

using EventHandler = void (*)(EventCall& call);

// The handler of the first event named exactly `event`, or nullptr.
EventHandler FindHandler(std::string_view event);

}  // namespace tavo::bridge
