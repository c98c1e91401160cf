#include "cli/date_argument.h"

namespace tavo::cli {
namespace {

// The argument as it may be quoted in a one-line message: control
// characters (a pasted newline, say) would break the line.
std::string Printable(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return out;
}

}  // namespace

std::optional<Date> ReadDayArgument(std::string_view text, std::string& problem) {
  const std::optional<Date> date = ParseDate(text);
  if (!date) {
    problem = "\"" + Printable(text) + "\" is not a date (日期无效); write it like 2013-02-09, 2013/2/9 or 2013年2月9日";
    return std::nullopt;
  }
  if (*date < kFirstDayDate || *date > kLastDayDate) {
    problem = DateToIso(*date) + " is outside " + DateToIso(kFirstDayDate) + ".." + DateToIso(kLastDayDate) +
              " (日期超出范围)";
    return std::nullopt;
  }
  return date;
}

}  // namespace tavo::cli
