#pragma once
// The schedule of official days off (放假) and make-up working days (调休上班)
// a calendar marks: the days of the built-in notices' breaks, with a
// school's own rows laid over them (the host workbook's "节假日" sheet), which
// add days, replace a built-in day or remove it.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/dates.h"
#include "holidays/holiday_table.h"

namespace tavo::holidays {

enum class DayStatus { kNone, kOff, kWork };

struct HolidayDay {
  Date date;
  DayStatus status = DayStatus::kNone;
  std::string name;  // the notice's name of the holiday: 国庆节, 中秋节、国庆节
};

// One holiday as a notice describes it: its days off as one range (weekend
// days the notice only joins to it included) and its make-up working days.
struct HolidayBreak {
  std::string name;
  bool has_days_off = false;
  Date first_off{};
  Date last_off{};
  std::vector<Date> working_days;
};

// The days a built-in break marks, in date order: its days off and its
// make-up working days (the joined weekend days are not marked).
std::vector<HolidayDay> MarkedDaysOf(const BuiltInBreak& b);

class HolidaySchedule {
 public:
  // The built-in notices alone.
  static HolidaySchedule BuiltIn();
  // An empty schedule (for tests and for a school that keeps its own).
  HolidaySchedule() = default;

  // A school's row: `status` kOff or kWork adds the day or replaces the
  // built-in entry; kNone removes the day's entry. Its year counts as covered.
  void Override(Date date, DayStatus status, std::string name);

  // The day's entry, or nullptr.
  const HolidayDay* Find(Date date) const;
  DayStatus StatusOf(Date date) const;

  // Whether the schedule knows the year: a built-in notice, or a school row in it.
  bool Covers(int year) const;
  // Years from `first` to `last` that Covers() does not know, in order.
  std::vector<int> UncoveredYears(int first, int last) const;

  // Every entry of a year, in date order.
  std::vector<HolidayDay> DaysOfYear(int year) const;

  // The holiday a marked day belongs to. A day of a built-in break gives
  // that break, as the school's rows left it (a removed day is no longer
  // part of it, a changed one counts as it is now). A school's own row of a
  // holiday joins the days of that name at most three weeks from it, a
  // built-in break included: so a school that adds a day to a break extends
  // it. Empty name when the day is not marked.
  HolidayBreak BreakOf(Date date) const;

 private:
  std::map<long, HolidayDay> days_;     // by day number since the epoch
  std::map<long, std::string> joined_;  // adjoining weekend days, by day number
  // Every day of every built-in break, whatever a school's rows did to it.
  std::map<long, const BuiltInBreak*> built_in_breaks_;
  std::set<int> covered_years_;
};

// "放假" or "调休上班", and the short marks "休" / "班"; empty for kNone.
const char* StatusText(DayStatus status);
const char* StatusMark(DayStatus status);

}  // namespace tavo::holidays
