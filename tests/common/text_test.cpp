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

TEST(InvalidUtf8At, FindsTheFirstByteOfNoCharacter) {
  constexpr auto npos = std::string_view::npos;
  const std::pair<std::string_view, std::size_t> cases[] = {
      {"", npos},
      {"一、元旦：1月1日", npos},
      {"\xF0\x9F\x8E\x89 \xC2\xA0\xEF\xBB\xBF", npos},  // four bytes, NBSP, BOM
      {"ab\xB9\xFA\xCE\xF1", 2},                // 国务 in GBK
      {"\xE4\xB8", 0},                          // cut short
      {"a\x80", 1},                              // a continuation byte alone
      {"\xC0\xAF", 0},                          // overlong
      {"\xE0\x80\xAF", 0},                      // overlong
      {"\xED\xA0\x80", 0},                      // a surrogate
      {"\xF4\x90\x80\x80", 0},                  // past U+10FFFF
      {"x\xE4\xB8\x80\xFF", 4},
  };
  for (const auto& [text, at] : cases) EXPECT_EQ(InvalidUtf8At(text), at) << at;
}

}  // namespace
}  // namespace tavo
