#pragma once
// Small text helpers every layer shares.
#include <cstddef>
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

// Where the first byte that is no part of a well-formed UTF-8 character
// stands in `s` (an overlong form, a surrogate, a cut sequence), or npos.
constexpr std::size_t InvalidUtf8At(std::string_view s) {
  for (std::size_t pos = 0; pos < s.size();) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    std::size_t length = 1;
    unsigned low = 0x80, high = 0xBF;  // the allowed range of the second byte
    if (lead < 0x80) {
      ++pos;
      continue;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return pos;
    }
    if (pos + length > s.size()) return pos;
    for (std::size_t i = 1; i < length; ++i) {
      const auto c = static_cast<unsigned char>(s[pos + i]);
      if (c < (i == 1 ? low : 0x80) || c > (i == 1 ? high : 0xBF)) return pos;
    }
    pos += length;
  }
  return std::string_view::npos;
}

}  // namespace tavo
