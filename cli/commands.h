#pragma once
// Each group of `tavo` subcommands registers itself on the app from its own
// file. A subcommand's callback stores its process exit status in
// `exit_code`; main returns it after parsing.
namespace CLI {
class App;
}

// `tavo day DATE` and `tavo days FROM TO`: lunar date, solar term and notes.
void RegisterDayCommands(CLI::App& app, int& exit_code);
// `tavo init`, `tavo school`, `tavo calendar`, `tavo settings`: the dialog's
// events over a host workbook file.
void RegisterBuildCommands(CLI::App& app, int& exit_code);
// `tavo holidays [YEAR] [-w WORKBOOK]`: the schedule of days off and make-up days.
void RegisterHolidayCommands(CLI::App& app, int& exit_code);
// `tavo ics -w WORKBOOK`: the term as an iCalendar file.
void RegisterIcsCommand(CLI::App& app, int& exit_code);
