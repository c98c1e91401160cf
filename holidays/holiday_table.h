#pragma once
// The built-in schedule as the State Council's notices give it: the notices,
// and the breaks each of them sets out (its days off, the weekend days it
// only joins to them, its make-up working days). Compiled from data/ by
// data/make_holiday_table.py (holiday_table.cpp is its output).
#include <span>
#include <string_view>

#include "common/dates.h"

namespace tavo::holidays {

struct Notice {
  int year;  // the year whose holidays it sets out
  std::string_view title;
  std::string_view address;  // where it was published
};

struct DayRange {
  Date first;
  Date last;  // == first for one day
};

struct BuiltInBreak {
  const Notice* notice;  // the notice that gives its days as they stand
  std::string_view name; // the notice's name of the holiday: 国庆节, 中秋节、国庆节
  std::span<const DayRange> off;  // the days off the notice names, in date order
  std::span<const Date> joined;   // weekend days it only joins to them ("与周末连休")
  std::span<const Date> working;  // make-up working days, in date order
};

// Every notice, in date order; every year kFirstYear..kLastYear has one.
extern const std::span<const Notice> kNotices;
// Every break, by notice and then in date order; no day belongs to two.
extern const std::span<const BuiltInBreak> kBreaks;

}  // namespace tavo::holidays
