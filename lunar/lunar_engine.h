#pragma once
// The Chinese lunar calendar engine as the hosts call it: the packed
// lunar-year table, conversion of a date text to its lunar month and day,
// the 24 solar terms and the festival notes of a day. Its answers are those
// of the day functions (lunar_day.h); the object adds what its callers rely
// on: the load step every operation needs first, the year decoded last
// (DecodeYearEntry, and every conversion) and the DateText operations. One
// object is not to be shared between threads; the day functions are.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/dates.h"
#include "lunar/lunar_day.h"

namespace tavo::lunar {

class LunarEngine {
 public:
  // Copies the year table in. Every other operation needs it first.
  void LoadCalendarTables();

  // --- year table ---
  // Unpacks the entry of lunar year `year` (1899..2100) into the decoded
  // fields below. Error 9 outside the table.
  void DecodeYearEntry(std::int16_t year);
  std::string YearEntryText(std::int16_t year);  // base-2 digits of the entry
  static std::string ToBinaryText(std::int32_t n);
  static std::int16_t FromBinaryText(std::string_view digits);  // error 6 past 32767

  std::int16_t MonthIsLong(int position) const;  // position 0..12, error 9 outside
  std::int16_t NewYearOffset() const { return new_year_offset_; }
  std::int16_t LeapMonth() const { return leap_month_; }
  bool HasLeapMonth() const { return has_leap_month_; }

  // --- conversion ---
  void ConvertToLunar(const DateText& date);
  std::int16_t LunarMonthNumber(const DateText& date);  // negative in a leap month
  std::int16_t LunarDayNumber(const DateText& date);    // negative in a leap month
  std::string LunarMonthText(const DateText& date);     // "正月", "闰四月"
  std::string LunarDayText(const DateText& date);       // "初一" .. "三十"
  std::int16_t LunarNewYearOffset(std::int16_t year);   // days from 1 January to 正月初一

  // --- solar terms ---
  DateText SolarTermDate(std::int16_t year, std::int16_t index);
  std::string SolarTermName(const DateText& date);  // "" when no term falls on it

  // --- festivals and day notes ---
  std::string GregorianFestivalName(const DateText& date, std::int16_t include_valentine);
  std::string LunarFestivalName(const DateText& date);
  std::string SchoolDayNote(const DateText& date);
  std::string CalendarDayNote(const DateText& date);

 private:
  // Throws error 5 until LoadCalendarTables has run.
  void RequireTables() const;
  // The packed entry of lunar year `year`; error 9 outside the table.
  std::int32_t YearEntry(int year) const;
  // Decodes the lunar year of `date` (with the errors of DecodeYearEntry)
  // and returns its lunar date; Convert reads the text first.
  LunarDate ConvertDay(Date date);
  LunarDate Convert(const DateText& date);

  // The year table, empty until LoadCalendarTables.
  bool tables_loaded_ = false;
  std::array<std::int32_t, 202> lunar_years_{};  // lunar years 1899..2100

  // The year decoded last. Month flags as in the table entry: bit 12 is the
  // first month, bit 0 the thirteenth; a set bit is a 30-day month.
  std::uint16_t month_flags_ = 0;
  std::int16_t new_year_offset_ = 0;
  std::int16_t leap_month_ = 0;
  bool has_leap_month_ = false;
};

}  // namespace tavo::lunar
