// libFuzzer entry: any bytes given to the .xlsx reader either load or raise
// tavo::Error; nothing else may happen (crash, leak, other exception).
//
// Most mutations of a whole zip only break its checksums, so inputs also
// take a second form: a first byte below 16 picks one part of a valid
// workbook (made by our writer at start-up) and the rest of the input
// replaces that part's content, which reaches the XML readers directly.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/error.h"
#include "workbook/xlsx/host_workbook.h"
#include "workbook/xlsx/package_edit.h"
#include "workbook/xlsx/xlsx.h"

namespace {

std::string scratch_folder;
std::vector<std::pair<std::string, std::string>> parts;

const char* const kPartsRead[] = {"_rels/.rels",         "xl/workbook.xml", "xl/_rels/workbook.xml.rels",
                                  "xl/styles.xml",       "xl/worksheets/sheet1.xml",
                                  "xl/worksheets/sheet2.xml", "xl/worksheets/sheet3.xml"};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char folder[] = "/tmp/tavo-fuzz-XXXXXX";
  if (mkdtemp(folder) == nullptr) std::abort();
  scratch_folder = folder;
  std::string file = scratch_folder + "/seed.xlsx";
  tavo::xlsx::SaveXlsx(tavo::xlsx::MakeHostWorkbook(), nullptr, file);
  auto package = tavo::xlsx::ZipPackage::OpenFile(file);
  for (const auto& entry : package->entries()) parts.emplace_back(entry.name, package->Read(entry.name));
  unlink(file.c_str());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  try {
    if (!bytes.empty() && static_cast<unsigned char>(bytes[0]) < 16) {
      const char* target = kPartsRead[static_cast<unsigned char>(bytes[0]) % std::size(kPartsRead)];
      tavo::xlsx::PackageEdit edit(nullptr);
      for (const auto& [name, content] : parts) edit.Put(name, name == target ? bytes.substr(1) : content);
      std::string file = scratch_folder + "/case.xlsx";
      edit.Save(file);
      tavo::xlsx::LoadedWorkbook loaded = tavo::xlsx::LoadXlsx(file);
      (void)loaded;
    } else {
      tavo::xlsx::LoadedWorkbook loaded = tavo::xlsx::LoadXlsxBytes(bytes, "fuzz");
      (void)loaded;
    }
  } catch (const tavo::Error&) {
  }
  return 0;
}
