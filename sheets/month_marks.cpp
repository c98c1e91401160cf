#include <cmath>
#include <cstdint>
#include <string>

#include "sheets/layouts.h"
#include "sheets/title_effect.h"

namespace tavo::sheets {
namespace {

unsigned MonthOf(Date d) { return static_cast<unsigned>(d.month()); }
unsigned DayOf(Date d) { return static_cast<unsigned>(d.day()); }

// Points to whole points, a half going to the even neighbour as the host rounds.
std::int32_t RoundPoints(double points) {
  return static_cast<std::int32_t>(std::nearbyint(points));
}

constexpr double kRowHeight = 14.25;
constexpr std::int32_t kHorizontalTop = 115;
// A horizontal watermark stands this many week columns right of its
// month's first week, towards the middle of the month.
constexpr int kHorizontalWeekOffset = 2;

// Points the rows above `row` were made taller by (for remarks shown whole).
double AddedAbove(const BuildState& state, int row) {
  double added = 0;
  for (const auto& [grown, points] : state.grown_rows)
    if (grown < row) added += points;
  return added;
}

}  // namespace

void AddMonthWatermarks(BuildState& state) {
  const SheetKind& kind = state.kind;
  const bool vertical = state.options.Vertical();
  // A month entered after its 10th or left before its 20th is too short to carry one.
  int first = 1;
  int month = static_cast<int>(MonthOf(state.start));
  if (DayOf(state.start) > 10) {
    first = 2;
    month = NextMonth(month);
  }
  const int last = DayOf(state.end) < 20 ? state.month_count - 1 : state.month_count;

  for (int i = first; i <= last; ++i) {
    const int anchor = state.month_anchors[static_cast<std::size_t>(i)];
    std::int32_t left;
    std::int32_t top;
    if (vertical) {
      left = month > 9 ? kind.watermark_left_two_digits : kind.watermark_left_one_digit;
      top = RoundPoints((anchor - 1) * kRowHeight + kind.watermark_top_offset + AddedAbove(state, anchor));
    } else {
      // Where the host really draws that column: a fixed width per week
      // column drifts from the grid as the weeks add up, and a mark past
      // the last column adds a page to the print.
      left = RoundPoints(Cell(state.sheet, 1, anchor + kHorizontalWeekOffset)->Left());
      top = kHorizontalTop;
    }
    AddTitleEffect(state.ea, std::to_string(month), left, top, state.colours.title);
    month = NextMonth(month);
  }
}

void AddVerticalMonthLabels(BuildState& state) {
  host::Sheet& sheet = state.sheet;
  // The new column B is a copy of the week-label column: its merges and
  // borders frame the labels; only its values go.
  sheet.Columns(2)->Copy();
  sheet.Columns(2)->Insert();
  sheet.Columns(2)->ClearContents();
  if (state.kind.month_column_width > 0) {
    auto column = sheet.Columns(2);
    column->SetColumnWidth(state.kind.month_column_width);
    column->Font()->SetBold(true);
  }
  Cell(sheet, 2, 2)->SetValue(host::Variant("月份"));

  const auto& positions = state.month_label_positions;
  int month = static_cast<int>(MonthOf(state.start));
  // Three lines need more than one week's two rows: a one-week month drops the blank line.
  auto label = [&month](int rows) {
    return std::to_string(month) + (rows > 2 ? "\n\n月" : "\n月");
  };
  for (int i = 1; i < state.month_count; ++i) {
    const int from = positions[static_cast<std::size_t>(i)];
    const int to = positions[static_cast<std::size_t>(i) + 1] - 1;
    Block(sheet, from, 2, to, 2)->Merge();
    Cell(sheet, from, 2)->SetValue(host::Variant(label(to - from + 1)));
    month = NextMonth(month);
  }
  // The last month runs to the date row of the last week; a month that
  // begins there (or after it) gets no label.
  const int s = positions[static_cast<std::size_t>(state.month_count)];
  const int e = Cell(sheet, 2, 2)->CurrentRegion()->Rows()->Count();
  if (s < e) {
    Block(sheet, s, 2, e, 2)->Merge();
    Cell(sheet, s, 2)->SetValue(host::Variant(label(e - s + 1)));
  }
}

void AddHorizontalMonthLabels(BuildState& state) {
  host::Sheet& sheet = state.sheet;
  const auto& positions = state.month_label_positions;
  int month = static_cast<int>(MonthOf(state.start));
  auto label = [&month] { return std::to_string(month) + "    月"; };
  for (int i = 1; i < state.month_count; ++i) {
    const int from = positions[static_cast<std::size_t>(i)];
    const int to = positions[static_cast<std::size_t>(i) + 1] - 1;
    Block(sheet, 3, from, 3, to)->Merge();
    Cell(sheet, 3, from)->SetValue(host::Variant(label()));
    month = NextMonth(month);
  }
  const int s = positions[static_cast<std::size_t>(state.month_count)];
  const int e = 2 + Cell(sheet, 3, 2)->CurrentRegion()->Columns()->Count() - 1;
  if (s < e) {
    Block(sheet, 3, s, 3, e)->Merge();
    Cell(sheet, 3, s)->SetValue(host::Variant(label()));
  }
}

}  // namespace tavo::sheets
