// The longest range a build allows (2000-01-01 to 2020-12-31) on the
// embedded workbook, per sheet kind and direction, style 1 (watermarks).
#include <benchmark/benchmark.h>

#include <memory>

#include "lunar/lunar_engine.h"
#include "sheets/build_commands.h"
#include "host/dialog.h"
#include "workbook/embedded_host.h"

namespace {

class BenchDialog : public tavo::host::Dialog {
 public:
  tavo::host::Variant ControlValue(const std::string& control) override {
    return control == "txtBDate" ? "2000-1-1" : "2020-12-31";
  }
  void SetControlValue(const std::string&, const tavo::host::Variant&) override {}
  std::string Caption() override { return "校历表"; }
};

class SilentPlatform : public tavo::host::Platform {
 public:
  int MessageBox(const std::string&, const std::string&, int) override { return 1; }
  void Beep(int, int) override {}
  void AdjustDialogWindow(const std::string&) override {}
  char PathSeparator() override { return '/'; }
  void OpenInWordProcessor(const std::string&) override {}
};

// "DTB" with the options and a page-setup table, "信息表" with its texts.
std::unique_ptr<tavo::host::Application> PreparedWorkbook(int direction, int style) {
  auto app = tavo::workbook::OpenEmbeddedApplication(tavo::workbook::NewWorkbookModel(2));
  auto sheets = app->ThisWorkbook()->Worksheets();
  auto dtb = sheets->Item(1);
  dtb->SetName("DTB");
  const int options[] = {1, 1, direction, style};
  for (int i = 0; i < 4; ++i) dtb->Cells(2, 4 + i)->SetValue(options[i]);
  for (int key = 2; key <= 5; ++key) {
    for (int first : {11, 21}) {
      const double row[] = {54, 54, 21.6, 1, 9, 100};
      for (int i = 0; i < 6; ++i) dtb->Cells(key, first + i)->SetValue(row[i]);
    }
  }
  auto info = sheets->Item(2);
  info->SetName("信息表");
  info->Cells(3, 4)->SetValue("校历");
  info->Cells(3, 3)->SetValue("说明");
  info->Cells(3, 2)->SetValue("备注");
  return app;
}

template <bool kSchool>
void BuildTwentyYears(benchmark::State& state) {
  const int direction = static_cast<int>(state.range(0));
  tavo::lunar::LunarEngine engine;
  BenchDialog dialog;
  SilentPlatform platform;
  for (auto _ : state) {
    state.PauseTiming();
    auto app = PreparedWorkbook(direction, 1);
    state.ResumeTiming();
    tavo::sheets::BuildSheet(kSchool ? tavo::sheets::kSchoolCalendar : tavo::sheets::kCalendar, engine, *app,
                             dialog, platform);
    benchmark::DoNotOptimize(app);
    state.PauseTiming();
    app.reset();  // the workbook's teardown is not part of a build
    state.ResumeTiming();
  }
}

BENCHMARK_TEMPLATE(BuildTwentyYears, true)
    ->Name("SchoolCalendar/20y")
    ->ArgName("direction")
    ->Arg(1)
    ->Arg(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BuildTwentyYears, false)
    ->Name("Calendar/20y")
    ->ArgName("direction")
    ->Arg(1)
    ->Arg(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
