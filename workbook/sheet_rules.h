#pragma once
// The host's rules for the sheet list: names, adding, deleting, hiding and
// activating, so that one visible, active sheet always remains.
#include <cstdint>
#include <string>

#include "workbook/workbook_model.h"

namespace tavo::workbook {

// Sheet names compare without regard to ASCII case, as the host compares them.
bool SameSheetName(const std::string& a, const std::string& b);
// Index of the sheet of that name, -1 when missing.
int FindSheetByName(const WorkbookModel& model, const std::string& name);
// Raises unless `name` may name the sheet `sheet_id` (length, characters, uniqueness).
void CheckSheetName(const WorkbookModel& model, const std::string& name, std::uint64_t sheet_id);

// Worksheets.Add: a new sheet "SheetN" before the active sheet, made active.
Worksheet& AddSheetBeforeActive(WorkbookModel& model);
// Deletes a sheet; the one taking its place (the previous one when it was
// last) becomes active if it was. Raises for the last visible sheet.
void DeleteSheet(WorkbookModel& model, std::uint64_t sheet_id);
// Visible = -1, 0 or 2; hiding the active sheet activates the next visible one.
void SetSheetVisibility(WorkbookModel& model, std::uint64_t sheet_id, int visible);
// Raises for a hidden sheet, as the host does.
void ActivateSheet(WorkbookModel& model, std::uint64_t sheet_id);

}  // namespace tavo::workbook
