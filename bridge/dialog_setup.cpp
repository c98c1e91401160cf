#include "bridge/dialog_setup.h"

#include "bridge/settings_sheet.h"

namespace tavo::bridge {

void OnInitialize(host::Application& ea, host::Dialog& uf, host::Platform& platform) {
  LoadSettingsToDialog(ea, uf);  // a failure here leaves the window alone
  AdjustDialogWindow(platform, uf.Caption());
}

void AdjustDialogWindow(host::Platform& platform, const std::string& caption) noexcept {
  try {
    platform.AdjustDialogWindow(caption);
  } catch (...) {
    // A dialog without the extra frame still works; nothing to tell the user.
  }
}

}  // namespace tavo::bridge
