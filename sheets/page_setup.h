#pragma once
// The page setup a user gave a built sheet survives its rebuild: six
// properties are kept per sheet kind and per style and direction in the
// page-setup table of "DTB" (rows 2..5, columns K..P for the school
// calendar, U..Z for the calendar). Both operations ignore host errors step
// by step: a property the host refuses is skipped and the next one runs.
#include <cstdint>

#include "host/host.h"

namespace tavo::sheets {

// Copies the six kept properties of `sheet` into row `key` of the table.
void SavePageSetup(host::Sheet& sheet, host::Sheet& settings, std::int32_t key,
                   bool school_calendar);

// Copies row `key` of the table onto `sheet`, then sets the fixed part:
// the calendar's page-number footer, header and side margins of 5 points,
// horizontal centring and rows 1..2 as print titles.
void ApplyPageSetup(host::Sheet& sheet, host::Sheet& settings, std::int32_t key,
                    bool school_calendar);

}  // namespace tavo::sheets
