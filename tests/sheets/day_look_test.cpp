// What a day shows, decided from its input alone, without a sheet: which
// note wins, its font and colour, the month mark in a leap month, long notes
// set smaller, and a marked day's date, colour and fill.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

#include "common/dates.h"
#include "sheets/day_look.h"

namespace tavo::sheets {
namespace {

using holidays::DayStatus;

Date D(int y, unsigned m, unsigned d) { return std::chrono::year{y} / std::chrono::month{m} / std::chrono::day{d}; }

struct LookCase {
  const char* label;
  Date day;
  bool school = true;
  bool vertical = true;
  int colour_mode = 1;
  bool shaded = false;
  DayStatus status = DayStatus::kNone;
  // The decision.
  const char* date_text;
  bool date_bold;
  std::optional<int> date_colour;
  const char* note;
  bool note_bold;
  std::optional<int> note_colour;
  std::optional<double> note_size;
  std::optional<int> fill;
};

const LookCase kCases[] = {
    {"an ordinary day: the lunar day", D(2013, 3, 6), true, true, 1, false, DayStatus::kNone,
     "6", false, {}, "廿五", false, {}, {}, {}},
    {"a month's first day", D(2013, 3, 1), true, true, 1, false, DayStatus::kNone,
     "3.1", false, {}, "二十", false, {}, {}, {}},
    {"festival and term: the festival first, in its colour", D(2015, 2, 19), true, true, 1, false,
     DayStatus::kNone, "19", false, {}, "春节雨水", true, 5, {}, {}},
    {"a term alone", D(2013, 4, 4), true, true, 1, false, DayStatus::kNone,
     "4", false, {}, "清明节", true, 10, {}, {}},
    {"festival and term over four characters is set smaller", D(2000, 5, 21), true, true, 1, false,
     DayStatus::kNone, "21", false, {}, "助残日小满", true, 5, 9.0, {}},
    {"a long note on the vertical calendar", D(2020, 10, 1), false, true, 1, false, DayStatus::kNone,
     "10.1", false, {}, "国庆节中秋节", true, 5, 11.0, {}},
    {"a long note on the horizontal calendar", D(2020, 10, 1), false, false, 1, false, DayStatus::kNone,
     "10.1", false, {}, "国庆节中秋节", true, 5, 9.0, {}},
    {"初一 of a leap month: the month mark, long, bold when vertical", D(2020, 5, 23), true, true, 1, false,
     DayStatus::kNone, "23", false, {}, "<闰四月>", true, 46, 9.0, {}},
    {"the same mark horizontal is not bold", D(2020, 5, 23), false, false, 1, false, DayStatus::kNone,
     "23", false, {}, "<闰四月>", false, 46, 9.0, {}},
    {"a short month mark keeps the size", D(2013, 4, 10), true, true, 1, false, DayStatus::kNone,
     "10", false, {}, "<三月>", true, 46, {}, {}},
    {"a long month mark: <十二月>", D(2013, 1, 12), true, true, 1, false, DayStatus::kNone,
     "12", false, {}, "<十二月>", true, 46, 9.0, {}},
    {"a festival replaces the month mark", D(2013, 2, 10), true, true, 1, false, DayStatus::kNone,
     "10", false, {}, "春节", true, 5, {}, {}},
    {"Valentine's Day only on the calendar", D(2013, 2, 14), false, true, 1, false, DayStatus::kNone,
     "14", false, {}, "情人节", true, 5, {}, {}},
    {"Valentine's Day on the school calendar", D(2013, 2, 14), true, true, 1, false, DayStatus::kNone,
     "14", false, {}, "初五", false, {}, {}, {}},
    {"without colour the note's colour is the automatic one", D(2013, 4, 4), true, true, 2, false,
     DayStatus::kNone, "4", false, {}, "清明节", true, 0, {}, {}},
    {"a shaded month", D(2013, 3, 6), true, true, 1, true, DayStatus::kNone,
     "6", false, {}, "廿五", false, {}, {}, 15},
    {"a marked day off: red date on the rose fill, the note kept", D(2024, 10, 1), true, true, 1, true,
     DayStatus::kOff, "10.1休", true, 3, "国庆节", true, 5, {}, 38},
    {"a make-up day: dark blue date, the shading kept", D(2024, 9, 29), true, true, 1, true,
     DayStatus::kWork, "29班", true, 11, "廿七", false, {}, {}, 15},
    {"a day off without colour: the mark and the bold date alone", D(2024, 9, 15), true, true, 2, false,
     DayStatus::kOff, "15休", true, {}, "十三", false, {}, {}, {}},
};

TEST(DecideDay, EachInputGivesItsLook) {
  for (const LookCase& c : kCases) {
    SCOPED_TRACE(c.label);
    const SheetKind& kind = c.school ? kSchoolCalendar : kCalendar;
    const DayInput input{
        .day = c.day,
        .shaded = c.shaded,
        .status = c.status,
        .vertical = c.vertical,
        .colours = ColoursFor(c.colour_mode),
        .note = kind.day_note,
        .long_note_size = c.vertical ? kind.long_note_size_vertical : kind.long_note_size_horizontal,
    };
    const DayLook look = DecideDay(input);
    EXPECT_EQ(look.date_text, c.date_text);
    EXPECT_EQ(look.date_bold, c.date_bold);
    EXPECT_EQ(look.date_colour, c.date_colour);
    EXPECT_EQ(look.note, c.note);
    EXPECT_EQ(look.note_bold, c.note_bold);
    EXPECT_EQ(look.note_colour, c.note_colour);
    EXPECT_EQ(look.note_size, c.note_size);
    EXPECT_EQ(look.fill, c.fill);
    EXPECT_EQ(look.status, c.status);
  }
}

}  // namespace
}  // namespace tavo::sheets
