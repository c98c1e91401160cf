#pragma once
// What a new host workbook holds, as data: the sheets "信息表", "DTB",
// "节假日" and "校历事项" with their values, bold headings and column widths, for the term
// the workbook is made in; and the one writer that puts a sheet of it into
// any host through the host interface. `tavo init`, `init --into`, the
// macro workbook and the LibreOffice extension's new documents all write it.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/dates.h"
#include "host/host.h"
#include "host/variant.h"

namespace tavo::hostbook {

// The school term a workbook made on `today` starts with: the autumn term
// (1 September to 31 January) from August to January, the spring term
// (1 March to 31 July) from February to July.
struct Term {
  Date start, end;
  bool autumn = true;
};
Term CurrentOrComingTerm(Date today);

struct DefaultCell {
  std::int32_t row, column;
  host::Variant value;  // assigned as typed: a date value takes the short-date format
  bool bold = false;
};

struct DefaultSheet {
  std::string name;
  std::vector<DefaultCell> cells;  // row by row, each row by column
  std::vector<std::pair<std::int32_t, double>> column_widths;  // column, characters
};

// 信息表, DTB, 节假日 and 校历事项, in that order, for a workbook made on `today`.
std::vector<DefaultSheet> DefaultHostSheets(Date today);

// The school's items: headings and a note of how to fill them in, no items.
DefaultSheet SchoolItemsSheet();

// Writes the sheet's values, bold cells and column widths into `to`.
void WriteDefaultSheet(const DefaultSheet& sheet, host::Sheet& to);

}  // namespace tavo::hostbook
