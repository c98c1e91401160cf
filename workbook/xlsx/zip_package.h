#pragma once
// A zip package opened for reading: the list of its entries and their
// contents. Every entry is read whole into memory, so entries whose
// uncompressed size exceeds a limit are refused before anything is inflated.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct zip;

namespace tavo::xlsx {

// Largest entry we agree to inflate.
inline constexpr std::uint64_t kMaxPartBytes = 64ull << 20;

struct ZipEntry {
  std::string name;
  std::uint64_t index = 0;
  std::uint64_t size = 0;             // uncompressed
  std::int32_t compression = 0;       // ZIP_CM_*
};

class ZipPackage {
 public:
  // Raise tavo::Error when the file is missing, unreadable or not a zip.
  static std::unique_ptr<ZipPackage> OpenFile(const std::string& path);
  static std::unique_ptr<ZipPackage> OpenBytes(std::string bytes, const std::string& label);
  ~ZipPackage();
  ZipPackage(const ZipPackage&) = delete;
  ZipPackage& operator=(const ZipPackage&) = delete;

  const std::string& label() const { return label_; }
  const std::vector<ZipEntry>& entries() const { return entries_; }
  const ZipEntry* Find(const std::string& name) const;
  bool Has(const std::string& name) const { return Find(name) != nullptr; }

  // The whole uncompressed entry; raises when missing, too large or corrupt.
  std::string Read(const std::string& name) const;
  std::optional<std::string> ReadIfPresent(const std::string& name) const;

  zip* handle() const { return archive_; }

 private:
  ZipPackage(zip* archive, std::string label, std::string bytes);
  void ListEntries();

  zip* archive_;
  std::string label_;
  std::string bytes_;  // backing store of an in-memory package
  std::vector<ZipEntry> entries_;
};

}  // namespace tavo::xlsx
