#pragma once
// The component object the host holds: its one method MyFun receives every
// event of the host workbook's dialog.
#include <string>

#include "bridge/dispatch_table.h"
#include "lunar/lunar_engine.h"
#include "host/dialog.h"
#include "host/host.h"

namespace tavo::bridge {

class Myxl {
 public:
  explicit Myxl(host::Platform& platform) : platform_(platform) {}

  // Runs the handler that `strFlag` names with the host's screen updating and
  // alerts switched off, and switches both back on afterwards whatever
  // happened. A failure is shown once in a box titled "错误" and goes no
  // further: the host's code never sees an error.
  void MyFun(host::Application& EA, host::Dialog& UF, const std::string& strFlag) noexcept;

  // MyFun, telling what the call came to; MyFun itself returns nothing, as
  // the host's code expects. kFailed when any error box was shown.
  Outcome Run(host::Application& EA, host::Dialog& UF, const std::string& strFlag) noexcept;

 private:
  lunar::LunarEngine engine_;  // the builders' working fields; no setting lives here
  host::Platform& platform_;
};

}  // namespace tavo::bridge
