// libFuzzer entry: any bytes given to the .xlsx reader either load or raise
// tavo::Error; nothing else may happen (crash, leak, other exception).
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/error.h"
#include "workbook/xlsx/xlsx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    tavo::xlsx::LoadedWorkbook loaded =
        tavo::xlsx::LoadXlsxBytes(std::string(reinterpret_cast<const char*>(data), size), "fuzz");
    (void)loaded;
  } catch (const tavo::Error&) {
  }
  return 0;
}
