#pragma once
// The settings sheet "DTB" as data: what each column of the settings row
// means, what a new host workbook puts there and how wide it is drawn. The
// page-setup key of each built sheet and its block of the page-setup table
// come with the sheet (built_sheets.h).
#include <array>
#include <optional>

#include "hostbook/settings_cells.h"

namespace tavo::settings {

struct SettingsColumn {
  int column;
  const char* label;                 // row 1
  double width;                      // in characters
  std::optional<int> default_value;  // row 2 of a new workbook; the dates come from the term
  std::array<int, 2> allowed;        // the values the dialog stores; {0, 0}: not an option
};

inline constexpr double kPageSetupColumnWidth = 12;
inline constexpr double kKeyColumnWidth = 14;
// The heading of a built sheet's key column follows its name: "校历表页面键".
inline constexpr const char* kKeyLabelSuffix = "页面键";

inline constexpr std::array<SettingsColumn, 8> kSettingsColumns = {{
    {1, "说明", 20, std::nullopt, {0, 0}},
    {kStartDateColumn, "开始日期", 14, std::nullopt, {0, 0}},
    {kEndDateColumn, "结束日期", 14, std::nullopt, {0, 0}},
    {kWeekStartColumn, "周起始(1周一 2周日)", 14, kWeekStartMonday, {kWeekStartMonday, kWeekStartSunday}},
    {kColorModeColumn, "颜色(1有 2无)", 14, kWithColor, {kWithColor, kNoColor}},
    {kLayoutDirectionColumn, "方向(1竖排 3横排)", 14, kVertical, {kVertical, kHorizontal}},
    {kLayoutStyleColumn, "样式(1/2)", 14, kStyle1, {kStyle1, kStyle2}},
    {kHolidayMarksColumn, "放假调休(1标出)", 14, kHolidayMarksOn, {kHolidayMarksOff, kHolidayMarksOn}},
}};

// The page-setup table's headings after the kind's name ("校历表上边距"),
// in the order of its columns.
inline constexpr std::array<const char*, kPageSetupColumns> kPageSetupLabels = {
    "上边距", "下边距", "页脚边距", "方向", "纸张", "缩放"};

// Column A of the table's rows 2..5 names the key of each row.
inline constexpr std::array<const char*, 4> kPageSetupKeyNames = {
    "页面键2：样式1竖排", "页面键3：样式2竖排", "页面键4：样式1横排", "页面键5：样式2横排"};

}  // namespace tavo::settings
