// The decisive check of the Windows component: whole calendars built through
// tavo.dll by late binding (MyFun called by name on the registered class,
// every sheet access an Invoke by name on an automation object over the
// embedded workbook) must equal, cell by cell and format by format, the same
// sessions built by the native build on this machine (reference files given
// as the program's argument) and built here by the same sources called
// directly.
#include <initguid.h>

#include "tavo_h.h"
#include "com/windows_api.h"
#include <cguid.h>

#include <chrono>
#include <fstream>
#include <memory>

#include "box_answerer.h"
#include "calendar_sessions.h"
#include "check.h"
#include "host_automation.h"
#include "reference_file.h"
#include "workbook/embedded_host.h"
#include "workbook/memory_dialog.h"
#include "workbook/xlsx/host_workbook.h"
#include "workbook_dump.h"
#include "com/wide_text.h"

using namespace tavo;
using namespace tavo::wintest;
using namespace std::chrono;

namespace {

// MyFun by name through IDispatch, with EA, UF and strFlag by reference as
// compiled dialog code passes them.
HRESULT CallMyFun(IDispatch* component, DISPID id, IDispatch*& ea, IDispatch*& uf, const std::string& event) {
  std::wstring wide = com::WideFromUtf8(event);
  BSTR flag = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  VARIANT args[3];
  V_VT(&args[2]) = VT_DISPATCH | VT_BYREF, V_DISPATCHREF(&args[2]) = &ea;
  V_VT(&args[1]) = VT_DISPATCH | VT_BYREF, V_DISPATCHREF(&args[1]) = &uf;
  V_VT(&args[0]) = VT_BSTR | VT_BYREF, V_BSTRREF(&args[0]) = &flag;
  DISPPARAMS params{args, nullptr, 3, 0};
  VARIANT result;
  VariantInit(&result);
  HRESULT hr = component->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr,
                                 nullptr);
  if (V_VT(&result) != VT_EMPTY) hr = E_UNEXPECTED;
  SysFreeString(flag);
  return hr;
}

Outcome BuildThroughTheComponent(const Session& session) {
  const std::vector<Step>& steps = session.steps;
  auto model = std::make_shared<workbook::WorkbookModel>(xlsx::MakeHostWorkbook(Date{year{2024}, August, day{20}}));
  auto application = workbook::OpenEmbeddedApplication(model);
  WriteSchoolItems(*application, session.items);
  workbook::MemoryDialog dialog(kDialogCaption);
  Outcome outcome;
  CLSID clsid{};
  IDispatch* component = nullptr;
  if (FAILED(CLSIDFromProgID(L"tavo.myxl", &clsid)) ||
      FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                              reinterpret_cast<void**>(&component)))) {
    CHECK(!"tavo.myxl could not be created");
    return outcome;
  }
  IDispatch* ea = NewApplicationAutomation(*application);
  IDispatch* uf = NewDialogAutomation(dialog);
  LPOLESTR name = const_cast<LPOLESTR>(L"MyFun");
  DISPID id = 0;
  CHECK_EQ(component->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
  {
    BoxAnswerer answerer;
    for (const Step& step : steps) {
      if (!step.control.empty()) dialog.SetControlValue(step.control, step.value);
      if (!step.event.empty()) CHECK_EQ(CallMyFun(component, id, ea, uf, step.event), S_OK);
    }
    for (const SeenBox& box : answerer.boxes()) outcome.boxes.push_back({box.title, box.text, box.icon});
  }
  ea->Release();
  uf->Release();
  component->Release();
  outcome.dump = DumpWorkbook(*model);
  return outcome;
}

// Reports the first line where the two differ, or a length difference.
void ExpectSameLines(const std::vector<std::string>& actual, const std::vector<std::string>& expected,
                     const char* against) {
  for (size_t i = 0; i < std::min(actual.size(), expected.size()); ++i) {
    if (actual[i] != expected[i]) {
      std::printf("  first difference from the %s build, line %zu:\n", against, i + 1);
      CHECK_EQ(actual[i], expected[i]);
      return;
    }
  }
  if (actual.size() != expected.size()) std::printf("  line counts differ from the %s build\n", against);
  CHECK_EQ(actual.size(), expected.size());
}

std::vector<std::string> ReadReference(const std::string& name) {
  std::vector<std::string> lines;
  if (Arguments().empty()) return lines;
  std::ifstream in(Arguments()[0] + "/" + name + ".txt", std::ios::binary);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void ExpectSameAsNative(const Session& session) {
  auto started = steady_clock::now();
  std::vector<std::string> late = ReferenceLines(BuildThroughTheComponent(session));
  auto late_ms = duration_cast<milliseconds>(steady_clock::now() - started).count();
  started = steady_clock::now();
  std::vector<std::string> direct = ReferenceLines(BuildDirectly(session));
  auto direct_ms = duration_cast<milliseconds>(steady_clock::now() - started).count();
  std::vector<std::string> native = ReadReference(session.name);
  std::printf("  %s: %zu facts; %lld ms by late binding, %lld ms direct\n", session.name.c_str(), late.size(),
              static_cast<long long>(late_ms), static_cast<long long>(direct_ms));
  CHECK(!native.empty());  // the native reference must be there
  ExpectSameLines(late, native, "native");
  ExpectSameLines(late, direct, "direct");
}

const Session& Named(const std::string& name) {
  static const std::vector<Session> sessions = CalendarSessions();
  for (const Session& s : sessions) {
    if (s.name == name) return s;
  }
  throw std::runtime_error("no session " + name);
}

}  // namespace

WIN_TEST(SchoolCalendarVerticalStyle1) { ExpectSameAsNative(Named("school_vertical_style1")); }
WIN_TEST(SchoolCalendarVerticalStyle2) { ExpectSameAsNative(Named("school_vertical_style2")); }
WIN_TEST(SchoolCalendarHorizontalStyle1) { ExpectSameAsNative(Named("school_horizontal_style1")); }
WIN_TEST(SchoolCalendarHorizontalStyle2) { ExpectSameAsNative(Named("school_horizontal_style2")); }
WIN_TEST(CalendarVerticalStyle1) { ExpectSameAsNative(Named("calendar_vertical_style1")); }
WIN_TEST(CalendarVerticalStyle2) { ExpectSameAsNative(Named("calendar_vertical_style2")); }
WIN_TEST(CalendarHorizontalStyle1) { ExpectSameAsNative(Named("calendar_horizontal_style1")); }
WIN_TEST(CalendarHorizontalStyle2) { ExpectSameAsNative(Named("calendar_horizontal_style2")); }
WIN_TEST(RejectedDatesShowTheSameNoticeAndChangeNothing) { ExpectSameAsNative(Named("rejected_dates")); }
WIN_TEST(InfoSheetAndBadDateMatch) { ExpectSameAsNative(Named("info_sheet_and_bad_date")); }
WIN_TEST(SchoolItemsOfAnAutumnTerm) { ExpectSameAsNative(Named("school_items_autumn_2025")); }
WIN_TEST(AMalformedItemRowShowsTheSameNotice) { ExpectSameAsNative(Named("school_items_bad_row")); }
