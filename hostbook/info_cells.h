#pragma once
// The information sheet "信息表": the school's own texts a school calendar
// prints. Row 3 holds the title (D3) and the information row (C3); column B
// from row 3 down holds one remark per week, B3 for the first week.
namespace tavo::info {

inline constexpr const char* kSheetName = "信息表";
inline constexpr int kTextRow = 3;
inline constexpr int kTitleColumn = 4;    // D3
inline constexpr int kInfoRowColumn = 3;  // C3
inline constexpr int kRemarkColumn = 2;   // B3, B4, ...
inline constexpr int kFirstRemarkRow = 3;

// The row of week `week` (1 for the first)'s remark.
constexpr int RemarkRow(int week) { return kFirstRemarkRow + week - 1; }

}  // namespace tavo::info
