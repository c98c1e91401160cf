#include "host/worksheet_lookup.h"

namespace tavo::host {

bool WorksheetExists(Sheets& worksheets, const std::string& name) {
  const std::int32_t count = worksheets.Count();
  for (std::int32_t i = 1; i <= count; ++i) {
    if (worksheets.Item(i)->Name() == name) return true;
  }
  return false;
}

}  // namespace tavo::host
