#pragma once
// Reads the State Council's holiday notice (国务院办公厅关于YYYY年部分节假日安排的通知)
// as published or as a user pastes it, into the days it gives: days off and
// make-up working days, named by the notice's holiday. Weekend days a notice
// only joins to a break ("与周末连休") are not among them, as in the built-in table.
#include <string>
#include <string_view>
#include <vector>

#include "common/dates.h"
#include "common/error.h"
#include "holidays/holiday_schedule.h"

namespace tavo::holidays {

struct NoticeDay {
  Date date;
  DayStatus status = DayStatus::kNone;  // kOff or kWork
  std::string name;                     // empty when the notice names no holiday

  friend bool operator==(const NoticeDay&, const NoticeDay&) = default;
};

// Reads one text: a notice, and any supplementary notices of the same year
// after it, each starting at its address line ("http…") or its title. Items
// are the lines that start "一、"; the other paragraphs are not read, except
// that a supplementary notice without numbered items reads its paragraphs as
// items, "调整YYYY年X放假安排" replaces holiday X and "延长X假期至D" extends it.
// `year` is the notice year when no title names it ("关于2026年部分节假日安排的通知");
// 0 = it must come from the title. Days in date order. Raises tavo::Error
// (invalid argument) naming the line and text at fault. A notice copied
// only in part is refused too: one whose last numbered item stops short of
// its "。", or whose opening lists a holiday ("现将2027年元旦、春节…") it has
// no item of.
std::vector<NoticeDay> ReadHolidayNotices(std::string_view text, int year = 0);

// What a refusal of ReadHolidayNotices says is wrong ("第4行“…”：…"), without
// the host's general words for an invalid argument before it: for a 提示
// message that names the notice.
std::string NoticeFaultText(const Error& refusal);

// The year the text's first notice title names, 0 when it has none: the
// year ReadHolidayNotices reads the text as.
int NoticeTitleYear(std::string_view text);

}  // namespace tavo::holidays
