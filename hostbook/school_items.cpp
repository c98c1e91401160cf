#include "hostbook/school_items.h"

#include <array>
#include <cmath>

#include "common/text.h"
#include "host/worksheet_lookup.h"
#include "hostbook/school_item_cells.h"

namespace tavo::hostbook {
namespace {

namespace cells = school_items;

// Blank lines between a school's groups of rows are allowed up to this many.
constexpr int kEmptyRowsThatEnd = 10;
constexpr int kHighestFirstWeek = 60;

constexpr std::array<const char*, 7> kNames = {"学期", "假期", "报到", "考试", "活动", "停课", "调课"};

std::string CellText(const host::Variant& value) {
  return std::string(TrimBlanks(value.IsEmpty() ? std::string() : value.ToText()));
}

bool IsBlank(const host::Variant& value) { return CellText(value).empty(); }

std::optional<Date> CellDate(const host::Variant& value) {
  if (value.IsDate()) return SerialToDate(value.DateSerial());
  if (value.IsText()) return ParseDate(TrimBlanks(value.Text()));
  return std::nullopt;
}

std::string CategoryList() {
  std::string list;
  for (const char* name : kNames) list += (list.empty() ? "" : "、") + std::string(name);
  return list;
}

std::string ProblemText(int row, const std::string& what) {
  return std::string("“") + cells::kSheetName + "”工作表第" + std::to_string(row) + "行：" + what;
}

// A date column: nullopt with `what` set when it does not read as a date.
std::optional<Date> ReadDate(const host::Variant& value, const char* column, const char* which,
                             std::string& what) {
  if (IsBlank(value)) {
    what = std::string("缺少") + which + "（" + column + " 列应为日期，如 2025-9-1）";
    return std::nullopt;
  }
  std::optional<Date> date = CellDate(value);
  if (!date) what = std::string(column) + " 列“" + CellText(value) + "”不是日期（应如 2025-9-1）";
  return date;
}

// 起始周次: empty is week 1; otherwise a whole number from 0.
std::optional<int> ReadFirstWeek(const host::Variant& value) {
  if (IsBlank(value)) return 1;
  double number = 0;
  if (value.IsNumber()) {
    number = value.ToNumber();
  } else if (!value.IsText() || !host::TextToNumber(std::string(TrimBlanks(value.Text())), number)) {
    return std::nullopt;
  }
  if (number < 0 || number > kHighestFirstWeek || std::floor(number) != number) return std::nullopt;
  return static_cast<int>(number);
}

// One row's item, or the problem's text in `what`.
std::optional<SchoolItem> ReadRow(host::Sheet& sheet, int row, std::string& what) {
  auto value = [&](int column) { return sheet.Cells(row, column)->Value(); };
  SchoolItem item;
  item.row = row;
  const std::optional<Date> first = ReadDate(value(cells::kStartColumn), "A", "开始日期", what);
  if (!first) return std::nullopt;
  item.first = item.last = *first;
  if (const host::Variant end = value(cells::kEndColumn); !IsBlank(end)) {
    const std::optional<Date> last = ReadDate(end, "B", "结束日期", what);
    if (!last) return std::nullopt;
    if (DaysBetween(*first, *last) < 0) {
      what = "结束日期 " + DateToIso(*last) + " 早于开始日期 " + DateToIso(*first);
      return std::nullopt;
    }
    item.last = *last;
  }
  const std::string category = CellText(value(cells::kCategoryColumn));
  const std::optional<ItemCategory> named = CategoryNamed(category);
  if (!named) {
    what = (category.empty() ? std::string("缺少类别") : "C 列“" + category + "”不是类别") + "（应为 " +
           CategoryList() + " 之一）";
    return std::nullopt;
  }
  item.category = *named;
  item.title = CellText(value(cells::kTitleColumn));
  const host::Variant week = value(cells::kFirstWeekColumn);
  const std::optional<int> first_week = ReadFirstWeek(week);
  if (!first_week) {
    what = "E 列“" + CellText(week) + "”应为起始周次：0（预备周）或正整数";
    return std::nullopt;
  }
  item.first_week = *first_week;
  item.audience = CellText(value(cells::kAudienceColumn));
  return item;
}

}  // namespace

const char* CategoryName(ItemCategory category) { return kNames[static_cast<std::size_t>(category)]; }

std::optional<ItemCategory> CategoryNamed(std::string_view name) {
  for (std::size_t i = 0; i < kNames.size(); ++i)
    if (name == kNames[i]) return static_cast<ItemCategory>(i);
  return std::nullopt;
}

const std::vector<ItemCategory>& AllCategories() {
  static const std::vector<ItemCategory> all = {
      ItemCategory::kTerm,  ItemCategory::kVacation,  ItemCategory::kRegistration, ItemCategory::kExam,
      ItemCategory::kEvent, ItemCategory::kNoClasses, ItemCategory::kTimetable};
  return all;
}

bool SchoolPlan::HasTerms() const {
  for (const SchoolItem& item : items)
    if (item.category == ItemCategory::kTerm) return true;
  return false;
}

std::optional<SchoolPlan> ReadSchoolPlan(host::Workbook& workbook, SchoolItemProblem& problem) {
  SchoolPlan plan;
  auto sheets = workbook.Worksheets();
  if (!host::WorksheetExists(*sheets, cells::kSheetName)) return plan;
  auto sheet = sheets->Item(cells::kSheetName);
  int empty_rows = 0;
  for (int row = cells::kFirstRow; empty_rows < kEmptyRowsThatEnd; ++row) {
    bool empty = true;
    for (int column = cells::kStartColumn; column <= cells::kAudienceColumn && empty; ++column)
      empty = IsBlank(sheet->Cells(row, column)->Value());
    if (empty) {
      ++empty_rows;
      continue;
    }
    empty_rows = 0;
    std::string what;
    std::optional<SchoolItem> item = ReadRow(*sheet, row, what);
    if (!item) {
      problem = {row, ProblemText(row, what)};
      return std::nullopt;
    }
    plan.items.push_back(std::move(*item));
  }
  return plan;
}

}  // namespace tavo::hostbook
