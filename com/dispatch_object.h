#pragma once
// One host object reached by late binding: every access looks the member up
// by name (GetIDsOfNames) and calls it (Invoke). Nothing is cached, so each
// call is exactly one member access on the host. A failed call raises
// tavo::Error carrying the host's source, number and description.
#include "com/windows_api.h"
#include <oaidl.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "com/com_variant.h"

namespace tavo::com {

class DispatchObject {
 public:
  // Takes over one reference of `object`, which may be null (Nothing): every
  // access then raises error 91, as the host does for an unset object.
  explicit DispatchObject(IDispatch* object = nullptr) : object_(object) {}
  ~DispatchObject();
  DispatchObject(const DispatchObject&) = delete;
  DispatchObject& operator=(const DispatchObject&) = delete;
  DispatchObject(DispatchObject&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }

  // Adds a reference of its own.
  static DispatchObject Borrow(IDispatch* object);

  IDispatch* get() const { return object_; }

  // Arguments are given in the host's order, first argument first.
  ComVariant Get(const wchar_t* member, std::initializer_list<const ComVariant*> args = {}) const;
  void Put(const wchar_t* member, const ComVariant& value, std::initializer_list<const ComVariant*> args = {}) const;
  ComVariant Call(const wchar_t* member, std::initializer_list<const ComVariant*> args = {}) const;
  // The object a property or method returns.
  DispatchObject ObjectProperty(const wchar_t* member, std::initializer_list<const ComVariant*> args = {}) const;
  DispatchObject ObjectMethod(const wchar_t* member, std::initializer_list<const ComVariant*> args = {}) const;

 private:
  ComVariant Invoke(const wchar_t* member, WORD flags, std::initializer_list<const ComVariant*> args,
                    const ComVariant* put_value) const;

  IDispatch* object_;
};

// Raises the tavo::Error for a failed Invoke of `member`.
[[noreturn]] void RaiseInvokeFailure(HRESULT hr, EXCEPINFO& info, const wchar_t* member);
// Raises the tavo::Error for a failure outside Invoke (a name lookup, a creation).
[[noreturn]] void RaiseFailure(HRESULT hr, const std::string& what);

}  // namespace tavo::com
