#pragma once
// An outcome as the lines of a reference file: the workbook facts, then one
// "box title|text|icon" line per message box.
#include <string>
#include <vector>

#include "calendar_sessions.h"

namespace tavo::wintest {

inline std::vector<std::string> ReferenceLines(const Outcome& outcome) {
  std::vector<std::string> lines = outcome.dump;
  for (const Box& box : outcome.boxes) {
    std::string text;
    for (char c : box.text) text += c == '\n' ? std::string("\\n") : std::string(1, c);
    lines.push_back("box " + box.title + "|" + text + "|" + box.icon);
  }
  return lines;
}

}  // namespace tavo::wintest
