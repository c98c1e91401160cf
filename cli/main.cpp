// The `tavo` command. Each subcommand group registers itself from its own
// file (see commands.h); a parse error prints CLI11's message and exits 64.
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/exit_codes.h"

int main(int argc, char** argv) {
  CLI::App app{
      "tavo：校历与日历表的农历引擎和工具 / tavo: the lunar calendar engine and tools of the school calendar",
      "tavo"};
  app.footer(
      "Examples:\n"
      "  tavo init 学校.xlsx\n"
      "  tavo school -w 学校.xlsx --start 2024-9-1 --end 2025-1-19 --pdf 校历.pdf\n"
      "  tavo calendar -w 学校.xlsx --horizontal --style2\n"
      "  tavo day 2013-02-09    tavo days 2013-02-01 2013-02-28    tavo holidays 2025\n"
      "  tavo ics -w 学校.xlsx -o 校历.ics\n"
      "Each command has --help.");
  app.require_subcommand(1);
  // The project's version, set once in the top-level CMakeLists.txt.
  app.set_version_flag("--version", std::string("tavo ") + TAVO_VERSION, "版本 / show the version and exit");

  int exit_code = tavo::cli::kExitOk;
  RegisterDayCommands(app, exit_code);
  RegisterBuildCommands(app, exit_code);
  RegisterHolidayCommands(app, exit_code);
  RegisterIcsCommand(app, exit_code);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e);  // prints help, or the message on stderr
    return status == 0 ? tavo::cli::kExitOk : tavo::cli::kExitUsage;
  }
  return exit_code;
}
