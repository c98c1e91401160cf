#include "sheets/colour_set.h"

namespace tavo::sheets {

ColourSet ColoursFor(std::int32_t color_mode) {
  // Days off: red date on a rose fill; make-up working days: dark blue date.
  if (color_mode == 1) {
    return {.title = 16,
            .solar_term = 10,
            .festival = 5,
            .lunar_month = 46,
            .holidays = {.day_off_date = 3, .day_off_fill = 38, .working_day_date = 11},
            // Vacations light green, exams light yellow.
            .plan = {.vacation_fill = 35, .exam_fill = 36}};
  }
  // Without colour a vacation is a darker grey than the month shading.
  return {.title = 15,
          .solar_term = 0,
          .festival = 0,
          .lunar_month = 0,
          .holidays = {},
          .plan = {.vacation_fill = 48, .exam_fill = 0}};
}

}  // namespace tavo::sheets
