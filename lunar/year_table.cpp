// Loading the tables and unpacking one lunar year's entry.
#include <algorithm>
#include <string>

#include "common/error.h"
#include "lunar/calendar_tables.h"
#include "lunar/lunar_engine.h"

namespace tavo::lunar {

static_assert(tables::kLunarYears.size() == 202, "lunar_years_ holds 1899..2100");

void LunarEngine::LoadCalendarTables() {
  std::copy(tables::kLunarYears.begin(), tables::kLunarYears.end(), lunar_years_.begin());
  tables_loaded_ = true;
}

void LunarEngine::RequireTables() const {
  if (!tables_loaded_) RaiseInvalidArgument("农历表尚未载入 (lunar tables not loaded)");
}

std::int32_t LunarEngine::YearEntry(int year) const {
  if (year < tables::kFirstTableYear || year > tables::kLastTableYear) {
    RaiseOutOfRange("农历年 " + std::to_string(year) + " 不在 " + std::to_string(tables::kFirstTableYear) +
                    "-" + std::to_string(tables::kLastTableYear) + " 之内");
  }
  return lunar_years_[static_cast<std::size_t>(year - tables::kFirstTableYear)];
}

std::string LunarEngine::YearEntryText(std::int16_t year) { return ToBinaryText(YearEntry(year)); }

void LunarEngine::DecodeYearEntry(std::int16_t year) {
  const std::int32_t entry = YearEntry(year);
  // An empty table entry has no digits to read the new-year offset from.
  RequireTables();
  const tables::YearEntryFields fields = tables::UnpackYearEntry(entry);
  has_leap_month_ = fields.has_leap_month;
  leap_month_ = static_cast<std::int16_t>(fields.leap_month);
  new_year_offset_ = static_cast<std::int16_t>(fields.new_year_offset);
  month_flags_ = fields.month_flags;
}

std::int16_t LunarEngine::MonthIsLong(int position) const {
  if (position < 0 || position > 12) RaiseOutOfRange("月序 " + std::to_string(position));
  return static_cast<std::int16_t>((month_flags_ >> (12 - position)) & 1);
}

std::int16_t LunarEngine::LunarNewYearOffset(std::int16_t year) {
  const std::int32_t entry = YearEntry(year);
  RequireTables();
  return static_cast<std::int16_t>(tables::UnpackYearEntry(entry).new_year_offset);
}

std::string LunarEngine::ToBinaryText(std::int32_t n) {
  std::string digits;
  for (auto v = n; v > 0; v /= 2) digits.push_back(static_cast<char>('0' + v % 2));
  std::reverse(digits.begin(), digits.end());
  return digits;
}

std::int16_t LunarEngine::FromBinaryText(std::string_view digits) {
  std::int32_t r = 0;
  for (char c : digits) {
    if (c != '0' && c != '1') RaiseTypeMismatch("\"" + std::string(digits) + "\" 不是二进制数字");
    r = r * 2 + (c - '0');
    if (r > 32767) RaiseOverflow("\"" + std::string(digits) + "\" 超出 32767");
  }
  return static_cast<std::int16_t>(r);
}

}  // namespace tavo::lunar
