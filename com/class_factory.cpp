#include "com/class_factory.h"

#include "com/myxl_object.h"
#include "com/server_module.h"

namespace tavo::com {

HRESULT MyxlClassFactory::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IClassFactory) {
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

// A handed-out class object keeps the DLL loaded, like a lock.
ULONG MyxlClassFactory::AddRef() {
  AddModuleReference();
  return 2;
}

ULONG MyxlClassFactory::Release() {
  ReleaseModuleReference();
  return 1;
}

HRESULT MyxlClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  return MyxlObject::Create(iid, out);
}

HRESULT MyxlClassFactory::LockServer(BOOL lock) {
  if (lock) {
    AddModuleReference();
  } else {
    ReleaseModuleReference();
  }
  return S_OK;
}

MyxlClassFactory& TheClassFactory() {
  static MyxlClassFactory factory;
  return factory;
}

}  // namespace tavo::com
