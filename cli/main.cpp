// The `tavo` command. Each subcommand group registers itself from its own
// file (see commands.h); a parse error prints CLI11's message and exits 64.
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/exit_codes.h"

int main(int argc, char** argv) {
  CLI::App app{
      "tavo：校历与日历表的农历引擎和工具 / tavo: the lunar calendar engine and tools of the school calendar",
      "tavo"};
  app.footer("Example: tavo day 2013-02-09    tavo days 2013-02-01 2013-02-28");
  app.require_subcommand(1);

  int exit_code = tavo::cli::kExitOk;
  RegisterDayCommands(app, exit_code);
  RegisterBuildCommands(app, exit_code);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e);  // prints help, or the message on stderr
    return status == 0 ? tavo::cli::kExitOk : tavo::cli::kExitUsage;
  }
  return exit_code;
}
