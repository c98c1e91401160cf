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

bool WindowsPlatform::FileExists(const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string WindowsPlatform::InstalledHelpDocument() {
  if (installed_folder_.empty()) return {};
  std::string document = installed_folder_ + "\\help.doc";
  return FileExists(document) ? document : std::string();
}

std::string WindowsPlatform::ModuleFolder() {
  // The module that holds this function: tavo.dll inside the host, the
  // test program when linked into one.
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(&WindowsPlatform::ModuleFolder), &module))
    return {};
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);  // a long path: try again with room for it
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {};
  return Utf8FromWide(path.data(), slash);
}

}  // namespace tavo::com
