#pragma once
// The tab-separated day records printed by `tavo day` and `tavo days`.
#include <string>

#include "common/dates.h"
#include "lunar/lunar_engine.h"

namespace tavo::cli {

// The header line, newline included.
extern const char* const kDayHeader;

// Appends the record of `date` and a newline to `out`. Every field is asked
// of the engine afresh, as the sheet builders ask for it.
void AppendDayRow(lunar::LunarEngine& engine, Date date, std::string& out);

}  // namespace tavo::cli
