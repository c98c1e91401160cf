#pragma once
// What one build hands from the generation run to the layouts: the sheet
// being written, the four options, the colour set and the month arrays the
// layouts fill. Nothing of it outlives the build.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/dates.h"
#include "host/host.h"
#include "host/worksheet_lookup.h"
#include "hostbook/layout_options.h"
#include "sheets/colour_set.h"
#include "sheets/holiday_marks.h"
#include "sheets/sheet_kind.h"

namespace tavo::sheets {

using hostbook::LayoutOptions;
using hostbook::ReadLayoutOptions;

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
};

// Whether the collection has a sheet of exactly this name, asking each
// sheet in the collection's own order.
using host::WorksheetExists;

// Shorthands for the host calls every layout makes.
std::unique_ptr<host::CellRange> Cell(host::Sheet& sheet, int row, int column);
std::unique_ptr<host::CellRange> Block(host::Sheet& sheet, int first_row, int first_column,
                                       int last_row, int last_column);

}  // namespace tavo::sheets
