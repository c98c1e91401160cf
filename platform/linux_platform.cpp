#include "platform/linux_platform.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "common/error.h"
#include "platform/document_opener.h"

namespace tavo::platform {
namespace {

// C0 controls, DEL and the C1 controls (UTF-8 C2 80..C2 9F) become blanks:
// a line feed would split the message and an escape sequence would reach
// the terminal. Everything else, Chinese text included, passes unchanged.
std::string OneLine(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7F) {
      out += ' ';
    } else if (c == 0xC2 && i + 1 < text.size() &&
               static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
      out += ' ';
      ++i;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string SearchPath() {
  const char* path = std::getenv("PATH");
  return path ? path : "/usr/local/bin:/usr/bin:/bin";
}

}  // namespace

std::vector<std::string> InstalledHelpCandidates(const std::string& program_file) {
  namespace fs = std::filesystem;
  if (program_file.empty()) return {};
  const fs::path folder = fs::path(program_file).parent_path();
  return {(folder / "help.doc").string(),
          (folder.parent_path() / "share" / "tavo" / "help.doc").string()};
}

std::string RunningProgramFile() {
  std::error_code ec;
  const auto file = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : file.string();
}

LinuxPlatform::LinuxPlatform(std::ostream& out, int terminal_fd, std::string opener,
                             std::string program_file)
    : out_(out),
      terminal_fd_(terminal_fd),
      opener_(std::move(opener)),
      program_file_(std::move(program_file)) {}

std::string LinuxPlatform::InstalledHelpDocument() {
  for (const std::string& candidate : InstalledHelpCandidates(program_file_))
    if (FileExists(candidate)) return candidate;
  return {};
}

bool LinuxPlatform::FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

int LinuxPlatform::MessageBox(const std::string& text, const std::string& title, int style) {
  shown_.push_back({text, title, style});
  out_ << OneLine(title) << ": " << OneLine(text) << '\n' << std::flush;
  return 1;
}

void LinuxPlatform::Beep(int, int) {
  // A bell in a pipe or a log file would only be a stray byte.
  if (::isatty(terminal_fd_)) out_ << '\a' << std::flush;
}

void LinuxPlatform::AdjustDialogWindow(const std::string&) {}

void LinuxPlatform::Notify(const std::string& line) {
  out_ << "注意: " << OneLine(line) << '\n' << std::flush;
}

bool LinuxPlatform::ShownNotice() const {
  for (const auto& m : shown_)
    if (m.title == host::kTitleNotice) return true;
  return false;
}

bool LinuxPlatform::ShownError() const {
  for (const auto& m : shown_)
    if (m.title == host::kTitleError) return true;
  return false;
}

void LinuxPlatform::OpenInWordProcessor(const std::string& document) {
  namespace fs = std::filesystem;
  std::error_code ec;
  // An absolute name can never be taken for an option of the opener.
  const fs::path absolute = document.empty() ? fs::path() : fs::absolute(document, ec);
  if (document.empty() || ec || !fs::is_regular_file(absolute, ec))
    throw Error(kErrorSource, kFileNotFound, "文件未找到：" + document);

  const auto executable = FindExecutable(opener_, SearchPath());
  if (!executable)
    throw Error(kErrorSource, kCannotCreateObject, "找不到文档打开程序 " + opener_);
  if (const int rc = StartDetached(*executable, absolute.string()); rc != 0)
    throw Error(kErrorSource, kCannotCreateObject,
                "无法启动文档打开程序 " + opener_ + "：" +
                    std::generic_category().message(rc));
}

}  // namespace tavo::platform
