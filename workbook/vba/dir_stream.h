#pragma once
// The dir stream of a VBA project (stored compressed): project information,
// references and the list of modules with their stream names and types.
#include <string>
#include <vector>

#include "workbook/vba/vba_project.h"

namespace tavo::vba {

// The uncompressed records.
std::string DirRecords(const Project& project);

struct DirModule {
  std::string name, stream_name;
  std::uint32_t text_offset = 0;
  bool procedural = true;  // false: document, class or designer module
};
struct DirInfo {
  int code_page = 0;
  std::string project_name;
  std::vector<std::string> reference_names;
  std::vector<DirModule> modules;
};
// Reads uncompressed records. Raises tavo::Error (321) when they do not parse.
DirInfo ReadDirRecords(const std::string& records);

}  // namespace tavo::vba
