#pragma once
// The host dialog (UF) by late binding: a control is UF.Controls(name), its
// value that control's Value.
#include "com/dispatch_object.h"
#include "host/dialog.h"

namespace tavo::com {

class DispatchDialog : public host::Dialog {
 public:
  explicit DispatchDialog(DispatchObject o) : o_(std::move(o)) {}
  host::Variant ControlValue(const std::string& control) override;
  void SetControlValue(const std::string& control, const host::Variant& value) override;
  std::string Caption() override { return o_.Get(L"Caption").ToText(); }

 private:
  DispatchObject Control(const std::string& name);

  DispatchObject o_;
};

}  // namespace tavo::com
