#pragma once
// Cell formats of the sheets we write, appended to styles.xml. Existing
// fonts, fills, borders and cell formats keep their numbers; each distinct
// format we need is added once.
#include <pugixml.hpp>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "workbook/workbook_model.h"

namespace tavo::xlsx {

class StyleRegistry {
 public:
  // `styles` must stay alive while the registry is used.
  explicit StyleRegistry(pugi::xml_document& styles);

  // The cellXfs index of the format (with the quote-prefix flag). The
  // model's default format without quote prefix is index 0.
  std::uint32_t IndexOf(const workbook::CellFormat& format, bool quote_prefix);
  // A cell format like `style` (an existing cellXfs index) but with the
  // number format `number_format`; added once.
  std::uint32_t WithNumberFormat(std::uint32_t style, int number_format);
  // Does the cell format show numbers as dates (as loaded, or added here)?
  bool IsDateStyle(std::uint32_t style) const;
  bool changed() const { return changed_; }

 private:
  std::uint32_t FontIndex(const workbook::CellFormat& format);
  std::uint32_t FillIndex(const workbook::CellFormat& format);
  std::uint32_t BorderIndex(const workbook::CellFormat& format);
  static std::uint32_t Append(pugi::xml_node list, pugi::xml_node item);

  pugi::xml_node root_;
  pugi::xml_node fonts_, fills_, borders_, cell_xfs_;
  pugi::xml_node base_font_;  // font 0: name and family of new fonts
  std::uint32_t existing_xfs_ = 0;
  std::vector<bool> date_styles_;  // per cellXfs index, as loaded
  std::map<std::tuple<double, bool, int>, std::uint32_t> fonts_added_;
  std::map<int, std::uint32_t> fills_added_;
  std::map<std::array<std::int16_t, 4>, std::uint32_t> borders_added_;
  std::map<std::string, std::uint32_t> xfs_added_;
  std::set<std::uint32_t> date_xfs_added_;
  bool changed_ = false;
};

// The border style name of a host line style ("thin" for continuous).
const char* BorderStyleName(int line_style);

}  // namespace tavo::xlsx
