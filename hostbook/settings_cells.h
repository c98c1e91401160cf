#pragma once
// Where the host workbook keeps what outlives a call: the settings sheet
// "DTB" (row 2: dates, options, the page-setup keys and the holiday-marks
// switch; rows 2..5: the page-setup table) and the school's own holiday
// sheet "节假日". The one place that names these cells: the builders, the
// dialog handlers, the command and the workbook writers all read them here.
#include <array>

namespace tavo::settings {

inline constexpr const char* kSheetName = "DTB";

// Row 2 carries the settings, one column each.
inline constexpr int kRow = 2;
inline constexpr int kStartDateColumn = 2;               // B2, the start date as typed
inline constexpr int kEndDateColumn = 3;                 // C2, the end date as typed
inline constexpr int kWeekStartColumn = 4;               // D2
inline constexpr int kColorModeColumn = 5;               // E2
inline constexpr int kLayoutDirectionColumn = 6;         // F2
inline constexpr int kLayoutStyleColumn = 7;             // G2
inline constexpr int kSchoolCalendarSetupKeyColumn = 8;  // H2, key of the last 校历表 build
inline constexpr int kCalendarSetupKeyColumn = 9;        // I2, key of the last 日历表 build
inline constexpr int kHolidayMarksColumn = 10;           // J2, 1 marks days off and make-up days

// J2 = 1 marks the schedule; any other value (an empty cell included) marks
// nothing, so a workbook made before the marks builds as it always did.
inline constexpr int kHolidayMarksOn = 1;
inline constexpr int kHolidayMarksOff = 0;

// Stored option values.
inline constexpr int kWeekStartMonday = 1;
inline constexpr int kWeekStartSunday = 2;
inline constexpr int kWithColor = 1;
inline constexpr int kNoColor = 2;
inline constexpr int kVertical = 1;
inline constexpr int kHorizontal = 3;  // 3, not 2: style + direction stays unique
inline constexpr int kStyle1 = 1;
inline constexpr int kStyle2 = 2;

// The page-setup table: rows 2 to 5, one per key; six columns per sheet kind
// (top, bottom and footer margin, orientation, paper size, zoom).
inline constexpr int kFirstPageSetupRow = 2;
inline constexpr int kLastPageSetupRow = 5;
inline constexpr int kPageSetupColumns = 6;
inline constexpr int kSchoolCalendarSetupFirstColumn = 11;  // K..P
inline constexpr int kCalendarSetupFirstColumn = 21;        // U..Z

// What a new host workbook carries in the table, in the host's units:
// margins in points, orientation 1 portrait or 2 landscape, paper 9 (A4),
// zoom in percent. Chosen so that a term (up to 23 week rows or columns)
// of the school calendar and a half-year (up to 27 weeks) of the calendar
// each print on one A4 page in every layout, with room for a column drawn
// a quarter wider than the host draws it; longer ranges go on over more
// pages under the title rows, never printed smaller than these.
struct PageSetupDefaults {
  double top_margin, bottom_margin, footer_margin;
  int orientation, paper_size, zoom;
};
inline constexpr int kPortrait = 1;
inline constexpr int kLandscape = 2;
inline constexpr int kPaperA4 = 9;
// Indexed by key - 2: style 1 and 2 vertical, then style 1 and 2 horizontal.
inline constexpr std::array<PageSetupDefaults, 4> kSchoolCalendarPageDefaults = {{
    {36, 36, 14, kPortrait, kPaperA4, 90},
    {36, 36, 14, kPortrait, kPaperA4, 90},
    {36, 36, 14, kLandscape, kPaperA4, 70},
    {36, 36, 14, kLandscape, kPaperA4, 70},
}};
inline constexpr std::array<PageSetupDefaults, 4> kCalendarPageDefaults = {{
    {36, 36, 14, kPortrait, kPaperA4, 85},
    {36, 36, 14, kPortrait, kPaperA4, 85},
    {36, 36, 14, kLandscape, kPaperA4, 60},
    {36, 36, 14, kLandscape, kPaperA4, 60},
}};

// Row of the page-setup table for a style and a direction: 2 to 5.
constexpr int PageSetupKey(int layout_style, int layout_direction) {
  return layout_style + layout_direction;
}

// The school's own holiday rows: row 1 headings, then one day per row; and
// beside them the place where a user pastes a holiday notice as published.
namespace holidays {
inline constexpr const char* kSheetName = "节假日";
inline constexpr int kFirstRow = 2;
inline constexpr int kDateColumn = 1;    // A: a date cell or a date text
inline constexpr int kStatusColumn = 2;  // B: "休", "班", or empty to remove the day
inline constexpr int kNameColumn = 3;    // C: the holiday's name
inline constexpr int kSourceColumn = 4;  // D: "2027年国务院通知" on a row `tavo holidays --import` wrote
inline constexpr int kNoteColumn = 5;    // E1: one line of instructions
inline constexpr const char* kDayOff = "休";
inline constexpr const char* kWorkingDay = "班";
inline constexpr std::array<const char*, 4> kHeadings = {"日期", "类型", "名称", "来源"};
// G1 its heading; the text from G2 down, whole in one cell or a line a cell.
inline constexpr int kPastedNoticeColumn = 7;
inline constexpr int kPastedNoticeFirstRow = 2;
inline constexpr const char* kPastedNoticeHeading = "粘贴放假通知";
}  // namespace holidays

}  // namespace tavo::settings
