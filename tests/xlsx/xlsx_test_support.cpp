#include "xlsx/xlsx_test_support.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <set>
#include <sstream>

namespace tavo::xlsx::test {
namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
  std::random_device rd;
  path_ = fs::temp_directory_path() / ("tavo_xlsx_" + std::to_string(rd()) + std::to_string(rd()));
  fs::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

std::map<std::string, RawEntry> ReadRawEntries(const std::string& path) {
  std::map<std::string, RawEntry> out;
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
  if (archive == nullptr) {
    ADD_FAILURE() << "cannot open " << path;
    return out;
  }
  for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
    zip_stat_t st;
    zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &st);
    RawEntry entry;
    entry.method = st.comp_method;
    entry.crc = st.crc;
    for (zip_flags_t flags : {ZIP_FL_COMPRESSED, zip_flags_t{0}}) {
      std::string& target = flags ? entry.compressed : entry.data;
      target.resize(flags ? st.comp_size : st.size);
      zip_file_t* f = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), flags);
      zip_int64_t n = target.empty() ? 0 : zip_fread(f, target.data(), target.size());
      EXPECT_EQ(n, static_cast<zip_int64_t>(target.size())) << st.name;
      zip_fclose(f);
    }
    out[st.name] = std::move(entry);
  }
  zip_discard(archive);
  return out;
}

void WriteZip(const std::string& path, const std::map<std::string, std::string>& parts,
              const std::set<std::string>& stored) {
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(archive, nullptr);
  for (const auto& [name, content] : parts) {
    zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
    zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8);
    ASSERT_GE(index, 0);
    zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                             stored.count(name) ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 1);
  }
  ASSERT_EQ(zip_close(archive), 0);
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

int RunPython(const std::string& script, std::string& output) {
  ScratchDir dir;
  std::string file = dir.File("check.py");
  WriteFileBytes(file, script);
  // Debian's interpreter, the one python3-openpyxl is installed for.
  std::string python = fs::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
  std::string command = python + " " + file + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  int status = pclose(pipe);
  return WEXITSTATUS(status);
}

}  // namespace tavo::xlsx::test
