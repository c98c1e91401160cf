#pragma once
// A VBA project written from source: the module texts, the project's
// streams (PROJECT, PROJECTwm, VBA/_VBA_PROJECT, VBA/dir, one stream per
// module) and the storages of its designers, as one compound file, the
// vbaProject.bin part of a macro workbook. No compiled code is written, so
// the host compiles the project from the source on first open.
#include <string>
#include <vector>

#include "workbook/vba/compound_file.h"

namespace tavo::vba {

enum class ModuleKind {
  kStandard,  // a code module ("Module=")
  kDocument,  // the workbook or a sheet ("Document=")
  kDesigner,  // a form: its code here, its controls in a storage of the same name
};

struct Module {
  std::string name;    // also the stream name and, for designers, the storage name
  ModuleKind kind = ModuleKind::kStandard;
  std::string source;  // UTF-8, lines ended by CRLF, "Attribute VB_Name" first
};

// A library the project refers to, by its LIBID text
// ("*\G{guid}#major.minor#lcid#path#description").
struct Reference {
  std::string name;
  std::string libid;
  // A control reference: the designer's type library, which a project with
  // a form must name. Then `libid` is the original library and
  // `extended_libid` the project's own extension of it.
  bool control = false;
  std::string extended_libid;
  std::string original_guid;
};

struct Project {
  std::string name = "VBAProject";
  std::string id;  // "{GUID}", written as ID= in the PROJECT stream
  int code_page = 936;
  std::string help_file;  // the project's help file path; none by default
  std::vector<Reference> references;
  std::vector<Module> modules;
  std::vector<CfbNode> designer_storages;  // one per designer module, named as it
};

// Raises tavo::Error for text the code page cannot carry or a designer
// without its storage.
std::string WriteVbaProject(const Project& project);

// The PROJECT stream's protection fields (CMG, DPB, GC) are obfuscated with a
// keyed XOR chain; `seed` is its first byte. Exposed for the tests.
std::string EncryptProjectData(const std::string& project_id, unsigned char seed, const std::string& data);
std::string DecryptProjectData(const std::string& hex);

}  // namespace tavo::vba
