#pragma once
// A school year on one page: a range holding two terms of the school's plan
// (and the vacation between them) prints on one sheet of paper, A4 while
// the zoom stays readable, A3 beyond that, instead of going on over pages.
#include "common/dates.h"
#include "host/host.h"
#include "hostbook/school_items.h"

namespace tavo::sheets {

// Whether two or more of the plan's terms touch the range.
bool IsSchoolYear(const hostbook::SchoolPlan& plan, Date start, Date end);

// Paper and zoom that put a sheet of `width` by `height` points on one page
// in `orientation` (1 portrait, 2 landscape), never larger than `zoom_cap`:
// A4 (9) when its zoom is at least kLowestA4Zoom, A3 (8) otherwise.
struct OnePage {
  int paper;
  int zoom;
};
inline constexpr int kLowestA4Zoom = 55;
OnePage OnePageFor(double width, double height, int orientation, int zoom_cap);

// Measures the sheet's grid (rows 1..last_row, columns 1..last_column) and
// sets the paper and zoom of OnePageFor on it.
OnePage FitSchoolYearOnOnePage(host::Sheet& sheet, int last_row, int last_column);

}  // namespace tavo::sheets
