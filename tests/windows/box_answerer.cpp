#include "box_answerer.h"

namespace tavo::wintest {
namespace {

std::vector<SeenBox> g_boxes;

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring WindowText(HWND window) {
  wchar_t buffer[2048] = {};
  GetWindowTextW(window, buffer, 2048);
  return buffer;
}

// The icon control of a message box is 0x14 on Windows and 0x440 in Wine.
std::string BoxIcon(HWND box) {
  HICON shown = nullptr;
  for (int id : {0x14, 0x440}) {
    if (HWND control = GetDlgItem(box, id)) {
      shown = reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0));
      if (shown) break;
    }
  }
  if (!shown) return "none";
  struct Known {
    LPCWSTR id;
    const char* name;
  };
  for (Known k : {Known{IDI_HAND, "stop"}, Known{IDI_EXCLAMATION, "warning"}, Known{IDI_ASTERISK, "information"},
                  Known{IDI_QUESTION, "question"}}) {
    if (LoadIconW(nullptr, k.id) == shown) return k.name;
  }
  return "other";
}

LRESULT CALLBACK OnCbt(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE) {
    HWND window = reinterpret_cast<HWND>(wparam);
    wchar_t class_name[64] = {};
    GetClassNameW(window, class_name, 64);
    if (std::wstring(class_name) == L"#32770") {
      HWND text = GetDlgItem(window, 0xFFFF);
      g_boxes.push_back({Utf8(WindowText(window)), Utf8(text ? WindowText(text) : L""), BoxIcon(window)});
      PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

BoxAnswerer::BoxAnswerer() : hook_(SetWindowsHookExW(WH_CBT, &OnCbt, nullptr, GetCurrentThreadId())) {
  g_boxes.clear();
}

BoxAnswerer::~BoxAnswerer() {
  if (hook_) UnhookWindowsHookEx(hook_);
}

const std::vector<SeenBox>& BoxAnswerer::boxes() const { return g_boxes; }

}  // namespace tavo::wintest
