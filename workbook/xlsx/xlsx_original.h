#pragma once
// What SaveXlsx needs to know about the package a model came from.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "workbook/xlsx/sheet_reader.h"
#include "workbook/xlsx/xlsx.h"
#include "workbook/xlsx/zip_package.h"

namespace tavo::xlsx {

struct XlsxOriginal::Impl {
  std::unique_ptr<ZipPackage> package;
  // Cell values as loaded, per sheet part, for the sheets whose cells were
  // read: saving writes only the cells that differ from these.
  std::map<std::string, std::vector<CellValue>> loaded_cells;
  std::array<std::int32_t, 56> palette_as_loaded{};
};

}  // namespace tavo::xlsx
