#pragma once
// What the whole DLL shares: its module handle, the count of live objects
// and locks that decides DllCanUnloadNow, and its embedded type library.
#include "com/windows_api.h"
#include <oaidl.h>

#include <string>

namespace tavo::com {

HINSTANCE ModuleHandle();
void SetModuleHandle(HINSTANCE module);
std::wstring ModulePath();

void AddModuleReference();
void ReleaseModuleReference();
bool ModuleInUse();

// The type information of _myxl from the DLL's own type library.
HRESULT LoadMyxlTypeInfo(ITypeInfo** info);

}  // namespace tavo::com
