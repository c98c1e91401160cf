#pragma once
// Which handler each dialog event runs. Event names are matched exactly,
// letter case and blanks included; a name that is not listed runs nothing.
#include <span>
#include <string>
#include <string_view>

#include "lunar/lunar_engine.h"
#include "sheets/host/dialog.h"
#include "sheets/host/host.h"

namespace tavo::bridge {

// What one call of MyFun lends its handler.
struct EventCall {
  lunar::LunarEngine& engine;
  host::Application& ea;
  host::Dialog& uf;
  host::Platform& platform;
  const std::string& event;
};

struct EventRoute {
  std::string_view event;
  void (*handler)(EventCall& call);
};

// Every route, in the order the names are compared.
std::span<const EventRoute> EventRoutes();

// The handler of the first route named exactly `event`, or nullptr.
auto FindHandler(std::string_view event) -> void (*)(EventCall&);

}  // namespace tavo::bridge
