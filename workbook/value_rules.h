#pragma once
// How the host stores an assigned value: a text that reads as a number
// becomes that number, a leading apostrophe keeps the rest as text and sets
// the quote prefix, everything else is stored as given.
#include "sheets/host/variant.h"

namespace tavo::workbook {

struct StoredValue {
  host::Variant value;
  bool quote_prefix = false;
};

// Raises for values no cell can hold (non-finite numbers, texts over 32767 characters).
StoredValue ConvertAssignedValue(const host::Variant& assigned);

}  // namespace tavo::workbook
