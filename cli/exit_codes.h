#pragma once
// Process exit statuses of the command, after the BSD sysexits convention.
namespace tavo::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 64;     // bad arguments
inline constexpr int kExitSoftware = 70;  // an internal error
inline constexpr int kExitIo = 74;        // output could not be written

}  // namespace tavo::cli
