#pragma once
// Answers every message box shown on the test thread: a WH_CBT hook reads
// the box's title, text and icon when it is activated and presses OK, so no
// test can hang on a box and each test can check what the user would see.
#include <windows.h>

#include <string>
#include <vector>

namespace tavo::wintest {

struct SeenBox {
  std::string title;
  std::string text;
  std::string icon;  // "stop", "warning", "information", "question" or "none"
};

class BoxAnswerer {
 public:
  BoxAnswerer();
  ~BoxAnswerer();
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;

  const std::vector<SeenBox>& boxes() const;

 private:
  HHOOK hook_;
};

}  // namespace tavo::wintest
