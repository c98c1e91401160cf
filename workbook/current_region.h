#pragma once
#include <cstdint>

#include "workbook/workbook_model.h"

namespace tavo::workbook {

// The host's CurrentRegion: from `start`, grow the rectangle on every side
// whose surrounding ring (corners included) holds a value, and over every
// merged area it cuts, until neither applies. A cell of a merged area counts
// as holding the area's value. Formats and shapes do not count.
Area CurrentRegion(const Worksheet& sheet, Area start, std::int32_t column_count);

}  // namespace tavo::workbook
