#pragma once
// The tab-separated day records printed by `tavo day` and `tavo days`.
#include <string>

#include "common/dates.h"
#include "holidays/holiday_schedule.h"

namespace tavo::cli {

// The header lines, newline included: `tavo days` ends with the holiday
// mark (休, 班 or empty); `tavo day` adds the status and the holiday's name.
extern const char* const kDaysHeader;
extern const char* const kDayHeader;

// Appends the record of `date` and a newline to `out`, from the day
// functions the sheet builders read; the mark comes from `schedule`. With
// `with_name`, the status ("放假 国庆节") follows.
void AppendDayRow(const holidays::HolidaySchedule& schedule, Date date, bool with_name, std::string& out);

}  // namespace tavo::cli
