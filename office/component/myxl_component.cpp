// The UNO service tavo.myxl: MyFun for Basic and Python, over the
// document and dialog it is given.
#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/awt/XReschedule.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/XInitialization.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <cppuhelper/factory.hxx>
#include <cppuhelper/implbase3.hxx>
#include <cppuhelper/implementationentry.hxx>
#include <cppuhelper/supportsservice.hxx>
#include <tavo/XMyxl.hpp>
#include <uno/environment.h>
#include <uno/lbnames.h>

#include <exception>
#include <mutex>
#include <optional>

#include "bridge/error_box.h"
#include "bridge/myxl.h"
#include "host/dialog_controls.h"
#include "office/host/build_progress.h"
#include "office/host/host_sheets.h"
#include "office/host/office_dialog.h"
#include "office/host/office_host.h"
#include "office/host/office_objects.h"
#include "office/host/office_platform.h"

namespace tavo::office {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;

constexpr const char* kImplementationName = "tavo.office.Myxl";
constexpr const char* kServiceName = "tavo.myxl";

OUString ImplementationName() { return OUString::createFromAscii(kImplementationName); }
bool IsModified(const Reference<css::uno::XInterface>& document) {
  try {
    Reference<css::util::XModifiable> modifiable(document, UNO_QUERY);
    return !modifiable.is() || modifiable->isModified();
  } catch (const css::uno::Exception&) {
    return true;
  }
}

void KeepUnmodified(const Reference<css::uno::XInterface>& document) {
  try {
    Reference<css::util::XModifiable> modifiable(document, UNO_QUERY);
    if (modifiable.is()) modifiable->setModified(false);
  } catch (const css::uno::Exception&) {
  }
}

Sequence<OUString> ServiceNames() {
  const OUString name = OUString::createFromAscii(kServiceName);
  return Sequence<OUString>(&name, 1);
}

Sequence<OUString> ToSequence(const std::vector<std::string>& texts) {
  Sequence<OUString> result(static_cast<sal_Int32>(texts.size()));
  auto out = result.getArray();
  for (std::size_t i = 0; i < texts.size(); ++i) out[i] = ToUno(texts[i]);
  return result;
}

class MyxlComponent
    : public cppu::WeakImplHelper3<::tavo::XMyxl, css::lang::XServiceInfo, css::lang::XInitialization> {
 public:
  explicit MyxlComponent(Reference<css::uno::XComponentContext> uno) : uno_(uno), platform_(uno, false) {}

  // Created with the argument "record", the object keeps its boxes instead of showing them.
  void SAL_CALL initialize(const Sequence<Any>& arguments) override {
    std::lock_guard lock(mutex_);
    for (const Any& argument : arguments) {
      OUString text;
      if ((argument >>= text) && text == "record") platform_.SetRecording(true);
    }
  }

  Any SAL_CALL MyFun(const Reference<css::uno::XInterface>& EA, const Reference<css::uno::XInterface>& UF,
                     const OUString& strFlag) override {
    // The day's answers are plain functions, so objects never wait for each
    // other; this lock guards only this object's own state (its platform's
    // current call, the building flag, the progress log) against a second
    // thread. A call nested in this one (a dialog event raised while loading
    // the dialog) runs.
    std::lock_guard lock(mutex_);
    // The progress bar lets the office handle events while a build runs:
    // a button of the dialog pressed meanwhile is not obeyed.
    if (building_) return Any();
    // A call nested in another (an option set by Initialize raises its
    // event) sees what the outer call wrote, and leaves it its own state.
    const OfficePlatform::Call outer = platform_.CurrentCall();
    if (outer.send_held) {
      try {
        outer.send_held();
      } catch (...) {
        bridge::ShowErrorBox(platform_, std::current_exception());
      }
    }
    const std::string event = FromUno(strFlag);
    Reference<css::frame::XModel> model(EA, UNO_QUERY);
    const bool was_locked = model.is() && model->hasControllersLocked();
    try {
      const ContextPtr context = MakeContext(uno_, EA);
      auto application = OpenOfficeApplication(context);
      OfficeDialog dialog(UF);
      const std::string progress_text = ProgressText(event);
      std::optional<BuildProgress> progress;
      if (!progress_text.empty()) {
        ProgressHooks hooks{[&context] { return context->held.HeldWrites(); },
                            [&context] { context->FlushValues(); }, [this] { LetOfficeDraw(); }};
        progress.emplace(EA, progress_text,
                         DaysOfRange(TextOf(dialog, host::kStartDateBox), TextOf(dialog, host::kEndDateBox)),
                         std::move(hooks), platform_.Recording() ? &progress_log_ : nullptr);
        context->on_value = [&progress] { progress->ValueWritten(); };
        context->on_sent = [&progress](std::int64_t writes) { progress->Sent(writes); };
      }
      // The bar goes before the context: nothing sent later may reach it.
      struct Unhook {
        OfficeContext& context;
        ~Unhook() {
          context.on_value = nullptr;
          context.on_sent = nullptr;
        }
      } unhook{*context};
      struct Building {
        bool& flag;
        bool was;
        ~Building() { flag = was; }
      } building{building_, building_};
      building_ = !progress_text.empty();
      platform_.SetCall({EA, &dialog, [&context] { context->Flush(); }});
      const bool was_modified = IsModified(EA);
      myxl_.MyFun(*application, dialog, event);
      // Opening the dialog sets the palette's two fills again, as it does at
      // every opening: that alone leaves an unchanged document unchanged.
      if (event == host::kInitializeEvent && !was_modified) {
        context->Flush();
        KeepUnmodified(EA);
      }
      platform_.SetCall({EA, nullptr, {}});
      // Whatever the call wrote is in the document when it returns, and
      // the view selects what the call selected.
      context->Flush();
      if (progress) progress->Done();
      SelectChosenShapes(context);
    } catch (...) {
      platform_.SetCall({EA, nullptr, {}});
      bridge::ShowErrorBox(platform_, std::current_exception());
    }
    platform_.SetCall(outer);
    // MyFun switches screen updating back on; should that have failed, no
    // lock of this call may outlive it.
    try {
      for (int guard = 0; guard < 1000 && !was_locked && model.is() && model->hasControllersLocked(); ++guard)
        model->unlockControllers();
    } catch (const css::uno::Exception&) {
    }
    return Any();
  }

  Sequence<OUString> SAL_CALL AddHostSheets(const Reference<css::uno::XInterface>& EA) override {
    std::lock_guard lock(mutex_);
    try {
      return ToSequence(AddMissingHostSheets(uno_, EA));
    } catch (...) {
      bridge::ShowErrorBox(platform_, std::current_exception());
      return {};
    }
  }

  Sequence<OUString> SAL_CALL RecordedBoxes() override {
    std::lock_guard lock(mutex_);
    return ToSequence(platform_.Recorded());
  }

  Sequence<OUString> SAL_CALL RecordedOpened() override {
    std::lock_guard lock(mutex_);
    return ToSequence(platform_.RecordedOpened());
  }

  Sequence<OUString> SAL_CALL RecordedProgress() override {
    std::lock_guard lock(mutex_);
    return ToSequence(progress_log_);
  }

  OUString SAL_CALL getImplementationName() override { return ImplementationName(); }
  sal_Bool SAL_CALL supportsService(const OUString& name) override { return cppu::supportsService(this, name); }
  Sequence<OUString> SAL_CALL getSupportedServiceNames() override { return ServiceNames(); }

 private:
  // A date box's text, "" when the dialog has none.
  static std::string TextOf(OfficeDialog& dialog, const char* control) {
    try {
      return dialog.ControlValue(control).ToText();
    } catch (...) {
      return {};
    }
  }

  // The office handles the events it has (the bar's drawing among them);
  // the dialog's buttons pressed meanwhile are not obeyed (building_).
  // XReschedule is marked deprecated for processEventsToIdle, which would
  // run the office's idle work as well: here only what is pending is wanted.
  void LetOfficeDraw() {
    Reference<css::awt::XReschedule> office(css::awt::Toolkit::create(uno_), UNO_QUERY);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (office.is()) office->reschedule();
#pragma GCC diagnostic pop
  }

  std::recursive_mutex mutex_;
  bool building_ = false;
  std::vector<std::string> progress_log_;
  Reference<css::uno::XComponentContext> uno_;
  OfficePlatform platform_;
  bridge::Myxl myxl_{platform_};
};

Reference<css::uno::XInterface> SAL_CALL Create(const Reference<css::uno::XComponentContext>& uno) {
  return static_cast<cppu::OWeakObject*>(new MyxlComponent(uno));
}

const cppu::ImplementationEntry kEntries[] = {
    {Create, ImplementationName, ServiceNames, cppu::createSingleComponentFactory, nullptr, 0},
    {nullptr, nullptr, nullptr, nullptr, nullptr, 0},
};

}  // namespace
}  // namespace tavo::office

extern "C" SAL_DLLPUBLIC_EXPORT void* component_getFactory(const char* implementation, void* service_manager,
                                                           void* registry_key) {
  return cppu::component_getFactoryHelper(implementation, service_manager, registry_key, tavo::office::kEntries);
}

extern "C" SAL_DLLPUBLIC_EXPORT void component_getImplementationEnvironment(const char** environment,
                                                                            uno_Environment**) {
  *environment = CPPU_CURRENT_LANGUAGE_BINDING_NAME;
}
