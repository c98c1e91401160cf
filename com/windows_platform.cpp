#include "com/windows_platform.h"

#include "com/windows_api.h"

#include "com/dispatch_object.h"
#include "com/wide_text.h"
#include "common/error.h"

namespace tavo::com {

int WindowsPlatform::MessageBox(const std::string& text, const std::string& title, int style) {
  std::wstring wide_text = WideFromUtf8(text);
  std::wstring wide_title = WideFromUtf8(title);
  // Owned by the host's active window, so the box is modal to the dialog.
  return MessageBoxW(GetActiveWindow(), wide_text.c_str(), wide_title.c_str(), static_cast<UINT>(style));
}

void WindowsPlatform::Beep(int frequency_hz, int duration_ms) {
  ::Beep(static_cast<DWORD>(frequency_hz), static_cast<DWORD>(duration_ms));
}

void WindowsPlatform::AdjustDialogWindow(const std::string& caption) {
  // Every step is tried and every failure ignored: a dialog without the
  // sizing frame is still usable.
  HWND window = nullptr;
  try {
    // A caption the ANSI code page cannot spell would be searched as a
    // stand-in text and could hit another window; such a caption finds none.
    if (auto ansi = AnsiFromUtf8(caption)) window = FindWindowA(kDialogWindowClass, ansi->c_str());
  } catch (...) {
  }
  LONG style = GetWindowLongA(window, GWL_STYLE);
  SetWindowLongA(window, GWL_STYLE, style | kDialogStyleBits);
}

void WindowsPlatform::OpenInWordProcessor(const std::string& document) {
  CLSID clsid;
  HRESULT hr = CLSIDFromProgID(L"Word.Application", &clsid);
  IDispatch* created = nullptr;
  // Always a new instance: a running one may belong to the user's own work.
  if (SUCCEEDED(hr)) {
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, reinterpret_cast<void**>(&created));
  }
  if (FAILED(hr)) throw Error(kErrorSource, 429, "ActiveX 部件不能创建对象：Word.Application");
  DispatchObject word(created);
  word.Put(L"Visible", ComVariant::Bool(true));
  auto file = ComVariant::Text(document);
  word.ObjectProperty(L"Documents").Call(L"Open", {&file});
}

}  // namespace tavo::com
