#include "hostbook/layout_options.h"

#include <limits>

#include "common/error.h"
#include "hostbook/settings_cells.h"

namespace tavo::hostbook {

std::int32_t LayoutOptions::PageSetupKey() const {
  const std::int64_t key = std::int64_t{style} + std::int64_t{direction};
  if (key < std::numeric_limits<std::int32_t>::min() ||
      key > std::numeric_limits<std::int32_t>::max()) {
    RaiseOverflow("LayoutStyle + LayoutDirection");
  }
  return static_cast<std::int32_t>(key);
}

LayoutOptions ReadLayoutOptions(host::Sheet& dtb) {
  LayoutOptions options;
  auto option = [&dtb](int column) {
    return dtb.Cells(settings::kRow, column)->Value().ToInt32();
  };
  options.week_start = option(settings::kWeekStartColumn);
  options.color_mode = option(settings::kColorModeColumn);
  options.direction = option(settings::kLayoutDirectionColumn);
  options.style = option(settings::kLayoutStyleColumn);
  return options;
}

}  // namespace tavo::hostbook
