#include "cli/day_rows.h"

#include <charconv>

namespace tavo::cli {

const char* const kDaysHeader =
    "date\tlunar_month\tlunar_day\tmonth_number\tday_number\tsolar_term\tschool_note\tcalendar_note"
    "\tholiday\n";
const char* const kDayHeader =
    "date\tlunar_month\tlunar_day\tmonth_number\tday_number\tsolar_term\tschool_note\tcalendar_note"
    "\tholiday\tholiday_status\n";

namespace {

void AppendNumber(std::string& out, int n) {
  char buf[16];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, n);
  out.append(buf, end);
}

}  // namespace

void AppendDayRow(lunar::LunarEngine& engine, const lunar::HolidaySchedule& schedule, Date date,
                  bool with_name, std::string& out) {
  // The engine matches solar terms by text, so it must get the short form.
  const DateText text = DateToText(date);
  out += DateToIso(date);
  out += '\t';
  out += engine.LunarMonthText(text);
  out += '\t';
  out += engine.LunarDayText(text);
  out += '\t';
  AppendNumber(out, engine.LunarMonthNumber(text));
  out += '\t';
  AppendNumber(out, engine.LunarDayNumber(text));
  out += '\t';
  out += engine.SolarTermName(text);
  out += '\t';
  out += engine.SchoolDayNote(text);
  out += '\t';
  out += engine.CalendarDayNote(text);
  out += '\t';
  const lunar::HolidayDay* holiday = schedule.Find(date);
  const lunar::DayStatus status = holiday ? holiday->status : lunar::DayStatus::kNone;
  out += lunar::StatusMark(status);
  if (with_name) {
    out += '\t';
    if (holiday) out += std::string(lunar::StatusText(status)) + " " + holiday->name;
  }
  out += '\n';
}

}  // namespace tavo::cli
