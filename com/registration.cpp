// DllRegisterServer / DllUnregisterServer: the class, its ProgID and the
// embedded type library, written per machine under HKEY_CLASSES_ROOT.
#include "com/windows_api.h"

#include <string>

#include "com/server_module.h"
#include "tavo_h.h"

namespace {

constexpr const wchar_t* kProgId = L"tavo.myxl";
constexpr WORD kLibraryMajor = 74;
constexpr WORD kLibraryMinor = 0;

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

// Sets the value `name` (nullptr: the key's default) of HKCR\key.
LONG SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY handle = nullptr;
  LONG status = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                                nullptr);
  if (status != ERROR_SUCCESS) return status;
  status = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  return status;
}

HRESULT RegisterClassKeys(const std::wstring& module_path) {
  const std::wstring clsid = GuidText(CLSID_myxl);
  const std::wstring class_key = L"CLSID\\" + clsid;
  const std::wstring entries[][3] = {
      {class_key, L"", L"tavo.myxl"},
      {class_key + L"\\InprocServer32", L"", module_path},
      {class_key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {class_key + L"\\ProgID", L"", kProgId},
      {class_key + L"\\TypeLib", L"", GuidText(LIBID_tavo)},
      {class_key + L"\\VERSION", L"", L"74.0"},
      {kProgId, L"", L"tavo.myxl"},
      {std::wstring(kProgId) + L"\\CLSID", L"", clsid},
  };
  for (const auto& e : entries) {
    LONG status = SetValue(e[0], e[1].empty() ? nullptr : e[1].c_str(), e[2]);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
  }
  return S_OK;
}

HRESULT RegisterLibrary(const std::wstring& module_path) {
  ITypeLib* library = nullptr;
  HRESULT hr = LoadTypeLibEx(module_path.c_str(), REGKIND_NONE, &library);
  if (FAILED(hr)) return hr;
  std::wstring path = module_path;  // RegisterTypeLib takes a writable string
  hr = RegisterTypeLib(library, path.data(), nullptr);
  library->Release();
  return hr;
}

}  // namespace

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  const std::wstring clsid = GuidText(CLSID_myxl);
  RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + clsid).c_str());
  RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
  UnRegisterTypeLib(LIBID_tavo, kLibraryMajor, kLibraryMinor, LOCALE_NEUTRAL, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
  return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  const std::wstring module_path = tavo::com::ModulePath();
  if (module_path.empty()) return HRESULT_FROM_WIN32(GetLastError());
  HRESULT hr = RegisterClassKeys(module_path);
  if (SUCCEEDED(hr)) hr = RegisterLibrary(module_path);
  // Half a registration would leave a class that cannot be bound to.
  if (FAILED(hr)) DllUnregisterServer();
  return hr;
}
