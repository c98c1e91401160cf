#pragma once
// The dir stream of a VBA project (stored compressed): project information,
// references and the list of modules with their stream names and types.
#include <cstdint>
#include <string>
#include <vector>

#include "workbook/vba/vba_project.h"

namespace tavo::vba {

// The twiddled library of a control reference: the desktop program writes
// the all-zero one, whatever library the reference names.
inline constexpr const char* kTwiddledLibid = "*\\G{00000000-0000-0000-0000-000000000000}#0.0#0##";

// The uncompressed records.
std::string DirRecords(const Project& project);

struct DirModule {
  std::string name, stream_name;
  std::uint32_t text_offset = 0;
  bool procedural = true;  // false: document, class or designer module
  bool is_private = false;
  bool read_only = false;
};
struct DirReference {
  std::string name;
  bool control = false;
  std::string libid;           // registered: the library; control: the original library
  std::string twiddled_libid;  // control only
  std::string extended_name;   // control only: the name record inside it, if any
  std::string extended_libid;  // control only
  std::string original_guid;   // control only: 16 bytes
};
struct DirInfo {
  int code_page = 0;
  std::string project_name;
  std::string help_file, help_file_copy;  // both copies of the help file path, as stored
  std::vector<DirReference> references;
  std::vector<DirModule> modules;
};
// Reads uncompressed records. Raises tavo::Error (321) when they do not
// parse or a record stands where it does not belong.
DirInfo ReadDirRecords(const std::string& records);

}  // namespace tavo::vba
