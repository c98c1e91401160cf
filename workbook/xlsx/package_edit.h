#pragma once
// The parts of a package being saved: the original's entries, minus those
// removed, with some replaced or added. Saving copies every entry that was
// not replaced as its raw compressed bytes, so untouched parts stay byte for
// byte what they were.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "workbook/xlsx/zip_package.h"

namespace tavo::xlsx {

class PackageEdit {
 public:
  explicit PackageEdit(const ZipPackage* original) : original_(original) {}

  bool Exists(const std::string& name) const;
  // The current content: replaced, or read from the original.
  std::string Read(const std::string& name) const;
  std::optional<std::string> ReadIfPresent(const std::string& name) const;
  void Put(const std::string& name, std::string content);
  void Remove(const std::string& name);
  bool Changed(const std::string& name) const { return written_.count(name) != 0; }
  // Every part name, originals first in their order, then new ones.
  std::vector<std::string> Names() const;

  // Writes the package to `path` through a temporary file in the same
  // folder, renamed over the target only when everything was written.
  // Checks the target first: a folder, a missing folder or one we cannot
  // write to raise tavo::Error and nothing is touched.
  void Save(const std::string& path) const;

 private:
  const ZipPackage* original_;
  std::map<std::string, std::string> written_;
  std::vector<std::string> added_order_;
  std::set<std::string> removed_;
};

// Raises tavo::Error when `path` cannot become a file we write.
void CheckOutputPath(const std::string& path);

}  // namespace tavo::xlsx
