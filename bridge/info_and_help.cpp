#include "bridge/info_and_help.h"

#include "common/error.h"

namespace tavo::bridge {
namespace {
constexpr std::int32_t kFileNotFound = 53;  // the host's 文件未找到
}  // namespace

void ShowInfoSheet(host::Application& ea) {
  auto sheet = ea.ThisWorkbook()->Worksheets()->Item(kInfoSheetName);
  sheet->SetVisible(host::kSheetVisible);
  sheet->Activate();
  auto window = ea.ActiveWindow();
  window->SetScrollRow(1);
  window->SetScrollColumn(1);
}

std::string HelpDocumentPath(host::Application& ea, char separator) {
  std::string folder = ea.ThisWorkbook()->Path();
  if (folder.empty())
    throw Error(kErrorSource, kFileNotFound,
                std::string("文件未找到：工作簿尚未保存，找不到 ") + kHelpDocumentName);
  return folder + separator + kHelpDocumentName;
}

void OpenHelpDocument(host::Application& ea, host::Platform& platform) {
  platform.OpenInWordProcessor(HelpDocumentPath(ea, platform.PathSeparator()));
}

}  // namespace tavo::bridge
