#pragma once
// The sentences of one item of a holiday notice, read into clauses (split at
// ，；。): the words without their parenthesised remarks, and the dates the
// item writes, each one day or a range, as calendar days. A remark's weekday
// is checked against the date it follows, which catches a notice pasted
// under the wrong year or a mistyped day.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/dates.h"

namespace tavo::holidays {

// The longest range of days a notice gives one holiday.
inline constexpr long kMaxBreakDays = 20;

// One date the text writes: a day (first == last) or a range "1月1日至3日".
struct NoticeDates {
  Date first;
  Date last;
  std::size_t end = 0;  // where it ends in its clause's text
};

struct NoticeClause {
  std::string text;  // blanks and remarks dropped, dates as written
  std::vector<NoticeDates> dates;
};

struct ItemContext {
  int year = 0;                  // the notice year, for dates that write none
  bool december_before = false;  // 元旦: its December dates belong to the year before
  std::string where;             // names the item in error details
};

// Raises tavo::Error (invalid argument) for a date that does not exist, a day
// without a month, a remark's weekday that is not the date's, an unclosed remark.
std::vector<NoticeClause> ReadNoticeClauses(std::string_view item, const ItemContext& context);

// Every day of `dates`; raises when it ends before it starts or is longer than kMaxBreakDays.
std::vector<Date> DaysOf(const NoticeDates& dates, const std::string& where);

// "2020年2月2日".
std::string ChineseDate(Date d);

[[noreturn]] void RaiseNoticeError(const std::string& where, const std::string& problem);

}  // namespace tavo::holidays
