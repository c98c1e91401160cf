#pragma once
// What one build hands from the generation run to the layouts: the sheet
// being written, the four options, the colour set and the month arrays the
// layouts fill. Nothing of it outlives the build.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/dates.h"
#include "host/host.h"
#include "host/worksheet_lookup.h"
#include "hostbook/layout_options.h"
#include "hostbook/plan_calendar.h"
#include "hostbook/school_items.h"
#include "sheets/colour_set.h"
#include "sheets/holiday_marks.h"
#include "sheets/sheet_kind.h"

namespace tavo::sheets {

using hostbook::LayoutOptions;

// Which marks a day shows, so the legend names exactly those a sheet uses.
struct MarksUsed {
  bool national_off = false, national_work = false;
  bool no_classes = false, teaching = false, exam = false, vacation = false;

  MarksUsed& operator|=(const MarksUsed& other);
  bool AnyOfThePlan() const { return no_classes || teaching || exam || vacation; }
};

using hostbook::ReadLayoutOptions;

// The remark of one week of the vertical school calendar, decided before the
// grid is decorated: what 信息表 holds, and the whole text when the build
// adds lines of its own.
struct RemarkCell {
  host::Variant own;
  std::string text;  // empty: the own remark stands alone
};

struct BuildState {
  const SheetKind& kind;
  host::Application& ea;
  host::Workbook& workbook;
  host::Sheet& sheet;
  LayoutOptions options;
  ColourSet colours;
  Date start;
  Date end;
  // Months the range touches; the horizontal layout lowers it when the grid
  // reaches the host's last column.
  int month_count;
  // 1-based, entry 0 unused. Anchor: row (vertical) or column (horizontal)
  // of the month's first day. Label position: first row or column of the
  // weeks that belong to the month.
  std::vector<int> month_anchors;
  std::vector<int> month_label_positions;
  // The holiday schedule the build marks; nullptr when "DTB" J2 turns the
  // marks off, and then the sheet is exactly what it was before marks.
  const HolidayMarks* holidays = nullptr;
  // The school's own items ("校历事项"); empty for a sheet that does not
  // read them. The label of each grid week, week 1 first, follows from it.
  hostbook::SchoolPlan plan;
  std::vector<hostbook::WeekLabel> week_labels;
  // What the written days marked, for the legend.
  MarksUsed marks_used;
  // The vertical school calendar's remarks, week 1 first, and the rows made
  // taller to show them whole (row, points added), which what is placed
  // over the grid by points (the month watermarks) must allow for.
  std::vector<RemarkCell> remarks;
  std::vector<std::pair<int, double>> grown_rows;
};

// Whether the collection has a sheet of exactly this name, asking each
// sheet in the collection's own order.
using host::WorksheetExists;

// Shorthands for the host calls every layout makes.
std::unique_ptr<host::CellRange> Cell(host::Sheet& sheet, int row, int column);
std::unique_ptr<host::CellRange> Block(host::Sheet& sheet, int first_row, int first_column,
                                       int last_row, int last_column);

}  // namespace tavo::sheets
