#pragma once
// The date boxes and option buttons write through to the settings sheet as
// soon as the user makes a choice.
#include <string>

#include "common/dates.h"
#include "host/dialog.h"
#include "host/host.h"

namespace tavo::bridge {

// The dates a box accepts, both ends included.
inline constexpr Date kFirstAcceptedDate{std::chrono::year{1901}, std::chrono::January,
                                         std::chrono::day{1}};
inline constexpr Date kLastAcceptedDate{std::chrono::year{2100}, std::chrono::December,
                                        std::chrono::day{31}};

// Checks the text of "txtBDate" (when `control` is exactly that name) or of
// "txtEDate" (any other name) and stores it, exactly as typed, in B2 or C2.
// A text that is no date or lies outside the accepted dates is refused with
// a notice and nothing is stored.
void OnDateEntered(host::Application& ea, host::Dialog& uf, host::Platform& platform,
                   const std::string& control);

// Stores the value of option button `button` in its cell of row 2; a name
// that is not one of the eight buttons stores nothing.
void StoreOption(host::Application& ea, const std::string& button);

// Stores the holiday-marks check box in J2: 1 when it is ticked, 0 otherwise.
void StoreHolidayMarks(host::Application& ea, host::Dialog& uf);

}  // namespace tavo::bridge
