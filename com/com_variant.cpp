#include "com/com_variant.h"

#include "com/wide_text.h"
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

// The host hands cell error values over as VT_ERROR with its own facility
// (0x800A0000 | code, what CVErr gives); a bare code is taken as well. Any
// other scode (a missing argument, a failure code) is no cell value.
constexpr SCODE kHostErrorFacility = static_cast<SCODE>(0x800A0000);

bool HostErrorCode(SCODE scode, std::int32_t& code) {
  const auto bits = static_cast<std::uint32_t>(scode);
  if ((bits & 0xFFFF0000u) == static_cast<std::uint32_t>(kHostErrorFacility) || bits <= 0xFFFFu) {
    code = static_cast<std::int32_t>(bits & 0xFFFFu);
    return true;
  }
  return false;
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
  ComVariant v;
  if (value.IsDate()) {
    V_VT(v.get()) = VT_DATE;
    V_DATE(v.get()) = value.DateSerial();
  } else if (value.IsError()) {
    V_VT(v.get()) = VT_ERROR;
    V_ERROR(v.get()) = kHostErrorFacility | (value.ErrorCode() & 0xFFFF);
  }
  return v;
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
    case VT_DATE:  // the serial as it is: the time of day stays
      return host::Variant::Date((V_VT(v) & VT_BYREF) ? *V_DATEREF(v) : V_DATE(v));
    case VT_ERROR: {
      std::int32_t code = 0;
      if (!HostErrorCode((V_VT(v) & VT_BYREF) ? *V_ERRORREF(v) : V_ERROR(v), code)) RaiseTypeMismatch();
      return host::Variant(host::ErrorValue{code});
    }
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
  // Dates and error values read as the host writes them, not as the
  // system's invariant conversion would ("2024/9/1", "Error 2042").
  const VARTYPE type = V_VT(&v_) & ~VT_BYREF;
  if (type == VT_DATE || type == VT_ERROR) return ToHost().ToText();
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
