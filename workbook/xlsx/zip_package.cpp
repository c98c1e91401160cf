#include "workbook/xlsx/zip_package.h"

#include <zip.h>

#include <cerrno>
#include <sys/stat.h>

#include "workbook/xlsx/xlsx_error.h"

namespace tavo::xlsx {
namespace {

[[noreturn]] void RaiseOpenError(const std::string& label, int code) {
  switch (code) {
    case ZIP_ER_NOENT:
      RaiseFileError(kFileNotFound, "文件未找到", "file not found", label);
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
      RaiseFileError(kPathFileAccess, "无法读取文件", "cannot read the file", label);
    case ZIP_ER_MEMORY:
      RaiseFileError(kBadFileFormat, "内存不足", "out of memory", label);
    default: {
      zip_error_t error;
      zip_error_init_with_code(&error, code);
      std::string reason = zip_error_strerror(&error);
      zip_error_fini(&error);
      RaiseBadPackage(label, "不是完好的 zip 文件（" + reason + "）",
                      "not an intact zip file (" + reason + ")");
    }
  }
}

}  // namespace

ZipPackage::ZipPackage(zip* archive, std::string label, std::string bytes)
    : archive_(archive), label_(std::move(label)), bytes_(std::move(bytes)) {}

ZipPackage::~ZipPackage() { zip_discard(archive_); }

std::unique_ptr<ZipPackage> ZipPackage::OpenFile(const std::string& path) {
  struct stat st{};
  if (stat(path.c_str(), &st) != 0) {
    RaiseFileError(kFileNotFound, "文件未找到", "file not found", path);
  }
  if (S_ISDIR(st.st_mode)) {
    RaiseFileError(kPathFileAccess, "这是一个文件夹，不是文件", "this is a folder, not a file", path);
  }
  int code = 0;
  zip* archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
  if (archive == nullptr) RaiseOpenError(path, code);
  std::unique_ptr<ZipPackage> package(new ZipPackage(archive, path, {}));
  package->ListEntries();
  return package;
}

std::unique_ptr<ZipPackage> ZipPackage::OpenBytes(std::string bytes, const std::string& label) {
  // libzip takes no bytes at all for an empty archive; no file is that.
  if (bytes.empty()) RaiseOpenError(label, ZIP_ER_NOZIP);
  std::unique_ptr<ZipPackage> package(new ZipPackage(nullptr, label, std::move(bytes)));
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source =
      zip_source_buffer_create(package->bytes_.data(), package->bytes_.size(), 0, &error);
  if (source == nullptr) {
    zip_error_fini(&error);
    RaiseOpenError(label, ZIP_ER_MEMORY);
  }
  zip* archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
  if (archive == nullptr) {
    int code = zip_error_code_zip(&error);
    zip_error_fini(&error);
    zip_source_free(source);
    RaiseOpenError(label, code == ZIP_ER_NOENT ? ZIP_ER_NOZIP : code);
  }
  zip_error_fini(&error);
  package->archive_ = archive;
  package->ListEntries();
  return package;
}

void ZipPackage::ListEntries() {
  zip_int64_t count = zip_get_num_entries(archive_, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(archive_, static_cast<zip_uint64_t>(i), 0, &st) != 0 ||
        (st.valid & ZIP_STAT_NAME) == 0) {
      RaiseBadPackage(label_, "目录损坏", "its directory is damaged");
    }
    ZipEntry entry;
    entry.name = st.name;
    entry.index = static_cast<std::uint64_t>(i);
    entry.size = (st.valid & ZIP_STAT_SIZE) ? st.size : 0;
    entry.compression = (st.valid & ZIP_STAT_COMP_METHOD) ? st.comp_method : ZIP_CM_DEFLATE;
    entries_.push_back(std::move(entry));
  }
}

const ZipEntry* ZipPackage::Find(const std::string& name) const {
  for (const ZipEntry& entry : entries_) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

std::optional<std::string> ZipPackage::ReadIfPresent(const std::string& name) const {
  const ZipEntry* entry = Find(name);
  if (entry == nullptr) return std::nullopt;
  if (entry->size > kMaxPartBytes) {
    RaiseBadPackage(label_, "部件 " + name + " 解压后过大",
                    "part " + name + " expands beyond 64 MiB");
  }
  zip_file_t* file = zip_fopen_index(archive_, entry->index, 0);
  if (file == nullptr) {
    RaiseBadPackage(label_, "无法读取部件 " + name, "cannot read part " + name);
  }
  std::string data(entry->size, '\0');
  zip_uint64_t done = 0;
  bool ok = true;
  while (done < entry->size) {
    zip_int64_t n = zip_fread(file, data.data() + done, entry->size - done);
    if (n <= 0) {
      ok = false;
      break;
    }
    done += static_cast<zip_uint64_t>(n);
  }
  // One more read reaches the end, where libzip checks the CRC.
  char extra = 0;
  if (ok && zip_fread(file, &extra, 1) != 0) ok = false;
  zip_fclose(file);
  if (!ok) {
    RaiseBadPackage(label_, "部件 " + name + " 已损坏", "part " + name + " is corrupt");
  }
  return data;
}

std::string ZipPackage::Read(const std::string& name) const {
  std::optional<std::string> data = ReadIfPresent(name);
  if (!data) RaiseBadPackage(label_, "缺少部件 " + name, "part " + name + " is missing");
  return *data;
}

}  // namespace tavo::xlsx
