#pragma once
// A holiday notice's days written into the "节假日" sheet as rows of their
// own (`tavo holidays --import`): marked in column D with the notice they
// came from, so that importing that notice again replaces them and nothing
// else, and the school's own rows keep winning over them.
#include <vector>

#include "holidays/holiday_notice_reader.h"
#include "host/host.h"

namespace tavo::hostbook {

struct NoticeRowsWritten {
  int first_row = 0, last_row = 0;  // where the notice's rows stand now
  int replaced = 0;                 // rows of an earlier import of the same notice year
  bool changed = false;             // whether any cell of the sheet changed
};

// Puts the days of the notice of `notice_year` into `sheet`, one row each:
// A the date, B 休 or 班, C the holiday, D NoticeRowSource(notice_year). They
// take the place of the rows an earlier import of that year's notice wrote,
// or follow the last row when there are none; the rows of other notices and
// the school's own rows keep their content and their order (those after
// the replaced rows move when the number of rows changes). Writes the
// heading of D into an empty D1. Only cells whose value differs are written,
// so the same notice imported again changes nothing. Raises tavo::Error
// (invalid argument), having changed nothing, when the new rows would write
// over or reach cells below the list's end (ten empty rows), which the
// rows' reader never reads.
NoticeRowsWritten WriteNoticeRows(host::Sheet& sheet, int notice_year,
                                  const std::vector<holidays::NoticeDay>& days);

}  // namespace tavo::hostbook
