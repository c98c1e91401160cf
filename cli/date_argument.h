#pragma once
// Reading a date given on the command line.
#include <optional>
#include <string>
#include <string_view>

#include "common/dates.h"

namespace tavo::cli {

// The dates the day commands answer for.
inline constexpr Date kFirstDayDate{std::chrono::year{1900}, std::chrono::January, std::chrono::day{1}};
inline constexpr Date kLastDayDate{std::chrono::year{2100}, std::chrono::December, std::chrono::day{31}};

// The date `text` names, in any notation the date parser reads, if it lies
// within kFirstDayDate..kLastDayDate. Otherwise nullopt and `problem` says
// why, in one line.
std::optional<Date> ReadDayArgument(std::string_view text, std::string& problem);

}  // namespace tavo::cli
