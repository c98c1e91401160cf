#pragma once
// Reading a VBA project back from its compound file: the dir stream, the
// module sources and the PROJECT text. The tests use it to check that what
// we write is what a host gets.
#include <map>
#include <string>
#include <string_view>

#include "workbook/vba/compound_file.h"
#include "workbook/vba/dir_stream.h"

namespace tavo::vba {

struct ProjectContents {
  CfbContents file;
  DirInfo dir;
  std::map<std::string, std::string> sources;  // module name -> UTF-8 source
  std::string project_text;                    // PROJECT stream, UTF-8
};

// Raises tavo::Error (321) when the file, the dir stream or a module stream
// is damaged or missing.
ProjectContents ReadVbaProject(std::string_view bin);

}  // namespace tavo::vba
