#include "bridge/info_and_help.h"

#include "common/error.h"

namespace tavo::bridge {
namespace {
constexpr std::int32_t kFileNotFound = 53;  // the host's 文件未找到
}  // namespace

void ShowInfoSheet(host::Application& ea) {
  auto sheet = ea.ThisWorkbook()->Worksheets()->Item(kInfoSheetName);
  sheet->SetVisible(host::Visibility::kVisible);
  sheet->Activate();
  auto window = ea.ActiveWindow();
  window->SetScrollRow(1);
  window->SetScrollColumn(1);
}

std::string HelpDocumentToOpen(host::Application& ea, host::Platform& platform) {
  const std::string folder = ea.ThisWorkbook()->Path();
  std::string beside;
  if (!folder.empty()) {
    beside = folder + platform.PathSeparator() + kHelpDocumentName;
    if (platform.FileExists(beside)) return beside;
  }
  if (std::string installed = platform.InstalledHelpDocument();
      !installed.empty() && platform.FileExists(installed))
    return installed;
  // Checked before the word processor starts, so a missing file leaves no
  // empty word-processor window behind.
  throw Error(kErrorSource, kFileNotFound,
              "文件未找到：" + (beside.empty() ? std::string(kHelpDocumentName) : beside) +
                  "（安装目录中也没有帮助文档）");
}

void OpenHelpDocument(host::Application& ea, host::Platform& platform) {
  platform.OpenInWordProcessor(HelpDocumentToOpen(ea, platform));
}

}  // namespace tavo::bridge
