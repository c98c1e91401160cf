#pragma once
// The school's own items, the sheet "校历事项" of the host workbook: row 1
// headings, then one item a row (terms, vacations, registration, exams,
// events, days without classes, days that run another day's timetable).
#include <array>

namespace tavo::school_items {

inline constexpr const char* kSheetName = "校历事项";
inline constexpr int kFirstRow = 2;
inline constexpr int kStartColumn = 1;     // A: the first day
inline constexpr int kEndColumn = 2;       // B: the last day; empty for one day
inline constexpr int kCategoryColumn = 3;  // C: one of kCategoryNames
inline constexpr int kTitleColumn = 4;     // D: what the item is
inline constexpr int kFirstWeekColumn = 5; // E: a term's first week number (default 1)
inline constexpr int kAudienceColumn = 6;  // F: the part of the school it is for
inline constexpr int kNoteColumn = 8;      // H1: one line of instructions
inline constexpr std::array<const char*, 6> kHeadings = {"开始", "结束", "类别", "事项", "起始周次", "对象"};

}  // namespace tavo::school_items
