// The frame both build commands share: check the dates, read the options,
// replace the sheet (keeping the user's page setup when it fits), lay the
// grid out, freeze the header, apply the page setup, record its key, beep.
#include <optional>
#include <string>

#include "sheets/build_commands.h"
#include "sheets/build_dates.h"
#include "sheets/build_state.h"
#include "sheets/holiday_marks.h"
#include "sheets/layouts.h"
#include "sheets/page_setup.h"
#include "sheets/school_year_page.h"
#include "hostbook/school_items.h"
#include "host/dialog_controls.h"
#include "hostbook/settings_cells.h"

namespace tavo::sheets {
namespace {

// A school year's build records its key this much higher, outside the table.
constexpr std::int32_t kSchoolYearKeyOffset = 10;

int YearOf(Date d) { return static_cast<int>(d.year()); }
int MonthOf(Date d) { return static_cast<int>(static_cast<unsigned>(d.month())); }

// The first failing check is shown and nothing else happens.
std::optional<DateRange> CheckDates(const SheetKind& kind, host::Dialog& uf,
                                    host::Platform& platform) {
  return CheckBuildDates(kind, uf.ControlValue(host::kStartDateBox).ToText(),
                         uf.ControlValue(host::kEndDateBox).ToText(), platform);
}

// Whether the key cell records `key`. An empty cell records no key, and a
// text that is not a number matches none.
bool KeyCellHolds(host::Sheet& dtb, int column, std::int32_t key) {
  const host::Variant value = dtb.Cells(settings::kRow, column)->Value();
  if (value.IsEmpty()) return false;
  double number = 0;
  if (value.IsText()) return host::TextToNumber(value.Text(), number) && number == key;
  return value.ToNumber() == key;
}

void FreezeHeader(host::Application& ea, bool vertical) {
  auto window = ea.ActiveWindow();
  window->SetSplitRow(vertical ? 2 : 0);
  window->SetSplitColumn(vertical ? 0 : 2);
  window->SetFreezePanes(true);
}

}  // namespace

BuildOutcome BuildSheet(const SheetKind& kind, lunar::LunarEngine& engine, host::Application& ea,
                        host::Dialog& uf, host::Platform& platform) {
  const std::optional<DateRange> range = CheckDates(kind, uf, platform);
  if (!range) return BuildOutcome::kStopped;
  // Months the range touches, both ends included.
  const int month_count = (YearOf(range->end) - YearOf(range->start)) * 12 + MonthOf(range->end) -
                          MonthOf(range->start) + 1;

  auto workbook = ea.ThisWorkbook();
  auto worksheets = workbook->Worksheets();
  auto dtb = worksheets->Item(settings::kSheetName);
  const LayoutOptions options = ReadLayoutOptions(*dtb);
  const std::int32_t key = options.PageSetupKey();
  // The schedule is read before anything changes: a malformed row of the
  // school's own holiday sheet stops the build with the workbook as it was.
  std::optional<HolidayMarks> holidays;
  if (HolidayMarksOn(*dtb)) {
    holidays = PrepareHolidayMarks(*workbook, platform, range->start, range->end);
    if (!holidays) return BuildOutcome::kStopped;
  }
  hostbook::SchoolPlan plan;
  if (kind.school_plan) {
    hostbook::SchoolItemProblem problem;
    std::optional<hostbook::SchoolPlan> read = hostbook::ReadSchoolPlan(*workbook, problem);
    if (!read) {
      platform.MessageBox(problem.message, host::kTitleNotice, host::kStyleWarning);
      return BuildOutcome::kStopped;
    }
    plan = std::move(*read);
  }

  const hostbook::BuiltSheet& book = *kind.book;
  const std::string name = book.sheet_name;
  if (WorksheetExists(*worksheets, name)) {
    auto old_sheet = worksheets->Item(name);
    if (KeyCellHolds(*dtb, book.key_column, key)) {
      SavePageSetup(*old_sheet, *dtb, key, book.setup_first_column);
    }
    old_sheet->Delete();
  }
  worksheets->Add();
  workbook->ActiveSheet()->SetName(name);
  auto sheet = worksheets->Item(name);
  sheet->Activate();
  // The component's engine object is loaded where it always was, for the
  // operations its host may call after a build; the days of the sheet come
  // from the day functions, which need no load.
  engine.LoadCalendarTables();

  BuildState state{
      .kind = kind,
      .ea = ea,
      .workbook = *workbook,
      .sheet = *sheet,
      .options = options,
      .colours = ColoursFor(options.color_mode),
      .start = range->start,
      .end = range->end,
      .month_count = month_count,
      .month_anchors = std::vector<int>(static_cast<std::size_t>(month_count) + 1),
      .month_label_positions = std::vector<int>(static_cast<std::size_t>(month_count) + 1),
      .holidays = holidays ? &*holidays : nullptr,
      .plan = plan,
      .week_labels = hostbook::PlanWeekLabels(range->start, range->end, options.MondayFirst(), plan),
      .marks_used = {},
      .remarks = {},
      .grown_rows = {},
  };

  sheet->Cells()->Font()->SetSize(12);
  sheet->Cells()->SetRowHeight(14.25);
  sheet->Rows(1)->SetRowHeight(kind.first_row_height);

  if (options.Vertical()) {
    LayOutVertical(state);
  } else {
    LayOutHorizontal(state);
  }
  WriteTitleRows(state);

  FreezeHeader(ea, options.Vertical());
  ApplyPageSetup(*sheet, *dtb, key, book.setup_first_column, kind.page_number_footer);
  std::int32_t recorded_key = key;
  if (IsSchoolYear(state.plan, range->start, range->end)) {
    auto region = Cell(*sheet, kind.title_region_row, 2)->CurrentRegion();
    FitSchoolYearOnOnePage(*sheet, region->Row() + region->Rows()->Count() - 1,
                           2 + region->Columns()->Count() - 1);
    // The year's paper and zoom are not the term's: the next build does not
    // take them into the table as the user's own page setup.
    recorded_key = key + kSchoolYearKeyOffset;
  }
  dtb->Cells(settings::kRow, book.key_column)->SetValue(host::Variant(recorded_key));
  platform.Beep(360, 36);
  return BuildOutcome::kBuilt;
}

}  // namespace tavo::sheets
