#include <algorithm>
#include <cmath>
#include <vector>
#include <string>

#include "common/text.h"
#include "hostbook/info_cells.h"
#include "hostbook/plan_calendar.h"
#include "sheets/build_dates.h"
#include "sheets/day_cells.h"
#include "sheets/holiday_marks.h"
#include "sheets/layouts.h"

namespace tavo::sheets {
namespace {

unsigned MonthOf(Date d) { return static_cast<unsigned>(d.month()); }
int YearOf(Date d) { return static_cast<int>(d.year()); }

// 日历[2024.1～2024.12]
std::string RangeTitle(Date start, Date end) {
  return "日历[" + std::to_string(YearOf(start)) + "." + std::to_string(MonthOf(start)) + "～" +
         std::to_string(YearOf(end)) + "." + std::to_string(MonthOf(end)) + "]";
}

std::unique_ptr<host::Sheet> InfoSheet(BuildState& state) {
  return state.workbook.Worksheets()->Item(info::kSheetName);
}

// The remarks the schedule writes are two short lines in a smaller size,
// so they fit the two-row remark cell.
constexpr double kScheduleRemarkSize = 9;
// The remark column (width 18) has 126 pixels for text and two rows of 14.25
// points; a line of text takes 14.25 points per 12 points of font size.
constexpr double kRemarkColumnPixels = 126;
constexpr double kRemarkHeight = 28.5;
constexpr double kLineHeightPerPoint = 14.25 / 12;
constexpr double kCjkLineHeightPerPoint = 1.4;
constexpr double kRowHeight = 14.25;
constexpr double kSmallestRemarkSize = 8;
constexpr double kRemarkSize = 12;
// A horizontal title spans at most the label column and a half-year's 27
// weeks, the widest range that prints on one page: a range of years keeps
// its title on the first screen and the first page, not centred far off.
constexpr int kWidestTitleWeeks = 27;

// "标“休”的日期放假或停课，…，绿色底纹为假期": the marks this sheet shows,
// with the school's own among them; the notices' wording alone when the
// plan marks nothing.
std::string PlanLegend(const BuildState& state) {
  const MarksUsed& used = state.marks_used;
  std::vector<std::string> parts;
  auto either = [](bool a, bool b, const char* a_text, const char* b_text) {
    return a && b ? std::string(a_text) + "或" + b_text : std::string(a ? a_text : b_text);
  };
  if (used.national_off || used.no_classes)
    parts.push_back("标“休”的日期" + either(used.national_off, used.no_classes, "放假", "停课"));
  if (used.national_work || used.teaching)
    parts.push_back("标“班”的日期" + either(used.national_work, used.teaching, "调休上班", "调课上课"));
  if (used.exam) parts.push_back("标“考”的日期考试");
  if (used.vacation) parts.push_back(state.options.color_mode == settings::kWithColor ? "绿色底纹为假期" : "深灰底纹为假期");
  std::string legend;
  for (const std::string& part : parts) legend += (legend.empty() ? "" : "，") + part;
  if (state.holidays != nullptr) {
    const std::string gap = ScheduleGapText(*state.holidays);
    if (!gap.empty()) legend += (legend.empty() ? "" : "；") + gap;
  }
  return legend;
}

// The information row as 信息表 C3 has it, ending with the marks' legend
// on a line of its own when the build marks days.
host::Variant InfoRowValue(const BuildState& state, const host::Variant& info) {
  std::string legend;
  if (state.marks_used.AnyOfThePlan()) {
    legend = PlanLegend(state);
  } else if (state.holidays != nullptr) {
    legend = MarksLegend(*state.holidays, state.start, state.end);
  }
  if (legend.empty()) return info;
  const std::string text = info.IsEmpty() ? std::string() : info.ToText();
  return host::Variant(text.empty() ? legend : text + "\n" + legend);
}

// Week `week` (1-based) of the grid: the days it shows.
std::pair<Date, Date> WeekDays(const BuildState& state, int week) {
  const DateRange days = GridWeek(state.start, state.end, state.options.MondayFirst(), week);
  return {days.start, days.end};
}

// Lines `text` takes in the remark column at font size `size`.
std::size_t RemarkLines(const std::string& text, double size) {
  const auto per_line = static_cast<std::size_t>(kRemarkColumnPixels / (size * 2 / 3));
  std::size_t lines = 0;
  std::size_t from = 0;
  for (;;) {
    const std::size_t end = text.find('\n', from);
    const std::size_t units = HalfWidthUnits(text.substr(from, end - from));
    lines += std::max<std::size_t>(1, (units + per_line - 1) / per_line);
    if (end == std::string::npos) break;
    from = end + 1;
  }
  return lines;
}

// A remark cell spans a week's two rows. A remark breaks into lines there,
// at a smaller size (down to kSmallestRemarkSize) when the lines would not
// fit. One that does not fit even then stays on one line and shrinks; or,
// with `grow` (the lines the build writes, which must all be read), keeps
// the smallest size and makes the week's two rows tall enough.
void FitRemark(host::CellRange& cell, const std::string& text, double size, bool grow = false) {
  // The build's own lines are measured with the line height of the CJK fonts
  // the hosts fall back to, which set a line taller than the Latin one.
  const double line_height = grow ? kCjkLineHeightPerPoint : kLineHeightPerPoint;
  for (double s = size; s >= kSmallestRemarkSize; --s) {
    if (static_cast<double>(RemarkLines(text, s)) * s * line_height <= kRemarkHeight) {
      if (s != size) cell.Font()->SetSize(s);
      cell.SetShrinkToFit(false);
      cell.SetWrapText(true);
      return;
    }
  }
  if (!grow) {
    cell.SetShrinkToFit(true);
    return;
  }
  // The week's rows were made tall enough by PrepareRemarks.
  cell.Font()->SetSize(kSmallestRemarkSize);
  cell.SetShrinkToFit(false);
  cell.SetWrapText(true);
}

// Each of the week's two rows' height when the build's lines do not fit
// them at the smallest size; 0 when they fit.
double GrownRowHeight(const std::string& text) {
  const double s = kSmallestRemarkSize;
  const double height = static_cast<double>(RemarkLines(text, s)) * s * kCjkLineHeightPerPoint;
  if (height <= kRemarkHeight) return 0;
  // Whole points, a little over: the host rounds a row's height to its pixels.
  return std::ceil(height / 2 + 1);
}

// The remark of one week: what 信息表 says, then the notices' remark, then
// one line per school item the week touches. Empty when there is none.
std::string BuildRemark(const BuildState& state, Date first, Date last) {
  std::string text;
  if (state.holidays != nullptr) {
    text = WeekRemark(state.holidays->schedule, first, last,
                      state.plan.empty() ? nullptr : &state.plan);
  }
  if (state.plan.empty()) return text;
  const holidays::HolidaySchedule* national = state.holidays ? &state.holidays->schedule : nullptr;
  const auto named = [national](Date d) {
    return national != nullptr && national->StatusOf(d) == holidays::DayStatus::kWork;
  };
  for (const std::string& line : hostbook::ItemRemarkLines(state.plan, first, last, named))
    text += (text.empty() ? "" : "\n") + line;
  return text;
}

// The calendar has no information row: the years of its range that the
// holiday schedule does not know are said on a line under the grid, in the
// school calendar's words, so a year left unmarked is never left unsaid.
void WriteScheduleGapLine(BuildState& state, int row, int last_column) {
  if (state.holidays == nullptr) return;
  const std::string gap = ScheduleGapText(*state.holidays);
  if (gap.empty()) return;
  Block(state.sheet, row, 2, row, last_column)->Merge();
  auto line = Cell(state.sheet, row, 2);
  line->SetHorizontalAlignment(host::HAlign::kLeft);
  line->SetVerticalAlignment(host::VAlign::kTop);
  line->Font()->SetSize(kScheduleRemarkSize);
  line->SetValue(host::Variant(gap));
}

}  // namespace

void WriteTitleRows(BuildState& state) {
  host::Sheet& sheet = state.sheet;
  const bool with_info = state.kind.info_row_and_remarks;

  // The grid's extent after any row deletion or column insertion.
  auto region = Cell(sheet, state.kind.title_region_row, 2)->CurrentRegion();
  const int last_row = with_info ? 2 + region->Rows()->Count() - 1 : 0;
  const int last_column = 2 + region->Columns()->Count() - 1;

  Cell(sheet, 1, 1)->Activate();
  const int title_last_column =
      state.options.Vertical() ? last_column : std::min(last_column, 2 + kWidestTitleWeeks);
  Block(sheet, 1, 2, 1, title_last_column)->Merge();
  auto title = Cell(sheet, 1, 2);
  title->Font()->SetSize(18);
  title->Font()->SetBold(true);
  title->SetHorizontalAlignment(host::HAlign::kCenter);
  title->SetVerticalAlignment(host::VAlign::kTop);
  title->SetShrinkToFit(true);  // the school's own title may be longer than the grid is wide
  if (!with_info) {
    title->SetValue(host::Variant(RangeTitle(state.start, state.end)));
    WriteScheduleGapLine(state, region->Row() + region->Rows()->Count(), last_column);
    return;
  }
  title->SetValue(InfoSheet(state)->Cells(info::kTextRow, info::kTitleColumn)->Value());

  const int info_row = last_row + 1;
  Block(sheet, info_row, 2, info_row, last_column)->Merge();
  auto info = Cell(sheet, info_row, 2);
  info->SetHorizontalAlignment(host::HAlign::kLeft);
  info->SetVerticalAlignment(host::VAlign::kTop);
  sheet.Rows(info_row)->SetRowHeight(36);
  info->SetWrapText(true);  // two lines of the row's height: a long text breaks, not cut
  info->SetValue(InfoRowValue(state, InfoSheet(state)->Cells(info::kTextRow, info::kInfoRowColumn)->Value()));

  // Week n (date row 2n + 1) takes its remark from the week's row of "信息表",
  // and the lines of the holidays and the school's items after it.
  if (!state.options.Vertical()) return;
  for (int r = 3; r <= last_row; r += 2) {
    const auto week = static_cast<std::size_t>((r - 1) / 2);
    if (week > state.remarks.size()) break;
    const RemarkCell& remark = state.remarks[week - 1];
    auto cell = Cell(sheet, r, last_column);
    if (!remark.text.empty()) {
      cell->SetValue(host::Variant(remark.text));
      cell->Font()->SetSize(kScheduleRemarkSize);
      FitRemark(*cell, remark.text, kScheduleRemarkSize, true);
      continue;
    }
    // A remark the user wrote alone stands as written.
    cell->SetValue(remark.own);
    if (remark.own.IsText()) FitRemark(*cell, remark.own.Text(), kRemarkSize);
  }
}

void PrepareRemarks(BuildState& state) {
  if (!state.kind.info_row_and_remarks || !state.options.Vertical()) return;
  auto remarks = InfoSheet(state);
  const int weeks = WeekCount(state.start, state.end, state.options.MondayFirst());
  state.remarks.reserve(static_cast<std::size_t>(weeks));
  for (int week = 1; week <= weeks; ++week) {
    RemarkCell remark{remarks->Cells(info::RemarkRow(week), info::kRemarkColumn)->Value(), {}};
    const auto [first, last] = WeekDays(state, week);
    const std::string lines = BuildRemark(state, first, last);
    if (!lines.empty()) {
      const host::Variant& own = remark.own;
      const bool blank = own.IsEmpty() || (own.IsText() && TrimBlanks(own.Text()).empty());
      remark.text = blank ? lines : own.ToText() + "\n" + lines;
      if (const double height = GrownRowHeight(remark.text); height > 0) {
        for (int row : {2 * week + 1, 2 * week + 2}) {
          state.sheet.Rows(row)->SetRowHeight(height);
          state.grown_rows.push_back({row, height - kRowHeight});
        }
      }
    }
    state.remarks.push_back(std::move(remark));
  }
}

}  // namespace tavo::sheets
