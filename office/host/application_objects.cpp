// Application, Workbook and Window objects over a LibreOffice document.
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XViewFreezable.hpp>
#include <com/sun/star/sheet/XViewPane.hpp>
#include <com/sun/star/sheet/XViewSplitable.hpp>
#include <osl/file.hxx>

#include <exception>

#include "office/host/office_host.h"
#include "office/host/office_objects.h"
#include "office/host/palette.h"
#include "office/host/view_data.h"

namespace tavo::office {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

Reference<css::frame::XModel> Model(const ContextPtr& context) {
  return Reference<css::frame::XModel>(context->document, UNO_QUERY_THROW);
}

// The folder of a document's location, as a path for a local file.
std::string FolderOf(const OUString& url) {
  if (url.isEmpty()) return {};
  OUString path;
  if (osl::FileBase::getSystemPathFromFileURL(url, path) != osl::FileBase::E_None) path = url;
  const sal_Int32 slash = path.lastIndexOf('/');
  return FromUno(slash <= 0 ? path.copy(0, slash + 1) : path.copy(0, slash));
}

class OfficeWorkbook : public host::Workbook {
 public:
  explicit OfficeWorkbook(ContextPtr context) : context_(std::move(context)) {}
  std::unique_ptr<host::Sheets> Worksheets() override { return MakeSheets(context_); }
  std::unique_ptr<host::Sheet> ActiveSheet() override { return MakeSheet(context_, ActiveSheetOf(context_)); }
  std::string Path() override { return Uno([&] { return FolderOf(Model(context_)->getURL()); }); }
  std::int32_t Colors(int index) override { return context_->CurrentPalette()[Entry(index)]; }
  void SetColors(int index, std::int32_t rgb) override {
    const std::size_t entry = Entry(index);
    if (rgb < 0 || rgb > 0xFFFFFF) RaiseInvalidArgument("颜色值 " + std::to_string(rgb) + " 无效");
    Palette palette = context_->CurrentPalette();
    palette[entry] = rgb;
    context_->StorePalette(palette);
  }

 private:
  static std::size_t Entry(int index) {
    if (index < 1 || index > 56) RaiseOutOfRange("调色板只有 1 到 56 号颜色");
    return static_cast<std::size_t>(index - 1);
  }
  ContextPtr context_;
};

// The split of the window is the frozen one: LibreOffice places a split
// that is not frozen by pixels, so setting SplitRow or SplitColumn freezes
// the panes there, and FreezePanes = False removes the split with the freeze.
class OfficeWindow : public host::Window {
 public:
  explicit OfficeWindow(ContextPtr context) : context_(std::move(context)) {}
  int SplitRow() override { return Uno([&] { return Frozen() ? SplitAt(true) : 0; }); }
  void SetSplitRow(int row) override {
    if (row < 0) RaiseInvalidArgument("SplitRow 的值 " + std::to_string(row) + " 无效");
    Uno([&] { FreezeAt(SplitColumn(), row); });
  }
  int SplitColumn() override { return Uno([&] { return Frozen() ? SplitAt(false) : 0; }); }
  void SetSplitColumn(int column) override {
    if (column < 0) RaiseInvalidArgument("SplitColumn 的值 " + std::to_string(column) + " 无效");
    Uno([&] { FreezeAt(column, SplitRow()); });
  }
  bool FreezePanes() override { return Uno([&] { return Frozen(); }); }
  void SetFreezePanes(bool frozen) override {
    Uno([&] {
      if (!frozen) return Freezable()->freezeAtPosition(0, 0);
      // Frozen already: freezing again would take the split from the pixels
      // on screen, which can be a column off.
      if (!Frozen()) FreezeAt(SplitAt(false), SplitAt(true));
    });
  }
  int ScrollRow() override { return Uno([&] { return Pane()->getFirstVisibleRow() + 1; }); }
  void SetScrollRow(int row) override {
    if (row < 1) RaiseInvalidArgument("ScrollRow 的值 " + std::to_string(row) + " 无效");
    Uno([&] { Pane()->setFirstVisibleRow(row - 1); });
  }
  int ScrollColumn() override { return Uno([&] { return Pane()->getFirstVisibleColumn() + 1; }); }
  void SetScrollColumn(int column) override {
    if (column < 1) RaiseInvalidArgument("ScrollColumn 的值 " + std::to_string(column) + " 无效");
    Uno([&] { Pane()->setFirstVisibleColumn(column - 1); });
  }

 private:
  bool Frozen() { return Freezable()->hasFrozenPanes(); }
  // LibreOffice freezes where the cell's corner is on screen, in pixels:
  // beside a column a few pixels wide the split lands a column off and the
  // scrolling pane starts past it. The view data then puts the split on
  // whole cells, the fixed panes from A1 and the scrolling ones right after
  // them, which is also what the saved file keeps.
  void FreezeAt(std::int32_t columns, std::int32_t rows) {
    Freezable()->freezeAtPosition(columns, rows);
    if (columns == 0 && rows == 0) return;
    Reference<css::frame::XController> controller = Controller(context_);
    const auto pinned = FrozenViewData(FromUno(controller->getViewData().get<OUString>()), ActiveSheetIndex(),
                                       columns, rows);
    if (pinned) controller->restoreViewData(css::uno::Any(ToUno(*pinned)));
  }
  // The split goes by the view's pixels: the cells' sizes must be final.
  Reference<css::sheet::XViewFreezable> Freezable() {
    context_->Flush();
    return Reference<css::sheet::XViewFreezable>(Controller(context_), UNO_QUERY_THROW);
  }
  std::int32_t ActiveSheetIndex() {
    return Reference<css::sheet::XCellRangeAddressable>(ActiveSheetOf(context_), UNO_QUERY_THROW)
        ->getRangeAddress()
        .Sheet;
  }
  // The split's row and column, as the view data keeps them: the split's
  // own getters go back from pixels and, where the UI font makes rows
  // taller, give a row more (and the next freeze would move it down again).
  std::int32_t SplitAt(bool row) {
    Reference<css::frame::XController> controller = Controller(context_);
    if (const auto frozen = FrozenSplitOf(FromUno(controller->getViewData().get<OUString>()), ActiveSheetIndex()))
      return row ? frozen->rows : frozen->columns;
    Reference<css::sheet::XViewSplitable> split(controller, UNO_QUERY_THROW);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return row ? split->getSplitRow() : split->getSplitColumn();
#pragma GCC diagnostic pop
  }
  Reference<css::sheet::XViewPane> Pane() {
    context_->Flush();
    return Reference<css::sheet::XViewPane>(Controller(context_), UNO_QUERY_THROW);
  }
  ContextPtr context_;
};

class OfficeApplication : public host::Application {
 public:
  explicit OfficeApplication(ContextPtr context) : context_(std::move(context)) {}
  std::unique_ptr<host::Workbook> ThisWorkbook() override { return MakeWorkbook(context_); }
  bool ScreenUpdating() override { return Uno([&] { return !Model(context_)->hasControllersLocked(); }); }
  // On or off, as the desktop's property: off locks the controllers once,
  // on takes every lock away, so nothing stays locked after a call.
  void SetScreenUpdating(bool on) override {
    // What is held goes first; the screen comes back on even when that fails.
    std::exception_ptr failed;
    try {
      context_->Flush();
    } catch (...) {
      if (!on) throw;
      failed = std::current_exception();
    }
    Uno([&] {
      Reference<css::frame::XModel> model = Model(context_);
      if (!on) {
        if (!model->hasControllersLocked()) model->lockControllers();
        return;
      }
      for (int guard = 0; guard < 1000 && model->hasControllersLocked(); ++guard) model->unlockControllers();
    });
    if (failed) std::rethrow_exception(failed);
  }
  // Nothing in LibreOffice's API asks the user while the adapter works.
  bool DisplayAlerts() override { return context_->display_alerts; }
  void SetDisplayAlerts(bool on) override { context_->display_alerts = on; }
  std::unique_ptr<host::Sheet> ActiveSheet() override { return MakeSheet(context_, ActiveSheetOf(context_)); }
  std::unique_ptr<host::Window> ActiveWindow() override {
    Controller(context_);
    return std::make_unique<OfficeWindow>(context_);
  }
  std::unique_ptr<host::ShapeSelection> Selection() override { return MakeShapeSelection(context_); }

 private:
  ContextPtr context_;
};

}  // namespace

Reference<css::frame::XController> Controller(const ContextPtr& context) {
  return Uno([&] {
    Reference<css::frame::XController> controller = Model(context)->getCurrentController();
    if (!controller.is()) throw Error(kOfficeErrorSource, kHostCallFailed, "文档没有打开的窗口");
    return controller;
  });
}

Reference<css::sheet::XSpreadsheet> ActiveSheetOf(const ContextPtr& context) {
  return Uno([&] {
    return Reference<css::sheet::XSpreadsheetView>(Controller(context), UNO_QUERY_THROW)->getActiveSheet();
  });
}

std::unique_ptr<host::Workbook> MakeWorkbook(const ContextPtr& context) {
  return std::make_unique<OfficeWorkbook>(context);
}

std::unique_ptr<host::Window> MakeWindow(const ContextPtr& context) { return std::make_unique<OfficeWindow>(context); }

std::unique_ptr<host::Application> OpenOfficeApplication(const ContextPtr& context) {
  return std::make_unique<OfficeApplication>(context);
}

ContextPtr MakeContext(const Reference<css::uno::XComponentContext>& uno,
                       const Reference<css::uno::XInterface>& document) {
  Reference<css::sheet::XSpreadsheetDocument> spreadsheet(document, UNO_QUERY);
  if (!spreadsheet.is()) RaiseTypeMismatch("EA 须为电子表格文档");
  auto context = std::make_shared<OfficeContext>();
  context->uno = uno;
  context->document = spreadsheet;
  return context;
}

}  // namespace tavo::office
