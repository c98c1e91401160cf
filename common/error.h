#pragma once
// The one error type of the system. It carries what the host's own error
// object carries (source, number, description) so that the entry point can
// show "source：(number)description" whatever raised it.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace tavo {

// Error numbers, as the spreadsheet host numbers them.
enum ErrorNumber : std::int32_t {
  kInvalidArgument = 5,  // 无效的过程调用或参数
  kOverflow = 6,         // 溢出
  kOutOfRange = 9,       // 下标越界
  kTypeMismatch = 13,    // 类型不匹配
};

inline constexpr const char* kErrorSource = "tavo";
// The description of kInvalidArgument, which RaiseInvalidArgument's detail follows after "：".
inline constexpr const char* kInvalidArgumentText = "无效的过程调用或参数";

class Error : public std::runtime_error {
 public:
  Error(std::string source, std::int32_t number, std::string description);

  const std::string& source() const { return source_; }
  std::int32_t number() const { return number_; }
  const std::string& description() const { return description_; }

 private:
  std::string source_;
  std::int32_t number_;
  std::string description_;
};

// Errors raised by the system itself, with the host's Chinese descriptions.
// `detail`, when given, is appended so the user sees what was wrong.
[[noreturn]] void RaiseOutOfRange(const std::string& detail = {});
[[noreturn]] void RaiseTypeMismatch(const std::string& detail = {});
[[noreturn]] void RaiseInvalidArgument(const std::string& detail = {});
[[noreturn]] void RaiseOverflow(const std::string& detail = {});

// The text of the error box: source + "：(" + number + ")" + description.
std::string ErrorMessage(const Error& e);

}  // namespace tavo
