// The 24 solar terms: a mean tropical year from 小寒 1900 plus each term's
// minute offset, cut to the calendar day, then the correction table.
#include <cmath>
#include <string>

#include "common/error.h"
#include "lunar/calendar_tables.h"
#include "lunar/lunar_day.h"
#include "lunar/solar_term_corrections.h"

namespace tavo::lunar {
namespace {

using namespace std::chrono;

constexpr sys_days kFirstXiaoHan{year{1900} / January / 6};
constexpr double kMsPerMinute = 60000;
constexpr double kMsPerTropicalYear = 31556925974.7;
constexpr double kMsPerDay = 86400000;

}  // namespace

Date SolarTermDayOf(int year, int index) {
  if (index < 0 || index > 23) RaiseOutOfRange("节气序号 " + std::to_string(index));
  // Dates exist for years 100..9999 only.
  if (year < 100 || year > 9999) RaiseOutOfRange("年份 " + std::to_string(year));
  // Summed in this order, in double: the days match exact arithmetic over
  // 1900-2101 because no computed moment lies within 20 s of midnight.
  double ms = tables::kTermMinutes[static_cast<std::size_t>(index)] * kMsPerMinute;
  ms += (year - 1900) * kMsPerTropicalYear;
  ms += 7200000;
  ms += 300000;
  const auto whole_days = static_cast<int>(std::floor(ms / kMsPerDay));
  return CorrectSolarTermDay(year, index, Date{kFirstXiaoHan + days{whole_days}});
}

std::string_view SolarTermOf(sys_days day) {
  const Date d{day};
  const int y = static_cast<int>(d.year());
  // Terms 2(m-1) and 2(m-1)+1 fall in month m.
  const int first = (static_cast<int>(static_cast<unsigned>(d.month())) - 1) * 2;
  std::string_view name;
  for (int index : {first, first + 1}) {
    if (SolarTermDayOf(y, index) == d) name = tables::kTermNames[static_cast<std::size_t>(index)];
  }
  return name;
}

}  // namespace tavo::lunar
