#pragma once
// The IUnknown and type-information members every test automation object
// answers the same way: reference counting that deletes at zero, no type
// information (callers bind by name through GetIDsOfNames).
#include <windows.h>
#include <oaidl.h>

namespace tavo::wintest {

class DispatchBase : public IDispatch {
 public:
  virtual ~DispatchBase() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

 private:
  ULONG refs_ = 1;
};

}  // namespace tavo::wintest
