// `tavo init`, `tavo school`, `tavo calendar` and `tavo settings`: the dialog's
// events fired through MyFun over a host workbook file, as a person working
// the dialog would cause them, and the workbook saved only when the run
// completed.
#include <CLI/CLI.hpp>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/pdf_export.h"
#include "cli/workbook_session.h"
#include "common/error.h"
#include "platform/linux_platform.h"
#include "workbook/xlsx/host_workbook.h"
#include "workbook/xlsx/xlsx.h"

namespace tavo::cli {
namespace fs = std::filesystem;
namespace {

// Exit statuses of the workbook commands, besides kExitOk and kExitUsage.
constexpr int kExitNotice = 1;  // a 提示 message stopped the run
constexpr int kExitError = 2;   // an 错误 box was shown

constexpr const char* kDefaultOutput = "校历.xlsx";

struct DialogChoices {
  std::string workbook, output, pdf, start, end;
  bool force = false;
  bool monday = false, sunday = false, color = false, no_color = false;
  bool vertical = false, horizontal = false, style1 = false, style2 = false;
};

void ShowError(const std::string& text) { std::fprintf(stderr, "%s: %s\n", host::kTitleError, text.c_str()); }

void AddWorkbookOptions(CLI::App* cmd, DialogChoices& c, bool with_output) {
  cmd->add_option("-w,--workbook", c.workbook,
                  "宿主工作簿 (.xlsx)；省略则用内置工作簿 / the host workbook; the built-in one if omitted");
  cmd->add_option("--start", c.start, "开始日期 / start date, e.g. 2024-9-1");
  cmd->add_option("--end", c.end, "结束日期 / end date, e.g. 2025-1-19");
  auto* mon = cmd->add_flag("--monday", c.monday, "周一为每周第一天 / weeks start on Monday");
  auto* sun = cmd->add_flag("--sunday", c.sunday, "周日为每周第一天 / weeks start on Sunday");
  mon->excludes(sun);
  auto* col = cmd->add_flag("--color", c.color, "彩色 / with colour");
  auto* nocol = cmd->add_flag("--no-color", c.no_color, "黑白 / without colour");
  col->excludes(nocol);
  auto* ver = cmd->add_flag("--vertical", c.vertical, "竖排：周次向下 / weeks run down the sheet");
  auto* hor = cmd->add_flag("--horizontal", c.horizontal, "横排：周次向右 / weeks run across the sheet");
  ver->excludes(hor);
  auto* s1 = cmd->add_flag("--style1", c.style1, "样式一：月份水印 / style 1: month watermarks");
  auto* s2 = cmd->add_flag("--style2", c.style2, "样式二：月份栏 / style 2: month labels");
  s1->excludes(s2);
  if (with_output) {
    cmd->add_option("-o,--output", c.output,
                    "写到此文件；省略则就地更新工作簿，无工作簿时写 ./校历.xlsx / write here; "
                    "default: update the workbook in place, or ./校历.xlsx without one");
  }
}

// The option buttons chosen on the command line, as their dialog events.
std::vector<std::string> OptionEvents(const DialogChoices& c) {
  std::vector<std::string> events;
  if (c.monday) events.push_back("optYi");
  if (c.sunday) events.push_back("optRi");
  if (c.color) events.push_back("optYu");
  if (c.no_color) events.push_back("optWu");
  if (c.vertical) events.push_back("optShu");
  if (c.horizontal) events.push_back("optHng");
  if (c.style1) events.push_back("optYS1");
  if (c.style2) events.push_back("optYS2");
  return events;
}

bool ChangesSettings(const DialogChoices& c) {
  return !c.start.empty() || !c.end.empty() || !OptionEvents(c).empty();
}

// Where the result goes; nullopt (after a message) when the default output
// would overwrite a file the user did not name.
std::optional<std::string> OutputPath(const DialogChoices& c) {
  if (!c.output.empty()) return c.output;
  if (!c.workbook.empty()) return c.workbook;
  if (fs::exists(kDefaultOutput)) {
    ShowError(std::string(kDefaultOutput) +
              " 已存在：请用 -w 更新它或用 -o 指定输出文件 (already exists: update it with -w, or "
              "name the output with -o)");
    return std::nullopt;
  }
  return std::string(kDefaultOutput);
}

// "Initialize", the typed dates and the chosen options, in the order a
// person causes them. Returns false when an error box stopped the run.
bool FireDialogEvents(WorkbookSession& session, const DialogChoices& c) {
  session.Fire("Initialize");
  if (session.platform().errors()) return false;
  if (!c.start.empty()) session.EnterDate("txtBDate", c.start);
  if (!c.end.empty()) session.EnterDate("txtEDate", c.end);
  for (const auto& event : OptionEvents(c)) session.Fire(event);
  return session.platform().errors() == 0;
}

int RunBuild(const DialogChoices& c, bool school) {
  auto output = OutputPath(c);
  if (!output) return kExitUsage;
  platform::LinuxPlatform linux_platform;
  try {
    WorkbookSession session(c.workbook, linux_platform);
    if (!FireDialogEvents(session, c)) return kExitError;
    const int tones_before = session.platform().tones();
    session.Fire(school ? "cmdDoXL" : "cmdDoRL");
    if (session.platform().errors()) return kExitError;
    if (session.platform().tones() == tones_before) {
      if (session.platform().notices()) return kExitNotice;
      ShowError("生成未完成 (the build did not complete)");
      return kExitError;
    }
    // Print first, into a temporary file beside the PDF, so a failing
    // conversion leaves the workbook untouched.
    std::string pdf_temp;
    if (!c.pdf.empty()) {
      pdf_temp = c.pdf + ".tmp-" + std::to_string(::getpid());
      const std::string sheet_temp = pdf_temp + ".xlsx";
      session.SaveSingleSheet(school ? xlsx::kSchoolCalendarSheet : xlsx::kCalendarSheet, sheet_temp);
      try {
        ConvertXlsxToPdf(sheet_temp, pdf_temp);
      } catch (...) {
        fs::remove(sheet_temp);
        throw;
      }
      fs::remove(sheet_temp);
    }
    session.Save(*output);
    if (!pdf_temp.empty()) fs::rename(pdf_temp, c.pdf);
    std::printf("%s\n", output->c_str());
    if (!c.pdf.empty()) std::printf("%s\n", c.pdf.c_str());
  } catch (const Error& e) {
    ShowError(ErrorMessage(e));
    return kExitError;
  } catch (const std::exception& e) {
    ShowError(e.what());
    return kExitError;
  }
  return kExitOk;
}

void PrintSettings(host::Application& app) {
  auto dtb = app.ThisWorkbook()->Worksheets()->Item("DTB");
  auto cell = [&](int row, int column) { return dtb->Cells(row, column)->Value().ToText(); };
  const char* labels[] = {"开始日期 start", "结束日期 end", "周起始 week start (1 Mon, 2 Sun)",
                          "颜色 colour (1 on, 2 off)", "方向 direction (1 vertical, 3 horizontal)",
                          "样式 style (1, 2)", "校历页面键 school key", "日历页面键 calendar key"};
  for (int column = 2; column <= 9; ++column)
    std::printf("%s\t%s\n", labels[column - 2], cell(2, column).c_str());
  std::printf("\n页面设置 page setup\tkey\ttop\tbottom\tfooter\torientation\tpaper\tzoom\n");
  for (int block = 0; block < 2; ++block) {
    for (int key = 2; key <= 5; ++key) {
      std::printf("%s\t%d", block == 0 ? "校历表 school" : "日历表 calendar", key);
      for (int column = 0; column < 6; ++column)
        std::printf("\t%s", cell(key, (block == 0 ? 11 : 21) + column).c_str());
      std::printf("\n");
    }
  }
}

int RunSettings(const DialogChoices& c) {
  const bool changes = ChangesSettings(c);
  std::optional<std::string> output;
  if (changes) {
    output = OutputPath(c);
    if (!output) return kExitUsage;
  }
  platform::LinuxPlatform linux_platform;
  try {
    WorkbookSession session(c.workbook, linux_platform);
    if (!FireDialogEvents(session, c)) return kExitError;
    if (session.platform().notices()) return kExitNotice;
    PrintSettings(session.application());
    if (changes) session.Save(*output);
  } catch (const Error& e) {
    ShowError(ErrorMessage(e));
    return kExitError;
  }
  return kExitOk;
}

int RunInit(const std::string& path, bool force) {
  if (fs::is_directory(path)) {
    ShowError(path + " 是文件夹 (is a folder)");
    return kExitUsage;
  }
  if (fs::exists(path) && !force) {
    ShowError(path + " 已存在，用 --force 覆盖 (already exists; --force overwrites it)");
    return kExitUsage;
  }
  try {
    xlsx::SaveXlsx(xlsx::MakeHostWorkbook(), nullptr, path);
  } catch (const Error& e) {
    ShowError(ErrorMessage(e));
    return kExitError;
  }
  std::printf("%s\n", path.c_str());
  return kExitOk;
}

constexpr const char* kBuildFooter =
    "退出状态 / exit status: 0 生成完成 built; 1 提示 a notice stopped it; 2 错误 an error box; "
    "64 用法错误 bad usage.\n"
    "Nothing is written unless the build completed.\n"
    "Examples:\n"
    "  tavo school --start 2024-9-1 --end 2025-1-19 -o 校历.xlsx --pdf 校历.pdf\n"
    "  tavo school -w 学校.xlsx --horizontal --style2\n"
    "  tavo calendar -w 学校.xlsx --start 2025-1-1 --end 2025-12-31 --sunday";

}  // namespace
}  // namespace tavo::cli

void RegisterBuildCommands(CLI::App& app, int& exit_code) {
  using namespace tavo::cli;
  static DialogChoices school, calendar, settings;
  static std::string init_path;
  static bool init_force = false;

  auto* init = app.add_subcommand(
      "init", "写出内置的宿主工作簿 (DTB、信息表) / write the built-in host workbook (DTB, 信息表)");
  init->add_option("FILE", init_path, "新工作簿 / the new workbook (.xlsx)")->required();
  init->add_flag("--force", init_force, "覆盖已有文件 / overwrite an existing file");
  init->footer("Example: tavo init 学校.xlsx");
  init->callback([code = &exit_code] { *code = RunInit(init_path, init_force); });

  auto* xl = app.add_subcommand("school", "生成校历表 / build the school calendar sheet 校历表");
  AddWorkbookOptions(xl, school, true);
  xl->add_option("--pdf", school.pdf, "同时打印为 PDF / also print the sheet to this PDF file");
  xl->footer(kBuildFooter);
  xl->callback([code = &exit_code] { *code = RunBuild(school, true); });

  auto* rl = app.add_subcommand("calendar", "生成日历表 / build the calendar sheet 日历表");
  AddWorkbookOptions(rl, calendar, true);
  rl->add_option("--pdf", calendar.pdf, "同时打印为 PDF / also print the sheet to this PDF file");
  rl->footer(kBuildFooter);
  rl->callback([code = &exit_code] { *code = RunBuild(calendar, false); });

  auto* st = app.add_subcommand(
      "settings", "保存并显示设置 (DTB 第2行与页面设置表) / store and show the settings and page-setup table");
  AddWorkbookOptions(st, settings, true);
  st->footer("Examples:\n  tavo settings -w 学校.xlsx\n  tavo settings -w 学校.xlsx --horizontal --style2");
  st->callback([code = &exit_code] { *code = RunSettings(settings); });
}
