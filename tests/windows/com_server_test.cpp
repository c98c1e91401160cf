// The registered tavo.dll as a host sees it: created by ProgID, bound through
// its type library, MyFun called through the vtable and by name.
#include <initguid.h>

#include "tavo_h.h"
#include <windows.h>
#include <cguid.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "box_answerer.h"
#include "tavo_version.h"
#include "check.h"
#include "script_dispatch.h"

using namespace tavo::wintest;

namespace {

const char* const kBracket =
    "app.ScreenUpdating PUT = BOOL 0\n"
    "app.DisplayAlerts PUT = BOOL 0\n"
    "app.DisplayAlerts PUT = BOOL -1\n"
    "app.ScreenUpdating PUT = BOOL -1";

std::wstring RegistryText(const std::wstring& key, const wchar_t* name) {
  wchar_t value[1024] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
    return L"<missing>";
  }
  return value;
}

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

_myxl* CreateByProgId() {
  CLSID clsid{};
  if (FAILED(CLSIDFromProgID(L"tavo.myxl", &clsid))) return nullptr;
  _myxl* object = nullptr;
  CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID__myxl, reinterpret_cast<void**>(&object));
  return object;
}

struct Released {
  void operator()(IUnknown* p) const {
    if (p) p->Release();
  }
};
template <typename T>
using Ref = std::unique_ptr<T, Released>;

}  // namespace

WIN_TEST(RegistrationNamesTheClassAndItsServer) {
  CLSID clsid{};
  CHECK(SUCCEEDED(CLSIDFromProgID(L"tavo.myxl", &clsid)));
  CHECK(IsEqualCLSID(clsid, CLSID_myxl));
  std::wstring key = L"CLSID\\{50EA6E84-8716-40A0-89DD-D4B7F13CC6DC}";
  CHECK_EQ(Narrow(RegistryText(key + L"\\InprocServer32", L"ThreadingModel")), "Apartment");
  std::wstring server = RegistryText(key + L"\\InprocServer32", nullptr);
  CHECK(server.size() > 9 && _wcsicmp(server.c_str() + server.size() - 9, L"\\tavo.dll") == 0);
  CHECK_EQ(Narrow(RegistryText(key + L"\\ProgID", nullptr)), "tavo.myxl");
  CHECK_EQ(Narrow(RegistryText(L"TypeLib\\{97A5699A-AC41-4238-93DA-4E9004FAA92B}\\4a.0", nullptr)), "tavo");
}

WIN_TEST(TypeLibraryCarriesTheIdentity) {
  ITypeLib* raw = nullptr;
  CHECK(SUCCEEDED(LoadRegTypeLib(LIBID_tavo, 74, 0, LOCALE_NEUTRAL, &raw)));
  Ref<ITypeLib> library(raw);
  if (!library) return;
  TLIBATTR* attr = nullptr;
  library->GetLibAttr(&attr);
  CHECK_EQ(attr->wMajorVerNum, 74);
  CHECK_EQ(attr->wMinorVerNum, 0);
  CHECK_EQ(attr->lcid, 0u);
  library->ReleaseTLibAttr(attr);

  BSTR name = nullptr;
  library->GetDocumentation(-1, &name, nullptr, nullptr, nullptr);
  CHECK_EQ(Narrow(name ? name : L""), "tavo");
  SysFreeString(name);

  ITypeInfo* info_raw = nullptr;
  CHECK(SUCCEEDED(library->GetTypeInfoOfGuid(IID__myxl, &info_raw)));
  Ref<ITypeInfo> info(info_raw);
  TYPEATTR* type = nullptr;
  info->GetTypeAttr(&type);
  // The dispatch view of a dual interface drops the automation flag; the
  // interface as declared (its vtable view) carries all three.
  CHECK_EQ(type->typekind, TKIND_DISPATCH);
  CHECK_EQ(type->wTypeFlags & (TYPEFLAG_FDUAL | TYPEFLAG_FHIDDEN), TYPEFLAG_FDUAL | TYPEFLAG_FHIDDEN);
  info->ReleaseTypeAttr(type);
  HREFTYPE vtable_ref = 0;
  ITypeInfo* vtable_raw = nullptr;
  CHECK(SUCCEEDED(info->GetRefTypeOfImplType(-1, &vtable_ref)));
  CHECK(SUCCEEDED(info->GetRefTypeInfo(vtable_ref, &vtable_raw)));
  Ref<ITypeInfo> vtable(vtable_raw);
  if (vtable) {
    vtable->GetTypeAttr(&type);
    const WORD wanted = TYPEFLAG_FDUAL | TYPEFLAG_FHIDDEN | TYPEFLAG_FOLEAUTOMATION;
    CHECK_EQ(type->typekind, TKIND_INTERFACE);
    CHECK_EQ(type->wTypeFlags & wanted, wanted);
    CHECK_EQ(type->cFuncs, 1);  // MyFun after the IDispatch members
    vtable->ReleaseTypeAttr(type);
  }

  LPOLESTR member = const_cast<LPOLESTR>(L"MyFun");
  MEMBERID id = 0;
  CHECK(SUCCEEDED(info->GetIDsOfNames(&member, 1, &id)));
  CHECK_EQ(static_cast<unsigned long>(id), 0x60030025ul);

  ITypeInfo* coclass_raw = nullptr;
  CHECK(SUCCEEDED(library->GetTypeInfoOfGuid(CLSID_myxl, &coclass_raw)));
  Ref<ITypeInfo> coclass(coclass_raw);
  coclass->GetTypeAttr(&type);
  CHECK(type->wTypeFlags & TYPEFLAG_FCANCREATE);
  CHECK_EQ(type->cImplTypes, 1);
  coclass->ReleaseTypeAttr(type);
  BSTR class_name = nullptr;
  coclass->GetDocumentation(MEMBERID_NIL, &class_name, nullptr, nullptr, nullptr);
  CHECK_EQ(Narrow(class_name ? class_name : L""), "myxl");
  SysFreeString(class_name);
}

WIN_TEST(MyFunThroughTheVtableRunsTheBracketAndReturnsEmpty) {
  Ref<_myxl> object(CreateByProgId());
  CHECK(object != nullptr);
  if (!object) return;
  auto script = std::make_shared<Script>();
  IDispatch* app = NewScriptObject("app", script);
  IDispatch* form = NewScriptObject("form", script);
  BSTR flag = SysAllocString(L"no such event");
  VARIANT result;
  V_VT(&result) = VT_I4;
  CHECK_EQ(object->MyFun(&app, &form, &flag, &result), S_OK);
  CHECK_EQ(V_VT(&result), VT_EMPTY);
  CHECK_EQ(script->Joined(), std::string(kBracket));
  SysFreeString(flag);
  app->Release();
  form->Release();
}

WIN_TEST(MyFunByNameThroughIDispatch) {
  Ref<_myxl> object(CreateByProgId());
  if (!object) {
    CHECK(object != nullptr);
    return;
  }
  IDispatch* dispatch = object.get();
  LPOLESTR name = const_cast<LPOLESTR>(L"MyFun");
  DISPID id = 0;
  CHECK_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
  CHECK_EQ(static_cast<unsigned long>(id), 0x60030025ul);

  // Once by reference, as compiled host code passes them, once by value, as
  // a script host does.
  for (bool by_reference : {true, false}) {
    auto script = std::make_shared<Script>();
    IDispatch* app = NewScriptObject("app", script);
    IDispatch* form = NewScriptObject("form", script);
    BSTR flag = SysAllocString(L"cmdDoXl");  // wrong letter case: no handler
    VARIANT args[3];
    if (by_reference) {
      V_VT(&args[2]) = VT_DISPATCH | VT_BYREF, V_DISPATCHREF(&args[2]) = &app;
      V_VT(&args[1]) = VT_DISPATCH | VT_BYREF, V_DISPATCHREF(&args[1]) = &form;
      V_VT(&args[0]) = VT_BSTR | VT_BYREF, V_BSTRREF(&args[0]) = &flag;
    } else {
      V_VT(&args[2]) = VT_DISPATCH, V_DISPATCH(&args[2]) = app;
      V_VT(&args[1]) = VT_DISPATCH, V_DISPATCH(&args[1]) = form;
      V_VT(&args[0]) = VT_BSTR, V_BSTR(&args[0]) = flag;
    }
    DISPPARAMS params{args, nullptr, 3, 0};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO info{};
    UINT bad = 0;
    CHECK_EQ(dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, &info, &bad),
             S_OK);
    CHECK_EQ(V_VT(&result), VT_EMPTY);
    CHECK_EQ(script->Joined(), std::string(kBracket));
    SysFreeString(flag);
    app->Release();
    form->Release();
  }
}

WIN_TEST(HostFailureIsShownOnceAndSwallowed) {
  Ref<_myxl> object(CreateByProgId());
  if (!object) {
    CHECK(object != nullptr);
    return;
  }
  auto script = std::make_shared<Script>();
  script->failures["app.ThisWorkbook"] =
      ScriptFailure{DISP_E_EXCEPTION, static_cast<HRESULT>(0x800A03EC), 0, L"Microsoft Excel", L"无法设置", false};
  IDispatch* app = NewScriptObject("app", script);
  IDispatch* form = NewScriptObject("form", script);
  BSTR flag = SysAllocString(L"cmdEdit");
  VARIANT result;
  BoxAnswerer answerer;
  CHECK_EQ(object->MyFun(&app, &form, &flag, &result), S_OK);
  CHECK_EQ(answerer.boxes().size(), 1u);
  if (!answerer.boxes().empty()) {
    CHECK_EQ(answerer.boxes()[0].title, std::string("错误"));
    CHECK_EQ(answerer.boxes()[0].text, std::string("Microsoft Excel：(1004)无法设置"));
    CHECK_EQ(answerer.boxes()[0].icon, std::string("stop"));
  }
  CHECK_EQ(script->log.back(), std::string("app.ScreenUpdating PUT = BOOL -1"));
  SysFreeString(flag);
  app->Release();
  form->Release();
}

WIN_TEST(NothingForTheApplicationIsReportedNotCrashed) {
  Ref<_myxl> object(CreateByProgId());
  if (!object) {
    CHECK(object != nullptr);
    return;
  }
  IDispatch* app = nullptr;
  IDispatch* form = nullptr;
  BSTR flag = SysAllocString(L"cmdDoXL");
  VARIANT result;
  BoxAnswerer answerer;
  CHECK_EQ(object->MyFun(&app, &form, &flag, &result), S_OK);
  CHECK(!answerer.boxes().empty());
  if (!answerer.boxes().empty()) CHECK(answerer.boxes()[0].text.rfind("tavo：(91)", 0) == 0);
  CHECK_EQ(object->MyFun(nullptr, nullptr, nullptr, &result), S_OK);
  SysFreeString(flag);
}

WIN_TEST(ServerUnloadsOnlyWhenNothingIsHeld) {
  HMODULE dll = GetModuleHandleW(L"tavo.dll");
  if (!dll) {
    Ref<_myxl> object(CreateByProgId());
    dll = GetModuleHandleW(L"tavo.dll");
  }
  CHECK(dll != nullptr);
  if (!dll) return;
  auto can_unload = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
      reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
  CHECK(can_unload != nullptr);
  if (!can_unload) return;
  {
    Ref<_myxl> held(CreateByProgId());
    CHECK_EQ(can_unload(), S_FALSE);
  }
  CHECK_EQ(can_unload(), S_OK);
}

// The version resource carries the project's version and the server's
// bitness, which is what an administrator checks before replacing a file.
WIN_TEST(VersionResourceNamesProductVersionAndBitness) {
  Ref<_myxl> held(CreateByProgId());
  HMODULE dll = GetModuleHandleW(L"tavo.dll");
  CHECK(dll != nullptr);
  if (!dll) return;
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(dll, path, MAX_PATH);
  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeW(path, &ignored));
  CHECK(!block.empty() && GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()));
  if (block.empty()) return;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  CHECK(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size) && fixed != nullptr);
  if (fixed) {
    const DWORD major_minor = MAKELONG(TAVO_VERSION_MINOR, TAVO_VERSION_MAJOR);
    CHECK_EQ(fixed->dwFileVersionMS, major_minor);
    CHECK_EQ(fixed->dwProductVersionMS, major_minor);
    CHECK_EQ(HIWORD(fixed->dwFileVersionLS), TAVO_VERSION_PATCH);
    CHECK_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
  }
  const std::string bits = std::to_string(sizeof(void*) * 8) + "-bit";
  const std::pair<const wchar_t*, std::string> strings[] = {
      {L"ProductName", "tavo"},
      {L"ProductVersion", TAVO_VERSION_TEXT},
      {L"FileVersion", TAVO_VERSION_TEXT},
      {L"OriginalFilename", "tavo.dll"},
      {L"FileDescription", "tavo school calendar component (COM, " + bits + ")"},
  };
  for (const auto& [name, expected] : strings) {
    wchar_t* value = nullptr;
    std::wstring key = std::wstring(L"\\StringFileInfo\\080404B0\\") + name;
    CHECK(VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &size));
    CHECK_EQ(Narrow(value ? value : L"<missing>"), expected);
  }
}
