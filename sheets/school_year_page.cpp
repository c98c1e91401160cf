#include "sheets/school_year_page.h"

#include <algorithm>
#include <cmath>

#include "common/error.h"
#include "hostbook/settings_cells.h"

namespace tavo::sheets {
namespace {

using host::PageSetupMember;

// Sheet sizes in points, portrait.
constexpr double kA4Width = 595.3, kA4Height = 841.9;
constexpr double kA3Width = 841.9, kA3Height = 1190.6;
constexpr int kPaperA3 = 8;
// The fixed side margins and the table's top and bottom ones.
constexpr double kSideMargins = 10;
constexpr double kTopAndBottom = 72;
// Room for a host that draws columns wider than the desktop host (a
// quarter, as the page-setup table allows for) and rows a little taller.
constexpr double kWidthSlack = 1.25;
constexpr double kHeightSlack = 1.05;

int ZoomOn(double paper_width, double paper_height, double width, double height, int orientation) {
  if (orientation == settings::kLandscape) std::swap(paper_width, paper_height);
  const double across = (paper_width - kSideMargins) / (width * kWidthSlack);
  const double down = (paper_height - kTopAndBottom) / (height * kHeightSlack);
  return static_cast<int>(std::floor(100 * std::min(across, down)));
}

}  // namespace

bool IsSchoolYear(const hostbook::SchoolPlan& plan, Date start, Date end) {
  int terms = 0;
  for (const hostbook::SchoolItem& item : plan.items)
    if (item.category == hostbook::ItemCategory::kTerm && item.Touches(start, end)) ++terms;
  return terms >= 2;
}

OnePage OnePageFor(double width, double height, int orientation, int zoom_cap) {
  const int a4 = ZoomOn(kA4Width, kA4Height, width, height, orientation);
  if (a4 >= kLowestA4Zoom) return {settings::kPaperA4, std::min(a4, zoom_cap)};
  return {kPaperA3, std::min(ZoomOn(kA3Width, kA3Height, width, height, orientation), zoom_cap)};
}

OnePage FitSchoolYearOnOnePage(host::Sheet& sheet, int last_row, int last_column) {
  double height = 0;
  for (int r = 1; r <= last_row; ++r) height += sheet.Rows(r)->RowHeight();
  const double width = sheet.Cells(1, last_column + 1)->Left();
  auto layout = sheet.PageSetup();
  const int orientation = static_cast<int>(layout->Get(PageSetupMember::Orientation).ToNumber());
  const host::Variant stored_zoom = layout->Get(PageSetupMember::Zoom);
  const int cap = stored_zoom.IsNumber() ? static_cast<int>(stored_zoom.ToNumber()) : 100;
  const OnePage page = OnePageFor(width, height, orientation, cap);
  layout->Set(PageSetupMember::PaperSize, host::Variant(page.paper));
  layout->Set(PageSetupMember::Zoom, host::Variant(page.zoom));
  return page;
}

}  // namespace tavo::sheets
