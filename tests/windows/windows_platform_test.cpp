// The Windows platform services: message boxes as the user sees them, the
// dialog window's frame, and the word processor started for the help file.
#include <windows.h>
#include <cguid.h>

#include <memory>
#include <string>
#include <vector>

#include "box_answerer.h"
#include "check.h"
#include "com/wide_text.h"
#include "com/windows_platform.h"
// After the platform header, which takes back <windows.h>'s MessageBox macro.
#include "bridge/info_and_help.h"
#include "common/error.h"
#include "script_dispatch.h"
#include "workbook/embedded_host.h"

using namespace tavo;
using namespace tavo::wintest;

namespace {

HWND NewDialogWindow(const wchar_t* caption) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"ThunderDFrame";
    registered = RegisterClassW(&window_class) != 0;
  }
  return CreateWindowExW(0, L"ThunderDFrame", caption, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 300, 200, nullptr,
                         nullptr, GetModuleHandleW(nullptr), nullptr);
}

LONG Style(HWND window) { return GetWindowLongW(window, GWL_STYLE); }

// A stand-in "Word.Application": this process's class object, found by
// CoCreateInstance through the ProgID written for the current user.
const CLSID kFakeWordClsid = {0x6c1f4a52, 0x3b1e, 0x4d6b, {0x9a, 0x11, 0x2e, 0x6f, 0x70, 0x1d, 0x52, 0x0b}};

class FakeWordFactory final : public IClassFactory {
 public:
  explicit FakeWordFactory(std::shared_ptr<Script> script) : script_(std::move(script)) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = this;
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID iid, void** out) override {
    ++created;
    IDispatch* word = NewScriptObject("word", script_);
    HRESULT hr = word->QueryInterface(iid, out);
    word->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
  int created = 0;

 private:
  std::shared_ptr<Script> script_;
};

void WriteProgId(const wchar_t* clsid_text) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CLASSES_ROOT, L"Word.Application\\CLSID", 0, nullptr, 0, KEY_SET_VALUE,
                  nullptr, &key, nullptr);
  RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(clsid_text),
                 static_cast<DWORD>((wcslen(clsid_text) + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

}  // namespace

WIN_TEST(MessageBoxShowsTitleTextAndIcon) {
  com::WindowsPlatform platform;
  BoxAnswerer answerer;
  CHECK_EQ(platform.MessageBox("tavo：(-5)出错了", host::kTitleError, host::kStyleCritical), IDOK);
  CHECK_EQ(platform.MessageBox("结束日期不能早于开始日期", host::kTitleNotice, host::kStyleWarning), IDOK);
  CHECK_EQ(answerer.boxes().size(), 2u);
  if (answerer.boxes().size() != 2) return;
  CHECK_EQ(answerer.boxes()[0].title, std::string("错误"));
  CHECK_EQ(answerer.boxes()[0].text, std::string("tavo：(-5)出错了"));
  CHECK_EQ(answerer.boxes()[0].icon, std::string("stop"));
  CHECK_EQ(answerer.boxes()[1].title, std::string("提示"));
  CHECK_EQ(answerer.boxes()[1].icon, std::string("warning"));
}

WIN_TEST(DialogWindowGetsSizingBorderAndMinimiseButton) {
  HWND dialog = NewDialogWindow(L"Calendar options");
  HWND other = NewDialogWindow(L"Other dialog");
  CHECK(dialog != nullptr);
  LONG before = Style(dialog);
  LONG other_before = Style(other);
  com::WindowsPlatform platform;
  platform.AdjustDialogWindow("Calendar options");
  CHECK_EQ(Style(dialog), before | WS_THICKFRAME | WS_MINIMIZEBOX);
  platform.AdjustDialogWindow("Calendar options");  // the same bits again: no change
  CHECK_EQ(Style(dialog), before | WS_THICKFRAME | WS_MINIMIZEBOX);
  CHECK_EQ(Style(other), other_before);
  platform.AdjustDialogWindow("No such window");  // quietly nothing
  DestroyWindow(dialog);
  DestroyWindow(other);
}

WIN_TEST(CaptionTheAnsiCodePageCannotSpellFindsNoWindow) {
  // Converted with stand-ins the caption would read "??" and hit this one.
  HWND bystander = NewDialogWindow(L"??");
  LONG before = Style(bystander);
  com::WindowsPlatform platform;
  bool representable = false;
  {
    BOOL lossy = FALSE;
    char narrow[8] = {};
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, L"\u6821\u5386", 2, narrow, 8, nullptr, &lossy);
    representable = !lossy;
  }
  platform.AdjustDialogWindow("校历");
  if (!representable) CHECK_EQ(Style(bystander), before);
  DestroyWindow(bystander);
}

WIN_TEST(WordProcessorIsCreatedShownAndOpensTheFile) {
  auto script = std::make_shared<Script>();
  FakeWordFactory factory(script);
  DWORD cookie = 0;
  CHECK(SUCCEEDED(CoRegisterClassObject(kFakeWordClsid, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie)));
  WriteProgId(L"{6C1F4A52-3B1E-4D6B-9A11-2E6F701D520B}");
  com::WindowsPlatform platform;
  try {
    platform.OpenInWordProcessor("C:\\学校\\help.doc");
    platform.OpenInWordProcessor("C:\\学校\\help.doc");
  } catch (const Error& e) {
    CHECK_EQ(std::string(e.what()), std::string());
  }
  CoRevokeClassObject(cookie);
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Word.Application");
  CHECK_EQ(factory.created, 2);  // a new instance each time, never a running one
  CHECK_EQ(script->Joined(), std::string(
      "word.Visible PUT = BOOL -1\n"
      "word.Documents GET\n"
      "word.Documents.Open CALL BSTR C:\\学校\\help.doc\n"
      "word.Visible PUT = BOOL -1\n"
      "word.Documents GET\n"
      "word.Documents.Open CALL BSTR C:\\学校\\help.doc"));
}

WIN_TEST(MissingWordProcessorIsAnErrorForTheErrorBox) {
  com::WindowsPlatform platform;
  try {
    platform.OpenInWordProcessor("C:\\help.doc");
    CHECK(!"an error was expected");
  } catch (const Error& e) {
    CHECK_EQ(e.number(), 429);
  }
}

WIN_TEST(SeparatorIsBackslash) { CHECK_EQ(com::WindowsPlatform().PathSeparator(), '\\'); }

namespace {

// A folder under the temporary folder, made empty; UTF-8.
std::string FreshFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  DeleteFileW((folder + L"\\help.doc").c_str());
  return com::Utf8FromWide(folder.data(), folder.size());
}

void WriteDocument(const std::string& path) {
  HANDLE file = CreateFileW(com::WideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  ::WriteFile(file, "doc", 3, &written, nullptr);
  CloseHandle(file);
}

}  // namespace

WIN_TEST(InstalledHelpIsBesideTheModuleAndOnlyWhenThere) {
  wchar_t program[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring folder(program, n);
  folder.resize(folder.find_last_of(L'\\'));
  CHECK_EQ(com::WindowsPlatform::ModuleFolder(), com::Utf8FromWide(folder.data(), folder.size()));

  const std::string installed = FreshFolder(L"tavo-安装");
  CHECK_EQ(com::WindowsPlatform(installed).InstalledHelpDocument(), std::string());
  CHECK(!com::WindowsPlatform().FileExists(installed));  // a folder is not a file
  WriteDocument(installed + "\\help.doc");
  CHECK_EQ(com::WindowsPlatform(installed).InstalledHelpDocument(), installed + "\\help.doc");
  CHECK_EQ(com::WindowsPlatform("").InstalledHelpDocument(), std::string());
}

// "cmdHelp"'s document with the Windows platform and real files: the
// workbook's copy, else the copy beside the DLL, else error 53 before the
// word processor is started. The stand-in word processor records the name.
WIN_TEST(HelpOpensTheWorkbooksCopyElseTheInstalledOne) {
  struct Case {
    const char* name;
    bool saved, beside, installed;
    int opened;  // 1 the workbook's copy, 2 the installed one, 0 error 53
  };
  const Case cases[] = {
      {"both", true, true, true, 1},
      {"installed only", true, false, true, 2},
      {"never saved", false, false, true, 2},
      {"workbook's only", true, true, false, 1},
      {"none", true, false, false, 0},
      {"never saved, none", false, false, false, 0},
  };
  for (const Case& c : cases) {
    const std::string workbook_folder = FreshFolder(L"tavo-学校");
    const std::string installed_folder = FreshFolder(L"tavo-安装");
    if (c.beside) WriteDocument(workbook_folder + "\\help.doc");
    if (c.installed) WriteDocument(installed_folder + "\\help.doc");
    auto model = workbook::NewWorkbookModel(1);
    model->path = c.saved ? workbook_folder : "";
    auto ea = workbook::OpenEmbeddedApplication(model);

    auto script = std::make_shared<Script>();
    FakeWordFactory factory(script);
    DWORD cookie = 0;
    CHECK(SUCCEEDED(CoRegisterClassObject(kFakeWordClsid, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie)));
    WriteProgId(L"{6C1F4A52-3B1E-4D6B-9A11-2E6F701D520B}");
    com::WindowsPlatform platform(installed_folder);
    int number = 0;
    try {
      bridge::OpenHelpDocument(*ea, platform);
    } catch (const Error& e) {
      number = e.number();
    }
    CoRevokeClassObject(cookie);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Word.Application");

    const std::string expected = c.opened == 1 ? workbook_folder + "\\help.doc" : installed_folder + "\\help.doc";
    if (c.opened == 0) {
      CHECK_EQ(number, 53);
      CHECK_EQ(factory.created, 0);  // no empty word-processor window
      continue;
    }
    CHECK_EQ(number, 0);
    CHECK_EQ(script->Joined(), std::string("word.Visible PUT = BOOL -1\n"
                                           "word.Documents GET\n"
                                           "word.Documents.Open CALL BSTR ") + expected);
  }
}
