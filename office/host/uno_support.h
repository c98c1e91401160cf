#pragma once
// What every part of the UNO host adapter shares: text conversion between
// UTF-8 and UNO strings, and turning UNO exceptions into tavo::Error.
#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/Exception.hpp>
#include <com/sun/star/uno/Reference.hxx>
#include <rtl/ustring.hxx>

#include <string>
#include <utility>

#include "common/error.h"

namespace tavo::office {

namespace css = com::sun::star;
using ::rtl::OString;
using ::rtl::OUString;

inline OUString ToUno(const std::string& text) {
  return OUString(text.data(), static_cast<sal_Int32>(text.size()), RTL_TEXTENCODING_UTF8);
}
inline std::string FromUno(const OUString& text) {
  OString utf8 = OUStringToOString(text, RTL_TEXTENCODING_UTF8);
  return std::string(utf8.getStr(), static_cast<std::size_t>(utf8.getLength()));
}

// Source of the errors LibreOffice raises, as the error box shows it.
inline constexpr const char* kOfficeErrorSource = "LibreOffice";
// The desktop host's number for a failed member call (application-defined error).
inline constexpr std::int32_t kHostCallFailed = 1004;

// The system's error for a UNO exception: a missing index or name is the
// host's 9, a refused argument 5, a wrong type 13, anything else 1004.
[[noreturn]] void RaiseFromUno(const css::uno::Exception& e);

// Runs `call`; a UNO exception it raises leaves as tavo::Error. Errors of the
// system itself pass unchanged.
template <typename Call>
decltype(auto) Uno(Call&& call) {
  try {
    return std::forward<Call>(call)();
  } catch (const css::uno::Exception& e) {
    RaiseFromUno(e);
  }
}

// A required interface of an object, or error 1004 naming what is missing.
template <typename Interface>
css::uno::Reference<Interface> Require(const css::uno::Reference<css::uno::XInterface>& object,
                                       const char* what) {
  css::uno::Reference<Interface> result(object, css::uno::UNO_QUERY);
  if (!result.is()) throw Error(kOfficeErrorSource, kHostCallFailed, std::string(what) + " 不可用");
  return result;
}

}  // namespace tavo::office
