// The engine's festival operations over the day functions. A lunar festival
// converts the date as every engine conversion does, with its errors and the
// year it leaves decoded.
#include "lunar/date_reading.h"
#include "lunar/lunar_engine.h"

namespace tavo::lunar {

std::string LunarEngine::GregorianFestivalName(const DateText& date, std::int16_t include_valentine) {
  return GregorianFestivalsOf(std::chrono::sys_days{ReadDateText(date)}, include_valentine != 0);
}

std::string LunarEngine::LunarFestivalName(const DateText& date) {
  const Date day = ReadDateText(date);
  ConvertDay(day);
  return std::string(LunarFestivalOf(std::chrono::sys_days{day}));
}

std::string LunarEngine::SchoolDayNote(const DateText& date) {
  const Date day = ReadDateText(date);
  ConvertDay(day);
  return SchoolNoteOf(std::chrono::sys_days{day});
}

std::string LunarEngine::CalendarDayNote(const DateText& date) {
  const Date day = ReadDateText(date);
  ConvertDay(day);
  return CalendarNoteOf(std::chrono::sys_days{day});
}

}  // namespace tavo::lunar
