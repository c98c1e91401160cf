#pragma once
// The palette indexes a build writes its marks in, chosen once from the
// colour mode of "DTB".
#include <cstdint>

namespace tavo::sheets {

// Palette indexes of the holiday marks; 0 = none (without colour the marks
// are the 休/班 texts and the bold date alone, which a black-and-white
// printout keeps).
struct HolidayColours {
  int day_off_date = 0;
  int day_off_fill = 0;
  int working_day_date = 0;
  int working_day_fill = 0;
};

// Palette indexes of the school's own marks; 0 = none. A vacation has a fill
// of its own in both modes, apart from the month grey and the rose of days
// off; an exam day is told by its "考" and, in colour, a fill.
struct PlanColours {
  int vacation_fill = 0;
  int exam_fill = 0;
};

// Palette indexes of the marks, chosen once per build from the colour mode.
struct ColourSet {
  int title;
  int solar_term;
  int festival;
  int lunar_month;
  HolidayColours holidays;
  PlanColours plan;
};
ColourSet ColoursFor(std::int32_t color_mode);

}  // namespace tavo::sheets
