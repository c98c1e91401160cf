#pragma once
// Helpers of the .xlsx tests: a scratch folder, raw zip entries and parts.
#include <zip.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include <gtest/gtest.h>

namespace tavo::xlsx::test {

// A fresh folder under the system's temporary folder, removed afterwards.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// One entry of a zip file as stored: method, CRC and compressed bytes.
struct RawEntry {
  std::int32_t method = 0;
  std::uint32_t crc = 0;
  std::string compressed;
  std::string data;  // uncompressed
  bool operator==(const RawEntry& o) const {
    return method == o.method && crc == o.crc && compressed == o.compressed && data == o.data;
  }
};
std::map<std::string, RawEntry> ReadRawEntries(const std::string& path);

// Builds a zip file from name -> content (deflated unless the name is in `stored`).
void WriteZip(const std::string& path, const std::map<std::string, std::string>& parts,
              const std::set<std::string>& stored = {});

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// Runs python3 with the script; returns its exit status and fills `output`.
int RunPython(const std::string& script, std::string& output);

}  // namespace tavo::xlsx::test
