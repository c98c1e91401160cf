#pragma once
// Where the school calendar "校历表" and the calendar "日历表" differ. The
// generation run and the layouts are shared; every point at which the two
// sheets part ways is a field of SheetKind, so the two tables in
// sheet_kind.cpp show the whole difference side by side. What the host
// workbook and the ways in know of a kind (its names, its cells in "DTB")
// is its entry in hostbook/built_sheets.h.
#include <array>
#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "hostbook/built_sheets.h"

namespace tavo::sheets {

struct BuildState;

// The festival note a sheet writes under a day (lunar::SchoolNoteOf or
// lunar::CalendarNoteOf).
using DayNote = std::string (*)(std::chrono::sys_days);

// One column-width step of the vertical layout: Columns(address) or
// Columns(column) gets the width, and a bold font when `bold` is set.
struct ColumnFormat {
  const char* address;  // "B:I", or nullptr to use `column`
  int column;
  double width;
  bool bold;
};

// A fixed header text of the vertical layout, written before the weekday names.
struct HeaderText {
  int column;
  const char* text;
};

struct SheetKind {
  // --- the run ---
  const hostbook::BuiltSheet* book;  // its name, event and page-setup cells
  const char* lowest_start;  // year-month-day
  const char* start_out_of_range;
  const char* end_out_of_range;
  bool page_number_footer;  // the page setup puts the page number in the footer
  double first_row_height;

  // --- the day cells ---
  DayNote day_note;
  double long_note_size_vertical;  // a festival note of more than 4 characters
  double long_note_size_horizontal;

  // --- the vertical layout ---
  int header_last_column;  // B2 .. (2, this) is the coloured header band
  double header_font_size;
  std::array<ColumnFormat, 4> column_formats;
  std::array<const char*, 7> weekday_names_monday_first;  // C2..I2
  std::array<HeaderText, 2> header_texts;                 // column 0 = unused
  std::array<int, 2> week_merge_columns;                  // merged per week; 0 = unused
  bool week_label_as_text;                                // "第n周" or the plain number
  double month_column_width;                              // style 2; 0 = keep the copied one
  int watermark_left_two_digits;
  int watermark_left_one_digit;
  double watermark_top_offset;

  // --- title row and what goes under the grid ---
  int title_region_row;       // the title spans CurrentRegion of Cells(this, 2)
  bool info_row_and_remarks;  // from "信息表": title D3, info row C3, remarks B3..
  bool school_plan;           // reads "校历事项": week labels, the school's marks, remark lines
};

extern const SheetKind kSchoolCalendar;
extern const SheetKind kCalendar;

// Every kind a build can make, and the one a dialog event builds (nullptr
// when the event builds none).
std::span<const SheetKind* const> SheetKinds();
const SheetKind* KindOfEvent(std::string_view event);

// The weekday names in the order of the day positions, rotated for a Sunday start.
std::array<const char*, 7> WeekdayNames(const std::array<const char*, 7>& monday_first,
                                        bool monday_start);

// Long weekday names, Monday first: the horizontal header of both sheets.
extern const std::array<const char*, 7> kLongWeekdayNames;

}  // namespace tavo::sheets
