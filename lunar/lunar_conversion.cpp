// The engine's conversion of a date text. The answer is LunarDateOf's; the
// engine decodes the lunar year of the day on the way, as its callers see in
// NewYearOffset(), LeapMonth() and MonthIsLong() afterwards.
#include "lunar/date_reading.h"
#include "lunar/lunar_engine.h"

namespace tavo::lunar {

LunarDate LunarEngine::Convert(const DateText& date) { return ConvertDay(ReadDateText(date)); }

LunarDate LunarEngine::ConvertDay(Date date) {
  const int year = static_cast<int>(date.year());
  DecodeYearEntry(static_cast<std::int16_t>(year));
  // Before the lunar new year the day belongs to the previous lunar year.
  const long into_year = DaysBetween(Date{std::chrono::year{year} / std::chrono::January / 1}, date);
  if (into_year < new_year_offset_) DecodeYearEntry(static_cast<std::int16_t>(year - 1));
  return LunarDateOf(std::chrono::sys_days{date});
}

void LunarEngine::ConvertToLunar(const DateText& date) { Convert(date); }

std::int16_t LunarEngine::LunarMonthNumber(const DateText& date) {
  return static_cast<std::int16_t>(Convert(date).month);
}

std::int16_t LunarEngine::LunarDayNumber(const DateText& date) {
  return static_cast<std::int16_t>(Convert(date).day);
}

std::string LunarEngine::LunarMonthText(const DateText& date) { return std::string(Convert(date).month_text); }

std::string LunarEngine::LunarDayText(const DateText& date) { return std::string(Convert(date).day_text); }

}  // namespace tavo::lunar
