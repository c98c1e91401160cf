#pragma once
// The sheets a build writes into the host workbook, one entry per kind:
// the names every way in knows it by (the dialog's button, the command's
// subcommand, the progress caption) and the cells of "DTB" it keeps (the key
// of the page setup last applied and its block of the page-setup table).
// The dispatch of the dialog's events, the command's subcommands, the
// progress text, the reader of saved page setups and the default content
// all iterate this list; the layout of each kind is the builders'.
#include <array>
#include <span>
#include <string_view>

#include "host/dialog_controls.h"
#include "hostbook/settings_cells.h"

namespace tavo::hostbook {

struct BuiltSheet {
  const char* sheet_name;        // "校历表"
  const char* event;             // "cmdDoXL": the dialog's build button
  const char* command;           // "school": the `tavo` subcommand
  const char* command_help;      // its line in `tavo --help`
  const char* progress_caption;  // shown while it builds: "生成校历表…"
  const char* key_label;         // `tavo settings`' name of the key cell
  int key_column;                // DTB row 2: key of the page setup last applied
  int setup_first_column;        // DTB: the first of its six page-setup columns
  // What a new host workbook carries in its block, by key - 2.
  const std::array<settings::PageSetupDefaults, 4>* page_defaults;
};

// In the order the command lists them and a new workbook's DTB holds them.
inline constexpr std::array<BuiltSheet, 2> kBuiltSheets = {{
    {
        .sheet_name = "校历表",
        .event = host::kSchoolCalendarButton,
        .command = "school",
        .command_help = "生成校历表 / build the school calendar sheet 校历表",
        .progress_caption = "生成校历表…",
        .key_label = "校历页面键 school key",
        .key_column = settings::kSchoolCalendarSetupKeyColumn,
        .setup_first_column = settings::kSchoolCalendarSetupFirstColumn,
        .page_defaults = &settings::kSchoolCalendarPageDefaults,
    },
    {
        .sheet_name = "日历表",
        .event = host::kCalendarButton,
        .command = "calendar",
        .command_help = "生成日历表 / build the calendar sheet 日历表",
        .progress_caption = "生成日历表…",
        .key_label = "日历页面键 calendar key",
        .key_column = settings::kCalendarSetupKeyColumn,
        .setup_first_column = settings::kCalendarSetupFirstColumn,
        .page_defaults = &settings::kCalendarPageDefaults,
    },
}};


constexpr std::span<const BuiltSheet> BuiltSheets() { return kBuiltSheets; }

// The entry whose event, or sheet name, is exactly the one given; nullptr when none is.
constexpr const BuiltSheet* BuiltSheetOfEvent(std::string_view event) {
  for (const BuiltSheet& sheet : kBuiltSheets)
    if (event == sheet.event) return &sheet;
  return nullptr;
}
constexpr const BuiltSheet* BuiltSheetNamed(std::string_view sheet_name) {
  for (const BuiltSheet& sheet : kBuiltSheets)
    if (sheet_name == sheet.sheet_name) return &sheet;
  return nullptr;
}

}  // namespace tavo::hostbook
