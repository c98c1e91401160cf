#include "holidays/holiday_schedule.h"

#include <chrono>

#include "holidays/covered_years.h"

namespace tavo::holidays {
namespace {

// How far a school's own row reaches to the days of its holiday: the days
// of one break lie closer, the same festival of the next year months away.
constexpr long kSchoolRowReach = 21;

long DayNumber(Date d) { return std::chrono::sys_days{d}.time_since_epoch().count(); }

Date FromDayNumber(long n) { return Date{std::chrono::sys_days{std::chrono::days{n}}}; }

// Every day of a break: its days off, its joined weekend days, its make-up days.
std::vector<long> DayNumbersOf(const BuiltInBreak& b) {
  std::vector<long> numbers;
  for (const DayRange& range : b.off)
    for (long n = DayNumber(range.first); n <= DayNumber(range.last); ++n) numbers.push_back(n);
  for (Date d : b.joined) numbers.push_back(DayNumber(d));
  for (Date d : b.working) numbers.push_back(DayNumber(d));
  return numbers;
}

}  // namespace

std::vector<HolidayDay> MarkedDaysOf(const BuiltInBreak& b) {
  std::map<long, HolidayDay> days;
  for (const DayRange& range : b.off) {
    for (long n = DayNumber(range.first); n <= DayNumber(range.last); ++n)
      days[n] = {FromDayNumber(n), DayStatus::kOff, std::string(b.name)};
  }
  for (Date d : b.working) days[DayNumber(d)] = {d, DayStatus::kWork, std::string(b.name)};
  std::vector<HolidayDay> out;
  for (auto& [n, day] : days) out.push_back(std::move(day));
  return out;
}

HolidaySchedule HolidaySchedule::BuiltIn() {
  HolidaySchedule schedule;
  for (const BuiltInBreak& b : kBreaks) {
    for (HolidayDay& day : MarkedDaysOf(b)) {
      const long n = DayNumber(day.date);
      schedule.days_[n] = std::move(day);
    }
    for (Date d : b.joined) schedule.joined_[DayNumber(d)] = std::string(b.name);
    for (long n : DayNumbersOf(b)) schedule.built_in_breaks_[n] = &b;
  }
  for (int y = kFirstYear; y <= kLastYear; ++y) schedule.covered_years_.insert(y);
  return schedule;
}

void HolidaySchedule::Override(Date date, DayStatus status, std::string name) {
  covered_years_.insert(static_cast<int>(date.year()));
  const long n = DayNumber(date);
  joined_.erase(n);
  if (status == DayStatus::kNone) {
    days_.erase(n);
    return;
  }
  days_[n] = {date, status, std::move(name)};
}

const HolidayDay* HolidaySchedule::Find(Date date) const {
  auto it = days_.find(DayNumber(date));
  return it == days_.end() ? nullptr : &it->second;
}

DayStatus HolidaySchedule::StatusOf(Date date) const {
  const HolidayDay* day = Find(date);
  return day ? day->status : DayStatus::kNone;
}

bool HolidaySchedule::Covers(int year) const { return covered_years_.count(year) != 0; }

std::vector<int> HolidaySchedule::UncoveredYears(int first, int last) const {
  std::vector<int> years;
  for (int y = first; y <= last; ++y)
    if (!Covers(y)) years.push_back(y);
  return years;
}

std::vector<HolidayDay> HolidaySchedule::DaysOfYear(int year) const {
  const Date first = std::chrono::year{year} / 1 / 1;
  const Date last = std::chrono::year{year} / 12 / 31;
  std::vector<HolidayDay> days;
  for (auto it = days_.lower_bound(DayNumber(first));
       it != days_.end() && it->first <= DayNumber(last); ++it) {
    days.push_back(it->second);
  }
  return days;
}

HolidayBreak HolidaySchedule::BreakOf(Date date) const {
  HolidayBreak result;
  const HolidayDay* day = Find(date);
  if (day == nullptr) return result;
  result.name = day->name;

  // A day of the holiday: an entry of its name, or a weekend day joined to it.
  auto is_member = [&](long n) {
    auto entry = days_.find(n);
    if (entry != days_.end()) return entry->second.name == result.name;
    auto joined = joined_.find(n);
    return joined != joined_.end() && joined->second == result.name;
  };
  auto status_at = [&](long n) {
    auto entry = days_.find(n);
    return entry != days_.end() ? entry->second.status : DayStatus::kOff;  // joined: a day off
  };
  // The built-in break a member still belongs to: none for a school's own row.
  auto break_of = [&](long n) -> const BuiltInBreak* {
    auto it = built_in_breaks_.find(n);
    return it != built_in_breaks_.end() && it->second->name == result.name ? it->second : nullptr;
  };

  std::map<long, DayStatus> members;
  std::vector<long> unvisited;
  auto add = [&](long n) {
    if (is_member(n) && members.emplace(n, status_at(n)).second) unvisited.push_back(n);
  };
  add(DayNumber(date));
  while (!unvisited.empty()) {
    const long n = unvisited.back();
    unvisited.pop_back();
    const BuiltInBreak* own = break_of(n);
    if (own != nullptr)
      for (long m : DayNumbersOf(*own)) add(m);
    // A school's row and the days near it; two built-in breaks never join.
    for (long m = n - kSchoolRowReach; m <= n + kSchoolRowReach; ++m)
      if (own == nullptr || break_of(m) == nullptr) add(m);
  }

  for (const auto& [n, status] : members) {
    if (status == DayStatus::kWork) {
      result.working_days.push_back(FromDayNumber(n));
      continue;
    }
    if (!result.has_days_off) result.first_off = FromDayNumber(n);
    result.last_off = FromDayNumber(n);
    result.has_days_off = true;
  }
  return result;
}

const char* StatusText(DayStatus status) {
  switch (status) {
    case DayStatus::kOff: return "放假";
    case DayStatus::kWork: return "调休上班";
    case DayStatus::kNone: break;
  }
  return "";
}

const char* StatusMark(DayStatus status) {
  switch (status) {
    case DayStatus::kOff: return "休";
    case DayStatus::kWork: return "班";
    case DayStatus::kNone: break;
  }
  return "";
}

}  // namespace tavo::holidays
