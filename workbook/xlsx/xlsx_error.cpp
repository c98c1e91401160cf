#include "workbook/xlsx/xlsx_error.h"

#include "common/error.h"

namespace tavo::xlsx {

void RaiseFileError(int number, const std::string& chinese, const std::string& english,
                    const std::string& what) {
  std::string description = chinese + " / " + english;
  if (!what.empty()) description += "：" + what;
  throw Error(kErrorSource, number, description);
}

void RaiseBadPackage(const std::string& file, const std::string& chinese, const std::string& english) {
  RaiseFileError(kBadFileFormat, "无效的 .xlsx 文件，" + chinese, "not a usable .xlsx file, " + english,
                 file);
}

}  // namespace tavo::xlsx
