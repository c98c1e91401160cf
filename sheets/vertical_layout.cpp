#include <chrono>
#include <optional>
#include <string>

#include "sheets/build_dates.h"
#include "sheets/day_cells.h"
#include "sheets/layouts.h"

namespace tavo::sheets {
namespace {

constexpr int kFirstDateRow = 3;
constexpr int kFirstDayColumn = 3;  // C
constexpr int kLastDayColumn = 9;   // I
constexpr int kHeaderFill = 37;

// Weeks label themselves "第n周" (or "预备周", a vacation's name) on the
// school calendar, by number on the calendar; a week outside every term has none.
std::optional<host::Variant> WeekLabel(const BuildState& state, int week) {
  const auto index = static_cast<std::size_t>(week - 1);
  if (index >= state.week_labels.size()) return host::Variant(week);
  const hostbook::WeekLabel& label = state.week_labels[index];
  if (!state.kind.week_label_as_text) return host::Variant(label.number);
  const std::string text = hostbook::WeekLabelText(label);
  if (text.empty()) return std::nullopt;
  return host::Variant(text);
}

void FormatHeaderAndColumns(host::Sheet& sheet, const SheetKind& kind) {
  sheet.Rows(2)->SetRowHeight(21);
  auto band = Block(sheet, 2, 2, 2, kind.header_last_column);
  band->Font()->SetSize(kind.header_font_size);
  band->Font()->SetBold(true);
  band->Interior()->SetColorIndex(kHeaderFill);

  for (const ColumnFormat& format : kind.column_formats) {
    auto column = format.address != nullptr ? sheet.Columns(std::string(format.address))
                                            : sheet.Columns(format.column);
    column->SetColumnWidth(format.width);
    if (format.bold) column->Font()->SetBold(true);
  }
}

void WriteDays(BuildState& state, int start_position) {
  DayWriter writer(state);
  int row = kFirstDateRow;
  int column = start_position + 2;
  const std::chrono::sys_days last{state.end};
  for (std::chrono::sys_days day{state.start}; day <= last; day += std::chrono::days{1}) {
    writer.Write(Date{day}, row, column);
    if (++column > kLastDayColumn) {
      column = kFirstDayColumn;
      row += 2;
    }
  }
}

void WriteHeaders(BuildState& state) {
  host::Sheet& sheet = state.sheet;
  for (const HeaderText& header : state.kind.header_texts) {
    if (header.column != 0) Cell(sheet, 2, header.column)->SetValue(host::Variant(header.text));
  }
  const auto names =
      WeekdayNames(state.kind.weekday_names_monday_first, state.options.MondayFirst());
  for (int i = 0; i < 7; ++i) {
    Cell(sheet, 2, kFirstDayColumn + i)->SetValue(host::Variant(names[i]));
  }
}

}  // namespace

void LayOutVertical(BuildState& state) {
  host::Sheet& sheet = state.sheet;
  const SheetKind& kind = state.kind;
  FormatHeaderAndColumns(sheet, kind);

  const int p = StartPosition(state);
  WriteDays(state, p);
  Cell(sheet, kFirstDateRow, p + 2)->SetValue(host::Variant(FirstDateText(state)));
  WriteHeaders(state);

  auto region = Cell(sheet, 2, 2)->CurrentRegion();
  region->SetHorizontalAlignment(host::HAlign::kCenter);
  region->SetVerticalAlignment(host::VAlign::kCenter);
  // A long note, label or header is drawn smaller rather than cut at the cell's edge.
  region->SetShrinkToFit(true);
  region->Borders()->SetLineStyle(host::BorderLine::kContinuous);
  const int last_row = 2 + region->Rows()->Count() - 1;

  // A date and its note form one box: no line between the week's two rows.
  for (int r = kFirstDateRow; r <= last_row; r += 2) {
    Block(sheet, r, kFirstDayColumn, r, kLastDayColumn)
        ->Borders()
        ->Item(host::Edge::kBottom)
        ->SetLineStyle(host::BorderLine::kNone);
  }
  for (int r = kFirstDateRow; r <= last_row; r += 2) {
    for (int column : kind.week_merge_columns) {
      if (column != 0) Block(sheet, r, column, r + 1, column)->Merge();
    }
  }
  int week = 1;
  for (int r = kFirstDateRow; r <= last_row; r += 2) {
    if (const auto label = WeekLabel(state, week++)) Cell(sheet, r, 2)->SetValue(*label);
  }

  // The remarks' rows take their height before anything is placed over the grid.
  PrepareRemarks(state);

  // The first month begins with the grid, whatever day the range starts on.
  state.month_anchors[1] = state.month_label_positions[1] = kFirstDateRow;
  if (state.options.style == 1) {
    AddMonthWatermarks(state);
  } else if (state.options.style == 2) {
    AddVerticalMonthLabels(state);
  }
}

int StartPosition(const BuildState& state) {
  return StartPosition(state.start, state.options.MondayFirst());
}

}  // namespace tavo::sheets
