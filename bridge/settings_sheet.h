#pragma once
// The settings sheet "DTB" as the dialog handlers use it: its cells are
// named in hostbook/settings_cells.h; here are the option buttons, the palette
// and the loading of the dialog.
#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "host/dialog.h"
#include "host/dialog_controls.h"
#include "host/host.h"
#include "hostbook/settings_cells.h"

namespace tavo::bridge {

inline constexpr const char* kSettingsSheetName = settings::kSheetName;
inline constexpr int kSettingsRow = settings::kRow;
using namespace settings;  // the cells of "DTB" by name

// The eight option buttons: the cell each one is stored in and its value,
// grouped by cell in the order the groups are loaded into the dialog.
struct OptionButton {
  std::string_view name;
  int column;
  int value;
};
inline constexpr std::array<OptionButton, 8> kOptionButtons{{
    {host::kMondayFirstOption, kWeekStartColumn, kWeekStartMonday},
    {host::kSundayFirstOption, kWeekStartColumn, kWeekStartSunday},
    {host::kWithColorOption, kColorModeColumn, kWithColor},
    {host::kNoColorOption, kColorModeColumn, kNoColor},
    {host::kVerticalOption, kLayoutDirectionColumn, kVertical},
    {host::kHorizontalOption, kLayoutDirectionColumn, kHorizontal},
    {host::kStyle1Option, kLayoutStyleColumn, kStyle1},
    {host::kStyle2Option, kLayoutStyleColumn, kStyle2},
}};

// A check box's value as the hosts give it: True/False, or the state
// number (1 ticked; 0 clear; 2 undecided, which counts as clear).
bool CheckBoxTicked(const host::Variant& value);

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
