#pragma once
// The platform services on Linux, for the command line: message boxes become
// lines on standard error, the tone a terminal bell, and the word processor
// the desktop's document opener.
#include <iostream>
#include <string>
#include <vector>

#include "host/dialog.h"
#include "host/host.h"

namespace tavo::platform {

// The host's error numbers for what can go wrong when opening a document.
inline constexpr std::int32_t kFileNotFound = 53;          // 文件未找到
inline constexpr std::int32_t kCannotCreateObject = 429;   // ActiveX 部件不能创建对象

struct ShownMessage {
  std::string text;
  std::string title;
  int style = 0;
};

// Where the help document installed with the command is, in the order they
// are tried: beside the program (a build folder, where help.doc is built
// next to the command) and in the data folder of the prefix it is
// installed under (/usr/bin/tavo -> /usr/share/tavo/help.doc).
std::vector<std::string> InstalledHelpCandidates(const std::string& program_file);

// The running program's file (/proc/self/exe), empty when it cannot be read.
std::string RunningProgramFile();

class LinuxPlatform : public host::Platform {
 public:
  // `out` receives the message lines and the bell; the bell is rung only
  // when `terminal_fd` is a terminal. `opener` is the program that opens a
  // document: a name looked up on PATH, or a path.
  // `program_file` is where the running command lives; the installed help
  // document is looked for from there (see InstalledHelpCandidates).
  explicit LinuxPlatform(std::ostream& out = std::cerr, int terminal_fd = 2,
                         std::string opener = "xdg-open",
                         std::string program_file = RunningProgramFile());

  // One line "<title>: <text>"; control characters become blanks so that a
  // message always stays one harmless line. Always answers OK.
  int MessageBox(const std::string& text, const std::string& title, int style) override;
  void Beep(int frequency_hz, int duration_ms) override;
  void AdjustDialogWindow(const std::string& caption) override;  // no dialog window here
  char PathSeparator() override { return '/'; }
  // Starts the opener with the document and returns at once; error 53 when
  // the document is missing, 429 when the opener is not there or cannot start.
  void OpenInWordProcessor(const std::string& document) override;
  // The first of InstalledHelpCandidates that is a file, else empty.
  std::string InstalledHelpDocument() override;
  bool FileExists(const std::string& path) override;
  // One line "注意: <line>" on the same stream as the message lines.
  void Notify(const std::string& line) override;

  const std::vector<ShownMessage>& Shown() const { return shown_; }
  bool ShownNotice() const;  // a box titled 提示 (a refused input)
  bool ShownError() const;   // a box titled 错误 (a failed command)

 private:
  std::ostream& out_;
  int terminal_fd_;
  std::string opener_;
  std::string program_file_;
  std::vector<ShownMessage> shown_;
};

}  // namespace tavo::platform
