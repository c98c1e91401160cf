#pragma once
// Reading a form's storage back: the "f" stream (the form's properties,
// its font, class table and sites) and the "o" stream (each control's
// properties), structure by structure. The tests use it to check what a
// host gets against what the desktop program writes.
#include <cstdint>
#include <string>
#include <vector>

#include "workbook/vba/compound_file.h"
#include "workbook/vba/form_properties.h"
#include "workbook/vba/form_streams.h"

namespace tavo::vba {

struct StdFontData {
  std::uint32_t version = 0, charset = 0, flags = 0, weight = 0, height = 0;
  std::string face;  // as stored (the project's code page)
};

struct ReadFormControl {
  ControlKind kind = ControlKind::kLabel;
  oforms::PropertyValues site;        // OleSiteConcrete in "f"
  oforms::PropertyValues properties;  // the control's own structure in "o"
  oforms::PropertyValues text_props;  // its TextProps
  std::string name() const;
};

struct ReadForm {
  oforms::PropertyValues properties;
  bool has_class_table = false;
  std::uint32_t class_count = 0;
  StdFontData font;  // when properties.Has(form::kFont)
  std::vector<ReadFormControl> controls;
};

// Reads the storage `name` of `file`. Raises tavo::Error (321) when a
// stream is missing or does not parse, a site's object does not fill its
// stated size, or bytes are left over.
ReadForm ReadFormStorage(const CfbContents& file, const std::string& name);

}  // namespace tavo::vba
