// Loading the tables and unpacking one lunar year's entry.
#include <algorithm>
#include <string>

#include "common/error.h"
#include "lunar/calendar_tables.h"
#include "lunar/lunar_engine.h"

namespace tavo::lunar {

static_assert(tables::kLunarYears.size() == 202, "lunar_years_ holds 1899..2100");

void LunarEngine::LoadCalendarTables() {
  month_names_ = tables::kMonthNames;
  day_names_ = tables::kDayNames;
  term_names_ = tables::kTermNames;
  term_minutes_ = tables::kTermMinutes;
  std::copy(tables::kLunarYears.begin(), tables::kLunarYears.end(), lunar_years_.begin());
  // Spelled out once here so that a conversion only points at its texts.
  for (std::size_t i = 0; i < month_names_.size(); ++i) leap_month_names_[i] = "闰" + std::string(month_names_[i]);
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
  const auto bits = static_cast<std::uint32_t>(entry);
  has_leap_month_ = bits >= (1u << 19);
  leap_month_ = static_cast<std::int16_t>(bits >> 19);
  new_year_offset_ = static_cast<std::int16_t>(has_leap_month_ ? (bits >> 13) & 0x3F : bits >> 13);
  month_flags_ = static_cast<std::uint16_t>(bits & 0x1FFF);
}

std::int16_t LunarEngine::MonthIsLong(int position) const {
  if (position < 0 || position > 12) RaiseOutOfRange("月序 " + std::to_string(position));
  return static_cast<std::int16_t>((month_flags_ >> (12 - position)) & 1);
}

std::int16_t LunarEngine::LunarNewYearOffset(std::int16_t year) {
  const std::int32_t entry = YearEntry(year);
  RequireTables();
  const auto bits = static_cast<std::uint32_t>(entry);
  return static_cast<std::int16_t>(bits >= (1u << 19) ? (bits >> 13) & 0x3F : bits >> 13);
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
