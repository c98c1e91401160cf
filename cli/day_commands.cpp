// `tavo day DATE` and `tavo days FROM TO`.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/date_argument.h"
#include "cli/day_rows.h"
#include "cli/exit_codes.h"
#include "common/error.h"
#include "holidays/covered_years.h"
#include "holidays/holiday_schedule.h"

namespace tavo::cli {
namespace {

struct DayArguments {
  std::string from;
  std::string to;
};

void PrintProblem(const char* command, const std::string& problem) {
  std::fprintf(stderr, "tavo %s: %s\n", command, problem.c_str());
}

// Builds the whole output before writing it, so that a failure never leaves
// half a table behind on standard output.
int PrintDays(const char* command, Date from, Date to) {
  const bool one_day = DaysBetween(from, to) == 0 && std::string(command) == "day";
  std::string out = one_day ? kDayHeader : kDaysHeader;
  try {
    const holidays::HolidaySchedule schedule = holidays::HolidaySchedule::BuiltIn();
    const auto count = DaysBetween(from, to) + 1;
    out.reserve(out.size() + static_cast<std::size_t>(count) * 96);
    for (long i = 0; i < count; ++i) AppendDayRow(schedule, AddDays(from, i), one_day, out);
  } catch (const Error& e) {
    PrintProblem(command, ErrorMessage(e));
    return kExitSoftware;
  }
  if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
    PrintProblem(command, "cannot write the output (输出失败)");
    return kExitIo;
  }
  return kExitOk;
}

int RunDay(const DayArguments& args) {
  std::string problem;
  const auto date = ReadDayArgument(args.from, problem);
  if (!date) {
    PrintProblem("day", problem);
    return kExitUsage;
  }
  return PrintDays("day", *date, *date);
}

int RunDays(const DayArguments& args) {
  std::string problem;
  const auto from = ReadDayArgument(args.from, problem);
  const auto to = from ? ReadDayArgument(args.to, problem) : std::nullopt;
  if (!from || !to) {
    PrintProblem("days", problem);
    return kExitUsage;
  }
  if (*from > *to) {
    PrintProblem("days", "FROM " + DateToIso(*from) + " is after TO " + DateToIso(*to) + " (起始日期晚于结束日期)");
    return kExitUsage;
  }
  return PrintDays("days", *from, *to);
}

const std::string kColumns =
    "Output: a header line, then one tab-separated row per day:\n"
    "  date  lunar_month  lunar_day  month_number  day_number  solar_term  school_note  calendar_note\n"
    "  holiday\n"
    "(month_number and day_number are negative in a leap month; holiday is 休 for an official\n"
    "day off, 班 for a make-up working day, from the built-in notices " +
    std::to_string(tavo::holidays::kFirstYear) + "-" + std::to_string(tavo::holidays::kLastYear) +
    ". `tavo day` adds\n"
    "holiday_status, e.g. \"放假 国庆节\" or \"调休上班 国庆节\".)\n"
    "DATE may be written 2013-02-09, 2013-2-9, 2013/2/9, 2013.2.9 or 2013年2月9日;\n"
    "dates from 1900-01-01 to 2100-12-31.";

}  // namespace
}  // namespace tavo::cli

void RegisterDayCommands(CLI::App& app, int& exit_code) {
  using namespace tavo::cli;
  // Owned by the callbacks, which CLI11 keeps as long as the app.
  auto args = std::make_shared<DayArguments>();

  CLI::App* day = app.add_subcommand("day", "查询一天的农历、节气和节日 / Lunar date, solar term and festivals of one day");
  day->add_option("DATE", args->from, "the day, e.g. 2013-02-09")->required();
  day->footer(std::string(kColumns) + "\nExample: tavo day 2013-02-09");
  day->callback([args, &exit_code] { exit_code = RunDay(*args); });

  CLI::App* days = app.add_subcommand("days", "逐日列出一段日期的农历、节气和节日 / The same for every day from FROM to TO");
  days->add_option("FROM", args->from, "first day, e.g. 2013-02-01")->required();
  days->add_option("TO", args->to, "last day, not before FROM, e.g. 2013-02-28")->required();
  days->footer(std::string(kColumns) + "\nExample: tavo days 2013-02-01 2013-02-28");
  days->callback([args, &exit_code] { exit_code = RunDays(*args); });
}
