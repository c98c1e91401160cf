// `tavo init`, `tavo school`, `tavo calendar` and `tavo settings`: the dialog's
// events fired through MyFun over a host workbook file, as a person working
// the dialog would cause them, and the workbook saved only when the run
// completed.
#include <CLI/CLI.hpp>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/command_frame.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/help_document.h"
#include "cli/office_convert.h"
#include "cli/workbook_files.h"
#include "cli/workbook_session.h"
#include "bridge/settings_sheet.h"
#include "hostbook/built_sheets.h"
#include "common/error.h"
#include "host/dialog_controls.h"
#include "platform/linux_platform.h"
#include "workbook/xlsx/host_workbook.h"
#include "workbook/xlsx/macro_workbook.h"
#include "workbook/xlsx/xlsx.h"

namespace tavo::cli {
namespace fs = std::filesystem;
namespace {

constexpr const char* kDefaultOutput = "校历.xlsx";

struct DialogChoices {
  std::string workbook, output, pdf, start, end;
  bool force = false;
  bool monday = false, sunday = false, color = false, no_color = false;
  bool vertical = false, horizontal = false, style1 = false, style2 = false;
  bool holidays = false, no_holidays = false;
};

constexpr const char* kForceHelp =
    "即使其他程序打开着该工作簿也写入 / write even while another program has the workbook open";

void AddWorkbookOptions(CLI::App* cmd, DialogChoices& c, bool with_output) {
  cmd->add_option("-w,--workbook", c.workbook,
                  "宿主工作簿 (.xlsx、.xlsm；.xls、.ods 经 LibreOffice 读入，须给 -o)；省略则用内置工作簿 / "
                  "the host workbook (.xlsx, .xlsm; .xls and .ods are read through LibreOffice and "
                  "need -o); the built-in one if omitted");
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
  auto* hol = cmd->add_flag("--holidays", c.holidays,
                            "标出法定放假与调休上班 (DTB J2=1) / mark official days off and make-up working days");
  auto* nohol = cmd->add_flag("--no-holidays", c.no_holidays, "不标出放假与调休 / no holiday marks");
  hol->excludes(nohol);
  if (with_output) {
    cmd->add_option("-o,--output", c.output,
                    "写到此文件；省略则就地更新工作簿，无工作簿时写 ./校历.xlsx / write here; "
                    "default: update the workbook in place, or ./校历.xlsx without one");
    cmd->add_flag("--force", c.force, kForceHelp);
  }
}

// The option buttons chosen on the command line, as their dialog events.
std::vector<std::string> OptionEvents(const DialogChoices& c) {
  std::vector<std::string> events;
  if (c.monday) events.push_back(host::kMondayFirstOption);
  if (c.sunday) events.push_back(host::kSundayFirstOption);
  if (c.color) events.push_back(host::kWithColorOption);
  if (c.no_color) events.push_back(host::kNoColorOption);
  if (c.vertical) events.push_back(host::kVerticalOption);
  if (c.horizontal) events.push_back(host::kHorizontalOption);
  if (c.style1) events.push_back(host::kStyle1Option);
  if (c.style2) events.push_back(host::kStyle2Option);
  return events;
}

bool ChangesSettings(const DialogChoices& c) {
  return !c.start.empty() || !c.end.empty() || !OptionEvents(c).empty() || c.holidays ||
         c.no_holidays;
}

// Refuses (after a message) an output we do not write: a workbook in a
// format read only through LibreOffice.
bool WritableOutput(const std::string& output) {
  if (!NeedsConversion(output)) return true;
  ShowError(output + "：只写 .xlsx 或 .xlsm 工作簿，请用 -o NAME.xlsx (tavo writes .xlsx or .xlsm "
                     "workbooks only: name one with -o NAME.xlsx)");
  return false;
}

// Where the result goes; nullopt (after a message) when the default output
// would overwrite a file the user did not name, or would replace an .xls or
// .ods workbook.
std::optional<std::string> OutputPath(const DialogChoices& c) {
  if (!c.output.empty()) {
    if (!WritableOutput(c.output)) return std::nullopt;
    return c.output;
  }
  if (!c.workbook.empty() && NeedsConversion(c.workbook)) {
    ShowError(c.workbook + " 不会被改写：请用 -o NAME.xlsx 指定输出文件 (is never written over: name the "
                           ".xlsx output with -o NAME.xlsx)");
    return std::nullopt;
  }
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
  using bridge::Outcome;
  if (session.Fire(host::kInitializeEvent) == Outcome::kFailed) return false;
  bool failed = false;
  if (!c.start.empty()) failed |= session.EnterDate(host::kStartDateBox, c.start) == Outcome::kFailed;
  if (!c.end.empty()) failed |= session.EnterDate(host::kEndDateBox, c.end) == Outcome::kFailed;
  for (const auto& event : OptionEvents(c)) failed |= session.Fire(event) == Outcome::kFailed;
  if (c.holidays || c.no_holidays)
    failed |= session.Tick(host::kHolidayMarksBox, c.holidays) == Outcome::kFailed;
  return !failed;
}

int RunBuild(const DialogChoices& c, const hostbook::BuiltSheet& kind) {
  auto output = OutputPath(c);
  if (!output) return kExitUsage;
  if (!FreeToWrite(*output, c.force)) return kExitError;
  return WithWorkbook(c.workbook, [&](WorkbookSession& session, platform::LinuxPlatform&) {
    if (!FireDialogEvents(session, c)) return kExitError;
    if (const int status = BuildStatus(session.Fire(kind.event), session); status != kExitOk) return status;
    // Print first, into a temporary file beside the PDF, so a failing
    // conversion leaves the workbook untouched.
    std::string pdf_temp;
    if (!c.pdf.empty()) {
      pdf_temp = c.pdf + ".tmp-" + std::to_string(::getpid());
      const std::string sheet_temp = pdf_temp + ".xlsx";
      session.SaveSingleSheet(kind.sheet_name, sheet_temp);
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
    return kExitOk;
  });
}

void PrintSettings(host::Application& app) {
  namespace cells = settings;
  auto dtb = app.ThisWorkbook()->Worksheets()->Item(cells::kSheetName);
  auto cell = [&](int row, int column) { return dtb->Cells(row, column)->Value().ToText(); };
  const std::pair<int, const char*> labels[] = {
      {cells::kStartDateColumn, "开始日期 start"},
      {cells::kEndDateColumn, "结束日期 end"},
      {cells::kWeekStartColumn, "周起始 week start (1 Mon, 2 Sun)"},
      {cells::kColorModeColumn, "颜色 colour (1 on, 2 off)"},
      {cells::kLayoutDirectionColumn, "方向 direction (1 vertical, 3 horizontal)"},
      {cells::kLayoutStyleColumn, "样式 style (1, 2)"},
  };
  for (const auto& [column, label] : labels)
    std::printf("%s\t%s\n", label, cell(cells::kRow, column).c_str());
  for (const hostbook::BuiltSheet& kind : hostbook::BuiltSheets())
    std::printf("%s\t%s\n", kind.key_label, cell(cells::kRow, kind.key_column).c_str());
  std::printf("%s\t%s\n", "放假调休标记 holiday marks (1 on)", cell(cells::kRow, cells::kHolidayMarksColumn).c_str());
  std::printf("\n页面设置 page setup\tkey\ttop\tbottom\tfooter\torientation\tpaper\tzoom\n");
  for (const hostbook::BuiltSheet& kind : hostbook::BuiltSheets()) {
    for (int key = cells::kFirstPageSetupRow; key <= cells::kLastPageSetupRow; ++key) {
      std::printf("%s %s\t%d", kind.sheet_name, kind.command, key);
      for (int column = 0; column < cells::kPageSetupColumns; ++column)
        std::printf("\t%s", cell(key, kind.setup_first_column + column).c_str());
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
    if (!FreeToWrite(*output, c.force)) return kExitError;
  }
  return WithWorkbook(c.workbook, [&](WorkbookSession& session, platform::LinuxPlatform&) {
    if (!FireDialogEvents(session, c)) return kExitError;
    if (session.platform().notices()) return kExitNotice;
    PrintSettings(session.application());
    if (changes) session.Save(*output);
    return kExitOk;
  });
}

// `tavo init --into FILE [-o OUT]`: the host sheets added to a workbook the
// user already has; every part of it that they do not touch stays as it was.
int RunInitInto(const std::string& into, const std::string& output, bool force) {
  DialogChoices c;
  c.workbook = into;
  c.output = output;
  auto target = OutputPath(c);
  if (!target) return kExitUsage;
  if (!FreeToWrite(*target, force)) return kExitError;
  return WithWorkbook(into, [&](WorkbookSession& session, platform::LinuxPlatform&) {
    xlsx::AddHostSheets(session.model());
    session.Save(*target);
    std::printf("%s\n", target->c_str());
    return kExitOk;
  });
}

// The help button looks in the workbook's folder first, so a new workbook
// gets the installed help.doc beside it. The workbook is written either way;
// a help document that could not be placed is a notice, not a failure.
void PlaceHelpBeside(const std::string& workbook) {
  platform::LinuxPlatform linux_platform;
  try {
    if (PlaceHelpDocumentBeside(workbook, linux_platform.InstalledHelpDocument()) == HelpCopy::kNoneInstalled)
      linux_platform.Notify("未安装帮助文档 help.doc，未放到工作簿旁 (no help.doc installed to place beside the workbook)");
  } catch (const Error& e) {
    linux_platform.Notify(ErrorMessage(e));
  }
}

int RunInit(const std::string& path, bool force, bool macro) {
  if (fs::is_directory(path)) {
    ShowError(path + " 是文件夹 (is a folder)");
    return kExitUsage;
  }
  if (!WritableOutput(path)) return kExitUsage;
  if (fs::exists(path) && !force) {
    ShowError(path + " 已存在，用 --force 覆盖 (already exists; --force overwrites it)");
    return kExitUsage;
  }
  if (!FreeToWrite(path, force)) return kExitError;
  const int status = Framed([&] {
    if (macro) {
      xlsx::SaveMacroWorkbook(path);
    } else {
      xlsx::SaveXlsx(xlsx::MakeHostWorkbook(), nullptr, path);
    }
    return kExitOk;
  });
  if (status != kExitOk) return status;
  PlaceHelpBeside(path);
  std::printf("%s\n", path.c_str());
  return kExitOk;
}

constexpr const char* kBuildFooter =
    "退出状态 / exit status: 0 生成完成 built; 1 提示 a notice stopped it; 2 错误 an error box; "
    "64 用法错误 bad usage.\n"
    "Nothing is written unless the build completed.\n"
    "校历表 reads the workbook's sheet 校历事项: one item a row, A 开始, B 结束 (empty for one day),\n"
    "C 类别 (学期 假期 报到 考试 活动 停课 调课), D 事项, E 起始周次 (a term's first week, 0 = 预备周),\n"
    "F 对象; with 学期 rows the weeks are numbered from the terms, 停课 days show 休, 调课 days on a\n"
    "weekend 班, exams 考, vacations their own fill; a range of two terms prints on one page.\n"
    "Examples:\n"
    "  tavo school --start 2024-9-1 --end 2025-1-19 -o 校历.xlsx --pdf 校历.pdf\n"
    "  tavo school -w 学校.xlsx --horizontal --style2\n"
    "  tavo calendar -w 学校.xlsx --start 2025-1-1 --end 2025-12-31 --sunday";

}  // namespace
}  // namespace tavo::cli

void RegisterBuildCommands(CLI::App& app, int& exit_code) {
  using namespace tavo::cli;
  static std::vector<DialogChoices> builds(tavo::hostbook::BuiltSheets().size());
  static DialogChoices settings;
  static std::string init_path, init_into, init_output;
  static bool init_force = false;
  static bool init_macro = false;

  auto* init = app.add_subcommand(
      "init", "写出内置的宿主工作簿 (DTB、信息表) / write the built-in host workbook (DTB, 信息表)");
  auto* file = init->add_option("FILE", init_path, "新工作簿 / the new workbook (.xlsx)");
  auto* into = init->add_option("--into", init_into,
                                "把 DTB、信息表 加进此工作簿 (.xlsx、.xlsm；.xls、.ods 须给 -o) / add DTB and "
                                "信息表 to this workbook (.xlsx, .xlsm; .xls and .ods need -o)");
  auto* out = init->add_option("-o,--output", init_output,
                               "与 --into 同用：写到此文件，不就地更新 / with --into: write here instead "
                               "of in place");
  file->excludes(into);
  out->needs(into);
  init->add_flag("--force", init_force,
                 "覆盖已有文件；即使其他程序打开着也写入 / overwrite an existing file; write even while "
                 "another program has it open");
  init->add_flag("--macro", init_macro,
                 "写出带对话框和宏的工作簿 (.xlsm) / write the macro workbook with the dialog (.xlsm)");
  init->footer("The workbook holds 信息表, DTB, 节假日 (the school's own days off) and 校历事项 (its\n"
               "terms, vacations, exams and events; see tavo school --help).\n"
               "Examples:\n  tavo init 学校.xlsx\n  tavo init --macro 校历.xlsm\n"
               "  tavo init --into 教学计划.xlsm\n  tavo init --into 教学计划.ods -o 教学计划.xlsx");
  init->callback([code = &exit_code] {
    if (init_into.empty() == init_path.empty()) {
      std::fprintf(stderr, "init: 需要 FILE 或 --into FILE 之一 (give FILE or --into FILE)\n");
      *code = kExitUsage;
      return;
    }
    if (!init_into.empty() && init_macro) {
      std::fprintf(stderr, "init: --macro 只用于新工作簿 (--macro writes a new workbook only)\n");
      *code = kExitUsage;
      return;
    }
    *code = init_into.empty() ? RunInit(init_path, init_force, init_macro)
                              : RunInitInto(init_into, init_output, init_force);
  });

  for (std::size_t i = 0; i < builds.size(); ++i) {
    const tavo::hostbook::BuiltSheet& kind = tavo::hostbook::BuiltSheets()[i];
    DialogChoices& choices = builds[i];
    auto* build = app.add_subcommand(kind.command, kind.command_help);
    AddWorkbookOptions(build, choices, true);
    build->add_option("--pdf", choices.pdf, "同时打印为 PDF / also print the sheet to this PDF file");
    build->footer(kBuildFooter);
    build->callback([code = &exit_code, &choices, &kind] { *code = RunBuild(choices, kind); });
  }

  auto* st = app.add_subcommand(
      "settings", "保存并显示设置 (DTB 第2行与页面设置表) / store and show the settings and page-setup table");
  AddWorkbookOptions(st, settings, true);
  st->footer("Examples:\n  tavo settings -w 学校.xlsx\n  tavo settings -w 学校.xlsx --horizontal --style2");
  st->callback([code = &exit_code] { *code = RunSettings(settings); });
}
