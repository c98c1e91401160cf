#pragma once
// Turns whatever a handler raised into the one box the user sees.
#include <exception>

#include "common/error.h"
#include "host/dialog.h"

namespace tavo::bridge {

// `failure` as an Error: a tavo::Error as it is, anything else with the
// host's number for lack of memory (7) or for an internal failure (51).
Error DescribeFailure(std::exception_ptr failure);

// Shows "source：(number)description" titled "错误" with the stop icon. When
// even that fails there is nobody left to tell, so this never throws.
void ShowErrorBox(host::Platform& platform, std::exception_ptr failure) noexcept;

}  // namespace tavo::bridge
