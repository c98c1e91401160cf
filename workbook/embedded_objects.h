#pragma once
// Factories the embedded host objects use to hand each other out.
#include <cstdint>
#include <memory>

#include "host/host.h"
#include "workbook/range_ref.h"

namespace tavo::workbook {

std::unique_ptr<host::CellRange> MakeRange(RangeRef ref);
// The reference behind a range handed out by this host; nullptr for another host's.
const RangeRef* RangeRefOf(host::CellRange& range);

std::unique_ptr<host::Sheet> MakeSheet(ModelPtr model, std::uint64_t sheet_id);
std::unique_ptr<host::Sheets> MakeSheets(ModelPtr model);
std::unique_ptr<host::Workbook> MakeWorkbook(ModelPtr model);
std::unique_ptr<host::PageLayout> MakePageLayout(ModelPtr model, std::uint64_t sheet_id);
std::unique_ptr<host::ShapeCollection> MakeShapes(ModelPtr model, std::uint64_t sheet_id);
std::unique_ptr<host::ShapeSelection> MakeShapeSelection(ModelPtr model);
std::unique_ptr<host::Window> MakeActiveWindow(ModelPtr model);

// The active sheet, raising when the workbook has none.
Worksheet& ActiveSheet(WorkbookModel& model);

}  // namespace tavo::workbook
