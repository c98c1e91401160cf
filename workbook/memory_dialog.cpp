#include "workbook/memory_dialog.h"

namespace tavo::workbook {

host::Variant MemoryDialog::ControlValue(const std::string& control) {
  auto it = values_.find(control);
  return it == values_.end() ? host::Variant() : it->second;
}

void MemoryDialog::SetControlValue(const std::string& control, const host::Variant& value) {
  // A date or an error value put into a text box shows as its text
  // ("2024/9/2"), which is what the box gives back.
  values_[control] = value.IsDate() || value.IsError() ? host::Variant(value.ToText()) : value;
}

}  // namespace tavo::workbook
