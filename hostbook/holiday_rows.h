#pragma once
// The school's own holiday rows: the "节假日" sheet of the host workbook,
// one day per row, laid over the built-in schedule, and the holiday notice
// a user pasted beside them. Every host and the command read them here.
#include <optional>
#include <string>
#include <string_view>

#include "holidays/holiday_schedule.h"
#include "host/host.h"

namespace tavo::hostbook {

// A malformed row of the "节假日" sheet, or a pasted notice that does not
// read: its row number and what is wrong.
struct HolidayRowProblem {
  int row;
  std::string message;  // the whole 提示 text, naming the sheet and the row or cell
};

// The built-in schedule with the workbook's "节假日" sheet laid over it
// (none when the workbook has no such sheet): first the days of the notice
// pasted from G2 down (the whole text in G2, or a line a cell as a paste of
// many lines fills them, up to ten empty cells in a row; its title names
// the year), then the rows from row 2 on,
// read until ten empty rows in a row. Of the rows, those a notice's import
// wrote (column D, see NoticeRowSource) go first and the school's own after
// them, so a school's row wins wherever it stands; among each, a later row
// wins. Sets `problem` and returns nullopt at the first malformed row, or
// when the pasted notice does not read. Host failures raise as usual.
std::optional<holidays::HolidaySchedule> ReadHolidaySchedule(host::Workbook& workbook,
                                                          HolidayRowProblem& problem);

// Column D of a row `tavo holidays --import` wrote from the notice of
// `notice_year`: "2027年国务院通知". The notice year, not the date's: the
// notice of 2012 gives 2011-12-31 too.
std::string NoticeRowSource(int notice_year);
// The notice year of such a text; 0 for any other, which a school wrote.
int NoticeYearOfSource(std::string_view source);

}  // namespace tavo::hostbook
