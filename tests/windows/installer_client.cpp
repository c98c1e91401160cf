// A host's view of what the installer left in this program's registry view:
//   installer_client installed          the class, ProgID and type library
//                                       lead to %ProgramFiles%\tavo\tavo.dll,
//                                       and MyFun runs when called by name
//   installer_client removed            none of them is left
//   installer_client products CODE N [VERSION]
//                                       N products of upgrade code CODE are
//                                       installed (the one of VERSION)
// Run once as a 32-bit and once as a 64-bit program, it checks both views.
#include <initguid.h>

#include "tavo_h.h"
#include <windows.h>
#include <cguid.h>
#include <msi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "check.h"
#include "script_dispatch.h"

using namespace tavo::wintest;

namespace {

const wchar_t kClassKey[] = L"CLSID\\{50EA6E84-8716-40A0-89DD-D4B7F13CC6DC}";
const wchar_t kInterfaceKey[] = L"Interface\\{44596A73-0747-471F-8A8C-4FD1BDE8470A}";
const wchar_t kLibraryKey[] = L"TypeLib\\{97A5699A-AC41-4238-93DA-4E9004FAA92B}";

std::string Narrow(const std::wstring& w) {
  int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring Wide(const std::string& s) {
  int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), out.data(), n);
  return out;
}

std::string RegistryText(const std::wstring& key, const wchar_t* name) {
  wchar_t value[1024] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
    return "<missing>";
  }
  return Narrow(value);
}

bool KeyExists(const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

// Where this program's bitness keeps programs: "C:\Program Files (x86)" for
// a 32-bit program on 64-bit Windows, "C:\Program Files" for a 64-bit one.
std::string ExpectedServerPath() {
  wchar_t folder[MAX_PATH] = {};
  GetEnvironmentVariableW(L"ProgramFiles", folder, MAX_PATH);
  return Narrow(folder) + "\\tavo\\tavo.dll";
}

bool SamePath(const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) == 0; }

struct Released {
  void operator()(IUnknown* p) const {
    if (p) p->Release();
  }
};
template <typename T>
using Ref = std::unique_ptr<T, Released>;

void CheckInstalled() {
  std::printf("  %zu-bit view, server expected at %s\n", sizeof(void*) * 8, ExpectedServerPath().c_str());
  const std::wstring server_key = std::wstring(kClassKey) + L"\\InprocServer32";
  const std::string server = RegistryText(server_key, nullptr);
  if (!SamePath(server, ExpectedServerPath())) CHECK_EQ(server, ExpectedServerPath());
  CHECK_EQ(RegistryText(server_key, L"ThreadingModel"), std::string("Apartment"));
  CHECK_EQ(RegistryText(std::wstring(kClassKey) + L"\\ProgID", nullptr), std::string("tavo.myxl"));

  // The type library, as a host binding early finds it.
  ITypeLib* raw_library = nullptr;
  CHECK_EQ(LoadRegTypeLib(LIBID_tavo, 74, 0, LOCALE_NEUTRAL, &raw_library), S_OK);
  Ref<ITypeLib> library(raw_library);
  BSTR library_path = nullptr;
  CHECK_EQ(QueryPathOfRegTypeLib(LIBID_tavo, 74, 0, LOCALE_NEUTRAL, &library_path), S_OK);
  if (library_path) {
    CHECK(SamePath(Narrow(library_path), ExpectedServerPath()));
    SysFreeString(library_path);
  }
  if (library) {
    ITypeInfo* raw_info = nullptr;
    CHECK_EQ(library->GetTypeInfoOfGuid(IID__myxl, &raw_info), S_OK);
    Ref<ITypeInfo> info(raw_info);
    LPOLESTR member = const_cast<LPOLESTR>(L"MyFun");
    MEMBERID id = 0;
    if (info) CHECK_EQ(info->GetIDsOfNames(&member, 1, &id), S_OK);
    CHECK_EQ(static_cast<unsigned long>(id), 0x60030025ul);
  }

  // Created by ProgID and called by name, as the dialog's code does it.
  CLSID clsid{};
  CHECK_EQ(CLSIDFromProgID(L"tavo.myxl", &clsid), S_OK);
  IDispatch* raw_object = nullptr;
  CHECK_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                            reinterpret_cast<void**>(&raw_object)),
           S_OK);
  Ref<IDispatch> object(raw_object);
  if (!object) return;
  wchar_t loaded[MAX_PATH] = {};
  GetModuleFileNameW(GetModuleHandleW(L"tavo.dll"), loaded, MAX_PATH);
  CHECK(SamePath(Narrow(loaded), ExpectedServerPath()));

  LPOLESTR name = const_cast<LPOLESTR>(L"MyFun");
  DISPID id = 0;
  CHECK_EQ(object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
  auto script = std::make_shared<Script>();
  IDispatch* app = NewScriptObject("app", script);
  IDispatch* form = NewScriptObject("form", script);
  BSTR flag = SysAllocString(L"no such event");
  VARIANT args[3];
  V_VT(&args[2]) = VT_DISPATCH, V_DISPATCH(&args[2]) = app;
  V_VT(&args[1]) = VT_DISPATCH, V_DISPATCH(&args[1]) = form;
  V_VT(&args[0]) = VT_BSTR, V_BSTR(&args[0]) = flag;
  DISPPARAMS params{args, nullptr, 3, 0};
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO info{};
  UINT bad = 0;
  CHECK_EQ(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, &info, &bad), S_OK);
  CHECK_EQ(script->Joined(), std::string("app.ScreenUpdating PUT = BOOL 0\n"
                                         "app.DisplayAlerts PUT = BOOL 0\n"
                                         "app.DisplayAlerts PUT = BOOL -1\n"
                                         "app.ScreenUpdating PUT = BOOL -1"));
  SysFreeString(flag);
  app->Release();
  form->Release();
}

void CheckRemoved() {
  std::printf("  %zu-bit view\n", sizeof(void*) * 8);
  CLSID clsid{};
  CHECK(FAILED(CLSIDFromProgID(L"tavo.myxl", &clsid)));
  IUnknown* object = nullptr;
  CHECK_EQ(CoCreateInstance(CLSID_myxl, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                            reinterpret_cast<void**>(&object)),
           REGDB_E_CLASSNOTREG);
  if (object) object->Release();
  ITypeLib* library = nullptr;
  CHECK(FAILED(LoadRegTypeLib(LIBID_tavo, 74, 0, LOCALE_NEUTRAL, &library)));
  if (library) library->Release();
  for (const wchar_t* key : {kClassKey, kInterfaceKey, kLibraryKey, L"tavo.myxl"}) {
    if (KeyExists(key)) CHECK_EQ(Narrow(key), std::string("<removed>"));
  }
}

// The installed products that share the upgrade code.
void CheckProducts(const std::vector<std::string>& args) {
  if (args.size() < 3) {
    CHECK(!"usage: products UPGRADE-CODE COUNT [VERSION]");
    return;
  }
  const std::wstring upgrade_code = Wide(args[1]);
  const int wanted = std::stoi(args[2]);
  int count = 0;
  wchar_t product[39] = {};
  while (MsiEnumRelatedProductsW(upgrade_code.c_str(), 0, static_cast<DWORD>(count), product) == ERROR_SUCCESS) {
    ++count;
    wchar_t version[64] = {};
    DWORD size = 64;
    MsiGetProductInfoW(product, INSTALLPROPERTY_VERSIONSTRING, version, &size);
    std::printf("  installed: %s version %s\n", Narrow(product).c_str(), Narrow(version).c_str());
    if (args.size() > 3) CHECK_EQ(Narrow(version), args[3]);
  }
  CHECK_EQ(count, wanted);
}

}  // namespace

WIN_TEST(InstalledState) {
  const std::vector<std::string>& args = Arguments();
  const std::string mode = args.empty() ? "" : args[0];
  if (mode == "installed") {
    CheckInstalled();
  } else if (mode == "removed") {
    CheckRemoved();
  } else if (mode == "products") {
    CheckProducts(args);
  } else {
    CHECK(!"usage: installer_client installed | removed | products UPGRADE-CODE COUNT [VERSION]");
  }
}
