#pragma once
// Shared helpers for the lunar engine tests.
#include <gtest/gtest.h>

#include <functional>

#include "common/dates.h"
#include "common/error.h"
#include "lunar/lunar_engine.h"

namespace tavo::lunar::testing {

// A DateText the way the sheet builders make one.
inline DateText Text(int y, unsigned m, unsigned d) {
  return DateToText(Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}});
}

inline DateText Text(const char* iso) { return DateToText(DateFromText(iso)); }

// The error number `call` raises, or 0 when it raises none.
inline int ErrorNumberOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const Error& e) {
    return e.number();
  }
  return 0;
}

class LoadedEngine : public ::testing::Test {
 protected:
  void SetUp() override { engine.LoadCalendarTables(); }
  LunarEngine engine;
};

}  // namespace tavo::lunar::testing
