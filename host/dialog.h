#pragma once
// The host dialog (UF) and the platform services the bridge and builders
// call on: message box, tone, dialog window adjustment, word processor.
#include <string>

#include "host/variant.h"

namespace tavo::host {

class Dialog {
 public:
  virtual ~Dialog() = default;
  // Value of a control by name: the text of a date box, True for a selected
  // option button.
  virtual Variant ControlValue(const std::string& control) = 0;
  virtual void SetControlValue(const std::string& control, const Variant& value) = 0;
  virtual std::string Caption() = 0;
};

// Message box styles and titles used by the system.
inline constexpr int kStyleCritical = 16;  // stop icon, OK
inline constexpr int kStyleWarning = 48;   // exclamation icon, OK
inline constexpr const char* kTitleError = "错误";
inline constexpr const char* kTitleNotice = "提示";

class Platform {
 public:
  virtual ~Platform() = default;
  // Modal box; returns the button pressed (1 = OK).
  virtual int MessageBox(const std::string& text, const std::string& title, int style) = 0;
  virtual void Beep(int frequency_hz, int duration_ms) = 0;
  // Gives the dialog window titled `caption` a sizing border and a minimise
  // button where the platform has such windows. Never fails.
  virtual void AdjustDialogWindow(const std::string& caption) = 0;
  // Separator between a folder and a file name ('\\' on Windows, '/' here).
  virtual char PathSeparator() = 0;
  // Starts the word processor, visible, with `document` open. Raises
  // tavo::Error when it cannot be started or the document cannot be opened.
  virtual void OpenInWordProcessor(const std::string& document) = 0;
  // The help document installed with the program (beside the component or
  // in the package's data folder), or empty when this installation has
  // none. The default is a platform that installs nothing.
  virtual std::string InstalledHelpDocument() { return {}; }
  // Whether `path` names a regular file. The default finds nothing, so a
  // platform that cannot look never names a file that is not there.
  virtual bool FileExists(const std::string& path) {
    (void)path;
    return false;
  }
  // A line the user should read that stops nothing (a year without a
  // holiday schedule). The command prints it; hosts whose only way to speak
  // is a box let it pass, since the sheet itself says the same.
  virtual void Notify(const std::string& line) { (void)line; }
};

}  // namespace tavo::host
