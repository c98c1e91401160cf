#pragma once
// What one day shows, decided before anything is written: the date text,
// the note with its font, the fill of the two cells and the holiday mark,
// from the day functions of the lunar calendar, the day's holiday status and
// the month shading. The writer (day_cells) only puts the decision on the
// sheet, so the marks are one more input here and no special case in the
// layouts; and a day can be decided without a sheet.
#include <optional>
#include <string>

#include "common/dates.h"
#include "holidays/holiday_schedule.h"
#include "hostbook/plan_calendar.h"
#include "sheets/build_state.h"
#include "sheets/colour_set.h"
#include "sheets/sheet_kind.h"

namespace tavo::sheets {

// Everything the look of one day depends on.
struct DayInput {
  Date day;
  bool shaded = false;                             // the day's month is shaded grey
  holidays::DayStatus status = holidays::DayStatus::kNone;  // the notices' mark: none when marks are off
  hostbook::PlanDay plan{};                        // the school's own marks of the day
  bool vertical = true;                            // a month mark is bold in the vertical layout
  ColourSet colours{};
  DayNote note = nullptr;                          // the sheet's festival note
  double long_note_size = 9;                       // the size of a note over four characters
};

struct DayLook {
  std::string date_text;           // "15", "3.1"; with a mark "15休", "3.1班", "15考"
  std::string mark;                // the mark alone: "休", "班", "考" or empty
  bool date_bold = false;          // a marked day's date
  std::optional<int> date_colour;  // palette index of a marked day's date
  std::string note;                // lunar day, <month>, solar term or festivals
  bool note_bold = false;
  std::optional<int> note_colour;  // the last colour the note's marks call for
  std::optional<double> note_size; // a long festival note is set smaller
  std::optional<int> fill;         // both cells' fill: month shading or a day off
  holidays::DayStatus status = holidays::DayStatus::kNone;  // the notices' with the school's laid over
  MarksUsed used;
};

// The status a day is marked with: a 停课 day is off; a 调课 day is a
// teaching day, marked 班 when it falls on a weekend or an official day off;
// otherwise the notices' status.
holidays::DayStatus CombinedStatus(Date day, holidays::DayStatus national, const hostbook::PlanDay& plan);

DayLook DecideDay(const DayInput& input);

// The input of day `day` of a build. `shaded`: the day's month is shaded grey.
DayInput DayInputOf(const BuildState& state, Date day, bool shaded);


}  // namespace tavo::sheets
