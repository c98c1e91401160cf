#pragma once
// The years the built-in notices cover, stated once: the help texts, the
// host workbook's note and the schedule read them here, and the compiled
// table (holiday_table.cpp) is checked against them when it builds.
namespace tavo::holidays {

inline constexpr int kFirstYear = 2004;
inline constexpr int kLastYear = 2026;

}  // namespace tavo::holidays
