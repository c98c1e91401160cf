#pragma once
// A small test runner for the programs that run under Wine: named test
// functions, CHECK/CHECK_EQ that record failures and go on, and a closing
// "N passed, N failed" line followed by WINE-TEST-OK when all passed (the
// wrapper passes a test only on that line, since Wine can exit 0 without
// having run anything).
#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace tavo::wintest {

struct TestCase {
  const char* name;
  void (*run)();
};

std::vector<TestCase>& Registry();
// The program's arguments after its name.
const std::vector<std::string>& Arguments();
void Fail(const char* file, int line, const std::string& message);

struct Registrar {
  Registrar(const char* name, void (*run)()) { Registry().push_back({name, run}); }
};

template <typename A, typename B>
void CheckEqual(const A& actual, const B& expected, const char* text, const char* file, int line) {
  if (actual == expected) return;
  std::ostringstream out;
  out << text;
  if constexpr (requires { out << actual << expected; }) {
    out << "\n    actual:   " << actual << "\n    expected: " << expected;
  }
  Fail(file, line, out.str());
}

}  // namespace tavo::wintest

#define WIN_TEST(name)                                                            \
  static void name();                                                             \
  static ::tavo::wintest::Registrar name##_registrar(#name, &name);               \
  static void name()

#define CHECK(cond) \
  do { if (!(cond)) ::tavo::wintest::Fail(__FILE__, __LINE__, "CHECK(" #cond ")"); } while (0)
#define CHECK_EQ(actual, expected) \
  ::tavo::wintest::CheckEqual((actual), (expected), #actual " == " #expected, __FILE__, __LINE__)
