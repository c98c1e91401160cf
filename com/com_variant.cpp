#include "com/com_variant.h"

#include <chrono>

#include "com/wide_text.h"
#include "common/dates.h"
#include "common/error.h"

namespace tavo::com {
namespace {

// VariantChangeType into a fresh variant, or error 13 (6 on overflow).
ComVariant Changed(const VARIANT* from, VARTYPE to) {
  ComVariant out;
  HRESULT hr = VariantChangeTypeEx(out.get(), const_cast<VARIANT*>(from), LOCALE_INVARIANT, 0, to);
  if (hr == DISP_E_OVERFLOW) RaiseOverflow();
  if (FAILED(hr)) RaiseTypeMismatch();
  return out;
}

// A host date is a day count from 1899-12-30; as text it reads like every
// other date the system writes.
std::string DateValueText(double serial) {
  using namespace std::chrono;
  long days = static_cast<long>(serial);
  if (serial < 0 && static_cast<double>(days) != serial) --days;  // whole days towards the past
  return DateToText(AddDays(Date{year{1899}, December, day{30}}, days));
}

}  // namespace

ComVariant& ComVariant::operator=(ComVariant&& other) noexcept {
  if (this != &other) {
    VariantClear(&v_);
    v_ = other.v_;
    VariantInit(&other.v_);
  }
  return *this;
}

ComVariant ComVariant::Int16(std::int16_t n) {
  ComVariant v;
  V_VT(v.get()) = VT_I2;
  V_I2(v.get()) = n;
  return v;
}

ComVariant ComVariant::Int32(std::int32_t n) {
  ComVariant v;
  V_VT(v.get()) = VT_I4;
  V_I4(v.get()) = n;
  return v;
}

ComVariant ComVariant::Double(double n) {
  ComVariant v;
  V_VT(v.get()) = VT_R8;
  V_R8(v.get()) = n;
  return v;
}

ComVariant ComVariant::Bool(bool b) {
  ComVariant v;
  V_VT(v.get()) = VT_BOOL;
  V_BOOL(v.get()) = b ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

ComVariant ComVariant::Text(const std::string& utf8) {
  Bstr text(utf8);
  ComVariant v;
  V_VT(v.get()) = VT_BSTR;
  V_BSTR(v.get()) = text.release();
  return v;
}

ComVariant ComVariant::Object(IDispatch* object) {
  ComVariant v;
  V_VT(v.get()) = VT_DISPATCH;
  V_DISPATCH(v.get()) = object;
  if (object) object->AddRef();
  return v;
}

ComVariant ComVariant::FromHost(const host::Variant& value) {
  if (value.IsNumber()) return Double(value.Number());
  if (value.IsText()) return Text(value.Text());
  if (value.IsBool()) return Bool(value.Bool());
  return ComVariant();
}

host::Variant ComVariant::ToHost() const {
  const VARIANT* v = &v_;
  if (V_VT(v) == (VT_VARIANT | VT_BYREF)) v = V_VARIANTREF(v);
  switch (V_VT(v) & ~VT_BYREF) {
    case VT_EMPTY:
    case VT_NULL:
      return {};
    case VT_BOOL:
      return Changed(v, VT_BOOL).ToBool();
    case VT_BSTR:
      return Changed(v, VT_BSTR).ToText();
    case VT_DATE:
      return DateValueText(Changed(v, VT_R8).ToDouble());
    case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_INT:
    case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8: case VT_UINT:
    case VT_R4: case VT_R8: case VT_CY: case VT_DECIMAL:
      return Changed(v, VT_R8).ToDouble();
    default:
      RaiseTypeMismatch();
  }
}

bool ComVariant::ToBool() const {
  if (V_VT(&v_) == VT_BOOL) return V_BOOL(&v_) != VARIANT_FALSE;
  return Changed(&v_, VT_BOOL).ToBool();
}

std::int32_t ComVariant::ToInt32() const {
  if (V_VT(&v_) == VT_I4) return V_I4(&v_);
  return Changed(&v_, VT_I4).ToInt32();
}

double ComVariant::ToDouble() const {
  if (V_VT(&v_) == VT_R8) return V_R8(&v_);
  return Changed(&v_, VT_R8).ToDouble();
}

std::string ComVariant::ToText() const {
  if (V_VT(&v_) == VT_BSTR) return Utf8FromBstr(V_BSTR(&v_));
  return Changed(&v_, VT_BSTR).ToText();
}

IDispatch* ComVariant::ToObject() const {
  const VARIANT* v = &v_;
  if (V_VT(v) == (VT_VARIANT | VT_BYREF)) v = V_VARIANTREF(v);
  IUnknown* unknown = nullptr;
  switch (V_VT(v)) {
    case VT_EMPTY:
    case VT_NULL: return nullptr;
    case VT_DISPATCH: unknown = V_DISPATCH(v); break;
    case VT_DISPATCH | VT_BYREF: unknown = *V_DISPATCHREF(v); break;
    case VT_UNKNOWN: unknown = V_UNKNOWN(v); break;
    case VT_UNKNOWN | VT_BYREF: unknown = *V_UNKNOWNREF(v); break;
    default: RaiseTypeMismatch("需要对象");
  }
  if (unknown == nullptr) return nullptr;
  IDispatch* object = nullptr;
  if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object)))) RaiseTypeMismatch("需要对象");
  return object;
}

}  // namespace tavo::com
