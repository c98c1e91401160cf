#pragma once
// What the school's plan (the "校历事项" rows) makes of the calendar: the
// label of each week of the grid (numbered from the terms, named in a
// vacation, blank outside every term), the school's marks of a day, and the
// short lines an item adds to the remark of each week it touches. The
// school calendar, its remarks and the iCalendar feed all read them here.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/dates.h"
#include "hostbook/school_items.h"

namespace tavo::hostbook {

struct WeekLabel {
  enum class Kind { kNumber, kVacation, kNone };
  Kind kind = Kind::kNumber;
  int number = 0;        // kNumber: 0 is the 预备周
  std::string vacation;  // kVacation: the vacation's name

  friend bool operator==(const WeekLabel&, const WeekLabel&) = default;
};

inline constexpr const char* kPreparationWeek = "预备周";

// The label of every week of the grid from `start` to `end`, week 1 first.
// Without terms in the plan the weeks are numbered 1, 2, ... as the grid
// counts them. With terms: the week holding a term's first day is its
// 起始周次 and the count runs on to the term's end, a week wholly inside a
// vacation carrying the vacation's name and not counted; a week outside
// every term is named when wholly inside a vacation, blank otherwise.
std::vector<WeekLabel> PlanWeekLabels(Date start, Date end, bool monday_first, const SchoolPlan& plan);

// "第3周", "预备周", "寒假", "" (the school calendar's vertical label).
std::string WeekLabelText(const WeekLabel& label);

// What the plan marks on one day.
struct PlanDay {
  bool vacation = false;    // inside a 假期
  bool exam = false;        // inside a 考试
  bool no_classes = false;  // inside a 停课: marked as a day off
  bool teaching = false;    // a 调课 day: classes are held
  std::string reason;       // the 停课 item's name
};
PlanDay PlanDayOf(const SchoolPlan& plan, Date day);

// Which timetable a 调课 row runs on `day` ("按周三课表"), nullopt when no
// 调课 row names the day.
std::optional<std::string> TimetableOf(const SchoolPlan& plan, Date day);

// "10.1", "9.28–10.5": month and day as the sheets write dates.
std::string MonthDayText(Date d);
std::string SpanText(Date first, Date last);

// The line an item writes into the remark of a week it touches: "期末考试
// 1.12–1.16", "报到注册 9.1", "高三 8.24 报到", "9.28（日）按周五课表上课".
std::string ItemRemarkLine(const SchoolItem& item);

// The item's name in the calendar feed: its 对象 and 事项, or its 类别.
std::string ItemSummary(const SchoolItem& item);

// The lines of the items touching the week from `first` to `last`, in row
// order. A term writes its line only in the week it starts; a 调课 day the
// national remark already names (`national_working_day` says so) writes none.
std::vector<std::string> ItemRemarkLines(const SchoolPlan& plan, Date first, Date last,
                                         const std::function<bool(Date)>& national_working_day = {});

}  // namespace tavo::hostbook
