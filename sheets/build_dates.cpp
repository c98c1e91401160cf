#include "sheets/build_dates.h"

namespace tavo::sheets {
namespace {

constexpr const char* kHighestEnd = "2100-12-31";
constexpr int kMaxYearSpan = 20;

int YearOf(Date d) { return static_cast<int>(d.year()); }

}  // namespace

std::optional<DateRange> CheckBuildDates(const SheetKind& kind, const std::string& start_text,
                                         const std::string& end_text, host::Platform& platform) {
  auto refuse = [&platform](const char* message) -> std::optional<DateRange> {
    platform.MessageBox(message, host::kTitleNotice, host::kStyleWarning);
    return std::nullopt;
  };

  const std::optional<Date> start = ParseDate(start_text);
  if (!start) return refuse("开始日期 格式不正确，请重新输入！");
  const std::optional<Date> end = ParseDate(end_text);
  if (!end) return refuse("结束日期 格式不正确，请重新输入！");
  if (DaysBetween(DateFromText(kind.lowest_start), *start) < 0) {
    return refuse(kind.start_out_of_range);
  }
  if (DaysBetween(*end, DateFromText(kHighestEnd)) < 0) return refuse(kind.end_out_of_range);
  // Calendar years count, not the time between the dates.
  if (YearOf(*end) - YearOf(*start) > kMaxYearSpan) {
    return refuse("结束日期与开始日期相差不能超过20年！");
  }
  if (DaysBetween(*start, *end) < 0) return refuse("结束日期 应大于 开始日期！");
  return DateRange{*start, *end};
}

}  // namespace tavo::sheets
