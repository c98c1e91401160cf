#pragma once
// The school's own holiday rows: the "节假日" sheet of the host workbook,
// one day per row, laid over the built-in schedule. Every host and the
// command read them here.
#include <optional>
#include <string>

#include "holidays/holiday_schedule.h"
#include "host/host.h"

namespace tavo::hostbook {

// A malformed row of the "节假日" sheet: its row number and what is wrong.
struct HolidayRowProblem {
  int row;
  std::string message;  // the whole 提示 text, naming the sheet and the row
};

// The built-in schedule with the rows of the workbook's "节假日" sheet laid
// over it (none when the workbook has no such sheet). Rows are read from
// row 2 on until ten empty rows in a row. Sets `problem` and returns nullopt
// at the first malformed row. Host failures raise as usual.
std::optional<holidays::HolidaySchedule> ReadHolidaySchedule(host::Workbook& workbook,
                                                          HolidayRowProblem& problem);

}  // namespace tavo::hostbook
