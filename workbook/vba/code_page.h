#pragma once
// Text of a VBA project is stored in the project's code page (MBCS), not in
// Unicode: module source, the PROJECT stream and the designer's VBFrame.
#include <string>
#include <string_view>

namespace tavo::vba {

// The project's code page: 936 (simplified Chinese, GBK), so the captions and
// comments in Chinese read as written on the desktop hosts our users run.
inline constexpr int kProjectCodePage = 936;

// Raises tavo::Error when the text has a character the code page lacks.
std::string ToCodePage(std::string_view utf8, int code_page);
std::string FromCodePage(std::string_view bytes, int code_page);

}  // namespace tavo::vba
