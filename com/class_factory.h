#pragma once
// The class object of myxl that DllGetClassObject hands out.
#include "com/windows_api.h"
#include <unknwn.h>

namespace tavo::com {

class MyxlClassFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;
};

// The one class object of the DLL; it lives as long as the module.
MyxlClassFactory& TheClassFactory();

}  // namespace tavo::com
