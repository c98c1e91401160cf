// The engine's solar-term operations over SolarTermDayOf and SolarTermOf.
#include "lunar/date_reading.h"
#include "lunar/lunar_engine.h"

namespace tavo::lunar {

DateText LunarEngine::SolarTermDate(std::int16_t year, std::int16_t index) {
  RequireTables();
  return DateToText(SolarTermDayOf(year, index));
}

std::string LunarEngine::SolarTermName(const DateText& date) {
  const Date d = ReadDateText(date);
  RequireTables();
  // Terms are matched by text, so "2013-04-04" never matches though
  // "2013-4-4" does: only the short form of the term's own day names it.
  const std::string_view name = SolarTermOf(std::chrono::sys_days{d});
  return !name.empty() && DateToText(d) == date ? std::string(name) : std::string();
}

}  // namespace tavo::lunar
