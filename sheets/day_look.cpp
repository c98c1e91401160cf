#include "sheets/day_look.h"

#include "lunar/lunar_day.h"
#include "sheets/day_cells.h"

namespace tavo::sheets {
namespace {

constexpr int kShadeColour = 15;
constexpr std::size_t kLongNoteCharacters = 4;

unsigned MonthOf(Date d) { return static_cast<unsigned>(d.month()); }
unsigned DayOf(Date d) { return static_cast<unsigned>(d.day()); }

// The note and its font: later marks win, festival over solar term over
// the lunar month start; the colour is the last one a mark sets.
void DecideNote(const DayInput& in, DayLook& look) {
  const std::chrono::sys_days day{in.day};
  const ColourSet& colours = in.colours;
  const lunar::LunarDate lunar = lunar::LunarDateOf(day);
  look.note = lunar.day_text;
  if (lunar.day == 1 || lunar.day == -1) {
    look.note = "<" + std::string(lunar.month_text) + ">";
    look.note_colour = colours.lunar_month;
    if (in.vertical) look.note_bold = true;
    // "<十一月>", "<闰四月>": as wide as a long festival note, and set as small.
    if (CharacterCount(look.note) > kLongNoteCharacters) look.note_size = in.long_note_size;
  }
  const std::string_view term = lunar::SolarTermOf(day);
  if (!term.empty()) {
    look.note = term;
    look.note_size.reset();  // the term replaces a long month mark
    look.note_bold = true;
    look.note_colour = colours.solar_term;
  }
  const std::string festival = in.note ? in.note(day) : std::string();
  if (!festival.empty()) {
    look.note = festival + std::string(term);
    look.note_bold = true;
    look.note_colour = colours.festival;
    look.note_size.reset();
    if (CharacterCount(look.note) > kLongNoteCharacters) look.note_size = in.long_note_size;
  }
}

}  // namespace

MarksUsed& MarksUsed::operator|=(const MarksUsed& other) {
  national_off |= other.national_off;
  national_work |= other.national_work;
  no_classes |= other.no_classes;
  teaching |= other.teaching;
  exam |= other.exam;
  vacation |= other.vacation;
  return *this;
}

holidays::DayStatus CombinedStatus(Date day, holidays::DayStatus national, const hostbook::PlanDay& plan) {
  if (plan.no_classes) return holidays::DayStatus::kOff;
  const unsigned weekday = std::chrono::weekday{std::chrono::sys_days{day}}.c_encoding();
  const bool weekend = weekday == 0 || weekday == 6;
  if (plan.teaching && (weekend || national == holidays::DayStatus::kOff)) return holidays::DayStatus::kWork;
  return national;
}

DayInput DayInputOf(const BuildState& state, Date day, bool shaded) {
  const bool vertical = state.options.Vertical();
  return {.day = day,
          .shaded = shaded,
          .status = state.holidays == nullptr ? holidays::DayStatus::kNone
                                              : state.holidays->schedule.StatusOf(day),
          .plan = state.plan.empty() ? hostbook::PlanDay{} : hostbook::PlanDayOf(state.plan, day),
          .vertical = vertical,
          .colours = state.colours,
          .note = state.kind.day_note,
          .long_note_size = vertical ? state.kind.long_note_size_vertical : state.kind.long_note_size_horizontal};
}

DayLook DecideDay(const DayInput& in) {
  DayLook look;
  const Date day = in.day;
  look.date_text = DayOf(day) == 1 ? std::to_string(MonthOf(day)) + ".1" : std::to_string(DayOf(day));
  DecideNote(in, look);
  if (in.shaded) look.fill = kShadeColour;
  const hostbook::PlanDay& plan = in.plan;
  const PlanColours& plan_colours = in.colours.plan;
  if (plan.vacation) {
    look.used.vacation = true;
    if (plan_colours.vacation_fill != 0) look.fill = plan_colours.vacation_fill;
  }

  // A marked day keeps its note as it is: the mark is the short 休/班 after
  // the date, the date in bold, and in colour a fill for days off.
  look.status = CombinedStatus(day, in.status, plan);
  if (look.status == holidays::DayStatus::kNone) {
    if (!plan.exam) return look;
    // An exam day is told by its 考, and in colour by a fill of its own.
    look.used.exam = true;
    look.mark = "考";
    look.date_text += look.mark;
    look.date_bold = true;
    if (plan_colours.exam_fill != 0) look.fill = plan_colours.exam_fill;
    return look;
  }
  const bool off = look.status == holidays::DayStatus::kOff;
  const bool the_schools = look.status != in.status;
  if (off) (the_schools ? look.used.no_classes : look.used.national_off) = true;
  if (!off) (the_schools ? look.used.teaching : look.used.national_work) = true;
  look.mark = holidays::StatusMark(look.status);
  look.date_text += look.mark;
  look.date_bold = true;
  const HolidayColours& marks = in.colours.holidays;
  if (const int colour = off ? marks.day_off_date : marks.working_day_date; colour != 0)
    look.date_colour = colour;
  if (const int fill = off ? marks.day_off_fill : marks.working_day_fill; fill != 0) look.fill = fill;
  return look;
}

}  // namespace tavo::sheets
