// Application, Workbook and Window objects of the embedded host.
#include "common/error.h"
#include "workbook/embedded_host.h"
#include "workbook/embedded_objects.h"

namespace tavo::workbook {

namespace {

class EmbeddedWorkbook : public host::Workbook {
 public:
  explicit EmbeddedWorkbook(ModelPtr model) : model_(std::move(model)) {}

  std::unique_ptr<host::Sheets> Worksheets() override { return MakeSheets(model_); }
  std::unique_ptr<host::Sheet> ActiveSheet() override {
    return MakeSheet(model_, workbook::ActiveSheet(*model_).id);
  }
  std::string Path() override { return model_->path; }
  std::int32_t Colors(int index) override { return model_->palette[Entry(index)]; }
  void SetColors(int index, std::int32_t rgb) override {
    std::size_t entry = Entry(index);
    if (rgb < 0 || rgb > 0xFFFFFF) RaiseInvalidArgument("颜色值 " + std::to_string(rgb) + " 无效");
    model_->palette[entry] = rgb;
    model_->palette_modified = true;
  }

 private:
  static std::size_t Entry(int index) {
    if (index < 1 || index > 56) RaiseOutOfRange("调色板只有 1 到 56 号颜色");
    return static_cast<std::size_t>(index - 1);
  }

  ModelPtr model_;
};

// ActiveWindow: the workbook's window, showing whichever sheet is active.
class EmbeddedWindow : public host::Window {
 public:
  explicit EmbeddedWindow(ModelPtr model) : model_(std::move(model)) {}

  int SplitRow() override { return State().split_row; }
  void SetSplitRow(int row) override {
    Check(row, 0, kMaxRows - 1, "SplitRow");
    Change().split_row = row;
  }
  int SplitColumn() override { return State().split_column; }
  void SetSplitColumn(int column) override {
    Check(column, 0, model_->column_count - 1, "SplitColumn");
    Change().split_column = column;
  }
  bool FreezePanes() override { return State().freeze_panes; }
  void SetFreezePanes(bool frozen) override { Change().freeze_panes = frozen; }
  int ScrollRow() override { return State().scroll_row; }
  void SetScrollRow(int row) override {
    Check(row, 1, kMaxRows, "ScrollRow");
    Change().scroll_row = row;
  }
  int ScrollColumn() override { return State().scroll_column; }
  void SetScrollColumn(int column) override {
    Check(column, 1, model_->column_count, "ScrollColumn");
    Change().scroll_column = column;
  }

 private:
  static void Check(int value, int low, int high, const char* what) {
    if (value < low || value > high)
      RaiseInvalidArgument(std::string(what) + " 的值 " + std::to_string(value) + " 无效");
  }
  WindowState& State() { return workbook::ActiveSheet(*model_).window; }
  WindowState& Change() {
    Worksheet& sheet = workbook::ActiveSheet(*model_);
    sheet.modified = true;
    return sheet.window;
  }

  ModelPtr model_;
};

class EmbeddedApplication : public host::Application {
 public:
  explicit EmbeddedApplication(ModelPtr model) : model_(std::move(model)) {}

  std::unique_ptr<host::Workbook> ThisWorkbook() override { return MakeWorkbook(model_); }
  bool ScreenUpdating() override { return model_->screen_updating; }
  void SetScreenUpdating(bool on) override { model_->screen_updating = on; }
  bool DisplayAlerts() override { return model_->display_alerts; }
  void SetDisplayAlerts(bool on) override { model_->display_alerts = on; }
  std::unique_ptr<host::Sheet> ActiveSheet() override {
    return MakeSheet(model_, workbook::ActiveSheet(*model_).id);
  }
  std::unique_ptr<host::Window> ActiveWindow() override {
    workbook::ActiveSheet(*model_);
    return MakeActiveWindow(model_);
  }
  std::unique_ptr<host::ShapeSelection> Selection() override { return MakeShapeSelection(model_); }

 private:
  ModelPtr model_;
};

}  // namespace

Worksheet& ActiveSheet(WorkbookModel& model) {
  if (model.active_sheet >= model.sheets.size()) RaiseOutOfRange("工作簿中没有活动工作表");
  return model.sheets[model.active_sheet];
}

std::unique_ptr<host::Workbook> MakeWorkbook(ModelPtr model) {
  return std::make_unique<EmbeddedWorkbook>(std::move(model));
}

std::unique_ptr<host::Window> MakeActiveWindow(ModelPtr model) {
  return std::make_unique<EmbeddedWindow>(std::move(model));
}

std::unique_ptr<host::Application> OpenEmbeddedApplication(std::shared_ptr<WorkbookModel> model) {
  if (!model) RaiseInvalidArgument("没有工作簿");
  return std::make_unique<EmbeddedApplication>(std::move(model));
}

std::shared_ptr<WorkbookModel> NewWorkbookModel(int sheet_count) {
  auto model = std::make_shared<WorkbookModel>();
  for (int i = 1; i <= std::max(1, sheet_count); ++i) model->AppendSheet("Sheet" + std::to_string(i));
  return model;
}

}  // namespace tavo::workbook
