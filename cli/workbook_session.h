#pragma once
// One run of the command over a host workbook: the workbook opened from a
// file (or the built-in one), the embedded host over it, a dialog held in
// memory and the component object, so that dialog events can be fired
// through MyFun exactly as the desktop host's dialog would, and the result
// saved back.
#include <memory>
#include <optional>
#include <string>

#include "bridge/myxl.h"
#include "cli/recording_platform.h"
#include "cli/workbook_files.h"
#include "host/host.h"
#include "workbook/memory_dialog.h"
#include "workbook/workbook_model.h"
#include "workbook/xlsx/xlsx.h"

namespace tavo::cli {

class WorkbookSession {
 public:
  // Opens `path`, or the built-in host workbook when it is empty. Raises
  // tavo::Error when the file cannot be read.
  WorkbookSession(const std::string& path, host::Platform& platform);
  ~WorkbookSession();

  // Fires one dialog event through MyFun and tells what it came to.
  bridge::Outcome Fire(const std::string& event);
  // Types `text` into a date box ("txtBDate"/"txtEDate") and fires its event.
  bridge::Outcome EnterDate(const std::string& box, const std::string& text);
  // Ticks or clears a check box and fires its event.
  bridge::Outcome Tick(const std::string& box, bool ticked);

  const RecordingPlatform& platform() const { return platform_; }
  host::Dialog& dialog() { return dialog_; }
  host::Application& application() { return *application_; }
  workbook::WorkbookModel& model() { return *model_; }
  bool from_file() const { return original_ != nullptr; }

  // Saves the whole workbook to `path` (temporary file, then rename).
  void Save(const std::string& path) const;
  // Saves a workbook holding only the sheet `sheet_name`, for printing.
  void SaveSingleSheet(const std::string& sheet_name, const std::string& path) const;

 private:
  std::shared_ptr<workbook::WorkbookModel> model_;
  std::unique_ptr<xlsx::XlsxOriginal> original_;
  RecordingPlatform platform_;
  std::unique_ptr<host::Application> application_;
  workbook::MemoryDialog dialog_{"tavo"};
  bridge::Myxl component_;
};

// The session over the workbook the user named (through a converted copy
// for .xls and .ods, whose folder still counts as the workbook's).
struct OpenedWorkbook {
  std::unique_ptr<ConvertedWorkbook> converted;
  std::unique_ptr<WorkbookSession> session;
};
OpenedWorkbook OpenWorkbook(const std::string& path, host::Platform& platform);

}  // namespace tavo::cli
