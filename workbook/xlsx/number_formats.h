#pragma once
// Which cell formats of a styles part show numbers as dates or times, and
// the two serial systems: the file's 1900 serials (which count the
// non-existent 1900-02-29) and the host's automation dates.
#include <pugixml.hpp>

#include <string_view>
#include <vector>

namespace tavo::xlsx {

// A custom format code with date or time tokens (y m d h s e, 年 月 日)
// outside quoted text, escaped characters and brackets; "[h]:mm" elapsed
// times count, colours and locales ("[Red]", "[$-804]") do not.
bool IsDateFormatCode(std::string_view code);

// Per cellXfs index: does the format show its number as a date or time?
std::vector<bool> DateStyles(const pugi::xml_document& styles);

// File serial <-> automation date serial; they differ before 1900-03-01.
double FileSerialToDate(double serial);
double DateToFileSerial(double date);

}  // namespace tavo::xlsx
