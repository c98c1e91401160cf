#pragma once
// The four options of a build as "DTB" keeps them (row 2, columns D..G):
// what the dialog stores and every builder and the iCalendar feed read.
#include <cstdint>

#include "host/host.h"

namespace tavo::hostbook {

struct LayoutOptions {
  std::int32_t week_start = 1;  // 1 Monday first, anything else Sunday first
  std::int32_t color_mode = 1;  // 1 with colours, anything else without
  std::int32_t direction = 1;   // 1 vertical, anything else horizontal
  std::int32_t style = 1;       // 1 watermarks, 2 month labels, else neither

  bool MondayFirst() const { return week_start == 1; }
  bool Vertical() const { return direction == 1; }
  // Row of the page-setup table in "DTB" (2..5 for the four stored
  // combinations). Raises the overflow error when it leaves 32 bits.
  std::int32_t PageSetupKey() const;
};

// D2..G2 of "DTB", each as an integer; a text that is no number raises the
// type-mismatch error, as the host's conversion does.
LayoutOptions ReadLayoutOptions(host::Sheet& dtb);

}  // namespace tavo::hostbook
