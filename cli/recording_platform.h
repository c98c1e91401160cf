#pragma once
// Wraps the platform services to remember what a run of dialog events
// showed: the command's exit status depends on whether a notice or an error
// box appeared and whether a build reached its completion tone.
#include <string>

#include "host/dialog.h"

namespace tavo::cli {

class RecordingPlatform : public host::Platform {
 public:
  explicit RecordingPlatform(host::Platform& inner) : inner_(inner) {}

  int MessageBox(const std::string& text, const std::string& title, int style) override {
    (title == host::kTitleError ? errors_ : notices_) += 1;
    return inner_.MessageBox(text, title, style);
  }
  void Beep(int frequency_hz, int duration_ms) override {
    ++tones_;
    inner_.Beep(frequency_hz, duration_ms);
  }
  void AdjustDialogWindow(const std::string& caption) override { inner_.AdjustDialogWindow(caption); }
  char PathSeparator() override { return inner_.PathSeparator(); }
  void OpenInWordProcessor(const std::string& document) override {
    inner_.OpenInWordProcessor(document);
  }

  std::string InstalledHelpDocument() override { return inner_.InstalledHelpDocument(); }
  bool FileExists(const std::string& path) override { return inner_.FileExists(path); }
  void Notify(const std::string& line) override { inner_.Notify(line); }

  int notices() const { return notices_; }
  int errors() const { return errors_; }
  int tones() const { return tones_; }

 private:
  host::Platform& inner_;
  int notices_ = 0;
  int errors_ = 0;
  int tones_ = 0;
};

}  // namespace tavo::cli
