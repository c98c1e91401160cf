#include "sheets/day_cells.h"

namespace tavo::sheets {
namespace {

constexpr int kShadeColour = 15;
constexpr std::size_t kLongNoteCharacters = 4;

unsigned MonthOf(Date d) { return static_cast<unsigned>(d.month()); }
unsigned DayOf(Date d) { return static_cast<unsigned>(d.day()); }

}  // namespace

DayWriter::DayWriter(BuildState& state)
    : state_(state),
      vertical_(state.options.Vertical()),
      // A range that starts on a 1st meets that month start with its first
      // day, which flips these to "not shaded, one month begun".
      shaded_(DayOf(state.start) == 1),
      month_counter_(DayOf(state.start) == 1 ? 0 : 1) {}

void DayWriter::RecordMonthStart(int row, int column) {
  ++month_counter_;
  shaded_ = !shaded_;
  const auto i = static_cast<std::size_t>(month_counter_);
  if (i >= state_.month_anchors.size()) return;  // the month count covers every start
  if (vertical_) {
    state_.month_anchors[i] = row;
    // A week belongs to the month of its first day.
    state_.month_label_positions[i] = column == 3 ? row : row + 2;
  } else {
    state_.month_anchors[i] = column;
    state_.month_label_positions[i] = row == 5 ? column : column + 1;
  }
}

void DayWriter::Write(Date day, int row, int column) {
  host::Sheet& sheet = state_.sheet;
  std::string date_text;
  if (DayOf(day) == 1) {
    date_text = std::to_string(MonthOf(day)) + ".1";
    RecordMonthStart(row, column);
  } else {
    date_text = std::to_string(DayOf(day));
  }
  Cell(sheet, row, column)->SetValue(host::Variant(date_text));

  lunar::LunarEngine& engine = state_.engine;
  const ColourSet& colours = state_.colours;
  const DateText text = DateToText(day);
  auto note_cell = Cell(sheet, row + 1, column);

  // Later marks win: festival over solar term over the lunar month start.
  std::string note = engine.LunarDayText(text);
  if (note == "初一") {
    note = "<" + engine.LunarMonthText(text) + ">";
    note_cell->Font()->SetColorIndex(colours.lunar_month);
    if (vertical_) note_cell->Font()->SetBold(true);
  }
  const std::string term = engine.SolarTermName(text);
  if (!term.empty()) {
    note = term;
    note_cell->Font()->SetBold(true);
    note_cell->Font()->SetColorIndex(colours.solar_term);
  }
  const std::string festival = (engine.*state_.kind.day_note)(text);
  if (!festival.empty()) {
    note = festival + term;
    note_cell->Font()->SetBold(true);
    note_cell->Font()->SetColorIndex(colours.festival);
    if (CharacterCount(note) > kLongNoteCharacters) {
      note_cell->Font()->SetSize(vertical_ ? state_.kind.long_note_size_vertical
                                           : state_.kind.long_note_size_horizontal);
    }
  }
  note_cell->SetValue(host::Variant(note));

  if (shaded_) {
    Cell(sheet, row, column)->Interior()->SetColorIndex(kShadeColour);
    note_cell->Interior()->SetColorIndex(kShadeColour);
  }
}

std::string FirstDateText(Date start) {
  return "'" + std::to_string(MonthOf(start)) + "." + std::to_string(DayOf(start));
}

std::size_t CharacterCount(const std::string& text) {
  std::size_t count = 0;
  for (unsigned char byte : text) {
    if ((byte & 0xC0) != 0x80) ++count;  // every byte but UTF-8 continuation bytes
  }
  return count;
}

}  // namespace tavo::sheets
