#pragma once
// The sheet's limits and the A1 notation of whole rows and columns, as the
// desktop host reads them ("B:I", "$1:$2"): what the dialog handlers and
// page setups pass, so every host reads them alike.
#include <cstdint>
#include <string>

namespace tavo::host {

inline constexpr std::int32_t kMaxRows = 1048576;
inline constexpr std::int32_t kDefaultColumnCount = 16384;  // 256 in old hosts

// Column number of letters "A".."XFD" (an optional leading '$'); 0 when invalid.
std::int32_t ColumnFromLetters(const std::string& letters);
// Parses "B:I", "B", "$B:$I" into first/last columns of a sheet of
// `column_count` columns; raises the invalid-argument error when invalid.
void ParseColumnAddress(const std::string& address, std::int32_t column_count, std::int32_t& first,
                        std::int32_t& last);
// Parses "$1:$2", "1:2", "$3" into first/last rows; false when invalid.
bool ParseRowAddress(const std::string& address, std::int32_t& first, std::int32_t& last);

}  // namespace tavo::host
