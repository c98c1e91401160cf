// `tavo ics -w WORKBOOK [--start DATE --end DATE] [-o FILE.ics] [--festivals]`:
// the term of a host workbook as one iCalendar file, for the calendar apps
// teachers use. The dates are checked as a build checks them, with the same
// messages and exit statuses, and nothing is written unless all went well.
#include <CLI/CLI.hpp>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/ics_writer.h"
#include "cli/term_events.h"
#include "cli/workbook_files.h"
#include "cli/workbook_session.h"
#include "common/dates.h"
#include "common/error.h"
#include "host/dialog_controls.h"
#include "platform/linux_platform.h"
#include "sheets/build_dates.h"
#include "hostbook/layout_options.h"
#include "hostbook/school_items.h"
#include "hostbook/term_weeks.h"
#include "sheets/holiday_marks.h"
#include "cli/command_frame.h"
#include "hostbook/info_cells.h"
#include "hostbook/settings_cells.h"
#include "sheets/sheet_kind.h"

namespace tavo::cli {
namespace fs = std::filesystem;
namespace {

constexpr const char* kFallbackName = "校历";
constexpr const char* kTimezone = "Asia/Shanghai";

struct IcsArguments {
  std::string workbook, start, end, output, only;
  bool festivals = false;
};

bool IsWorkbookName(const fs::path& path) {
  return IsWritableFormat(path) || NeedsConversion(path);
}

// An output that would overwrite the workbook, or any workbook, is refused.
bool SafeOutput(const IcsArguments& args) {
  if (args.output.empty()) return true;
  std::error_code ec;
  const bool same = fs::equivalent(args.output, args.workbook, ec);
  if (same || IsWorkbookName(args.output)) {
    ShowError(args.output + "：不能写入工作簿，请给 .ics 文件名 (an iCalendar file is not written "
                            "over a workbook: name a .ics file)");
    return false;
  }
  return true;
}

std::string CellText(const host::Variant& value) {
  return value.IsEmpty() ? std::string() : value.ToText();
}

// The DTSTAMP of the events: now, or SOURCE_DATE_EPOCH when set, so that a
// packager can make the same file twice.
std::string StampNow() {
  const std::time_t now = NowOrSourceDateEpoch();
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
  return text;
}

// Writes `text` to `path` through a temporary file beside it renamed over
// it, so a failure never leaves half a file. Raises tavo::Error.
void WriteFileAtomically(const std::string& path, const std::string& text) {
  const std::string temp = path + ".tmp-" + std::to_string(::getpid());
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << text;
    out.flush();
    if (!out) {
      std::error_code ignored;
      fs::remove(temp, ignored);
      throw Error(kErrorSource, 75, "无法写入文件 " + path + " (cannot write the file)");
    }
  }
  std::error_code ec;
  fs::rename(temp, path, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    throw Error(kErrorSource, 75, "无法写入文件 " + path + "：" + ec.message());
  }
}

// The calendar of the term; nullopt after the 提示 message that stopped it.
std::optional<ics::Calendar> ReadCalendar(const IcsArguments& args, const EventFilter& filter,
                                          WorkbookSession& session, host::Platform& platform) {
  const std::optional<sheets::DateRange> range = sheets::CheckBuildDates(
      sheets::kSchoolCalendar, session.dialog().ControlValue(host::kStartDateBox).ToText(),
      session.dialog().ControlValue(host::kEndDateBox).ToText(), platform);
  if (!range) return std::nullopt;

  // In the order a build reads them, so a workbook fails here as it fails there.
  auto workbook = session.application().ThisWorkbook();
  auto dtb = workbook->Worksheets()->Item(settings::kSheetName);
  const hostbook::LayoutOptions options = hostbook::ReadLayoutOptions(*dtb);
  // Days off and make-up days belong to the term whatever DTB J2 says.
  std::optional<sheets::HolidayMarks> marks =
      sheets::PrepareHolidayMarks(*workbook, platform, range->start, range->end);
  if (!marks) return std::nullopt;
  hostbook::SchoolItemProblem problem;
  std::optional<hostbook::SchoolPlan> plan = hostbook::ReadSchoolPlan(*workbook, problem);
  if (!plan) {
    platform.MessageBox(problem.message, host::kTitleNotice, host::kStyleWarning);
    return std::nullopt;
  }
  auto info = workbook->Worksheets()->Item(info::kSheetName);

  Term term{range->start, range->end, options.MondayFirst(), {}, std::move(*plan)};
  const int weeks = hostbook::WeekCount(term.start, term.end, term.monday_first);
  for (int week = 1; week <= weeks; ++week) {
    term.week_remarks.push_back(
        CellText(info->Cells(info::RemarkRow(week), info::kRemarkColumn)->Value()));
  }

  // --only festivals or solar-terms asks for the day notes without --festivals.
  const bool notes = args.festivals || filter.Names(TermEventKind::kFestival) ||
                     filter.Names(TermEventKind::kSolarTerm);
  std::vector<TermEvent> events =
      TermEvents(term, marks->schedule, notes ? sheets::kSchoolCalendar.day_note : nullptr);
  std::erase_if(events, [&filter](const TermEvent& e) { return !filter.Keeps(e); });

  ics::Calendar calendar;
  calendar.name = CellText(info->Cells(info::kTextRow, info::kTitleColumn)->Value());
  if (calendar.name.find_first_not_of(" \t\r\n") == std::string::npos) calendar.name = kFallbackName;
  calendar.timezone = kTimezone;
  calendar.product = std::string("-//tavo//tavo ") + TAVO_VERSION + "//ZH";
  calendar.stamp = StampNow();
  calendar.events = CalendarEvents(events, calendar.name);
  return calendar;
}

int RunIcs(const IcsArguments& args) {
  if (!SafeOutput(args)) return kExitUsage;
  EventFilter filter;
  if (!args.only.empty()) {
    try {
      filter = ParseEventFilter(args.only);
    } catch (const Error& e) {
      ShowError(e.description());
      return kExitUsage;
    }
  }
  return WithWorkbook(args.workbook, [&](WorkbookSession& session, platform::LinuxPlatform& linux_platform) {
    using bridge::Outcome;
    // The dialog as the build command fills it: the stored dates, then the typed ones.
    if (session.Fire(host::kInitializeEvent) == Outcome::kFailed) return kExitError;
    bool failed = false;
    if (!args.start.empty()) failed |= session.EnterDate(host::kStartDateBox, args.start) == Outcome::kFailed;
    if (!args.end.empty()) failed |= session.EnterDate(host::kEndDateBox, args.end) == Outcome::kFailed;
    if (failed) return kExitError;

    const std::optional<ics::Calendar> calendar = ReadCalendar(args, filter, session, linux_platform);
    if (!calendar) return kExitNotice;
    const std::string text = ics::WriteCalendar(*calendar);
    if (args.output.empty()) {
      std::fwrite(text.data(), 1, text.size(), stdout);
      return std::fflush(stdout) == 0 && !std::ferror(stdout) ? kExitOk : kExitIo;
    }
    WriteFileAtomically(args.output, text);
    std::printf("%s\n", args.output.c_str());
    return kExitOk;
  });
}

}  // namespace
}  // namespace tavo::cli

void RegisterIcsCommand(CLI::App& app, int& exit_code) {
  using namespace tavo::cli;
  auto args = std::make_shared<IcsArguments>();
  CLI::App* cmd = app.add_subcommand(
      "ics", "把学期写成 iCalendar 日历 (.ics) / write the term as an iCalendar file (.ics)");
  cmd->add_option("-w,--workbook", args->workbook,
                  "宿主工作簿 (.xlsx、.xlsm、.xls、.ods) / the host workbook (.xlsx, .xlsm, .xls, .ods)")
      ->required();
  cmd->add_option("--start", args->start, "开始日期；省略则用 DTB 中的 / start date; DTB's if omitted");
  cmd->add_option("--end", args->end, "结束日期；省略则用 DTB 中的 / end date; DTB's if omitted");
  cmd->add_option("-o,--output", args->output,
                  "写到此 .ics 文件；省略则写到标准输出 / write this .ics file; standard output if omitted");
  cmd->add_flag("--festivals", args->festivals,
                "同时写出节日与节气 / also the festivals and solar terms of the days");
  cmd->add_option("--only", args->only,
                  "只写这些种类，逗号分隔 / only these kinds, comma-separated: " + EventFilterNames());
  cmd->footer(
      "One all-day event per week (第N周, numbered as on 校历表 with DTB's week start), per remark\n"
      "of 信息表 (B3 = week 1), per official day off and make-up working day (the built-in\n"
      "schedule with the workbook's sheet 节假日), per item of the sheet 校历事项 (CATEGORIES its\n"
      "类别; with 学期 rows the weeks are numbered from the terms, as on 校历表); the UID of an event\n"
      "stays the same when the file is made again. 退出状态 / exit status: 0 written; 1 提示 a notice stopped it;\n"
      "2 错误 an error; 64 bad usage. Nothing is written unless the status is 0.\n"
      "Examples:\n"
      "  tavo ics -w 学校.xlsx -o 校历.ics\n"
      "  tavo ics -w 学校.xlsx --start 2025-2-17 --end 2025-7-6 --festivals > 校历.ics\n"
      "  tavo ics -w 学校.xlsx --only 考试,假期,days-off -o 考试与假期.ics");
  cmd->callback([args, &exit_code] { exit_code = RunIcs(*args); });
}
