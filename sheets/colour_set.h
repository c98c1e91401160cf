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

// Palette indexes of the marks, chosen once per build from the colour mode.
struct ColourSet {
  int title;
  int solar_term;
  int festival;
  int lunar_month;
  HolidayColours holidays;
};
ColourSet ColoursFor(std::int32_t color_mode);

}  // namespace tavo::sheets
