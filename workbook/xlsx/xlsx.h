#pragma once
// Loading a user's .xlsx workbook into the in-memory model and saving the
// model back. Saving replaces only what the model changed: new sheets are
// written whole, loaded sheets whose cells changed are patched cell by cell,
// deleted sheets go with every part only they used, and every other part of
// the original package is copied byte for byte.
#include <map>
#include <memory>
#include <string>

#include "hostbook/info_cells.h"
#include "hostbook/school_item_cells.h"
#include "hostbook/settings_cells.h"
#include "workbook/workbook_model.h"

namespace tavo::xlsx {

class ZipPackage;

// The package a model was loaded from, kept open until the model is saved.
// Opaque to callers: pass it back to SaveXlsx.
class XlsxOriginal {
 public:
  ~XlsxOriginal();
  XlsxOriginal(const XlsxOriginal&) = delete;
  XlsxOriginal& operator=(const XlsxOriginal&) = delete;

  struct Impl;
  explicit XlsxOriginal(std::unique_ptr<Impl> impl);
  const Impl& impl() const { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

struct LoadedWorkbook {
  workbook::WorkbookModel model;
  std::unique_ptr<XlsxOriginal> original;
};

// Reads the sheet list, the cell values of the sheets the component reads
// ("DTB", "信息表"), the palette and the page setup of the generated sheets.
// Raises tavo::Error (number 53, 75 or 321, message in Chinese and English)
// for a missing file, one that is not a usable .xlsx package, a corrupt or
// oversized part, or malformed XML in a part it reads.
LoadedWorkbook LoadXlsx(const std::string& path);
// The same from bytes in memory; `label` names them in messages.
LoadedWorkbook LoadXlsxBytes(std::string bytes, const std::string& label);

// Writes the model to `path` (which may be the file it was loaded from),
// through a temporary file renamed over the target. `original` is the
// package the model was loaded from, or nullptr for a workbook made in
// memory, whose every part is then written here. Raises tavo::Error, with
// no file touched, when the target is a folder, its folder is missing or
// not writable, or writing fails.
void SaveXlsx(const workbook::WorkbookModel& model, const XlsxOriginal* original,
              const std::string& path);

// The names of the sheets whose cells LoadXlsx reads; it reads the page
// setup of the sheets a build replaces (hostbook/built_sheets.h).
inline constexpr const char* kSettingsSheet = settings::kSheetName;
inline constexpr const char* kInfoSheet = info::kSheetName;
inline constexpr const char* kHolidaySheet = settings::holidays::kSheetName;  // the school's own rows
inline constexpr const char* kSchoolItemsSheet = school_items::kSheetName;  // the school's own plan

}  // namespace tavo::xlsx
