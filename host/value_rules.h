#pragma once
// How the host stores an assigned value: a text that reads as a number
// becomes that number, a text that reads as a date ("2024-9-2", "2024/9/2",
// "2024年9月2日") becomes that date, a leading apostrophe keeps the rest as
// text and sets the quote prefix, everything else is stored as given.
#include "host/variant.h"

namespace tavo::host {

struct StoredValue {
  host::Variant value;
  bool quote_prefix = false;
};

// Raises for values no cell can hold (non-finite numbers, texts over 32767 characters).
StoredValue ConvertAssignedValue(const host::Variant& assigned);

// The built-in number formats the host shows as dates or times: 14-22,
// 45-47, and the East Asian date formats 27-36 and 50-58.
bool IsDateNumberFormat(int id);

}  // namespace tavo::host
