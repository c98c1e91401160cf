#pragma once
// The platform services inside LibreOffice: its own message box over the
// document's window, the tone of its Basic runtime, a sizeable dialog, and
// the desktop's default application for the help document.
#include <com/sun/star/uno/XComponentContext.hpp>

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

  // The document and dialog of the call in progress: the box's parent
  // window and the dialog AdjustDialogWindow changes. Null outside a call.
  void SetCall(css::uno::Reference<css::uno::XInterface> document, OfficeDialog* dialog);
  void SetRecording(bool record) { record_ = record; }

  int MessageBox(const std::string& text, const std::string& title, int style) override;
  void Beep(int frequency_hz, int duration_ms) override;
  void AdjustDialogWindow(const std::string& caption) override;
  char PathSeparator() override { return '/'; }
  void OpenInWordProcessor(const std::string& document) override;

  // "title|text|icon" of each recorded box, as LibreOffice's box holds them.
  const std::vector<std::string>& Recorded() const { return recorded_; }

 private:
  css::uno::Reference<css::uno::XComponentContext> uno_;
  bool record_;
  css::uno::Reference<css::uno::XInterface> document_;
  OfficeDialog* dialog_ = nullptr;
  std::vector<std::string> recorded_;
};

}  // namespace tavo::office
