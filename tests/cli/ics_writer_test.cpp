// The iCalendar text: escaping of TEXT values, folding at 75 octets without
// breaking a UTF-8 sequence, the UID hash and the all-day event lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/ics_writer.h"

namespace tavo::cli::ics {
namespace {

struct EscapeCase {
  const char* text;
  const char* escaped;
};

TEST(IcsWriterTest, EscapesTextValues) {
  const EscapeCase cases[] = {
      {"期中考试", "期中考试"},
      {"语文,数学;英语", "语文\\,数学\\;英语"},
      {"C:\\考试\\", "C:\\\\考试\\\\"},
      {"第一行\n第二行", "第一行\\n第二行"},
      {"windows\r\nline", "windows\\nline"},
      {"old mac\rline", "old mac\\nline"},
      {"two\n\nbreaks", "two\\n\\nbreaks"},
      {"tab\tstays", "tab\tstays"},
      {"bell\x07 and \x7f" "delete", "bell and delete"},
      {"\\n is not a break", "\\\\n is not a break"},
      {"", ""},
  };
  for (const EscapeCase& c : cases) EXPECT_EQ(EscapeText(c.text), c.escaped) << c.text;
}

// The physical lines of folded text, without their CRLF; fails on a bare LF or CR.
std::vector<std::string> PhysicalLines(const std::string& folded) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  while (from < folded.size()) {
    const std::size_t end = folded.find("\r\n", from);
    if (end == std::string::npos) {
      ADD_FAILURE() << "text does not end with CRLF";
      break;
    }
    lines.push_back(folded.substr(from, end - from));
    from = end + 2;
  }
  return lines;
}

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

TEST(IcsWriterTest, FoldsAtSeventyFiveOctetsOnCharacterBoundaries) {
  const std::string inputs[] = {
      "SUMMARY:short",
      Repeat("a", 75),
      Repeat("a", 76),
      Repeat("a", 300),
      "SUMMARY:" + Repeat("国庆节放假", 20),        // 3-octet characters
      "SUMMARY:x" + Repeat("期中考试", 30),          // the same, shifted by one octet
      "SUMMARY:xy" + Repeat("期中考试", 30),         // and by two
      "SUMMARY:" + Repeat("\xF0\x9F\x93\x85", 40),  // 4-octet characters
      "SUMMARY:" + Repeat("é中a\xF0\x9F\x8E\x89", 25),
  };
  for (const std::string& line : inputs) {
    const std::vector<std::string> lines = PhysicalLines(FoldLine(line));
    ASSERT_FALSE(lines.empty());
    std::string unfolded;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string& physical = lines[i];
      EXPECT_LE(physical.size(), 75u) << line;
      std::string content = physical;
      if (i > 0) {
        ASSERT_EQ(physical.front(), ' ') << "continuation without its space";
        content = physical.substr(1);
        ASSERT_FALSE(content.empty()) << "an empty continuation";
      }
      EXPECT_FALSE(IsContinuation(content.front())) << "fold inside a character: " << line;
      unfolded += content;
    }
    EXPECT_EQ(unfolded, line);
    // Only as many lines as needed: every line but the last is nearly full.
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) EXPECT_GE(lines[i].size(), 72u);
  }
}

TEST(IcsWriterTest, FoldsExactlyAtTheLimit) {
  EXPECT_EQ(FoldLine(Repeat("a", 75)), Repeat("a", 75) + "\r\n");
  EXPECT_EQ(FoldLine(Repeat("a", 76)), Repeat("a", 75) + "\r\n a\r\n");
  // 74 octets, then a 3-octet character that would end at octet 77.
  EXPECT_EQ(FoldLine(Repeat("a", 74) + "中"), Repeat("a", 74) + "\r\n 中\r\n");
}

TEST(IcsWriterTest, HashesWithFnv1a64) {
  const std::pair<const char*, std::uint64_t> cases[] = {
      {"", 0xcbf29ce484222325ULL},
      {"a", 0xaf63dc4c8601ec8cULL},
      {"foobar", 0x85944171f73967e8ULL},
  };
  for (const auto& [text, hash] : cases) EXPECT_EQ(Fnv1a64(text), hash) << text;
}

Date Day(int y, unsigned m, unsigned d) {
  return Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

TEST(IcsWriterTest, WritesAllDayEventsWithExclusiveEnd) {
  Calendar calendar{.name = "实验小学, 2024;秋",
                    .timezone = "Asia/Shanghai",
                    .product = "-//tavo//test//ZH",
                    .stamp = "20241001T080000Z",
                    .events = {{"1@tavo", Day(2024, 12, 30), Day(2024, 12, 31), "第18周", "周次"},
                               {"2@tavo", Day(2025, 2, 28), Day(2025, 2, 28), "a,b", ""}}};
  const std::vector<std::string> lines = PhysicalLines(WriteCalendar(calendar));
  const std::vector<std::string> expected = {
      "BEGIN:VCALENDAR",
      "VERSION:2.0",
      "PRODID:-//tavo//test//ZH",
      "CALSCALE:GREGORIAN",
      "METHOD:PUBLISH",
      "X-WR-CALNAME:实验小学\\, 2024\\;秋",
      "X-WR-TIMEZONE:Asia/Shanghai",
      "REFRESH-INTERVAL;VALUE=DURATION:P1D",
      "X-PUBLISHED-TTL:P1D",
      "BEGIN:VEVENT",
      "UID:1@tavo",
      "DTSTAMP:20241001T080000Z",
      "DTSTART;VALUE=DATE:20241230",
      "DTEND;VALUE=DATE:20250101",  // the day after the year's last day
      "SUMMARY:第18周",
      "CATEGORIES:周次",
      "TRANSP:TRANSPARENT",
      "END:VEVENT",
      "BEGIN:VEVENT",
      "UID:2@tavo",
      "DTSTAMP:20241001T080000Z",
      "DTSTART;VALUE=DATE:20250228",
      "DTEND;VALUE=DATE:20250301",
      "SUMMARY:a\\,b",
      "TRANSP:TRANSPARENT",
      "END:VEVENT",
      "END:VCALENDAR",
  };
  EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace tavo::cli::ics
