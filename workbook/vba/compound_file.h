#pragma once
// The compound file (MS-CFB, version 3: 512-byte sectors, 64-byte mini
// sectors): a small file system of storages and streams in one file, the
// container of a VBA project.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::vba {

// A storage (with children) or a stream (with data). Names are UTF-8 and at
// most 31 UTF-16 units; "\x01CompObj" and "\x03VBFrame" start with a control
// character as the formats name them.
struct CfbNode {
  std::string name;
  bool is_storage = false;
  std::string data;               // streams
  std::vector<CfbNode> children;  // storages
  std::string clsid;              // storages: 16 bytes, or empty for none

  static CfbNode Stream(std::string name, std::string data);
  static CfbNode Storage(std::string name, std::vector<CfbNode> children = {});
};

// The whole file; `root`'s own name is ignored ("Root Entry" is written).
// Raises tavo::Error for a name that is too long or repeated in a storage.
std::string WriteCompoundFile(const CfbNode& root);

// One directory entry as stored, in directory order, unused ones included.
struct CfbDirEntry {
  std::string name;  // UTF-8; empty for unused entries
  int type = 0;      // 0 unused, 1 storage, 2 stream, 5 root
  std::string raw;   // the 128 bytes
  std::uint32_t start = 0;
  std::uint64_t size = 0;
  std::string clsid;  // 16 bytes
};

// What a compound file holds, by path ("VBA/dir", "frmTavo/\x03VBFrame");
// storages are listed with a trailing "/".
struct CfbContents {
  std::map<std::string, std::string> streams;
  std::vector<std::string> storages;
  std::map<std::string, std::string> storage_clsids;  // path with "/" -> 16 bytes
  std::vector<CfbDirEntry> directory;
};

// Reads every stream. Raises tavo::Error (321) when the file is damaged: bad
// header, sector chains that leave the file or loop, a directory tree whose
// siblings are out of order or that reaches an entry twice.
CfbContents ReadCompoundFile(std::string_view file);

// The order of sibling names in a storage's tree: shorter names first, names
// of equal length by their upper-cased UTF-16 units. Negative, 0, positive.
int CompareEntryNames(const std::string& a, const std::string& b);

}  // namespace tavo::vba
