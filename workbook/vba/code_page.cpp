#include "workbook/vba/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

#include "common/error.h"

namespace tavo::vba {
namespace {

std::string Convert(std::string_view in, const std::string& to, const std::string& from) {
  iconv_t cd = iconv_open(to.c_str(), from.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    RaiseInvalidArgument("不支持的代码页 / code page not available: " + (to == "UTF-8" ? from : to));
  }
  std::unique_ptr<void, int (*)(iconv_t)> guard(cd, iconv_close);
  std::string out(in.size() * 4 + 16, '\0');
  char* src = const_cast<char*>(in.data());
  size_t src_left = in.size();
  char* dst = out.data();
  size_t dst_left = out.size();
  if (iconv(cd, &src, &src_left, &dst, &dst_left) == static_cast<size_t>(-1)) {
    RaiseInvalidArgument("文本无法按代码页 " + (to == "UTF-8" ? from : to) + " 转换 / text not representable: " +
                         std::string(in.substr(0, 40)));
  }
  out.resize(out.size() - dst_left);
  return out;
}

std::string Name(int code_page) { return "CP" + std::to_string(code_page); }

}  // namespace

std::string ToCodePage(std::string_view utf8, int code_page) { return Convert(utf8, Name(code_page), "UTF-8"); }
std::string FromCodePage(std::string_view bytes, int code_page) { return Convert(bytes, "UTF-8", Name(code_page)); }

}  // namespace tavo::vba
