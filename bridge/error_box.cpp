#include "bridge/error_box.h"

#include <new>
#include <string>

namespace tavo::bridge {
namespace {
// The host's numbers for failures that did not come as a tavo::Error.
constexpr std::int32_t kOutOfMemory = 7;     // 内存不足
constexpr std::int32_t kInternalError = 51;  // 内部错误
}  // namespace

Error DescribeFailure(std::exception_ptr failure) {
  if (!failure) return Error(kErrorSource, kInternalError, "内部错误");
  try {
    std::rethrow_exception(failure);
  } catch (const Error& e) {
    return e;
  } catch (const std::bad_alloc&) {
    return Error(kErrorSource, kOutOfMemory, "内存不足");
  } catch (const std::exception& e) {
    return Error(kErrorSource, kInternalError, std::string("内部错误：") + e.what());
  } catch (...) {
    return Error(kErrorSource, kInternalError, "内部错误");
  }
}

void ShowErrorBox(host::Platform& platform, std::exception_ptr failure) noexcept {
  try {
    platform.MessageBox(ErrorMessage(DescribeFailure(failure)), host::kTitleError,
                        host::kStyleCritical);
  } catch (...) {
  }
}

}  // namespace tavo::bridge
