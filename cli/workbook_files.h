#pragma once
// Facts about a workbook file the command checks before touching it: which
// spreadsheet program has it open, and whether it must be converted first.
#include <filesystem>
#include <optional>
#include <string>

namespace tavo::cli {

// The program that has a workbook open, found by the lock file it keeps
// beside it: LibreOffice's ".~lock.NAME#", the desktop host's owner file
// "~$NAME".
struct Holder {
  std::string program_zh, program_en;  // for the message
  std::string lock_file;               // its file name
};
std::optional<Holder> HoldingProgram(const std::filesystem::path& workbook);

// A workbook in a format we read only through LibreOffice (.xls, .ods).
bool NeedsConversion(const std::filesystem::path& workbook);

// A format we write: .xlsx or .xlsm.
bool IsWritableFormat(const std::filesystem::path& workbook);

// A converted copy of a workbook in a private folder, removed with it.
class ConvertedWorkbook {
 public:
  // Raises tavo::Error when the file is missing, is not the format its name
  // says (an .xls is a compound file, an .ods a zip package), or LibreOffice
  // cannot read it.
  explicit ConvertedWorkbook(const std::filesystem::path& source);
  ~ConvertedWorkbook();
  ConvertedWorkbook(const ConvertedWorkbook&) = delete;
  ConvertedWorkbook& operator=(const ConvertedWorkbook&) = delete;
  const std::filesystem::path& xlsx() const { return xlsx_; }

 private:
  std::filesystem::path folder_, xlsx_;
};

}  // namespace tavo::cli
