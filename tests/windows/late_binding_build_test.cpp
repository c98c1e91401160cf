// The decisive check of the Windows component: whole calendars built through
// tavo.dll by late binding (MyFun on the registered class, every sheet access
// an Invoke by name on an automation object over the embedded workbook) must
// equal, cell by cell and format by format, the same calendars built by the
// same sources called directly on the embedded workbook.
#include <initguid.h>

#include "tavo_h.h"
#include "com/windows_api.h"
#include <cguid.h>

#include <memory>

#include "box_answerer.h"
#include "bridge/myxl.h"
#include "check.h"
#include "host_automation.h"
#include "workbook/embedded_host.h"
#include "workbook/memory_dialog.h"
#include "workbook/xlsx/host_workbook.h"
#include "workbook_dump.h"

using namespace tavo;
using namespace tavo::wintest;
using namespace std::chrono;

namespace {

struct Box {
  std::string title, text, icon;
  bool operator==(const Box&) const = default;
};

// Boxes of the direct road, described as the hook describes the real ones.
class RecordingPlatform : public host::Platform {
 public:
  int MessageBox(const std::string& text, const std::string& title, int style) override {
    boxes.push_back({title, text, style == host::kStyleCritical ? "stop" : style == host::kStyleWarning ? "warning" : "?"});
    return IDOK;
  }
  void Beep(int, int) override {}
  void AdjustDialogWindow(const std::string&) override {}
  char PathSeparator() override { return '\\'; }
  void OpenInWordProcessor(const std::string&) override {}
  std::vector<Box> boxes;
};

// One user session: the dialog opens, dates and options are entered, and
// the build button is pressed; each step is one event.
struct Step {
  std::string control;  // set before the event, empty for none
  host::Variant value;
  std::string event;
};

std::vector<Step> Session(const std::string& start, const std::string& end, bool monday, bool colour,
                          bool vertical, int style, const std::string& build) {
  std::vector<Step> steps{{"", {}, "Initialize"}, {"txtBDate", start, "txtBDate"}, {"txtEDate", end, "txtEDate"}};
  auto option = [&](const char* on, const char* off) {
    steps.push_back({off, false, ""});
    steps.push_back({on, true, on});
  };
  monday ? option("optYi", "optRi") : option("optRi", "optYi");
  colour ? option("optYu", "optWu") : option("optWu", "optYu");
  vertical ? option("optShu", "optHng") : option("optHng", "optShu");
  style == 1 ? option("optYS1", "optYS2") : option("optYS2", "optYS1");
  steps.push_back({"", {}, build});
  return steps;
}

std::shared_ptr<workbook::WorkbookModel> HostWorkbook() {
  return std::make_shared<workbook::WorkbookModel>(xlsx::MakeHostWorkbook(Date{year{2024}, August, day{20}}));
}

struct Outcome {
  std::vector<std::string> dump;
  std::vector<Box> boxes;
};

Outcome BuildDirectly(const std::vector<Step>& steps) {
  auto model = HostWorkbook();
  auto application = workbook::OpenEmbeddedApplication(model);
  workbook::MemoryDialog dialog("校历生成器");
  RecordingPlatform platform;
  bridge::Myxl component(platform);
  for (const Step& step : steps) {
    if (!step.control.empty()) dialog.SetControlValue(step.control, step.value);
    if (!step.event.empty()) component.MyFun(*application, dialog, step.event);
  }
  return {DumpWorkbook(*model), platform.boxes};
}

Outcome BuildThroughTheComponent(const std::vector<Step>& steps) {
  auto model = HostWorkbook();
  auto application = workbook::OpenEmbeddedApplication(model);
  workbook::MemoryDialog dialog("校历生成器");
  Outcome outcome;
  CLSID clsid{};
  _myxl* component = nullptr;
  if (FAILED(CLSIDFromProgID(L"tavo.myxl", &clsid)) ||
      FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID__myxl, reinterpret_cast<void**>(&component)))) {
    CHECK(!"tavo.myxl could not be created");
    return outcome;
  }
  IDispatch* ea = NewApplicationAutomation(*application);
  IDispatch* uf = NewDialogAutomation(dialog);
  // The host calls by name, as late-bound dialog code does.
  LPOLESTR name = const_cast<LPOLESTR>(L"MyFun");
  DISPID id = 0;
  component->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
  {
    BoxAnswerer answerer;
    for (const Step& step : steps) {
      if (!step.control.empty()) dialog.SetControlValue(step.control, step.value);
      if (step.event.empty()) continue;
      BSTR flag = SysAllocStringLen(nullptr, 0);
      std::wstring wide(step.event.begin(), step.event.end());
      SysReAllocString(&flag, wide.c_str());
      VARIANT args[3];
      V_VT(&args[2]) = VT_DISPATCH | VT_BYREF, V_DISPATCHREF(&args[2]) = &ea;
      V_VT(&args[1]) = VT_DISPATCH | VT_BYREF, V_DISPATCHREF(&args[1]) = &uf;
      V_VT(&args[0]) = VT_BSTR | VT_BYREF, V_BSTRREF(&args[0]) = &flag;
      DISPPARAMS params{args, nullptr, 3, 0};
      VARIANT result;
      VariantInit(&result);
      HRESULT hr = component->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr,
                                     nullptr);
      CHECK_EQ(hr, S_OK);
      SysFreeString(flag);
    }
    for (const SeenBox& box : answerer.boxes()) outcome.boxes.push_back({box.title, box.text, box.icon});
  }
  ea->Release();
  uf->Release();
  component->Release();
  outcome.dump = DumpWorkbook(*model);
  return outcome;
}

void ExpectSameBuild(const std::vector<Step>& steps, size_t minimum_lines) {
  Outcome direct = BuildDirectly(steps);
  Outcome late = BuildThroughTheComponent(steps);
  CHECK(direct.dump.size() >= minimum_lines);
  std::printf("  %zu lines: %s; %zu boxes%s%s\n", direct.dump.size(), direct.dump.front().c_str(), direct.boxes.size(),
              direct.boxes.empty() ? "" : ", first: ", direct.boxes.empty() ? "" : direct.boxes[0].text.c_str());
  CHECK_EQ(late.dump.size(), direct.dump.size());
  for (size_t i = 0; i < std::min(late.dump.size(), direct.dump.size()); ++i) {
    if (late.dump[i] != direct.dump[i]) {
      CHECK_EQ(late.dump[i], direct.dump[i]);  // the first difference only
      break;
    }
  }
  CHECK_EQ(late.boxes.size(), direct.boxes.size());
  for (size_t i = 0; i < std::min(late.boxes.size(), direct.boxes.size()); ++i) {
    CHECK_EQ(late.boxes[i].title, direct.boxes[i].title);
    CHECK_EQ(late.boxes[i].text, direct.boxes[i].text);
    CHECK_EQ(late.boxes[i].icon, direct.boxes[i].icon);
  }
}

}  // namespace

WIN_TEST(SchoolCalendarVerticalStyle1) {
  ExpectSameBuild(Session("2024-9-1", "2025-1-31", true, true, true, 1, "cmdDoXL"), 500);
}
WIN_TEST(SchoolCalendarVerticalStyle2) {
  ExpectSameBuild(Session("2024-9-1", "2025-1-31", false, false, true, 2, "cmdDoXL"), 500);
}
WIN_TEST(SchoolCalendarHorizontalStyle1) {
  ExpectSameBuild(Session("2025-3-1", "2025-7-31", true, false, false, 1, "cmdDoXL"), 500);
}
WIN_TEST(SchoolCalendarHorizontalStyle2) {
  ExpectSameBuild(Session("2025-3-1", "2025-7-31", false, true, false, 2, "cmdDoXL"), 500);
}
WIN_TEST(CalendarVerticalStyle1) {
  ExpectSameBuild(Session("2025-1-1", "2025-12-31", true, true, true, 1, "cmdDoRL"), 500);
}
WIN_TEST(CalendarVerticalStyle2) {
  ExpectSameBuild(Session("2025-1-1", "2025-12-31", false, false, true, 2, "cmdDoRL"), 500);
}
WIN_TEST(CalendarHorizontalStyle1) {
  ExpectSameBuild(Session("2025-1-1", "2025-12-31", false, true, false, 1, "cmdDoRL"), 500);
}
WIN_TEST(CalendarHorizontalStyle2) {
  ExpectSameBuild(Session("2025-1-1", "2025-12-31", true, false, false, 2, "cmdDoRL"), 500);
}
WIN_TEST(RejectedDatesShowTheSameNoticeAndChangeNothing) {
  ExpectSameBuild(Session("2025-3-1", "2024-3-1", true, true, true, 1, "cmdDoXL"), 10);
}
WIN_TEST(InfoSheetAndMissingSheetErrorsMatch) {
  std::vector<Step> steps{{"", {}, "cmdEdit"}, {"txtBDate", "not a date", "txtBDate"}, {"", {}, "cmdDoRL"}};
  ExpectSameBuild(steps, 10);
}
