#include "office/host/paper_sizes.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace tavo::office {
namespace {

constexpr std::array<PaperSize, 14> kPapers{{
    {1, 21590, 27940},   // Letter
    {3, 27940, 43180},   // Tabloid
    {5, 21590, 35560},   // Legal
    {7, 18415, 26670},   // Executive
    {8, 29700, 42000},   // A3
    {9, 21000, 29700},   // A4
    {11, 14800, 21000},  // A5
    {12, 25700, 36400},  // B4 (JIS)
    {13, 18200, 25700},  // B5 (JIS)
    {20, 10477, 24130},  // Envelope #10
    {27, 11000, 22000},  // Envelope DL
    {34, 25000, 35300},  // B4 (ISO)
    {70, 10500, 14800},  // A6
    {119, 19500, 27000}, // 16K
}};

}  // namespace

bool PaperOfCode(std::int32_t code, PaperSize& paper) {
  for (const PaperSize& p : kPapers) {
    if (p.code == code) {
      paper = p;
      return true;
    }
  }
  return false;
}

std::int32_t CodeOfPaper(std::int32_t width, std::int32_t height) {
  const std::int32_t w = std::min(width, height), h = std::max(width, height);
  for (const PaperSize& p : kPapers)
    if (std::abs(p.width - w) <= 100 && std::abs(p.height - h) <= 100) return p.code;
  return 256;
}

}  // namespace tavo::office
