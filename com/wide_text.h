#pragma once
// Text crossing into Windows: the system's strings are UTF-8, the platform's
// UTF-16 (BSTR) or the narrow ANSI code page.
#include "com/windows_api.h"

#include <optional>
#include <string>

namespace tavo::com {

// Raises error 5 on text that is not UTF-8, so nothing garbled reaches the host.
std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const wchar_t* text, size_t length);
std::string Utf8FromBstr(BSTR text);  // a null BSTR is the empty text

// The text in the ANSI code page, or nullopt when a character has no exact
// equivalent there (a best-fit or '?' stand-in would name something else).
std::optional<std::string> AnsiFromUtf8(const std::string& text);

// An owned BSTR.
class Bstr {
 public:
  explicit Bstr(const std::string& utf8);
  ~Bstr() { SysFreeString(bstr_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return bstr_; }
  BSTR release() {
    BSTR b = bstr_;
    bstr_ = nullptr;
    return b;
  }

 private:
  BSTR bstr_;
};

}  // namespace tavo::com
