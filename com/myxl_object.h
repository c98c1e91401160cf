#pragma once
// The COM object of class myxl: _myxl's vtable and IDispatch (served from
// the type library) around the component class that handles every event.
#include "com/windows_api.h"

#include "bridge/myxl.h"
#include "com/windows_platform.h"
#include "tavo_h.h"

namespace tavo::com {

class MyxlObject final : public _myxl {
 public:
  // Creates an object with one reference; nullptr-free, or an error code.
  static HRESULT Create(REFIID iid, void** out);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* bad_argument) override;

  // _myxl
  HRESULT STDMETHODCALLTYPE MyFun(IDispatch** EA, IDispatch** UF, BSTR* strFlag, VARIANT* result) override;

 private:
  explicit MyxlObject(ITypeInfo* type_info);
  ~MyxlObject();

  LONG references_ = 1;
  ITypeInfo* type_info_;
  WindowsPlatform platform_;
  bridge::Myxl component_{platform_};
};

}  // namespace tavo::com
