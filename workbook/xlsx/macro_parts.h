#pragma once
// The part only a macro workbook has: the button of the instruction sheet
// as a legacy drawing shape.
#include <string>

namespace tavo::xlsx {

struct ButtonPlace {
  int column = 0, row = 0;             // top-left cell, 0-based
  int left_px = 0, top_px = 0;         // offset inside that cell
  int width_px = 0, height_px = 0;
  int row_height_px = 19;              // the sheet's rows (14.25 pt); the button stays in one column

  int BottomRow() const { return row + (top_px + height_px) / row_height_px; }
  int BottomOffset() const { return (top_px + height_px) % row_height_px; }
};

// The legacy (VML) drawing with one form-control button whose macro is `macro`.
std::string ButtonVml(const ButtonPlace& place, const std::string& caption, const std::string& macro,
                      int shape_id);

}  // namespace tavo::xlsx
