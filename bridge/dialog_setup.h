#pragma once
// "Initialize": the dialog is filled from the settings sheet and its window
// made resizable and minimisable.
#include <string>

#include "host/dialog.h"
#include "host/host.h"

namespace tavo::bridge {

void OnInitialize(host::Application& ea, host::Dialog& uf, host::Platform& platform);

// Asks the platform for a sizing border and a minimise button on the dialog
// window titled `caption`. Cosmetic, so it never fails.
void AdjustDialogWindow(host::Platform& platform, const std::string& caption) noexcept;

}  // namespace tavo::bridge
