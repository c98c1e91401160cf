#pragma once
// Small text helpers every layer shares.
#include <string_view>

namespace tavo {

// `s` without the blanks (space, tab, carriage return, line feed) at either
// end, as a cell's typed text is read.
constexpr std::string_view TrimBlanks(std::string_view s) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const auto first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace tavo
