#pragma once
// Solar-term days that the mean-year formula misses by one day in 1900-2100.
// The true day is the calendar day, in China Standard Time, of the moment
// the Sun reaches the term's longitude. Every term of those years that is not
// listed here falls on the formula's day.
#include <chrono>
#include <cstdint>
#include <span>

namespace tavo::lunar {

struct SolarTermCorrection {
  std::int16_t year;
  std::int16_t index;  // 0..23, as in the term tables
  std::chrono::year_month_day formula_day;
  std::chrono::year_month_day true_day;
};

// Sorted by year, then index.
std::span<const SolarTermCorrection> SolarTermCorrections();

// The true day of term `index` in `year` when the formula is wrong there,
// else `formula_day` itself.
std::chrono::year_month_day CorrectSolarTermDay(int year, int index,
                                                std::chrono::year_month_day formula_day);

}  // namespace tavo::lunar
