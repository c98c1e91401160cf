// Gregorian and lunar festivals and the day notes built from them.
#include <algorithm>
#include <string>

#include "lunar/calendar_tables.h"
#include "lunar/lunar_day.h"

namespace tavo::lunar {
namespace {

using namespace std::chrono;

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

std::string GregorianFestivalsOf(sys_days day, bool with_valentine) {
  const Date d{day};
  const int month = static_cast<int>(static_cast<unsigned>(d.month()));
  const int day_of_month = static_cast<int>(static_cast<unsigned>(d.day()));
  const int fixed_key = month * 100 + day_of_month;
  std::string name;
  if (fixed_key != kValentineKey || with_valentine) name = Find(kFixedDate, fixed_key);
  name += Find(kWeekday, month * 100 + (day_of_month + 6) / 7 * 10 + WeekdayNumber(d));
  return name;
}

std::string_view LunarFestivalOf(sys_days day) {
  const LunarDate lunar = LunarDateOf(day);
  // The eve is the day before the new year of the day's own Gregorian year,
  // whether the twelfth month has 29 or 30 days. Every new year falls on
  // 21 January or later, so the eve never lies in the year before.
  const int y = static_cast<int>(Date{day}.year());
  const int new_year_offset = tables::UnpackYearEntry(tables::YearEntryOf(y)).new_year_offset;
  if (day - sys_days{year{y} / January / 1} == days{new_year_offset - 1}) return kNewYearsEve;
  return Find(kLunar, lunar.month * 100 + lunar.day);
}

std::string SchoolNoteOf(sys_days day) {
  return GregorianFestivalsOf(day, false) + std::string(LunarFestivalOf(day));
}

std::string CalendarNoteOf(sys_days day) {
  return GregorianFestivalsOf(day, true) + std::string(LunarFestivalOf(day));
}

}  // namespace tavo::lunar
