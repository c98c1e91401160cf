#include "sheets/holiday_marks.h"

#include <chrono>
#include <set>

#include "sheets/build_state.h"
#include "hostbook/settings_cells.h"

namespace tavo::sheets {
namespace {

namespace rows = settings::holidays;
using holidays::DayStatus;

long DayNumber(Date d) { return std::chrono::sys_days{d}.time_since_epoch().count(); }

}  // namespace

bool HolidayMarksOn(host::Sheet& dtb) {
  const host::Variant value = dtb.Cells(settings::kRow, settings::kHolidayMarksColumn)->Value();
  if (value.IsEmpty()) return false;
  double number = 0;
  if (value.IsText()) return host::TextToNumber(value.Text(), number) && number == settings::kHolidayMarksOn;
  if (value.IsNumber()) return value.ToNumber() == settings::kHolidayMarksOn;
  return false;
}

std::optional<HolidayMarks> PrepareHolidayMarks(host::Workbook& workbook, host::Platform& platform,
                                                Date start, Date end) {
  HolidayRowProblem problem{};
  std::optional<holidays::HolidaySchedule> schedule = ReadHolidaySchedule(workbook, problem);
  if (!schedule) {
    platform.MessageBox(problem.message, host::kTitleNotice, host::kStyleWarning);
    return std::nullopt;
  }
  HolidayMarks marks{std::move(*schedule), {}};
  marks.uncovered_years = marks.schedule.UncoveredYears(static_cast<int>(start.year()),
                                                        static_cast<int>(end.year()));
  if (!marks.uncovered_years.empty()) {
    platform.Notify(YearsText(marks.uncovered_years) + "的放假与调休安排尚未收录，这些年份未作标记；可在“" +
                    rows::kSheetName + "”工作表中补充 (no holiday schedule for these years yet: "
                    "add its days to the sheet " + rows::kSheetName + ")");
  }
  return marks;
}

std::string WeekRemark(const holidays::HolidaySchedule& schedule, Date first, Date last,
                       const hostbook::SchoolPlan* plan) {
  std::string remark;
  std::set<std::pair<long, std::string>> described;  // (first member, name) of each break
  for (long n = DayNumber(first); n <= DayNumber(last); ++n) {
    const Date day{std::chrono::sys_days{std::chrono::days{n}}};
    if (schedule.StatusOf(day) == DayStatus::kNone) continue;
    const holidays::HolidayBreak hb = schedule.BreakOf(day);
    const long key = hb.has_days_off ? DayNumber(hb.first_off)
                                     : DayNumber(hb.working_days.front());
    if (!described.insert({key, hb.name}).second) continue;

    std::string text = hb.name.empty() ? "节假日" : hb.name;
    if (hb.has_days_off) {
      text += " " + MonthDayText(hb.first_off);
      if (DayNumber(hb.last_off) != DayNumber(hb.first_off)) text += "–" + MonthDayText(hb.last_off);
      text += " 放假";
    }
    if (!hb.working_days.empty()) {
      std::string days;
      for (Date d : hb.working_days) {
        days += (days.empty() ? "" : "、") + MonthDayText(d);
        if (plan == nullptr) continue;
        if (const std::optional<std::string> timetable = hostbook::TimetableOf(*plan, d))
          days += "（" + *timetable + "）";
      }
      text += (hb.has_days_off ? "\n" : " ") + days + "上班";
    }
    remark += (remark.empty() ? "" : "\n") + text;
  }
  return remark;
}

bool AnyMarkedDay(const holidays::HolidaySchedule& schedule, Date first, Date last) {
  for (long n = DayNumber(first); n <= DayNumber(last); ++n) {
    if (schedule.StatusOf(Date{std::chrono::sys_days{std::chrono::days{n}}}) != DayStatus::kNone)
      return true;
  }
  return false;
}

std::string MarksLegend(const HolidayMarks& marks, Date first, Date last) {
  std::string legend;
  if (AnyMarkedDay(marks.schedule, first, last)) legend = "标“休”的日期放假，标“班”的日期调休上班";
  const std::string gap = ScheduleGapText(marks);
  if (!gap.empty()) legend += (legend.empty() ? "" : "；") + gap;
  return legend;
}

std::string ScheduleGapText(const HolidayMarks& marks) {
  if (marks.uncovered_years.empty()) return {};
  return YearsText(marks.uncovered_years) + "的放假安排尚未收录";
}

std::string YearsText(const std::vector<int>& years) {
  std::string text;
  for (std::size_t i = 0; i < years.size();) {
    std::size_t j = i;
    while (j + 1 < years.size() && years[j + 1] == years[j] + 1) ++j;
    if (!text.empty()) text += "、";
    text += std::to_string(years[i]);
    if (j > i) text += (j == i + 1 ? "、" : "–") + std::to_string(years[j]);
    i = j + 1;
  }
  return text.empty() ? text : text + "年";
}

}  // namespace tavo::sheets
