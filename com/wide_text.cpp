#include "com/wide_text.h"

#include <new>

#include "common/error.h"

namespace tavo::com {

std::wstring WideFromUtf8(const std::string& text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                              nullptr, 0);
  if (n <= 0) RaiseInvalidArgument("文本不是 UTF-8");
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string Utf8FromWide(const wchar_t* text, size_t length) {
  if (text == nullptr || length == 0) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string utf8(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), utf8.data(), n, nullptr, nullptr);
  return utf8;
}

std::string Utf8FromBstr(BSTR text) { return Utf8FromWide(text, text ? SysStringLen(text) : 0); }

std::optional<std::string> AnsiFromUtf8(const std::string& text) {
  std::wstring wide = WideFromUtf8(text);
  if (wide.empty()) return std::string();
  BOOL lossy = FALSE;
  int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), nullptr,
                              0, nullptr, &lossy);
  if (n <= 0 || lossy) return std::nullopt;
  std::string ansi(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), ansi.data(), n,
                      nullptr, &lossy);
  if (lossy) return std::nullopt;
  return ansi;
}

Bstr::Bstr(const std::string& utf8) {
  std::wstring wide = WideFromUtf8(utf8);
  bstr_ = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (bstr_ == nullptr) throw std::bad_alloc();
}

}  // namespace tavo::com
