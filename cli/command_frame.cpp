#include "cli/command_frame.h"

#include <cstdio>
#include <exception>

#include "cli/exit_codes.h"
#include "cli/workbook_files.h"
#include "common/error.h"

namespace tavo::cli {

void ShowError(const std::string& text) { std::fprintf(stderr, "%s: %s\n", host::kTitleError, text.c_str()); }

int Framed(const std::function<int()>& body) {
  try {
    return body();
  } catch (const Error& e) {
    ShowError(ErrorMessage(e));
  } catch (const std::exception& e) {
    ShowError(e.what());
  }
  return kExitError;
}

int WithWorkbook(const std::string& path, const WorkbookBody& body) {
  platform::LinuxPlatform linux_platform;
  return Framed([&] {
    OpenedWorkbook opened = OpenWorkbook(path, linux_platform);
    return body(*opened.session, linux_platform);
  });
}

int BuildStatus(bridge::Outcome outcome, const WorkbookSession& session) {
  switch (outcome) {
    case bridge::Outcome::kBuilt: return kExitOk;
    case bridge::Outcome::kFailed: return kExitError;
    case bridge::Outcome::kStopped:
      if (session.platform().notices()) return kExitNotice;
      break;
    case bridge::Outcome::kDone: break;
  }
  ShowError("生成未完成 (the build did not complete)");
  return kExitError;
}

bool FreeToWrite(const std::string& path, bool force) {
  if (force) return true;
  auto holder = HoldingProgram(path);
  if (!holder) return true;
  ShowError(path + " 正被" + holder->program_zh + "打开（旁边有 " + holder->lock_file +
            "）：请先在那里关闭它，或用 --force 仍然写入 (is open in " + holder->program_en +
            ": close it there first, or write anyway with --force)");
  return false;
}

}  // namespace tavo::cli
