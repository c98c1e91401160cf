#include "cli/ics_writer.h"

#include <cstdio>

namespace tavo::cli::ics {
namespace {

constexpr std::size_t kMaxLineOctets = 75;
constexpr std::string_view kLineEnd = "\r\n";

bool IsContinuationOctet(unsigned char c) { return (c & 0xC0) == 0x80; }

void AddProperty(std::string& out, std::string_view name, std::string_view value) {
  std::string line(name);
  line += ':';
  line += value;
  out += FoldLine(line);
}

void AddEvent(std::string& out, const AllDayEvent& event, const std::string& stamp) {
  out += FoldLine("BEGIN:VEVENT");
  AddProperty(out, "UID", event.uid);
  AddProperty(out, "DTSTAMP", stamp);
  AddProperty(out, "DTSTART;VALUE=DATE", DateValue(event.first));
  // DTEND of a DATE event is the day after its last day.
  AddProperty(out, "DTEND;VALUE=DATE", DateValue(AddDays(event.last, 1)));
  AddProperty(out, "SUMMARY", EscapeText(event.summary));
  if (!event.category.empty()) AddProperty(out, "CATEGORIES", EscapeText(event.category));
  // All-day notes of the term: they never make a teacher look busy.
  AddProperty(out, "TRANSP", "TRANSPARENT");
  out += FoldLine("END:VEVENT");
}

}  // namespace

std::string EscapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '\\': out += "\\\\"; break;
      case ';': out += "\\;"; break;
      case ',': out += "\\,"; break;
      case '\r':
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += "\\n";
        break;
      case '\n': out += "\\n"; break;
      case '\t': out += c; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) break;
        out += c;
    }
  }
  return out;
}

std::string FoldLine(std::string_view line) {
  std::string out;
  out.reserve(line.size() + line.size() / 64 * 3 + 2);
  std::size_t room = kMaxLineOctets;  // the first line has no leading space
  while (line.size() > room) {
    std::size_t cut = room;
    while (cut > 0 && IsContinuationOctet(static_cast<unsigned char>(line[cut]))) --cut;
    // A run of stray continuation octets longer than a line: cut anyway.
    if (cut == 0) cut = room;
    out.append(line.substr(0, cut));
    out += kLineEnd;
    out += ' ';
    line.remove_prefix(cut);
    room = kMaxLineOctets - 1;
  }
  out.append(line);
  out += kLineEnd;
  return out;
}

std::uint64_t Fnv1a64(std::string_view octets) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (const char c : octets) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

std::string DateValue(Date d) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02u%02u", static_cast<int>(d.year()),
                static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
  return text;
}

std::string WriteCalendar(const Calendar& calendar) {
  std::string out;
  out += FoldLine("BEGIN:VCALENDAR");
  AddProperty(out, "VERSION", "2.0");
  AddProperty(out, "PRODID", EscapeText(calendar.product));
  AddProperty(out, "CALSCALE", "GREGORIAN");
  AddProperty(out, "METHOD", "PUBLISH");
  AddProperty(out, "X-WR-CALNAME", EscapeText(calendar.name));
  AddProperty(out, "X-WR-TIMEZONE", EscapeText(calendar.timezone));
  // Subscribed copies look for changes once a day.
  AddProperty(out, "REFRESH-INTERVAL;VALUE=DURATION", "P1D");
  AddProperty(out, "X-PUBLISHED-TTL", "P1D");
  for (const AllDayEvent& event : calendar.events) AddEvent(out, event, calendar.stamp);
  out += FoldLine("END:VCALENDAR");
  return out;
}

}  // namespace tavo::cli::ics
