#include "lunar/holiday_schedule.h"

#include <chrono>
#include <optional>

#include "lunar/holiday_table.h"

namespace tavo::lunar {
namespace {

// Two entries of one holiday lie closer than this; the same festival of
// the next year lies months away.
constexpr long kSameBreakDays = 21;

long DayNumber(Date d) { return std::chrono::sys_days{d}.time_since_epoch().count(); }

Date FromDayNumber(long n) { return Date{std::chrono::sys_days{std::chrono::days{n}}}; }

Date BuiltInDate(const BuiltInDay& d) {
  return std::chrono::year{d.year} / std::chrono::month{d.month} / std::chrono::day{d.day};
}

}  // namespace

HolidaySchedule HolidaySchedule::BuiltIn() {
  HolidaySchedule schedule;
  for (const BuiltInDay& d : kBuiltInDays) {
    const Date date = BuiltInDate(d);
    schedule.days_[DayNumber(date)] = {date, d.kind == kOff ? DayStatus::kOff : DayStatus::kWork,
                                       kBuiltInHolidayNames[d.name]};
  }
  for (const BuiltInDay& d : kAdjoiningWeekendDays) {
    schedule.joined_[DayNumber(BuiltInDate(d))] = kBuiltInHolidayNames[d.name];
  }
  for (int y = kFirstBuiltInYear; y <= kLastBuiltInYear; ++y) schedule.covered_years_.insert(y);
  return schedule;
}

int HolidaySchedule::FirstBuiltInYear() { return kFirstBuiltInYear; }
int HolidaySchedule::LastBuiltInYear() { return kLastBuiltInYear; }

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

  // Every day of the holiday, entries and joined weekend days alike, by
  // walking outwards from the day while the next one of the name is near.
  std::map<long, DayStatus> members;
  auto same_name_near = [&](long from, int step) -> std::optional<long> {
    for (long n = from + step; n != from + step * (kSameBreakDays + 1); n += step) {
      auto entry = days_.find(n);
      if (entry != days_.end() && entry->second.name == result.name) return n;
      auto joined = joined_.find(n);
      if (joined != joined_.end() && joined->second == result.name && days_.count(n) == 0) return n;
    }
    return std::nullopt;
  };
  auto status_at = [&](long n) {
    auto entry = days_.find(n);
    return entry != days_.end() ? entry->second.status : DayStatus::kOff;  // joined: a day off
  };
  const long start = DayNumber(date);
  members[start] = status_at(start);
  for (int step : {-1, 1}) {
    long at = start;
    while (auto next = same_name_near(at, step)) {
      at = *next;
      members[at] = status_at(at);
    }
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

}  // namespace tavo::lunar
