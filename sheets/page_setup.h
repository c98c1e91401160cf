#pragma once
// The page setup a user gave a built sheet survives its rebuild: six
// properties are kept per sheet kind and per style and direction in the
// page-setup table of "DTB" (rows 2..5, six columns per kind from the kind's
// first column: K..P for the school calendar, U..Z for the calendar). Both operations ignore host errors step
// by step: a property the host refuses is skipped and the next one runs.
#include <cstdint>

#include "host/host.h"

namespace tavo::sheets {

// Copies the six kept properties of `sheet` into row `key` of the table,
// from column `first_column` on.
void SavePageSetup(host::Sheet& sheet, host::Sheet& settings, std::int32_t key, int first_column);

// Copies row `key` of the table (from `first_column` on) onto `sheet`, then
// sets the fixed part: the page-number footer when `page_number_footer` (the
// calendar), header and side margins of 5 points, horizontal centring and
// rows 1..2 as print titles.
void ApplyPageSetup(host::Sheet& sheet, host::Sheet& settings, std::int32_t key, int first_column,
                    bool page_number_footer);

}  // namespace tavo::sheets
