// `tavo holidays [YEAR] [-w WORKBOOK]`: the schedule of days off and make-up
// working days a build would mark, the built-in notices with the rows of the
// workbook's "节假日" sheet laid over them.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/workbook_session.h"
#include "common/error.h"
#include "holidays/covered_years.h"
#include "holidays/holiday_schedule.h"
#include "platform/linux_platform.h"
#include "sheets/holiday_marks.h"
#include "hostbook/settings_cells.h"

namespace tavo::cli {
namespace {

struct HolidayArguments {
  int year = 0;
  std::string workbook;
};

void PrintYear(const holidays::HolidaySchedule& schedule, int year) {
  std::printf("date\tholiday\tstatus\tname\n");
  for (const holidays::HolidayDay& day : schedule.DaysOfYear(year)) {
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

}  // namespace
}  // namespace tavo::cli

void RegisterHolidayCommands(CLI::App& app, int& exit_code) {
  using namespace tavo::cli;
  auto args = std::make_shared<HolidayArguments>();
  CLI::App* cmd = app.add_subcommand(
      "holidays", "列出法定放假与调休上班安排 / list the official days off and make-up working days");
  cmd->add_option("YEAR", args->year, "年份；省略则列出收录的年份 / the year; without it, the years known")
      ->check(CLI::Range(1900, 2100));
  cmd->add_option("-w,--workbook", args->workbook,
                  "连同此工作簿“节假日”工作表中的各行 / with the rows of this workbook's sheet 节假日");
  cmd->footer(
      "Output for a year: one tab-separated row per day: date, 休 or 班, 放假 or 调休上班, the\n"
      "holiday's name. The built-in notices cover " + std::to_string(tavo::holidays::kFirstYear) + "-" +
      std::to_string(tavo::holidays::kLastYear) + "; a workbook's sheet 节假日 (A date,\n"
      "B 休/班 or empty to remove a built-in day, C name) adds later years and wins over them.\n"
      "Examples:\n  tavo holidays\n  tavo holidays 2024\n  tavo holidays 2027 -w 学校.xlsx");
  cmd->callback([args, &exit_code] { exit_code = RunHolidays(*args); });
}
