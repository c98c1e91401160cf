#pragma once
// Wraps the platform services to remember whether a run of dialog events
// showed a notice: a build or a setting stopped by one exits with status 1.
// Error boxes and the completion tone need no counting; the events' outcome
// tells them.
#include <string>

#include "host/dialog.h"

namespace tavo::cli {

class RecordingPlatform : public host::Platform {
 public:
  explicit RecordingPlatform(host::Platform& inner) : inner_(inner) {}

  int MessageBox(const std::string& text, const std::string& title, int style) override {
    if (title != host::kTitleError) ++notices_;
    return inner_.MessageBox(text, title, style);
  }
  void Beep(int frequency_hz, int duration_ms) override { inner_.Beep(frequency_hz, duration_ms); }
  void AdjustDialogWindow(const std::string& caption) override { inner_.AdjustDialogWindow(caption); }
  char PathSeparator() override { return inner_.PathSeparator(); }
  void OpenInWordProcessor(const std::string& document) override {
    inner_.OpenInWordProcessor(document);
  }

  std::string InstalledHelpDocument() override { return inner_.InstalledHelpDocument(); }
  bool FileExists(const std::string& path) override { return inner_.FileExists(path); }
  void Notify(const std::string& line) override { inner_.Notify(line); }

  int notices() const { return notices_; }

 private:
  host::Platform& inner_;
  int notices_ = 0;
};

}  // namespace tavo::cli
