#pragma once
// The platform services on Windows: message boxes, the completion tone, the
// dialog window's frame and the word processor for the help document.
#include "com/windows_api.h"
#include "sheets/host/dialog.h"

namespace tavo::com {

class WindowsPlatform : public host::Platform {
 public:
  int MessageBox(const std::string& text, const std::string& title, int style) override;
  void Beep(int frequency_hz, int duration_ms) override;
  void AdjustDialogWindow(const std::string& caption) override;
  char PathSeparator() override { return '\\'; }
  void OpenInWordProcessor(const std::string& document) override;
};

// The host's dialog windows are of this class.
inline constexpr const char* kDialogWindowClass = "ThunderDFrame";
// WS_THICKFRAME | WS_MINIMIZEBOX: a sizing border and a minimise button.
inline constexpr long kDialogStyleBits = 0x00060000;

}  // namespace tavo::com
