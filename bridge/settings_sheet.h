#pragma once
// The settings sheet "DTB": the one place that says which cell of the host
// workbook holds which setting. Everything that must outlive a call lives
// there (the dialog's choices, the page-setup keys and the page-setup table),
// so the settings travel with the workbook.
#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "sheets/host/dialog.h"
#include "sheets/host/host.h"

namespace tavo::bridge {

inline constexpr const char* kSettingsSheetName = "DTB";

// Row 2 carries the settings, one column each.
inline constexpr int kSettingsRow = 2;
inline constexpr int kStartDateColumn = 2;               // B2, the start date as typed
inline constexpr int kEndDateColumn = 3;                 // C2, the end date as typed
inline constexpr int kWeekStartColumn = 4;               // D2
inline constexpr int kColorModeColumn = 5;               // E2
inline constexpr int kLayoutDirectionColumn = 6;         // F2
inline constexpr int kLayoutStyleColumn = 7;             // G2
inline constexpr int kSchoolCalendarSetupKeyColumn = 8;  // H2, key of the last 校历表 build
inline constexpr int kCalendarSetupKeyColumn = 9;        // I2, key of the last 日历表 build

// Stored option values.
inline constexpr int kWeekStartMonday = 1;
inline constexpr int kWeekStartSunday = 2;
inline constexpr int kWithColor = 1;
inline constexpr int kNoColor = 2;
inline constexpr int kVertical = 1;
inline constexpr int kHorizontal = 3;  // 3, not 2: style + direction stays unique
inline constexpr int kStyle1 = 1;
inline constexpr int kStyle2 = 2;

// The eight option buttons: the cell each one is stored in and its value,
// grouped by cell in the order the groups are loaded into the dialog.
struct OptionButton {
  std::string_view name;
  int column;
  int value;
};
inline constexpr std::array<OptionButton, 8> kOptionButtons{{
    {"optYi", kWeekStartColumn, kWeekStartMonday},
    {"optRi", kWeekStartColumn, kWeekStartSunday},
    {"optYu", kColorModeColumn, kWithColor},
    {"optWu", kColorModeColumn, kNoColor},
    {"optShu", kLayoutDirectionColumn, kVertical},
    {"optHng", kLayoutDirectionColumn, kHorizontal},
    {"optYS1", kLayoutStyleColumn, kStyle1},
    {"optYS2", kLayoutStyleColumn, kStyle2},
}};

// The page-setup table: rows 2 to 5, one per key; six columns per sheet kind
// (top, bottom and footer margin, orientation, paper size, zoom).
inline constexpr int kFirstPageSetupRow = 2;
inline constexpr int kLastPageSetupRow = 5;
inline constexpr int kSchoolCalendarSetupFirstColumn = 11;  // K..P
inline constexpr int kCalendarSetupFirstColumn = 21;        // U..Z

// Row of the page-setup table for a style and a direction: 2 to 5.
constexpr int PageSetupKey(int layout_style, int layout_direction) {
  return layout_style + layout_direction;
}

// Palette entries the layouts use as fills, with the colours they must have.
inline constexpr int kGreyFillIndex = 15;
inline constexpr std::int32_t kGreyFill = host::Rgb(221, 221, 221);
inline constexpr int kBlueFillIndex = 37;
inline constexpr std::int32_t kBlueFill = host::Rgb(204, 236, 255);

// Worksheets("DTB") of ThisWorkbook; the host's error 9 when it is missing.
std::unique_ptr<host::Sheet> SettingsSheet(host::Application& ea);

// Cells(2, column) of "DTB".
void WriteSetting(host::Application& ea, int column, const host::Variant& value);

// Sets palette entries 15 and 37 to the fills the layouts expect.
void ResetPalette(host::Workbook& workbook);

// Fills the dialog from "DTB" each time it opens: the palette, the two date
// boxes, and the option button of each group whose stored value is known.
// Buttons are only ever set to True; unknown values leave a group as it is.
void LoadSettingsToDialog(host::Application& ea, host::Dialog& uf);

}  // namespace tavo::bridge
