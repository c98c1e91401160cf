// Gregorian and lunar festivals and the day notes built from them.
#include <algorithm>
#include <string>

#include "common/error.h"
#include "lunar/date_reading.h"
#include "lunar/lunar_engine.h"

namespace tavo::lunar {
namespace {

struct Festival {
  int key;
  std::string_view name;
};

constexpr int kValentineKey = 214;

// month * 100 + day
constexpr Festival kFixedDate[] = {
    {101, "元旦"},   {214, "情人节"}, {308, "妇女节"}, {312, "植树节"}, {401, "愚人节"}, {501, "劳动节"},
    {504, "青年节"}, {512, "护士节"}, {531, "无烟日"}, {601, "儿童节"}, {701, "建党节"}, {801, "建军节"},
    {910, "教师节"}, {1001, "国庆节"}, {1224, "平安夜"}, {1225, "圣诞节"}};

// month * 100 + week of the month * 10 + weekday (Sunday = 1)
constexpr Festival kWeekday[] = {{521, "母亲节"}, {531, "助残日"}, {631, "父亲节"}, {1145, "感恩节"}};

// lunar month * 100 + lunar day; leap months have negative numbers and so
// never match.
constexpr Festival kLunar[] = {{101, "春节"},   {115, "元宵节"}, {505, "端午节"}, {707, "七夕节"},
                               {815, "中秋节"}, {909, "重阳节"}, {1208, "腊八节"}};

constexpr std::string_view kNewYearsEve = "除夕";

template <std::size_t N>
std::string_view Find(const Festival (&table)[N], int key) {
  auto it = std::find_if(std::begin(table), std::end(table), [key](const Festival& f) { return f.key == key; });
  return it == std::end(table) ? std::string_view{} : it->name;
}

}  // namespace

std::string LunarEngine::GregorianFestivalName(const DateText& date, std::int16_t include_valentine) {
  const Date d = ReadDateText(date);
  const int month = static_cast<int>(static_cast<unsigned>(d.month()));
  const int day = static_cast<int>(static_cast<unsigned>(d.day()));
  const int fixed_key = month * 100 + day;
  std::string name;
  if (fixed_key != kValentineKey || include_valentine != 0) name = Find(kFixedDate, fixed_key);
  name += Find(kWeekday, month * 100 + (day + 6) / 7 * 10 + WeekdayNumber(d));
  return name;
}

std::string LunarEngine::LunarFestivalName(const DateText& date) {
  const int m = LunarMonthNumber(date);
  const int d = LunarDayNumber(date);
  std::string name(Find(kLunar, m * 100 + d));
  // The eve is the day before the new year of the date's own Gregorian year,
  // whether the twelfth month has 29 or 30 days. Every new year falls on
  // 21 January or later, so the eve never lies in the year before.
  const Date day = ReadDateText(date);
  const auto year = static_cast<int>(day.year());
  const long into_year = DaysBetween(Date{std::chrono::year{year} / std::chrono::January / 1}, day);
  if (into_year == LunarNewYearOffset(static_cast<std::int16_t>(year)) - 1) name = kNewYearsEve;
  return name;
}

std::string LunarEngine::SchoolDayNote(const DateText& date) {
  return GregorianFestivalName(date, 0) + LunarFestivalName(date);
}

std::string LunarEngine::CalendarDayNote(const DateText& date) {
  return GregorianFestivalName(date, -1) + LunarFestivalName(date);
}

}  // namespace tavo::lunar
