#include "workbook/xlsx/package_edit.h"

#include <unistd.h>
#include <zip.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "workbook/xlsx/xlsx_error.h"

namespace tavo::xlsx {
namespace fs = std::filesystem;

bool PackageEdit::Exists(const std::string& name) const {
  if (removed_.count(name)) return false;
  return written_.count(name) || (original_ != nullptr && original_->Has(name));
}

std::optional<std::string> PackageEdit::ReadIfPresent(const std::string& name) const {
  if (removed_.count(name)) return std::nullopt;
  auto it = written_.find(name);
  if (it != written_.end()) return it->second;
  if (original_ == nullptr) return std::nullopt;
  return original_->ReadIfPresent(name);
}

std::string PackageEdit::Read(const std::string& name) const {
  std::optional<std::string> content = ReadIfPresent(name);
  if (!content) {
    RaiseBadPackage(original_ ? original_->label() : name, "缺少部件 " + name,
                    "part " + name + " is missing");
  }
  return *content;
}

void PackageEdit::Put(const std::string& name, std::string content) {
  removed_.erase(name);
  bool known = written_.count(name) || (original_ != nullptr && original_->Has(name));
  if (!known) added_order_.push_back(name);
  written_[name] = std::move(content);
}

void PackageEdit::Remove(const std::string& name) {
  written_.erase(name);
  added_order_.erase(std::remove(added_order_.begin(), added_order_.end(), name),
                     added_order_.end());
  removed_.insert(name);
}

std::vector<std::string> PackageEdit::Names() const {
  std::vector<std::string> names;
  if (original_ != nullptr) {
    for (const ZipEntry& entry : original_->entries()) {
      if (!removed_.count(entry.name)) names.push_back(entry.name);
    }
  }
  for (const std::string& name : added_order_) {
    if (!removed_.count(name)) names.push_back(name);
  }
  return names;
}

void CheckOutputPath(const std::string& path) {
  std::error_code ec;
  fs::path target(path);
  if (path.empty()) RaiseFileError(kPathNotFound, "没有给出输出文件", "no output file given", path);
  if (fs::is_directory(target, ec)) {
    RaiseFileError(kPathFileAccess, "输出路径是一个文件夹", "the output path is a folder", path);
  }
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  if (!fs::is_directory(folder, ec)) {
    RaiseFileError(kPathNotFound, "输出文件夹不存在", "the output folder does not exist",
                   folder.string());
  }
  if (access(folder.c_str(), W_OK | X_OK) != 0) {
    RaiseFileError(kPathFileAccess, "输出文件夹不可写", "the output folder is not writable",
                   folder.string());
  }
  if (fs::exists(target, ec) && access(target.c_str(), W_OK) != 0) {
    RaiseFileError(kPathFileAccess, "输出文件是只读的", "the output file is read-only", path);
  }
}

namespace {

struct ArchiveCloser {
  void operator()(zip* archive) const { zip_discard(archive); }
};

[[noreturn]] void RaiseWriteError(const std::string& path, const std::string& reason) {
  RaiseFileError(kPathFileAccess, "无法写入文件（" + reason + "）",
                 "cannot write the file (" + reason + ")", path);
}

std::string ArchiveError(zip* archive) { return zip_error_strerror(zip_get_error(archive)); }

}  // namespace

void PackageEdit::Save(const std::string& path) const {
  CheckOutputPath(path);
  int code = 0;
  // ZIP_TRUNCATE: the old content is never read; libzip writes a temporary
  // file beside the target and renames it over the target in zip_close.
  std::unique_ptr<zip, ArchiveCloser> out(zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code));
  if (!out) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string reason = zip_error_strerror(&error);
    zip_error_fini(&error);
    RaiseWriteError(path, reason);
  }
  for (const std::string& name : Names()) {
    zip_source_t* source = nullptr;
    const ZipEntry* original_entry = nullptr;
    auto it = written_.find(name);
    if (it != written_.end()) {
      source = zip_source_buffer(out.get(), it->second.data(), it->second.size(), 0);
    } else {
      original_entry = original_->Find(name);
      source = zip_source_zip(out.get(), original_->handle(), original_entry->index,
                              ZIP_FL_COMPRESSED, 0, -1);
    }
    if (source == nullptr) RaiseWriteError(path, ArchiveError(out.get()));
    zip_int64_t index = zip_file_add(out.get(), name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
      zip_source_free(source);
      RaiseWriteError(path, ArchiveError(out.get()));
    }
    auto idx = static_cast<zip_uint64_t>(index);
    if (original_entry != nullptr) {
      // Same method as the source, so libzip copies the raw data unchanged.
      zip_set_file_compression(out.get(), idx, original_entry->compression, 0);
      zip_stat_t st;
      if (zip_stat_index(original_->handle(), original_entry->index, 0, &st) == 0 &&
          (st.valid & ZIP_STAT_MTIME)) {
        zip_file_set_mtime(out.get(), idx, st.mtime, 0);
      }
    } else {
      zip_set_file_compression(out.get(), idx, ZIP_CM_DEFLATE, 6);
      zip_file_set_mtime(out.get(), idx, 315532800 + 86400 * 2, 0);  // a fixed date: 1980-01-03
    }
  }
  if (zip_close(out.get()) != 0) RaiseWriteError(path, ArchiveError(out.get()));
  out.release();
}

}  // namespace tavo::xlsx
