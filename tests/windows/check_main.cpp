#include <windows.h>
#include <objbase.h>

#include <exception>

#include "check.h"

namespace tavo::wintest {
namespace {
int g_failures = 0;
std::vector<std::string> g_arguments;
}

const std::vector<std::string>& Arguments() { return g_arguments; }

std::vector<TestCase>& Registry() {
  static std::vector<TestCase> tests;
  return tests;
}

void Fail(const char* file, int line, const std::string& message) {
  ++g_failures;
  std::printf("  FAILED %s:%d: %s\n", file, line, message.c_str());
}

}  // namespace tavo::wintest

// Every test runs on this thread, in a single-threaded apartment like the
// host's user-interface thread.
int main(int argc, char** argv) {
  using namespace tavo::wintest;
  for (int i = 1; i < argc; ++i) g_arguments.push_back(argv[i]);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int passed = 0, failed = 0;
  for (const TestCase& test : Registry()) {
    int before = g_failures;
    try {
      test.run();
    } catch (const std::exception& e) {
      Fail(test.name, 0, std::string("exception: ") + e.what());
    } catch (...) {
      Fail(test.name, 0, "unknown exception");
    }
    bool ok = g_failures == before;
    std::printf("[%s] %s\n", ok ? "  OK  " : "FAILED", test.name);
    std::fflush(stdout);
    ok ? ++passed : ++failed;
  }
  CoUninitialize();
  std::printf("%d passed, %d failed\n", passed, failed);
  if (failed == 0 && passed > 0) std::printf("WINE-TEST-OK\n");
  std::fflush(stdout);
  return failed == 0 ? 0 : 1;
}
