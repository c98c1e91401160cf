#include "com/myxl_object.h"

#include <new>

#include "com/dispatch_dialog.h"
#include "com/dispatch_host.h"
#include "com/server_module.h"
#include "com/wide_text.h"

namespace tavo::com {

HRESULT MyxlObject::Create(REFIID iid, void** out) {
  *out = nullptr;
  ITypeInfo* info = nullptr;
  HRESULT hr = LoadMyxlTypeInfo(&info);
  if (FAILED(hr)) return hr;
  auto* object = new (std::nothrow) MyxlObject(info);
  if (object == nullptr) {
    info->Release();
    return E_OUTOFMEMORY;
  }
  hr = object->QueryInterface(iid, out);
  object->Release();
  return hr;
}

MyxlObject::MyxlObject(ITypeInfo* type_info) : type_info_(type_info) { AddModuleReference(); }

MyxlObject::~MyxlObject() {
  type_info_->Release();
  ReleaseModuleReference();
}

HRESULT MyxlObject::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID__myxl) {
    *out = static_cast<_myxl*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG MyxlObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG MyxlObject::Release() {
  LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT MyxlObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT MyxlObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (info == nullptr) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  type_info_->AddRef();
  *info = type_info_;
  return S_OK;
}

HRESULT MyxlObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  return DispGetIDsOfNames(type_info_, names, count, ids);
}

HRESULT MyxlObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                           EXCEPINFO* exception, UINT* bad_argument) {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  // The type library maps the call onto the vtable, coercing and
  // by-reference-wrapping the arguments as the declaration asks.
  return type_info_->Invoke(static_cast<_myxl*>(this), id, flags, params, result, exception, bad_argument);
}

HRESULT MyxlObject::MyFun(IDispatch** EA, IDispatch** UF, BSTR* strFlag, VARIANT* result) {
  if (result) VariantInit(result);
  // Null references stand for Nothing: the handler then fails at its first
  // host access and reports it in the error box, like any other failure.
  IDispatch* application = EA ? *EA : nullptr;
  IDispatch* dialog = UF ? *UF : nullptr;
  try {
    DispatchApplication host(DispatchObject::Borrow(application));
    DispatchDialog form(DispatchObject::Borrow(dialog));
    component_.MyFun(host, form, Utf8FromBstr(strFlag ? *strFlag : nullptr));
  } catch (...) {
    // Only running out of memory for the event name gets here (the component
    // reports everything else itself); no exception may cross into the host.
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

}  // namespace tavo::com
