#pragma once
// The two cells of one day, shared by both layouts and both sheets: the date
// (or "m.1" on a month's first day) and under it the note, with the month
// bookkeeping (counter, anchors, label positions) and the alternate shading.
#include <cstddef>
#include <string>

#include "sheets/build_state.h"

namespace tavo::sheets {

class DayWriter {
 public:
  // The first month of the range is never shaded, whatever day it starts on.
  explicit DayWriter(BuildState& state);

  // Writes day `day` with its date in (row, column) and its note below.
  void Write(Date day, int row, int column);

  // Month starts met so far (the first month counts even when the range
  // starts after its 1st).
  int months_begun() const { return month_counter_; }

 private:
  void RecordMonthStart(int row, int column);

  BuildState& state_;
  bool vertical_;
  bool shaded_;
  int month_counter_;
};

// The text that forces the start date's cell to text: "'3.13" (with the
// day's holiday mark, "'9.1休", when the build marks one).
std::string FirstDateText(const BuildState& state);

// Characters (not bytes) of a UTF-8 text.
std::size_t CharacterCount(const std::string& text);

// Width of a UTF-8 text in half-width characters: a Chinese character or
// full-width sign counts two, a Latin letter, digit or space one.
std::size_t HalfWidthUnits(const std::string& text);

}  // namespace tavo::sheets
