#include "cli/help_document.h"

#include <filesystem>
#include <system_error>

#include "common/error.h"

namespace tavo::cli {

HelpCopy PlaceHelpDocumentBeside(const std::string& workbook, const std::string& installed) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (installed.empty() || !fs::is_regular_file(installed, ec)) return HelpCopy::kNoneInstalled;
  const fs::path folder = fs::absolute(workbook, ec).parent_path();
  const fs::path target = folder / "help.doc";
  if (fs::exists(fs::symlink_status(target, ec))) return HelpCopy::kAlreadyThere;

  const fs::path temporary = folder / ".help.doc.tavo-tmp";
  fs::copy_file(installed, temporary, fs::copy_options::overwrite_existing, ec);
  if (!ec) fs::rename(temporary, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    throw Error(kErrorSource, 75, "无法写入 " + target.string() + "：" + ec.message());  // 路径/文件访问错误
  }
  return HelpCopy::kCopied;
}

}  // namespace tavo::cli
