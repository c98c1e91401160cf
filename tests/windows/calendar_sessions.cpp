#include "calendar_sessions.h"

#include <chrono>
#include <memory>

#include "bridge/myxl.h"
#include "workbook/embedded_host.h"
#include "workbook/memory_dialog.h"
#include "workbook/xlsx/host_workbook.h"
#include "workbook_dump.h"

namespace tavo::wintest {
namespace {

using namespace std::chrono;

// Boxes recorded instead of shown, described as the hook describes real ones.
class RecordingPlatform : public host::Platform {
 public:
  int MessageBox(const std::string& text, const std::string& title, int style) override {
    const char* icon = style == host::kStyleCritical ? "stop" : style == host::kStyleWarning ? "warning" : "?";
    boxes.push_back({title, text, icon});
    return 1;  // OK
  }
  void Beep(int, int) override {}
  void AdjustDialogWindow(const std::string&) override {}
  char PathSeparator() override { return '\\'; }
  void OpenInWordProcessor(const std::string&) override {}
  std::vector<Box> boxes;
};

std::vector<Step> Build(const std::string& start, const std::string& end, bool monday, bool colour, bool vertical,
                        int style, const std::string& command) {
  std::vector<Step> steps{{"", {}, "Initialize"}, {"txtBDate", start, "txtBDate"}, {"txtEDate", end, "txtEDate"}};
  auto option = [&](const char* on, const char* off) {
    steps.push_back({off, false, ""});
    steps.push_back({on, true, on});
  };
  monday ? option("optYi", "optRi") : option("optRi", "optYi");
  colour ? option("optYu", "optWu") : option("optWu", "optYu");
  vertical ? option("optShu", "optHng") : option("optHng", "optShu");
  style == 1 ? option("optYS1", "optYS2") : option("optYS2", "optYS1");
  steps.push_back({"", {}, command});
  return steps;
}

// The same with the holiday-marks box set before the build (the new host
// workbook has the marks on; clearing the box builds the unmarked sheet).
std::vector<Step> BuildWithMarks(bool marks, const std::string& start, const std::string& end, bool vertical,
                                 int style, const std::string& command) {
  std::vector<Step> steps = Build(start, end, true, true, vertical, style, command);
  steps.insert(steps.end() - 1, Step{"chkJia", marks, "chkJia"});
  return steps;
}

std::vector<ItemRow> AutumnTermItems() {
  return {{"2025-9-1", "2026-1-18", "学期", "第一学期", "", ""},   {"2025-9-1", "", "报到", "报到注册", "", ""},
          {"2025-8-30", "", "报到", "报到", "", "高三"},           {"2025-9-28", "2025-10-5", "停课", "秋假", "", ""},
          {"2025-10-11", "", "调课", "按周三课表", "", ""},         {"2025-11-3", "2025-11-7", "考试", "期中考试", "", ""},
          {"2026-1-12", "2026-1-16", "考试", "期末考试", "", ""},  {"2026-1-19", "2026-2-22", "假期", "寒假", "", ""}};
}

}  // namespace

std::vector<Session> CalendarSessions() {
  return {
      {"school_vertical_style1", Build("2024-9-1", "2025-1-31", true, true, true, 1, "cmdDoXL"), {}},
      {"school_vertical_style2", Build("2024-9-1", "2025-1-31", false, false, true, 2, "cmdDoXL"), {}},
      {"school_horizontal_style1", Build("2025-3-1", "2025-7-31", true, false, false, 1, "cmdDoXL"), {}},
      {"school_horizontal_style2", Build("2025-3-1", "2025-7-31", false, true, false, 2, "cmdDoXL"), {}},
      {"calendar_vertical_style1", Build("2025-1-1", "2025-12-31", true, true, true, 1, "cmdDoRL"), {}},
      {"calendar_vertical_style2", Build("2025-1-1", "2025-12-31", false, false, true, 2, "cmdDoRL"), {}},
      {"calendar_horizontal_style1", Build("2025-1-1", "2025-12-31", false, true, false, 1, "cmdDoRL"), {}},
      {"calendar_horizontal_style2", Build("2025-1-1", "2025-12-31", true, false, false, 2, "cmdDoRL"), {}},
      // Spring 2026 (春节 2.15-2.23, make-up days 2.14 and 2.28) marked, and autumn 2024 unmarked.
      {"school_marks_spring_2026", BuildWithMarks(true, "2026-2-1", "2026-7-10", true, 1, "cmdDoXL"), {}},
      {"school_marks_off", BuildWithMarks(false, "2024-9-1", "2025-1-31", false, 2, "cmdDoXL"), {}},
      {"rejected_dates", Build("2025-3-1", "2024-3-1", true, true, true, 1, "cmdDoXL"), {}},
      {"info_sheet_and_bad_date", {{"", {}, "cmdEdit"}, {"txtBDate", "not a date", "txtBDate"}, {"", {}, "cmdDoRL"}}, {}},
      // A university's autumn term from its own items, and a malformed item row.
      {"school_items_autumn_2025", Build("2025-9-1", "2026-2-22", true, true, true, 1, "cmdDoXL"), AutumnTermItems()},
      {"school_items_bad_row", Build("2025-9-1", "2026-2-22", true, false, false, 2, "cmdDoXL"),
       {{"2025-9-1", "2026-1-18", "学期", "", "", ""}, {"2025-11-3", "2025-11-7", "考式", "期中考试", "", ""}}},
  };
}

void WriteSchoolItems(host::Application& application, const std::vector<ItemRow>& items) {
  auto sheet = application.ThisWorkbook()->Worksheets()->Item("校历事项");
  int row = 2;
  for (const ItemRow& item : items) {
    for (std::size_t c = 0; c < item.size(); ++c)
      if (!item[c].empty()) sheet->Cells(row, static_cast<int>(c) + 1)->SetValue(host::Variant(item[c]));
    ++row;
  }
}

Outcome BuildDirectly(const Session& session) {
  const std::vector<Step>& steps = session.steps;
  auto model = std::make_shared<workbook::WorkbookModel>(xlsx::MakeHostWorkbook(Date{year{2024}, August, day{20}}));
  auto application = workbook::OpenEmbeddedApplication(model);
  WriteSchoolItems(*application, session.items);
  workbook::MemoryDialog dialog(kDialogCaption);
  RecordingPlatform platform;
  bridge::Myxl component(platform);
  for (const Step& step : steps) {
    if (!step.control.empty()) dialog.SetControlValue(step.control, step.value);
    if (!step.event.empty()) component.MyFun(*application, dialog, step.event);
  }
  return {DumpWorkbook(*model), platform.boxes};
}

}  // namespace tavo::wintest
