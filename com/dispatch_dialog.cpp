#include "com/dispatch_dialog.h"

namespace tavo::com {

DispatchObject DispatchDialog::Control(const std::string& name) {
  auto key = ComVariant::Text(name);
  return o_.ObjectProperty(L"Controls").ObjectProperty(L"Item", {&key});
}

host::Variant DispatchDialog::ControlValue(const std::string& control) {
  return Control(control).Get(L"Value").ToHost();
}

void DispatchDialog::SetControlValue(const std::string& control, const host::Variant& value) {
  Control(control).Put(L"Value", ComVariant::FromHost(value));
}

}  // namespace tavo::com
