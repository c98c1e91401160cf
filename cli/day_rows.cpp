#include "cli/day_rows.h"

#include <charconv>

#include "lunar/lunar_day.h"

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

void AppendDayRow(const holidays::HolidaySchedule& schedule, Date date, bool with_name, std::string& out) {
  const std::chrono::sys_days day{date};
  const lunar::LunarDate lunar_date = lunar::LunarDateOf(day);
  out += DateToIso(date);
  out += '\t';
  out += lunar_date.month_text;
  out += '\t';
  out += lunar_date.day_text;
  out += '\t';
  AppendNumber(out, lunar_date.month);
  out += '\t';
  AppendNumber(out, lunar_date.day);
  out += '\t';
  out += lunar::SolarTermOf(day);
  out += '\t';
  out += lunar::SchoolNoteOf(day);
  out += '\t';
  out += lunar::CalendarNoteOf(day);
  out += '\t';
  const holidays::HolidayDay* holiday = schedule.Find(date);
  const holidays::DayStatus status = holiday ? holiday->status : holidays::DayStatus::kNone;
  out += holidays::StatusMark(status);
  if (with_name) {
    out += '\t';
    if (holiday) out += std::string(holidays::StatusText(status)) + " " + holiday->name;
  }
  out += '\n';
}

}  // namespace tavo::cli
