#include <chrono>
#include <optional>

#include "sheets/day_cells.h"
#include "sheets/layouts.h"

namespace tavo::sheets {
namespace {

constexpr int kFirstWeekColumn = 3;  // C
constexpr int kFirstDateRow = 5;
constexpr int kLastNoteRow = 18;
constexpr int kShadeFill = 15;

void FormatHeaderAndColumns(host::Sheet& sheet) {
  sheet.Rows(3)->Font()->SetBold(true);
  sheet.Rows(4)->Font()->SetBold(true);
  sheet.Columns()->SetColumnWidth(7);
  sheet.Columns(1)->SetColumnWidth(0.2);
  auto band = Block(sheet, 3, 2, kLastNoteRow, 2);
  band->Font()->SetBold(true);
  band->Interior()->SetColorIndex(kShadeFill);
}

// Writes the days until the range ends or the week columns reach the host's
// last column; in the latter case only the months begun so far count.
void WriteDays(BuildState& state, int start_position, int column_limit) {
  DayWriter writer(state);
  int row = 2 * start_position + 3;
  int column = kFirstWeekColumn;
  const std::chrono::sys_days last{state.end};
  for (std::chrono::sys_days day{state.start}; day <= last; day += std::chrono::days{1}) {
    writer.Write(Date{day}, row, column);
    row += 2;
    if (row > kLastNoteRow) {
      row = kFirstDateRow;
      ++column;
      if (column >= column_limit) {
        state.month_count = writer.months_begun();
        break;
      }
    }
  }
}

void WriteHeaders(host::Sheet& sheet, bool monday_first) {
  Cell(sheet, 3, 2)->SetValue(host::Variant("月  份"));
  Cell(sheet, 4, 2)->SetValue(host::Variant("周  次"));
  const auto names = WeekdayNames(kLongWeekdayNames, monday_first);
  for (int i = 0; i < 7; ++i) {
    Cell(sheet, kFirstDateRow + 2 * i, 2)->SetValue(host::Variant(names[i]));
  }
}

// The week row shows numbers; with the school's terms a 预备周 or a vacation
// shows its name and a week outside every term nothing.
std::optional<host::Variant> WeekNumberLabel(const BuildState& state, int week) {
  const auto index = static_cast<std::size_t>(week - 1);
  if (index >= state.week_labels.size()) return host::Variant(week);
  const hostbook::WeekLabel& label = state.week_labels[index];
  switch (label.kind) {
    case hostbook::WeekLabel::Kind::kNumber:
      if (label.number == 0) return host::Variant(hostbook::kPreparationWeek);
      return host::Variant(label.number);
    case hostbook::WeekLabel::Kind::kVacation: return host::Variant(label.vacation);
    case hostbook::WeekLabel::Kind::kNone: break;
  }
  return std::nullopt;
}

}  // namespace

void LayOutHorizontal(BuildState& state) {
  host::Sheet& sheet = state.sheet;
  FormatHeaderAndColumns(sheet);
  const int column_limit = sheet.Columns()->Count();

  const int p = StartPosition(state);
  WriteDays(state, p, column_limit);
  Cell(sheet, 2 * p + 3, kFirstWeekColumn)->SetValue(host::Variant(FirstDateText(state)));

  for (int r = kFirstDateRow; r < kLastNoteRow; r += 2) Block(sheet, r, 2, r + 1, 2)->Merge();
  WriteHeaders(sheet, state.options.MondayFirst());

  auto region = Cell(sheet, 3, 2)->CurrentRegion();
  region->SetHorizontalAlignment(host::HAlign::kCenter);
  region->SetVerticalAlignment(host::VAlign::kCenter);
  // A long note, label or header is drawn smaller rather than cut at the cell's edge.
  region->SetShrinkToFit(true);
  region->Borders()->SetLineStyle(host::BorderLine::kContinuous);
  const int last_column = 2 + region->Columns()->Count() - 1;

  // A date and its note form one box: no line between the day's two rows.
  for (int r = kFirstDateRow; r < kLastNoteRow; r += 2) {
    Block(sheet, r, kFirstWeekColumn, r, last_column)
        ->Borders()
        ->Item(host::Edge::kBottom)
        ->SetLineStyle(host::BorderLine::kNone);
  }
  for (int k = kFirstWeekColumn; k <= last_column; ++k) {
    if (const auto label = WeekNumberLabel(state, k - 2)) Cell(sheet, 4, k)->SetValue(*label);
  }

  // The first month begins with the grid, whatever day the range starts on.
  state.month_anchors[1] = state.month_label_positions[1] = kFirstWeekColumn;
  if (state.options.style == 1) {
    sheet.Rows(3)->Delete();  // the month row is not needed under watermarks
    AddMonthWatermarks(state);
  } else if (state.options.style == 2) {
    AddHorizontalMonthLabels(state);
  }
}

}  // namespace tavo::sheets
