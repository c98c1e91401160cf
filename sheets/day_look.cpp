#include "sheets/day_look.h"

#include "sheets/day_cells.h"

namespace tavo::sheets {
namespace {

constexpr int kShadeColour = 15;
constexpr std::size_t kLongNoteCharacters = 4;

unsigned MonthOf(Date d) { return static_cast<unsigned>(d.month()); }
unsigned DayOf(Date d) { return static_cast<unsigned>(d.day()); }

double LongNoteSize(const BuildState& state) {
  return state.options.Vertical() ? state.kind.long_note_size_vertical
                                  : state.kind.long_note_size_horizontal;
}

// The note and its font: later marks win, festival over solar term over
// the lunar month start; the colour is the last one a mark sets.
void DecideNote(BuildState& state, Date day, DayLook& look) {
  lunar::LunarEngine& engine = state.engine;
  const ColourSet& colours = state.colours;
  const DateText text = DateToText(day);
  look.note = engine.LunarDayText(text);
  if (look.note == "初一") {
    look.note = "<" + engine.LunarMonthText(text) + ">";
    look.note_colour = colours.lunar_month;
    if (state.options.Vertical()) look.note_bold = true;
    // "<十一月>", "<闰四月>": as wide as a long festival note, and set as small.
    if (CharacterCount(look.note) > kLongNoteCharacters) look.note_size = LongNoteSize(state);
  }
  const std::string term = engine.SolarTermName(text);
  if (!term.empty()) {
    look.note = term;
    look.note_size.reset();  // the term replaces a long month mark
    look.note_bold = true;
    look.note_colour = colours.solar_term;
  }
  const std::string festival = (engine.*state.kind.day_note)(text);
  if (!festival.empty()) {
    look.note = festival + term;
    look.note_bold = true;
    look.note_colour = colours.festival;
    look.note_size.reset();
    if (CharacterCount(look.note) > kLongNoteCharacters) look.note_size = LongNoteSize(state);
  }
}

}  // namespace

lunar::DayStatus MarkedStatus(const BuildState& state, Date day) {
  if (state.holidays == nullptr) return lunar::DayStatus::kNone;
  return state.holidays->schedule.StatusOf(day);
}

std::string MarkedDateText(const BuildState& state, Date day, std::string date_text) {
  return date_text + lunar::StatusMark(MarkedStatus(state, day));
}

DayLook DecideDay(BuildState& state, Date day, bool shaded) {
  DayLook look;
  look.date_text = DayOf(day) == 1 ? std::to_string(MonthOf(day)) + ".1" : std::to_string(DayOf(day));
  DecideNote(state, day, look);
  if (shaded) look.fill = kShadeColour;

  // A marked day keeps its note as it is: the mark is the short 休/班 after
  // the date, the date in bold, and in colour a fill for days off.
  look.status = MarkedStatus(state, day);
  if (look.status == lunar::DayStatus::kNone) return look;
  look.date_text += lunar::StatusMark(look.status);
  look.date_bold = true;
  const bool off = look.status == lunar::DayStatus::kOff;
  const HolidayColours& marks = state.colours.holidays;
  if (const int colour = off ? marks.day_off_date : marks.working_day_date; colour != 0)
    look.date_colour = colour;
  if (const int fill = off ? marks.day_off_fill : marks.working_day_fill; fill != 0) look.fill = fill;
  return look;
}

}  // namespace tavo::sheets
