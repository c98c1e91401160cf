#include "sheets/day_cells.h"

#include <cstdint>

#include "sheets/day_look.h"

namespace tavo::sheets {
namespace {

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
  if (DayOf(day) == 1) RecordMonthStart(row, column);
  const DayLook look = DecideDay(DayInputOf(state_, day, shaded_));
  state_.marks_used |= look.used;

  host::Sheet& sheet = state_.sheet;
  auto date_cell = Cell(sheet, row, column);
  date_cell->SetValue(host::Variant(look.date_text));
  if (look.date_bold) date_cell->Font()->SetBold(true);
  if (look.date_colour) date_cell->Font()->SetColorIndex(*look.date_colour);

  auto note_cell = Cell(sheet, row + 1, column);
  if (look.note_colour) note_cell->Font()->SetColorIndex(*look.note_colour);
  if (look.note_bold) note_cell->Font()->SetBold(true);
  if (look.note_size) note_cell->Font()->SetSize(*look.note_size);
  note_cell->SetValue(host::Variant(look.note));

  if (look.fill) {
    date_cell->Interior()->SetColorIndex(*look.fill);
    note_cell->Interior()->SetColorIndex(*look.fill);
  }
}

std::string FirstDateText(const BuildState& state) {
  const Date start = state.start;
  return "'" + std::to_string(MonthOf(start)) + "." + std::to_string(DayOf(start)) +
         DecideDay(DayInputOf(state, start, false)).mark;
}

std::size_t CharacterCount(const std::string& text) {
  std::size_t count = 0;
  for (unsigned char byte : text) {
    if ((byte & 0xC0) != 0x80) ++count;  // every byte but UTF-8 continuation bytes
  }
  return count;
}

std::size_t HalfWidthUnits(const std::string& text) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    // Latin letters, digits and signs are half as wide as Chinese characters
    // and full-width punctuation; so are the half-width katakana forms.
    std::uint32_t code = length == 1 ? lead : lead & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
      code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    units += code < 0x1100 || (code >= 0xFF61 && code <= 0xFFDC) ? 1 : 2;
    i += length;
  }
  return units;
}

}  // namespace tavo::sheets
