#pragma once
// The desktop host's paper-size codes against paper sizes in 1/100 mm
// (portrait: width <= height).
#include <cstdint>

namespace tavo::office {

struct PaperSize {
  std::int32_t code;
  std::int32_t width, height;
};

// The size of a code; false for a code the adapter does not know.
bool PaperOfCode(std::int32_t code, PaperSize& paper);
// The code of a size in either orientation, within 1 mm; 256 (custom) otherwise.
std::int32_t CodeOfPaper(std::int32_t width, std::int32_t height);

}  // namespace tavo::office
