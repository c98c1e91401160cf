#pragma once
// The built-in schedule of official days off and make-up working days of
// the State Council's holiday notices, compiled from holiday_data/ by
// holiday_data/make_holiday_table.py (holiday_table.cpp is its output).
#include <span>

namespace tavo::lunar {

enum BuiltInKind : unsigned char { kOff, kWork };

struct BuiltInDay {
  short year;
  unsigned char month;
  unsigned char day;
  BuiltInKind kind;
  unsigned char name;  // index into kBuiltInHolidayNames
};

// The notices' own names: 元旦, 春节, .. 中秋节、国庆节.
extern const std::span<const char* const> kBuiltInHolidayNames;
// Every day off and make-up working day, in date order.
extern const std::span<const BuiltInDay> kBuiltInDays;
// Weekend days a notice only joins to a holiday ("与周末连休"): part of the
// break when it is described as a range, never marked on their own.
extern const std::span<const BuiltInDay> kAdjoiningWeekendDays;
// Every year from the first to the last has its notice in the table.
extern const int kFirstBuiltInYear;
extern const int kLastBuiltInYear;

}  // namespace tavo::lunar
