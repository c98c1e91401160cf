#include "bridge/myxl.h"

#include <exception>

#include "bridge/dispatch_table.h"
#include "bridge/error_box.h"

namespace tavo::bridge {

void Myxl::MyFun(host::Application& EA, host::Dialog& UF, const std::string& strFlag) noexcept {
  Run(EA, UF, strFlag);
}

Outcome Myxl::Run(host::Application& EA, host::Dialog& UF, const std::string& strFlag) noexcept {
  Outcome outcome = Outcome::kDone;
  try {
    EA.SetScreenUpdating(false);
    EA.SetDisplayAlerts(false);
    if (auto handler = FindHandler(strFlag)) {
      EventCall call{engine_, EA, UF, platform_, strFlag};
      outcome = handler(call);
    }
  } catch (...) {
    ShowErrorBox(platform_, std::current_exception());
    outcome = Outcome::kFailed;
  }

  // Both are tried even when the first fails, so the screen is not left
  // frozen; a broken application object is reported once, never retried.
  std::exception_ptr restore_failure;
  try {
    EA.SetDisplayAlerts(true);
  } catch (...) {
    restore_failure = std::current_exception();
  }
  try {
    EA.SetScreenUpdating(true);
  } catch (...) {
    if (!restore_failure) restore_failure = std::current_exception();
  }
  if (restore_failure) {
    ShowErrorBox(platform_, restore_failure);
    outcome = Outcome::kFailed;
  }
  return outcome;
}

}  // namespace tavo::bridge
