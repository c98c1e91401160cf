#pragma once
// An owned VARIANT and the conversions between it and the system's values,
// made the way the host's own automation makes them.
#include "com/windows_api.h"

#include <cstdint>
#include <string>

#include "host/variant.h"

namespace tavo::com {

class ComVariant {
 public:
  ComVariant() { VariantInit(&v_); }
  ~ComVariant() { VariantClear(&v_); }
  ComVariant(const ComVariant&) = delete;
  ComVariant& operator=(const ComVariant&) = delete;
  ComVariant(ComVariant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
  ComVariant& operator=(ComVariant&& other) noexcept;

  // Arguments, typed as the host expects them.
  static ComVariant Int16(std::int16_t n);
  static ComVariant Int32(std::int32_t n);
  static ComVariant Double(double n);
  static ComVariant Bool(bool b);
  static ComVariant Text(const std::string& utf8);
  static ComVariant Object(IDispatch* object);  // adds a reference
  static ComVariant FromHost(const host::Variant& value);

  VARIANT* get() { return &v_; }
  const VARIANT* get() const { return &v_; }

  // Results. Each raises error 13 when the value cannot become that type.
  host::Variant ToHost() const;
  bool ToBool() const;
  std::int32_t ToInt32() const;
  double ToDouble() const;
  std::string ToText() const;
  // The object the value refers to, with a reference for the caller;
  // nullptr for Nothing or Empty.
  IDispatch* ToObject() const;

 private:
  VARIANT v_;
};

}  // namespace tavo::com
