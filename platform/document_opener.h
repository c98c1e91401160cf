#pragma once
// Starting a desktop program on a document without waiting for it.
#include <optional>
#include <string>

namespace tavo::platform {

// The executable file `program` names: itself when it contains a '/', else
// the first match in the colon-separated `search_path`. Empty entries are
// skipped rather than meaning the current folder, so a document's folder can
// never supply the program.
std::optional<std::string> FindExecutable(const std::string& program,
                                          const std::string& search_path);

// Starts `executable` with one argument in a session of its own, its input
// from /dev/null, and returns at once. A background thread collects its exit
// so that no finished child is left behind. Returns the errno of a failed
// start, 0 on success.
int StartDetached(const std::string& executable, const std::string& argument);

}  // namespace tavo::platform
