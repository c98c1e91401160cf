#pragma once
// Platform services for tests: every box, tone, window adjustment and
// document request is recorded instead of shown, so no test blocks.
#include <set>
#include <string>
#include <vector>

#include "common/error.h"
#include "host/dialog.h"

namespace tavo::testing {

struct ShownBox {
  std::string text;
  std::string title;
  int style = 0;
  bool operator==(const ShownBox&) const = default;
};

class FakePlatform : public host::Platform {
 public:
  int MessageBox(const std::string& text, const std::string& title, int style) override {
    boxes.push_back({text, title, style});
    return 1;
  }
  void Beep(int frequency_hz, int duration_ms) override {
    beeps.push_back({frequency_hz, duration_ms});
  }
  void AdjustDialogWindow(const std::string& caption) override { adjusted.push_back(caption); }
  char PathSeparator() override { return separator; }
  void OpenInWordProcessor(const std::string& document) override {
    opened.push_back(document);
    if (fail_open) throw Error("tavo", 53, "文件未找到");
  }

  std::string InstalledHelpDocument() override { return installed_help; }
  bool FileExists(const std::string& path) override { return files.count(path) > 0; }

  void Notify(const std::string& line) override { notified.push_back(line); }

  std::vector<ShownBox> boxes;
  std::vector<std::string> notified;
  std::vector<std::pair<int, int>> beeps;
  std::vector<std::string> adjusted;
  std::vector<std::string> opened;
  char separator = '/';
  bool fail_open = false;
  std::set<std::string> files;  // the files FileExists finds
  std::string installed_help;   // what InstalledHelpDocument answers
};

}  // namespace tavo::testing
