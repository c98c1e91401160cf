#include "common/error.h"

namespace tavo {

Error::Error(std::string source, std::int32_t number, std::string description)
    : std::runtime_error(source + "：(" + std::to_string(number) + ")" + description),
      source_(std::move(source)),
      number_(number),
      description_(std::move(description)) {}

namespace {
[[noreturn]] void Raise(std::int32_t number, const char* text, const std::string& detail) {
  std::string description = text;
  if (!detail.empty()) description += "：" + detail;
  throw Error(kErrorSource, number, description);
}
}  // namespace

void RaiseOutOfRange(const std::string& detail) { Raise(kOutOfRange, "下标越界", detail); }
void RaiseTypeMismatch(const std::string& detail) { Raise(kTypeMismatch, "类型不匹配", detail); }
void RaiseInvalidArgument(const std::string& detail) {
  Raise(kInvalidArgument, kInvalidArgumentText, detail);
}
void RaiseOverflow(const std::string& detail) { Raise(kOverflow, "溢出", detail); }

std::string ErrorMessage(const Error& e) { return e.what(); }

}  // namespace tavo
