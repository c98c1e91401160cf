#include "sheets/sheet_kind.h"

#include "hostbook/settings_cells.h"
#include "lunar/lunar_day.h"

namespace tavo::sheets {

const std::array<const char*, 7> kLongWeekdayNames = {"星期一", "星期二", "星期三", "星期四",
                                                      "星期五", "星期六", "星期日"};

namespace {
const std::array<const char*, 7> kShortWeekdayNames = {"一", "二", "三", "四", "五", "六", "日"};
}  // namespace

constinit const SheetKind kSchoolCalendar = {
    .book = hostbook::BuiltSheetNamed("校历表"),
    .lowest_start = "1901-01-01",
    .start_out_of_range = "开始日期 应在1901-2100年之间！",
    .end_out_of_range = "结束日期 应在1901-2100年之间！",
    .page_number_footer = false,
    .first_row_height = 48,

    .day_note = &lunar::SchoolNoteOf,
    .long_note_size_vertical = 9,
    .long_note_size_horizontal = 9,

    .header_last_column = 10,  // B2:J2
    .header_font_size = 16,
    .column_formats = {{{nullptr, 1, 0.38, false},
                        {"B:I", 0, 8, false},
                        {nullptr, 10, 18, false},
                        {nullptr, 11, 0.38, false}}},
    .weekday_names_monday_first = kShortWeekdayNames,
    .header_texts = {{{2, "周次"}, {10, "备注"}}},
    .week_merge_columns = {2, 10},  // week label and remarks
    .week_label_as_text = true,
    .month_column_width = 6,
    .watermark_left_two_digits = 171,
    .watermark_left_one_digit = 191,
    .watermark_top_offset = 72,

    .title_region_row = 2,
    .info_row_and_remarks = true,
    .school_plan = true,
};

constinit const SheetKind kCalendar = {
    .book = hostbook::BuiltSheetNamed("日历表"),
    .lowest_start = "1900-01-01",
    .start_out_of_range = "开始日期 应在1900-2100年之间！",
    .end_out_of_range = "结束日期 应在1900-2100年之间！",
    .page_number_footer = true,
    .first_row_height = 27,

    .day_note = &lunar::CalendarNoteOf,
    .long_note_size_vertical = 11,
    .long_note_size_horizontal = 9,

    .header_last_column = 9,  // B2:I2
    .header_font_size = 14,
    .column_formats = {{{nullptr, 1, 0.38, false},
                        {nullptr, 2, 5.5, true},
                        {"C:I", 0, 11, false},
                        {nullptr, 10, 0.38, false}}},
    .weekday_names_monday_first = kLongWeekdayNames,
    .header_texts = {{{2, "周次"}, {0, nullptr}}},
    .week_merge_columns = {2, 0},
    .week_label_as_text = false,
    .month_column_width = 0,  // the copied week-number column is already 5.5 and bold
    .watermark_left_two_digits = 213,
    .watermark_left_one_digit = 233,
    .watermark_top_offset = 51,

    .title_region_row = 3,
    .info_row_and_remarks = false,
    .school_plan = false,
};

namespace {
const std::array<const SheetKind*, 2> kSheetKinds = {&kSchoolCalendar, &kCalendar};
}  // namespace

std::span<const SheetKind* const> SheetKinds() { return kSheetKinds; }

const SheetKind* KindOfEvent(std::string_view event) {
  for (const SheetKind* kind : kSheetKinds)
    if (event == kind->book->event) return kind;
  return nullptr;
}

std::array<const char*, 7> WeekdayNames(const std::array<const char*, 7>& monday_first,
                                        bool monday_start) {
  if (monday_start) return monday_first;
  std::array<const char*, 7> names{};
  names[0] = monday_first[6];
  for (int i = 1; i < 7; ++i) names[i] = monday_first[i - 1];
  return names;
}

}  // namespace tavo::sheets
