#pragma once
// The school's own plan as the sheet "校历事项" gives it: its terms and
// vacations, registration days, exams, events, its own days without classes
// and the days that run another day's timetable. Every host reads it here,
// before anything is written, so a malformed row stops a build unchanged.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/dates.h"
#include "host/host.h"

namespace tavo::hostbook {

enum class ItemCategory { kTerm, kVacation, kRegistration, kExam, kEvent, kNoClasses, kTimetable };

// "学期", "假期", "报到", "考试", "活动", "停课", "调课".
const char* CategoryName(ItemCategory category);
std::optional<ItemCategory> CategoryNamed(std::string_view name);
// Every category, in the order above.
const std::vector<ItemCategory>& AllCategories();

struct SchoolItem {
  int row = 0;  // its row on the sheet
  Date first{};
  Date last{};  // == first for a single day
  ItemCategory category = ItemCategory::kEvent;
  std::string title;     // 事项, trimmed
  int first_week = 1;    // 起始周次 of a term; 0 is the 预备周
  std::string audience;  // 对象, trimmed; empty for the whole school

  bool Covers(Date d) const { return DaysBetween(first, d) >= 0 && DaysBetween(d, last) >= 0; }
  bool Touches(Date from, Date to) const {
    return DaysBetween(first, to) >= 0 && DaysBetween(from, last) >= 0;
  }
};

struct SchoolPlan {
  std::vector<SchoolItem> items;  // in row order

  bool HasTerms() const;
  bool empty() const { return items.empty(); }
};

// A malformed row: its number and the whole 提示 text naming the sheet and the row.
struct SchoolItemProblem {
  int row = 0;
  std::string message;
};

// The plan of the workbook's "校历事项" sheet (empty without the sheet).
// Rows are read from row 2 on until ten empty rows in a row. Sets `problem`
// and returns nullopt at the first malformed row.
std::optional<SchoolPlan> ReadSchoolPlan(host::Workbook& workbook, SchoolItemProblem& problem);

}  // namespace tavo::hostbook
