#include "common/text.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

TEST(TrimBlanks, DropsBlanksAtEitherEndOnly) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"", ""}, {" \t\r\n", ""}, {"休", "休"}, {" 国庆节\r\n", "国庆节"}, {"\t2024-9-1 ", "2024-9-1"},
      {"a b", "a b"}, {"\xE3\x80\x80x", "\xE3\x80\x80x"},  // a full-width space is no blank here
  };
  for (const auto& [text, trimmed] : cases) EXPECT_EQ(TrimBlanks(text), trimmed) << '"' << text << '"';
}

}  // namespace
}  // namespace tavo
