#pragma once
// A month watermark: a large translucent text-effect shape on the active
// sheet, left selected.
#include <cstdint>
#include <string>

#include "host/host.h"

namespace tavo::sheets {

// `left` and `top` in points; `scheme_colour` is the host's scheme colour
// number of the fill.
void AddTitleEffect(host::Application& ea, const std::string& text, std::int32_t left,
                    std::int32_t top, std::int32_t scheme_colour);

}  // namespace tavo::sheets
