#include "cli/workbook_files.h"

#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <fstream>

#include "cli/office_convert.h"
#include "common/error.h"

namespace tavo::cli {
namespace fs = std::filesystem;
namespace {

std::string LowerExtension(const fs::path& path) {
  std::string ext = path.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext;
}

constexpr std::int32_t kFileNotFound = 53;    // the host's "file not found"
constexpr std::int32_t kBadFileFormat = 321;  // the host's "invalid file format"

// The first bytes every file of the format starts with.
bool HasSignature(const fs::path& file, const std::string& ext) {
  static const std::string kCompoundFile("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  static const std::string kZip("PK\x03\x04", 4);
  const std::string& want = ext == ".xls" ? kCompoundFile : kZip;
  std::string head(want.size(), '\0');
  std::ifstream in(file, std::ios::binary);
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  return in.gcount() == static_cast<std::streamsize>(want.size()) && head == want;
}

}  // namespace

std::optional<Holder> HoldingProgram(const fs::path& workbook) {
  const fs::path folder = workbook.has_parent_path() ? workbook.parent_path() : fs::path(".");
  const std::string name = workbook.filename().string();
  std::error_code ec;
  const std::string office_lock = ".~lock." + name + "#";
  if (fs::exists(folder / office_lock, ec)) return Holder{"LibreOffice", "LibreOffice", office_lock};
  const std::string owner = "~$" + name;
  if (fs::exists(folder / owner, ec)) return Holder{"电子表格程序", "a spreadsheet program", owner};
  return std::nullopt;
}

bool NeedsConversion(const fs::path& workbook) {
  const std::string ext = LowerExtension(workbook);
  return ext == ".xls" || ext == ".ods";
}

bool IsWritableFormat(const fs::path& workbook) {
  const std::string ext = LowerExtension(workbook);
  return ext == ".xlsx" || ext == ".xlsm";
}

ConvertedWorkbook::ConvertedWorkbook(const fs::path& source) {
  std::error_code ec;
  if (!fs::is_regular_file(source, ec)) {
    throw Error(kErrorSource, kFileNotFound,
                "文件未找到 (file not found): " + source.string());
  }
  // LibreOffice would read any other bytes as a text file and say nothing.
  const std::string ext = LowerExtension(source);
  if (!HasSignature(source, ext)) {
    throw Error(kErrorSource, kBadFileFormat,
                "无效的 " + ext + " 文件 / not a valid " + ext + " file：" + source.string());
  }
  std::string pattern = (fs::temp_directory_path() / "tavo-convert-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) RaiseInvalidArgument("无法创建临时目录 (cannot create a temporary folder)");
  folder_ = pattern;
  xlsx_ = folder_ / "workbook.xlsx";
  try {
    ConvertToXlsx(source, xlsx_);
  } catch (...) {
    fs::remove_all(folder_, ec);
    throw;
  }
}

ConvertedWorkbook::~ConvertedWorkbook() {
  std::error_code ec;
  fs::remove_all(folder_, ec);
}

}  // namespace tavo::cli
