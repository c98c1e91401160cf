#include "cli/office_convert.h"

#include <signal.h>
#include <spawn.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "common/error.h"

extern char** environ;

namespace tavo::cli {
namespace fs = std::filesystem;
namespace {

constexpr int kErrorOffice = 1004;  // the host's number for an application-defined failure
constexpr auto kTimeout = std::chrono::seconds(180);

// No Debian font answers to 宋体; map it for this conversion only, on top of
// the system's own configuration.
constexpr const char* kFontConfig = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <alias binding="same"><family>宋体</family>
    <prefer><family>Noto Serif CJK SC</family><family>Noto Sans CJK SC</family></prefer></alias>
  <alias binding="same"><family>SimSun</family>
    <prefer><family>Noto Serif CJK SC</family><family>Noto Sans CJK SC</family></prefer></alias>
</fontconfig>
)";

[[noreturn]] void Fail(const std::string& description) {
  throw Error(kErrorSource, kErrorOffice, description);
}

fs::path FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    fs::path candidate = fs::path(dirs.substr(start, end - start)) / name;
    if (!candidate.parent_path().empty() && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

// A private scratch folder, removed whatever happens.
class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (fs::temp_directory_path() / "tavo-office-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) Fail("无法创建临时目录 (cannot create a temporary folder)");
    path_ = pattern;
  }
  ~ScratchDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// Runs the command with its output going to `log`; returns its exit status.
int RunWithTimeout(const std::vector<std::string>& args, const std::vector<std::string>& env,
                   const fs::path& log) {
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);

  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attr, 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  pid_t pid = 0;
  int rc = posix_spawn(&pid, argv[0], &actions, &attr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  if (rc != 0) Fail("无法启动 LibreOffice (cannot start LibreOffice)");

  auto deadline = std::chrono::steady_clock::now() + kTimeout;
  int status = 0;
  while (true) {
    pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (done < 0 && errno != EINTR) Fail("LibreOffice 进程丢失 (lost the LibreOffice process)");
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(-pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      Fail("LibreOffice 转换超时 (LibreOffice took too long to convert)");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

// Runs LibreOffice over a copy of `source` named `input_name` in a private
// scratch folder with its own profile, converting it with `filter`; moves
// `produced_name` from the output folder to `target` through a temporary
// file beside it. `what` names the result in messages ("PDF", ".xlsx").
void Convert(const fs::path& source, const std::string& input_name, const std::string& filter,
             const std::string& produced_name, const fs::path& target_path, const std::string& what) {
  fs::path soffice = FindOnPath("soffice");
  if (soffice.empty()) soffice = FindOnPath("libreoffice");
  if (soffice.empty())
    Fail("未安装 LibreOffice，无法生成 " + what + " (LibreOffice is not installed: apt-get install "
         "libreoffice-calc fonts-noto-cjk)");

  ScratchDir scratch;
  fs::path fonts = scratch.path() / "fonts.conf";
  std::ofstream(fonts) << kFontConfig;
  fs::path input = scratch.path() / input_name;
  std::error_code ec;
  fs::copy_file(source, input, ec);
  if (ec) Fail("无法读取工作簿 (cannot read the workbook): " + source.string());

  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    std::string var = *e;
    if (var.rfind("FONTCONFIG_FILE=", 0) == 0 || var.rfind("HOME=", 0) == 0) continue;
    env.push_back(var);
  }
  env.push_back("FONTCONFIG_FILE=" + fonts.string());
  env.push_back("HOME=" + scratch.path().string());

  int rc = RunWithTimeout({soffice.string(), "--headless", "--norestore", "--nolockcheck",
                           "-env:UserInstallation=file://" + (scratch.path() / "profile").string(),
                           "--convert-to", filter, "--outdir", (scratch.path() / "out").string(),
                           input.string()},
                          env, scratch.path() / "soffice.log");
  fs::path produced = scratch.path() / "out" / produced_name;
  if (rc != 0 || !fs::exists(produced) || fs::file_size(produced) == 0)
    Fail("LibreOffice 未能生成 " + what + " (LibreOffice did not produce the " + what + "): " +
         source.filename().string());

  // Move into place through a temporary file beside the target.
  fs::path target = fs::absolute(target_path);
  fs::path temp = target;
  temp += ".tmp-" + std::to_string(::getpid());
  fs::copy_file(produced, temp, fs::copy_options::overwrite_existing, ec);
  if (!ec) fs::rename(temp, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    Fail("无法写入 " + what + " 文件 (cannot write the " + what + " file): " + target.string());
  }
}

}  // namespace

void ConvertXlsxToPdf(const fs::path& xlsx, const fs::path& pdf) {
  Convert(xlsx, "sheet.xlsx", "pdf", "sheet.pdf", pdf, "PDF");
}

void ConvertToXlsx(const fs::path& input, const fs::path& xlsx) {
  // LibreOffice picks the reader by content; the extension is kept as a hint.
  const std::string name = "workbook" + input.extension().string();
  Convert(input, name, "xlsx:Calc MS Excel 2007 XML", "workbook.xlsx", xlsx, ".xlsx");
}

}  // namespace tavo::cli
