#pragma once
// Process exit statuses of the command: what ended a run (a message box, as
// the dialog would have shown it), then the BSD sysexits convention for the
// rest. The one home of them.
namespace tavo::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitNotice = 1;     // a 提示 message stopped the run
inline constexpr int kExitError = 2;      // an 错误 box was shown
inline constexpr int kExitUsage = 64;     // bad arguments
inline constexpr int kExitSoftware = 70;  // an internal error
inline constexpr int kExitIo = 74;        // output could not be written

}  // namespace tavo::cli
