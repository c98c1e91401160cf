// Writes each calendar session's outcome, built natively, to FOLDER/NAME.txt:
// the workbook facts, then one "box" line per message box.
#include <cstdio>
#include <fstream>

#include "calendar_sessions.h"
#include "reference_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  for (const auto& session : tavo::wintest::CalendarSessions()) {
    auto outcome = tavo::wintest::BuildDirectly(session);
    std::ofstream out(std::string(argv[1]) + "/" + session.name + ".txt", std::ios::binary);
    for (const std::string& line : tavo::wintest::ReferenceLines(outcome)) out << line << '\n';
    if (!out) {
      std::fprintf(stderr, "cannot write %s\n", session.name.c_str());
      return 1;
    }
  }
  std::printf("wrote %zu reference sessions\n", tavo::wintest::CalendarSessions().size());
  return 0;
}
