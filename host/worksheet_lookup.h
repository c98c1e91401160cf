#pragma once
// Whether a workbook has a sheet of a name, asked the way the desktop host
// lets one ask without raising: each sheet's name in tab order.
#include <string>

#include "host/host.h"

namespace tavo::host {

bool WorksheetExists(Sheets& worksheets, const std::string& name);

}  // namespace tavo::host
