#pragma once
// How the engine reads a DateText. Nearly every text it gets is the short
// form DateToText writes ("2013-2-9"); that form is read directly, anything
// else goes through the general date parser. Both give the same date for the
// same text, and a text that is not a date raises the type-mismatch error.
#include <string_view>

#include "common/dates.h"

namespace tavo::lunar {

Date ReadDateText(std::string_view text);

}  // namespace tavo::lunar
