// `tavo holidays [YEAR] [-w WORKBOOK]`: the schedule of days off and make-up
// working days a build would mark, the built-in notices with the rows of the
// workbook's "节假日" sheet laid over them; and `--import NOTICE -w WORKBOOK`,
// which reads a year's notice as published (its text, or its page saved as
// HTML) into rows of that sheet.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_frame.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/workbook_files.h"
#include "cli/workbook_session.h"
#include "common/error.h"
#include "common/html_text.h"
#include "common/text.h"
#include "holidays/covered_years.h"
#include "holidays/holiday_notice_reader.h"
#include "holidays/holiday_schedule.h"
#include "hostbook/notice_rows.h"
#include "hostbook/settings_cells.h"
#include "platform/linux_platform.h"
#include "sheets/holiday_marks.h"
#include "workbook/xlsx/host_workbook.h"

namespace tavo::cli {
namespace {

struct HolidayArguments {
  int year = 0;
  std::string workbook;
  std::string notice;  // --import
  bool force = false;
};

void PrintYear(const holidays::HolidaySchedule& schedule, int year) {
  std::printf("date\tholiday\tstatus\tname\n");
  for (const holidays::HolidayDay& day : schedule.DaysOfYear(year)) {
    std::printf("%s\t%s\t%s\t%s\n", DateToIso(day.date).c_str(), holidays::StatusMark(day.status),
                holidays::StatusText(day.status), day.name.c_str());
  }
}

// The days a notice gives, as PrintYear lists a year's.
void PrintNoticeDays(const std::vector<holidays::NoticeDay>& days) {
  std::printf("date\tholiday\tstatus\tname\n");
  for (const holidays::NoticeDay& day : days) {
    std::printf("%s\t%s\t%s\t%s\n", DateToIso(day.date).c_str(), holidays::StatusMark(day.status),
                holidays::StatusText(day.status), day.name.c_str());
  }
}

void PrintYears(const holidays::HolidaySchedule& schedule, bool with_workbook) {
  const int first = holidays::kFirstYear;
  const int last = holidays::kLastYear;
  std::printf("内置 built in\t%d–%d\n", first, last);
  if (!with_workbook) return;
  std::vector<int> added;
  for (int y = 1900; y <= 2100; ++y)
    if ((y < first || y > last) && schedule.Covers(y)) added.push_back(y);
  std::printf("工作簿“%s”另加 added by the workbook\t%s\n", settings::holidays::kSheetName,
              added.empty() ? "-" : sheets::YearsText(added).c_str());
}

int RunHolidays(const HolidayArguments& args) {
  platform::LinuxPlatform linux_platform;
  try {
    std::optional<holidays::HolidaySchedule> schedule = holidays::HolidaySchedule::BuiltIn();
    if (!args.workbook.empty()) {
      WorkbookSession session(args.workbook, linux_platform);
      hostbook::HolidayRowProblem problem{};
      schedule = hostbook::ReadHolidaySchedule(*session.application().ThisWorkbook(), problem);
      if (!schedule) {
        linux_platform.MessageBox(problem.message, host::kTitleNotice, host::kStyleWarning);
        return kExitNotice;
      }
    }
    if (args.year == 0) {
      PrintYears(*schedule, !args.workbook.empty());
    } else {
      if (!schedule->Covers(args.year)) {
        linux_platform.Notify(std::to_string(args.year) + "年的放假安排尚未收录 (no schedule for " +
                              std::to_string(args.year) + " yet)");
      }
      PrintYear(*schedule, args.year);
    }
  } catch (const Error& e) {
    linux_platform.MessageBox(ErrorMessage(e), host::kTitleError, host::kStyleCritical);
    return kExitError;
  }
  return std::fflush(stdout) == 0 ? kExitOk : kExitIo;
}

// The notice file's bytes; raises tavo::Error when it cannot be read.
std::string ReadNoticeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  if (in) bytes << in.rdbuf();
  if (!in || in.bad()) RaiseInvalidArgument(path + " 读不出来 (cannot be read)");
  return bytes.str();
}

int LineOf(std::string_view text, std::size_t pos) {
  int line = 1;
  for (std::size_t i = 0; i < pos && i < text.size(); ++i) line += text[i] == '\n';
  return line;
}

// `tavo holidays [YEAR] --import NOTICE -w WORKBOOK`. The notice is read whole
// first: one it cannot read stops the run with a 提示 message before the
// workbook is opened.
int RunImport(const HolidayArguments& args) {
  platform::LinuxPlatform linux_platform;
  if (!IsWritableFormat(args.workbook)) {
    ShowError(args.workbook + "：--import 就地更新工作簿，只能是 .xlsx 或 .xlsm (--import updates the workbook "
                              "in place: an .xlsx or .xlsm one)");
    return kExitUsage;
  }
  if (!FreeToWrite(args.workbook, args.force)) return kExitError;
  return Framed([&] {
    std::string text = ReadNoticeFile(args.notice);
    const bool page = LooksLikeHtml(text);
    if (page) text = HtmlToText(text);
    const std::string what = args.notice + (page ? "（网页中的文字）" : "");
    auto refuse = [&](const std::string& why) {
      linux_platform.MessageBox("放假通知 " + what + " 未能读完，工作簿未改动：" + why, host::kTitleNotice,
                                host::kStyleWarning);
      return kExitNotice;
    };
    if (const std::size_t bad = InvalidUtf8At(text); bad != std::string::npos)
      return refuse("第" + std::to_string(LineOf(text, bad)) +
                    "行不是 UTF-8 文字，请把通知另存为 UTF-8 编码 (the notice is not UTF-8 text)");
    if (args.year == 0 && holidays::NoticeTitleYear(text) == 0) {
      ShowError(what + " 没有通知的标题，看不出是哪一年的通知：请写上年份，如 tavo holidays 2027 --import " +
                args.notice + " -w " + args.workbook + " (the notice has no title naming its year: give the year)");
      return kExitUsage;
    }
    std::vector<holidays::NoticeDay> days;
    try {
      days = holidays::ReadHolidayNotices(text, args.year);
    } catch (const Error& e) {
      return refuse(holidays::NoticeFaultText(e));
    }
    const int year = args.year != 0 ? args.year : holidays::NoticeTitleYear(text);
    PrintNoticeDays(days);

    WorkbookSession session(args.workbook, linux_platform);
    const bool sheet_added = xlsx::AddHolidaySheet(session.model());
    auto book = session.application().ThisWorkbook();
    auto sheet = book->Worksheets()->Item(settings::holidays::kSheetName);
    const hostbook::NoticeRowsWritten written = hostbook::WriteNoticeRows(*sheet, year, days);
    // Saved only as a workbook that still builds: its rows and pasted notice read.
    hostbook::HolidayRowProblem problem{};
    if (!hostbook::ReadHolidaySchedule(*book, problem)) {
      linux_platform.MessageBox(problem.message + "；工作簿未改动 (the workbook was not changed)", host::kTitleNotice,
                                host::kStyleWarning);
      return kExitNotice;
    }
    const std::string rows = "“" + std::string(settings::holidays::kSheetName) + "”第" +
                             std::to_string(written.first_row) + "–" + std::to_string(written.last_row) + "行";
    if (!written.changed && !sheet_added) {
      linux_platform.Notify(std::to_string(year) + "年通知的 " + std::to_string(days.size()) + " 天已在" + rows +
                            "，工作簿未改动 (already imported; the workbook is unchanged)");
    } else {
      session.Save(args.workbook);
      linux_platform.Notify(std::to_string(year) + "年通知的 " + std::to_string(days.size()) + " 天写入" + rows +
                            (written.replaced ? "，替换了上次导入的 " + std::to_string(written.replaced) + " 行" : "") +
                            " (imported into " + args.workbook + ")");
    }
    return std::fflush(stdout) == 0 ? kExitOk : kExitIo;
  });
}

}  // namespace
}  // namespace tavo::cli

void RegisterHolidayCommands(CLI::App& app, int& exit_code) {
  using namespace tavo::cli;
  auto args = std::make_shared<HolidayArguments>();
  CLI::App* cmd = app.add_subcommand(
      "holidays", "列出法定放假与调休上班安排 / list the official days off and make-up working days");
  cmd->add_option("YEAR", args->year, "年份；省略则列出收录的年份 / the year; without it, the years known")
      ->check(CLI::Range(1900, 2100));
  auto* workbook = cmd->add_option("-w,--workbook", args->workbook,
                                   "连同此工作簿“节假日”工作表中的各行 / with the rows of this workbook's sheet 节假日");
  cmd->add_option("--import", args->notice,
                  "把这份国务院放假通知（粘贴的文字，或存为 .html 的网页）导入 -w 工作簿的“节假日” / read this "
                  "State Council holiday notice (its text, or its page saved as .html) into the sheet 节假日 "
                  "of the -w workbook")
      ->check(CLI::ExistingFile)
      ->needs(workbook);
  cmd->add_flag("--force", args->force,
                "即使其他程序打开着该工作簿也导入 / import even while another program has the workbook open");
  cmd->footer(
      "Output for a year: one tab-separated row per day: date, 休 or 班, 放假 or 调休上班, the\n"
      "holiday's name. The built-in notices cover " + std::to_string(tavo::holidays::kFirstYear) + "-" +
      std::to_string(tavo::holidays::kLastYear) + "; a workbook's sheet 节假日 (A date,\n"
      "B 休/班 or empty to remove a built-in day, C name) adds later years and wins over them.\n"
      "--import reads next year's notice as published (国务院办公厅关于YYYY年部分节假日安排的通知,\n"
      "the text copied from the page or the page saved as .html; YEAR when it has no title),\n"
      "lists its days and writes them into 节假日 as rows whose D says 2027年国务院通知. Importing\n"
      "that year again replaces those rows only; the school's own rows (any other D) always win.\n"
      "A notice it cannot read in full is refused (exit 1) naming the line, and nothing is written.\n"
      "Without the command, paste the notice with its title into 节假日 G2 (whole, or a line\n"
      "a cell from G2 down): builds mark its days, and the rows win over it.\n"
      "Examples:\n  tavo holidays\n  tavo holidays 2024\n  tavo holidays 2027 -w 学校.xlsx\n"
      "  tavo holidays --import 2027年通知.html -w 学校.xlsx");
  cmd->callback([args, &exit_code] { exit_code = args->notice.empty() ? RunHolidays(*args) : RunImport(*args); });
}
