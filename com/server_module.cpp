#include "com/server_module.h"

#include <atomic>

#include "tavo_h.h"

namespace tavo::com {
namespace {
HINSTANCE g_module = nullptr;
std::atomic<long> g_references{0};
}  // namespace

HINSTANCE ModuleHandle() { return g_module; }
void SetModuleHandle(HINSTANCE module) { g_module = module; }

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

void AddModuleReference() { ++g_references; }
void ReleaseModuleReference() { --g_references; }
bool ModuleInUse() { return g_references.load() != 0; }

HRESULT LoadMyxlTypeInfo(ITypeInfo** info) {
  *info = nullptr;
  ITypeLib* library = nullptr;
  HRESULT hr = LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &library);
  if (FAILED(hr)) return hr;
  hr = library->GetTypeInfoOfGuid(IID__myxl, info);
  library->Release();
  return hr;
}

}  // namespace tavo::com
