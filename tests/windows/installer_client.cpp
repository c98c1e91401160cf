// A host's view of what the installer left in this program's registry view:
//   installer_client installed          the class, ProgID and type library
//                                       lead to %ProgramFiles%\tavo\tavo.dll,
//                                       and MyFun runs when called by name
//   installer_client installed-user     the same for the per-user package:
//                                       the rows in HKCU\Software\Classes (none
//                                       in HKLM), the server in
//                                       %LOCALAPPDATA%\Programs\tavo[\x86]
//   installer_client removed            none of them is left (either package)
//   installer_client products CODE N [VERSION]
//                                       N products of upgrade code CODE are
//                                       installed (the one of VERSION)
// Run once as a 32-bit and once as a 64-bit program, it checks both views.
//
// Wine's COM looks classes and type libraries up under HKLM only, never
// under HKCU\Software\Classes as Windows does. Under Wine, and only there,
// a per-user install is therefore resolved here the way Windows resolves it
// for the user (ProgID, class, server and type library from HKCU, the
// server's class factory called directly); the program says so when it does.
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

// The user's classes as they are stored, named whole and read from the
// 64-bit view, so no redirection (present on Windows, missing under Wine)
// moves them: the 32-bit view's CLSID and Interface keys are under
// Wow6432Node.
std::wstring UserClassKey(const std::wstring& key) {
  const bool redirected = key.rfind(L"CLSID\\", 0) == 0 || key.rfind(L"Interface\\", 0) == 0;
  return std::wstring(L"Software\\Classes\\") + (sizeof(void*) == 4 && redirected ? L"Wow6432Node\\" : L"") + key;
}

std::string RegistryText(HKEY root, const std::wstring& key, const wchar_t* name, REGSAM view = 0) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ | view, &handle) != ERROR_SUCCESS) return "<missing>";
  wchar_t value[1024] = {};
  DWORD size = sizeof value;
  LONG status = RegGetValueW(handle, nullptr, name, RRF_RT_REG_SZ, nullptr, value, &size);
  RegCloseKey(handle);
  return status == ERROR_SUCCESS ? Narrow(value) : "<missing>";
}
std::string ClassesText(bool per_user, const std::wstring& key, const wchar_t* name) {
  return per_user ? RegistryText(HKEY_CURRENT_USER, UserClassKey(key), name, KEY_WOW64_64KEY)
                  : RegistryText(HKEY_CLASSES_ROOT, key, name);
}

bool KeyExists(HKEY root, const std::wstring& key, REGSAM view = 0) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ | view, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

std::string EnvironmentFolder(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  GetEnvironmentVariableW(name, folder, MAX_PATH);
  return Narrow(folder);
}

// Where this program's bitness finds the server: per machine "C:\Program
// Files (x86)" for a 32-bit program on 64-bit Windows, "C:\Program Files"
// for a 64-bit one; per user the user's programs folder, the 32-bit server
// in x86\ below it.
std::string ExpectedServerPath(bool per_user) {
  if (!per_user) return EnvironmentFolder(L"ProgramFiles") + "\\tavo\\tavo.dll";
  return EnvironmentFolder(L"LOCALAPPDATA") + "\\Programs\\tavo\\" + (sizeof(void*) == 4 ? "x86\\" : "") + "tavo.dll";
}

bool SamePath(const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) == 0; }

struct Released {
  void operator()(IUnknown* p) const {
    if (p) p->Release();
  }
};
template <typename T>
using Ref = std::unique_ptr<T, Released>;

const std::wstring kLibraryVersionKey = std::wstring(kLibraryKey) + L"\\4a.0";
const wchar_t* kLibraryPlatform = sizeof(void*) == 4 ? L"\\0\\win32" : L"\\0\\win64";

// The type library as a host binding early finds it; under Wine after a
// per-user install, from the path the user's rows give.
Ref<ITypeLib> RegisteredLibrary(bool per_user) {
  ITypeLib* raw = nullptr;
  if (per_user && UnderWine()) {
    const std::string path = ClassesText(true, kLibraryVersionKey + kLibraryPlatform, nullptr);
    CHECK(SamePath(path, ExpectedServerPath(true)));
    CHECK_EQ(LoadTypeLibEx(Wide(path).c_str(), REGKIND_NONE, &raw), S_OK);
    return Ref<ITypeLib>(raw);
  }
  CHECK_EQ(LoadRegTypeLib(LIBID_tavo, 74, 0, LOCALE_NEUTRAL, &raw), S_OK);
  BSTR library_path = nullptr;
  CHECK_EQ(QueryPathOfRegTypeLib(LIBID_tavo, 74, 0, LOCALE_NEUTRAL, &library_path), S_OK);
  if (library_path) {
    CHECK(SamePath(Narrow(library_path), ExpectedServerPath(per_user)));
    SysFreeString(library_path);
  }
  return Ref<ITypeLib>(raw);
}

// tavo.myxl created by ProgID, as the dialog's CreateObject does it.
Ref<IDispatch> CreatedByProgId(bool per_user) {
  CLSID clsid{};
  IDispatch* raw = nullptr;
  HRESULT found = CLSIDFromProgID(L"tavo.myxl", &clsid);
  if (SUCCEEDED(found)) {
    CHECK_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&raw)),
             S_OK);
    return Ref<IDispatch>(raw);
  }
  if (!(per_user && UnderWine())) {
    CHECK_EQ(found, S_OK);
    return nullptr;
  }
  std::printf("  Wine's COM does not read HKCU\\Software\\Classes: resolving tavo.myxl from there as Windows does\n");
  const std::string class_text = ClassesText(true, L"tavo.myxl\\CLSID", nullptr);
  CHECK_EQ(CLSIDFromString(Wide(class_text).c_str(), &clsid), S_OK);
  CHECK(IsEqualCLSID(clsid, CLSID_myxl));
  const std::string server = ClassesText(true, L"CLSID\\" + Wide(class_text) + L"\\InprocServer32", nullptr);
  HMODULE module = LoadLibraryW(Wide(server).c_str());
  CHECK(module != nullptr);
  if (!module) return nullptr;
  using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  auto get = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
  CHECK(get != nullptr);
  IClassFactory* factory = nullptr;
  if (get) CHECK_EQ(get(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  Ref<IClassFactory> held(factory);
  if (held) CHECK_EQ(held->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&raw)), S_OK);
  return Ref<IDispatch>(raw);
}

void CheckInstalled(bool per_user) {
  const std::string expected = ExpectedServerPath(per_user);
  std::printf("  %zu-bit view, %s, server expected at %s\n", sizeof(void*) * 8, per_user ? "per user" : "per machine",
              expected.c_str());
  const std::wstring server_key = std::wstring(kClassKey) + L"\\InprocServer32";
  const std::string server = ClassesText(per_user, server_key, nullptr);
  if (!SamePath(server, expected)) CHECK_EQ(server, expected);
  CHECK_EQ(ClassesText(per_user, server_key, L"ThreadingModel"), std::string("Apartment"));
  CHECK_EQ(ClassesText(per_user, std::wstring(kClassKey) + L"\\ProgID", nullptr), std::string("tavo.myxl"));
  CHECK_EQ(ClassesText(per_user, L"tavo.myxl\\CLSID", nullptr), std::string("{50EA6E84-8716-40A0-89DD-D4B7F13CC6DC}"));
  CHECK_EQ(ClassesText(per_user, std::wstring(kInterfaceKey) + L"\\TypeLib", nullptr),
           std::string("{97A5699A-AC41-4238-93DA-4E9004FAA92B}"));
  if (per_user) {
    // Nothing of the per-user package lands in the machine's classes.
    for (const wchar_t* key : {L"Software\\Classes\\CLSID\\{50EA6E84-8716-40A0-89DD-D4B7F13CC6DC}",
                               L"Software\\Classes\\Wow6432Node\\CLSID\\{50EA6E84-8716-40A0-89DD-D4B7F13CC6DC}",
                               L"Software\\Classes\\tavo.myxl",
                               L"Software\\Classes\\TypeLib\\{97A5699A-AC41-4238-93DA-4E9004FAA92B}"}) {
      if (KeyExists(HKEY_LOCAL_MACHINE, key, KEY_WOW64_64KEY)) CHECK_EQ(Narrow(key), std::string("<not in HKLM>"));
    }
  }

  Ref<ITypeLib> library = RegisteredLibrary(per_user);
  if (library) {
    ITypeInfo* raw_info = nullptr;
    CHECK_EQ(library->GetTypeInfoOfGuid(IID__myxl, &raw_info), S_OK);
    Ref<ITypeInfo> info(raw_info);
    LPOLESTR member = const_cast<LPOLESTR>(L"MyFun");
    MEMBERID id = 0;
    if (info) CHECK_EQ(info->GetIDsOfNames(&member, 1, &id), S_OK);
    CHECK_EQ(static_cast<unsigned long>(id), 0x60030025ul);
  }

  Ref<IDispatch> object = CreatedByProgId(per_user);
  CHECK(object != nullptr);
  if (!object) return;
  wchar_t loaded[MAX_PATH] = {};
  GetModuleFileNameW(GetModuleHandleW(L"tavo.dll"), loaded, MAX_PATH);
  CHECK(SamePath(Narrow(loaded), expected));

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
    if (KeyExists(HKEY_CLASSES_ROOT, key)) CHECK_EQ(Narrow(key), std::string("<removed>"));
    // The per-user package's rows where they are stored, both views' from
    // either program.
    for (const wchar_t* view : {L"Software\\Classes\\", L"Software\\Classes\\Wow6432Node\\"}) {
      const std::wstring stored = view + std::wstring(key);
      if (KeyExists(HKEY_CURRENT_USER, stored, KEY_WOW64_64KEY)) {
        CHECK_EQ("HKCU\\" + Narrow(stored), std::string("<removed>"));
      }
    }
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
  if (mode == "installed" || mode == "installed-user") {
    CheckInstalled(mode == "installed-user");
  } else if (mode == "removed") {
    CheckRemoved();
  } else if (mode == "products") {
    CheckProducts(args);
  } else {
    CHECK(!"usage: installer_client installed | installed-user | removed | products UPGRADE-CODE COUNT [VERSION]");
  }
}
