#pragma once
// The platform services on Windows: message boxes, the completion tone, the
// dialog window's frame and the word processor for the help document.
#include <string>

#include "com/windows_api.h"
#include "host/dialog.h"

namespace tavo::com {

class WindowsPlatform : public host::Platform {
 public:
  // The help document is installed beside the module (tavo.dll) that holds
  // this code; `installed_folder` names another folder (tests).
  explicit WindowsPlatform(std::string installed_folder = ModuleFolder())
      : installed_folder_(std::move(installed_folder)) {}

  int MessageBox(const std::string& text, const std::string& title, int style) override;
  void Beep(int frequency_hz, int duration_ms) override;
  void AdjustDialogWindow(const std::string& caption) override;
  char PathSeparator() override { return '\\'; }
  void OpenInWordProcessor(const std::string& document) override;
  // "<folder>\\help.doc" when that file is there, else empty.
  std::string InstalledHelpDocument() override;
  bool FileExists(const std::string& path) override;

  // The folder of the DLL (or program) this code is linked into, UTF-8,
  // without a trailing separator; empty when Windows cannot tell.
  static std::string ModuleFolder();

 private:
  std::string installed_folder_;
};

// The host's dialog windows are of this class.
inline constexpr const char* kDialogWindowClass = "ThunderDFrame";
// WS_THICKFRAME | WS_MINIMIZEBOX: a sizing border and a minimise button.
inline constexpr long kDialogStyleBits = 0x00060000;

}  // namespace tavo::com
