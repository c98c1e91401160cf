#include "com/dispatch_object.h"

#include <vector>

#include "com/wide_text.h"
#include "common/error.h"

namespace tavo::com {

DispatchObject::~DispatchObject() {
  if (object_) object_->Release();
}

DispatchObject DispatchObject::Borrow(IDispatch* object) {
  if (object) object->AddRef();
  return DispatchObject(object);
}

ComVariant DispatchObject::Get(const wchar_t* member, std::initializer_list<const ComVariant*> args) const {
  return Invoke(member, DISPATCH_PROPERTYGET, args, nullptr);
}

void DispatchObject::Put(const wchar_t* member, const ComVariant& value,
                         std::initializer_list<const ComVariant*> args) const {
  Invoke(member, DISPATCH_PROPERTYPUT, args, &value);
}

ComVariant DispatchObject::Call(const wchar_t* member, std::initializer_list<const ComVariant*> args) const {
  return Invoke(member, DISPATCH_METHOD, args, nullptr);
}

DispatchObject DispatchObject::ObjectProperty(const wchar_t* member, std::initializer_list<const ComVariant*> args) const {
  return DispatchObject(Get(member, args).ToObject());
}

DispatchObject DispatchObject::ObjectMethod(const wchar_t* member, std::initializer_list<const ComVariant*> args) const {
  return DispatchObject(Call(member, args).ToObject());
}

ComVariant DispatchObject::Invoke(const wchar_t* member, WORD flags, std::initializer_list<const ComVariant*> args,
                                  const ComVariant* put_value) const {
  if (object_ == nullptr) {
    throw Error(kErrorSource, 91, "对象变量或 With 块变量未设置：" + Utf8FromWide(member, wcslen(member)));
  }
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR name = const_cast<LPOLESTR>(member);
  HRESULT hr = object_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) RaiseFailure(hr, "对象不支持该属性或方法：" + Utf8FromWide(member, wcslen(member)));

  // Invoke takes the arguments last first; a put's value is the named
  // argument DISPID_PROPERTYPUT and goes in front.
  std::vector<VARIANT> reversed;
  if (put_value) reversed.push_back(*put_value->get());
  for (auto it = std::rbegin(args); it != std::rend(args); ++it) reversed.push_back(*(*it)->get());
  DISPID put_id = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), put_value ? &put_id : nullptr, static_cast<UINT>(reversed.size()),
                    put_value ? 1u : 0u};

  ComVariant result;
  EXCEPINFO info{};
  UINT bad_arg = 0;
  hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, put_value ? nullptr : result.get(), &info,
                       &bad_arg);
  if (FAILED(hr)) RaiseInvokeFailure(hr, info, member);
  return result;
}

namespace {

// The host's error number of a failure code: 0x800Axxxx carries the host's
// own number xxxx, anything else stands as its signed value.
std::int32_t ErrorNumber(HRESULT hr) {
  auto code = static_cast<std::uint32_t>(hr);
  if ((code & 0xFFFF0000u) == 0x800A0000u) return static_cast<std::int32_t>(code & 0xFFFFu);
  return static_cast<std::int32_t>(code);
}

std::string SystemMessage(HRESULT hr) {
  wchar_t* text = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message;
  if (n > 0 && text) {
    while (n > 0 && (text[n - 1] == L'\r' || text[n - 1] == L'\n' || text[n - 1] == L' ')) --n;
    message = Utf8FromWide(text, n);
  }
  if (text) LocalFree(text);
  return message;
}

}  // namespace

void RaiseFailure(HRESULT hr, const std::string& what) {
  std::string message = SystemMessage(hr);
  throw Error(kErrorSource, ErrorNumber(hr), message.empty() ? what : message + "：" + what);
}

void RaiseInvokeFailure(HRESULT hr, EXCEPINFO& info, const wchar_t* member) {
  if (hr != DISP_E_EXCEPTION) {
    RaiseFailure(hr, Utf8FromWide(member, wcslen(member)));
  }
  if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
  std::string source = Utf8FromBstr(info.bstrSource);
  std::string description = Utf8FromBstr(info.bstrDescription);
  HRESULT code = info.scode;
  std::int32_t number = code != 0 ? ErrorNumber(code) : info.wCode;
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrHelpFile);
  info = EXCEPINFO{};
  throw Error(source.empty() ? kErrorSource : source, number, description);
}

}  // namespace tavo::com
