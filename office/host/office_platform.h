#pragma once
// The platform services inside LibreOffice: its own message box over the
// document's window, the tone of its Basic runtime, a sizeable dialog, and
// the desktop's default application for the help document.
#include <com/sun/star/uno/XComponentContext.hpp>

#include <functional>
#include <string>
#include <vector>

#include "office/host/office_dialog.h"
#include "office/host/uno_support.h"

namespace tavo::office {

// The Basic routine of the extension that sounds the tone.
inline constexpr const char* kToneScript =
    "vnd.sun.star.script:Tavo.Dialog.Tone?language=Basic&location=application";

class OfficePlatform : public host::Platform {
 public:
  // With `record`, boxes are made but not shown, and what they say is kept
  // (for tests: a shown box waits for a user).
  OfficePlatform(css::uno::Reference<css::uno::XComponentContext> uno, bool record);

  // The call in progress: the document (the box's parent window), the
  // dialog AdjustDialogWindow changes, and what sends the call's held cell
  // writes, so that what the user sees beside a box or hears the tone
  // after is the finished sheet. Empty outside a call.
  struct Call {
    css::uno::Reference<css::uno::XInterface> document;
    OfficeDialog* dialog = nullptr;
    std::function<void()> send_held;
  };
  void SetCall(Call call) { call_ = std::move(call); }
  const Call& CurrentCall() const { return call_; }
  void SetRecording(bool record) { record_ = record; }
  bool Recording() const { return record_; }

  int MessageBox(const std::string& text, const std::string& title, int style) override;
  void Beep(int frequency_hz, int duration_ms) override;
  void AdjustDialogWindow(const std::string& caption) override;
  char PathSeparator() override { return '/'; }
  // When recording, the document is checked and kept instead of opened.
  void OpenInWordProcessor(const std::string& document) override;
  // help.doc in the folder the extension is installed in (the package
  // information provider knows it), empty without the extension or the file.
  std::string InstalledHelpDocument() override;
  bool FileExists(const std::string& path) override;

  // "title|text|icon" of each recorded box, as LibreOffice's box holds them.
  const std::vector<std::string>& Recorded() const { return recorded_; }
  // Each document the word processor would have been given, when recording.
  const std::vector<std::string>& RecordedOpened() const { return opened_; }

 private:
  css::uno::Reference<css::uno::XComponentContext> uno_;
  bool record_;
  Call call_;
  std::vector<std::string> recorded_;
  std::vector<std::string> opened_;
};

// The extension's identifier (description.xml), by which LibreOffice tells
// where it is installed.
inline constexpr const char* kExtensionIdentifier = "tavo.calendar";

}  // namespace tavo::office
