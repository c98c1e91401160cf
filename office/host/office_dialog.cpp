#include "office/host/office_dialog.h"

#include <com/sun/star/awt/XControl.hpp>
#include <com/sun/star/awt/XControlContainer.hpp>
#include <com/sun/star/beans/XPropertySetInfo.hpp>
#include <com/sun/star/container/XNameAccess.hpp>

namespace tavo::office {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

constexpr std::int16_t kChecked = 1, kUnchecked = 0;

bool IsOptionButton(const Reference<css::beans::XPropertySet>& model) {
  return model->getPropertySetInfo()->hasPropertyByName("State");
}

}  // namespace

OfficeDialog::OfficeDialog(Reference<css::uno::XInterface> dialog) : dialog_(std::move(dialog)) {
  if (!Reference<css::awt::XControlContainer>(dialog_, UNO_QUERY).is() &&
      !Reference<css::container::XNameAccess>(dialog_, UNO_QUERY).is())
    RaiseTypeMismatch("UF 须为对话框或对话框的模型");
}

Reference<css::beans::XPropertySet> OfficeDialog::DialogModel() {
  return Uno([&] {
    if (Reference<css::awt::XControl> control(dialog_, UNO_QUERY); control.is())
      return Reference<css::beans::XPropertySet>(control->getModel(), UNO_QUERY_THROW);
    return Reference<css::beans::XPropertySet>(dialog_, UNO_QUERY_THROW);
  });
}

Reference<css::beans::XPropertySet> OfficeDialog::ControlModel(const std::string& name) {
  return Uno([&] {
    const OUString uno_name = ToUno(name);
    if (Reference<css::awt::XControlContainer> container(dialog_, UNO_QUERY); container.is()) {
      Reference<css::awt::XControl> control = container->getControl(uno_name);
      if (!control.is()) RaiseOutOfRange("对话框中没有控件 " + name);
      return Reference<css::beans::XPropertySet>(control->getModel(), UNO_QUERY_THROW);
    }
    Reference<css::container::XNameAccess> models(dialog_, UNO_QUERY_THROW);
    if (!models->hasByName(uno_name)) RaiseOutOfRange("对话框中没有控件 " + name);
    return Reference<css::beans::XPropertySet>(models->getByName(uno_name), UNO_QUERY_THROW);
  });
}

host::Variant OfficeDialog::ControlValue(const std::string& control) {
  Reference<css::beans::XPropertySet> model = ControlModel(control);
  return Uno([&]() -> host::Variant {
    if (IsOptionButton(model)) {
      std::int16_t state = kUnchecked;
      model->getPropertyValue("State") >>= state;
      return state == kChecked;
    }
    OUString text;
    model->getPropertyValue("Text") >>= text;
    return FromUno(text);
  });
}

void OfficeDialog::SetControlValue(const std::string& control, const host::Variant& value) {
  Reference<css::beans::XPropertySet> model = ControlModel(control);
  Uno([&] {
    if (IsOptionButton(model)) {
      model->setPropertyValue("State", Any(value.ToBool() ? kChecked : kUnchecked));
    } else {
      model->setPropertyValue("Text", Any(ToUno(value.ToText())));
    }
  });
}

std::string OfficeDialog::Caption() {
  return Uno([&] {
    OUString title;
    DialogModel()->getPropertyValue("Title") >>= title;
    return FromUno(title);
  });
}

}  // namespace tavo::office
