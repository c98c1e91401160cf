#pragma once
// An iCalendar file (RFC 5545) of all-day events: the text escaping of
// property values, the folding of long content lines and the calendar
// object itself. UTF-8, every line ended by CRLF.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/dates.h"

namespace tavo::cli::ics {

// A TEXT value: backslash, semicolon and comma escaped, every line break
// (CR LF, CR or LF) written as "\n", other control characters but the tab
// dropped, since a TEXT value may not hold them.
std::string EscapeText(std::string_view text);

// One content line, given without its line end, as lines of at most 75
// octets each ended by CRLF; every continuation starts with one space. A
// fold never falls inside a UTF-8 sequence.
std::string FoldLine(std::string_view line);

// 64-bit FNV-1a of the octets: the stable part of an event's UID.
std::uint64_t Fnv1a64(std::string_view octets);

// An all-day event from `first` to `last`, both days included.
struct AllDayEvent {
  std::string uid;
  Date first;
  Date last;
  std::string summary;
  std::string category;  // one category, empty for none
};

struct Calendar {
  std::string name;      // X-WR-CALNAME
  std::string timezone;  // X-WR-TIMEZONE
  std::string product;   // PRODID
  std::string stamp;     // DTSTAMP of every event, UTC: 20241001T080000Z
  std::vector<AllDayEvent> events;
};

// The whole file: VCALENDAR with its events in the given order.
std::string WriteCalendar(const Calendar& calendar);

// "20241001", the DATE form.
std::string DateValue(Date d);

}  // namespace tavo::cli::ics
