#pragma once
// The grid of the new sheet, in the two directions, and what is laid over
// and around it. Each step is a host call in the order the sheet needs it.
#include "sheets/build_state.h"

namespace tavo::sheets {

// Weeks run down the sheet: two rows per week, days in columns C..I.
void LayOutVertical(BuildState& state);

// Weeks run across the sheet: one column per week from C, days in rows 5..18.
// Stops at the host's last column and lowers the month count to match.
void LayOutHorizontal(BuildState& state);

// Style 1: one translucent month number per month, except a first month
// entered after its 10th and a last month left before its 20th.
void AddMonthWatermarks(BuildState& state);

// Style 2: merged month labels in a new column B (vertical) or in row 3
// (horizontal).
void AddVerticalMonthLabels(BuildState& state);
void AddHorizontalMonthLabels(BuildState& state);

// The vertical school calendar's weekly remarks, read from "信息表" with the
// lines the build adds, and the week rows made taller where those lines need
// it; before anything is placed over the grid.
void PrepareRemarks(BuildState& state);

// The merged title in row 1 and, for the school calendar, the information
// row under the grid and the weekly remarks, from "信息表".
void WriteTitleRows(BuildState& state);

// The weekday of the start date counted from the first weekday, 1..7.
int StartPosition(const BuildState& state);

// Month after `month` (1..12), December followed by January.
constexpr int NextMonth(int month) { return month % 12 + 1; }

}  // namespace tavo::sheets
