#include "office/host/office_platform.h"

#include <com/sun/star/awt/MessageBoxButtons.hpp>
#include <com/sun/star/awt/MessageBoxType.hpp>
#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/awt/XMessageBox.hpp>
#include <com/sun/star/awt/XToolkit2.hpp>
#include <com/sun/star/awt/XWindowPeer.hpp>
#include <com/sun/star/deployment/PackageInformationProvider.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/script/provider/XScript.hpp>
#include <com/sun/star/script/provider/XScriptProvider.hpp>
#include <com/sun/star/script/provider/theMasterScriptProviderFactory.hpp>
#include <com/sun/star/system/SystemShellExecute.hpp>
#include <com/sun/star/system/SystemShellExecuteFlags.hpp>
#include <osl/file.hxx>

#include <sys/stat.h>

#include <exception>

namespace tavo::office {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;

constexpr std::int32_t kFileNotFound = 53;         // 文件未找到
constexpr std::int32_t kCannotCreateObject = 429;  // ActiveX 部件不能创建对象

Reference<css::awt::XWindowPeer> ParentWindow(const Reference<css::uno::XInterface>& document) {
  Reference<css::frame::XModel> model(document, UNO_QUERY);
  if (!model.is()) return {};
  Reference<css::frame::XController> controller = model->getCurrentController();
  if (!controller.is() || !controller->getFrame().is()) return {};
  return Reference<css::awt::XWindowPeer>(controller->getFrame()->getContainerWindow(), UNO_QUERY);
}

const char* IconName(int style) {
  if (style == host::kStyleCritical) return "stop";
  if (style == host::kStyleWarning) return "warning";
  return "information";
}

css::awt::MessageBoxType BoxType(int style) {
  if (style == host::kStyleCritical) return css::awt::MessageBoxType_ERRORBOX;
  if (style == host::kStyleWarning) return css::awt::MessageBoxType_WARNINGBOX;
  return css::awt::MessageBoxType_INFOBOX;
}

}  // namespace

OfficePlatform::OfficePlatform(Reference<css::uno::XComponentContext> uno, bool record)
    : uno_(std::move(uno)), record_(record) {}

// The box shows over what the call wrote; should sending it fail, the box
// still shows, and the failure follows it.
int OfficePlatform::MessageBox(const std::string& text, const std::string& title, int style) {
  std::exception_ptr unsent;
  try {
    if (call_.send_held) call_.send_held();
  } catch (...) {
    unsent = std::current_exception();
  }
  const int pressed = Uno([&] {
    Reference<css::awt::XToolkit2> toolkit = css::awt::Toolkit::create(uno_);
    Reference<css::awt::XMessageBox> box = toolkit->createMessageBox(
        ParentWindow(call_.document), BoxType(style), css::awt::MessageBoxButtons::BUTTONS_OK, ToUno(title), ToUno(text));
    if (!box.is()) throw Error(kOfficeErrorSource, kHostCallFailed, "无法创建消息框");
    if (record_) {
      // What the user would read is what LibreOffice's box holds.
      recorded_.push_back(FromUno(box->getCaptionText()) + "|" + FromUno(box->getMessageText()) + "|" +
                          IconName(style));
      if (Reference<css::lang::XComponent> component(box, UNO_QUERY); component.is()) component->dispose();
      return 1;
    }
    box->execute();
    if (Reference<css::lang::XComponent> component(box, UNO_QUERY); component.is()) component->dispose();
    return 1;  // the only button is OK
  });
  if (unsent) std::rethrow_exception(unsent);
  return pressed;
}

// The tone is LibreOffice's own, through the extension's Basic; without the
// extension there is no tone, and a tone is never worth a failure. It
// tells that the build is done, so the build's cells are sent first.
void OfficePlatform::Beep(int, int) {
  if (call_.send_held) call_.send_held();
  try {
    auto factory = css::script::provider::theMasterScriptProviderFactory::get(uno_);
    Reference<css::script::provider::XScriptProvider> provider = factory->createScriptProvider(Any(OUString()));
    Reference<css::script::provider::XScript> script = provider->getScript(OUString::createFromAscii(kToneScript));
    Sequence<sal_Int16> out_index;
    Sequence<Any> out;
    script->invoke({}, out_index, out);
  } catch (const css::uno::Exception&) {
  }
}

// A LibreOffice dialog gets its minimise button from the window manager,
// and the extension's Basic puts the dialog away when it is minimised. It is
// not made sizeable: the window manager would offer to maximise it too, and
// a maximised dialog covers Calc with an empty face, its controls where they
// were.
void OfficePlatform::AdjustDialogWindow(const std::string&) {}

bool OfficePlatform::FileExists(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string OfficePlatform::InstalledHelpDocument() {
  try {
    const OUString folder = css::deployment::PackageInformationProvider::get(uno_)->getPackageLocation(
        OUString::createFromAscii(kExtensionIdentifier));
    if (folder.isEmpty()) return {};
    OUString path;
    if (osl::FileBase::getSystemPathFromFileURL(folder + "/help.doc", path) != osl::FileBase::E_None) return {};
    const std::string document = FromUno(path);
    return FileExists(document) ? document : std::string();
  } catch (const css::uno::Exception&) {
    return {};  // no provider: then there is no installed copy to offer
  }
}

void OfficePlatform::OpenInWordProcessor(const std::string& document) {
  if (!FileExists(document)) throw Error(kErrorSource, kFileNotFound, "文件未找到：" + document);
  OUString url;
  if (osl::FileBase::getFileURLFromSystemPath(ToUno(document), url) != osl::FileBase::E_None)
    throw Error(kErrorSource, kFileNotFound, "文件未找到：" + document);
  if (record_) {
    opened_.push_back(document);
    return;
  }
  try {
    css::system::SystemShellExecute::create(uno_)->execute(url, OUString(),
                                                           css::system::SystemShellExecuteFlags::URIS_ONLY);
  } catch (const css::uno::Exception& e) {
    throw Error(kErrorSource, kCannotCreateObject, "无法打开 " + document + "：" + FromUno(e.Message));
  }
}

}  // namespace tavo::office
