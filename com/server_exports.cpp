// The DLL's entry points for COM: class object and unload check.
#include "com/windows_api.h"

#include "com/class_factory.h"
#include "com/server_module.h"
#include "tavo_h.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    tavo::com::SetModuleHandle(module);
    DisableThreadLibraryCalls(module);
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (clsid != CLSID_myxl) return CLASS_E_CLASSNOTAVAILABLE;
  return tavo::com::TheClassFactory().QueryInterface(iid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return tavo::com::ModuleInUse() ? S_FALSE : S_OK; }
