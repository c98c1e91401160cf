#include "workbook/memory_dialog.h"

namespace tavo::workbook {

host::Variant MemoryDialog::ControlValue(const std::string& control) {
  auto it = values_.find(control);
  return it == values_.end() ? host::Variant() : it->second;
}

void MemoryDialog::SetControlValue(const std::string& control, const host::Variant& value) {
  values_[control] = value;
}

}  // namespace tavo::workbook
