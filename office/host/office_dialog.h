#pragma once
// The host dialog (UF) over a LibreOffice dialog: either a shown dialog
// (its XControlContainer) or the dialog's model (an XNameAccess of control
// models). A date box's value is its Text, an option button is selected when
// its State is 1, and the Caption is the dialog's Title.
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/uno/XInterface.hpp>

#include <memory>

#include "office/host/uno_support.h"
#include "host/dialog.h"

namespace tavo::office {

class OfficeDialog : public host::Dialog {
 public:
  // Error 13 when `dialog` is neither a dialog nor a dialog model.
  explicit OfficeDialog(css::uno::Reference<css::uno::XInterface> dialog);

  host::Variant ControlValue(const std::string& control) override;
  void SetControlValue(const std::string& control, const host::Variant& value) override;
  std::string Caption() override;

  // The dialog's model, whose properties (Title, Sizeable) are the dialog's.
  css::uno::Reference<css::beans::XPropertySet> DialogModel();

 private:
  css::uno::Reference<css::beans::XPropertySet> ControlModel(const std::string& control);

  css::uno::Reference<css::uno::XInterface> dialog_;
};

}  // namespace tavo::office
