#pragma once
// The embedded workbook prepared as the dialog expects it ("DTB", "信息表"
// and one more sheet, saved in a folder), behind an application object that
// logs the bracket's property writes and every ThisWorkbook call, and raises
// on request at any logged call.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/error.h"
#include "host/host.h"
#include "workbook/embedded_host.h"

namespace tavo::testing {

class RecordingApplication : public host::Application {
 public:
  explicit RecordingApplication(std::unique_ptr<host::Application> inner)
      : inner_(std::move(inner)) {}

  std::unique_ptr<host::Workbook> ThisWorkbook() override {
    Call("ThisWorkbook");
    return inner_->ThisWorkbook();
  }
  bool ScreenUpdating() override { return inner_->ScreenUpdating(); }
  void SetScreenUpdating(bool on) override {
    Call(std::string("ScreenUpdating=") + (on ? "True" : "False"));
    inner_->SetScreenUpdating(on);
  }
  bool DisplayAlerts() override { return inner_->DisplayAlerts(); }
  void SetDisplayAlerts(bool on) override {
    Call(std::string("DisplayAlerts=") + (on ? "True" : "False"));
    inner_->SetDisplayAlerts(on);
  }
  std::unique_ptr<host::Sheet> ActiveSheet() override { return inner_->ActiveSheet(); }
  std::unique_ptr<host::Window> ActiveWindow() override { return inner_->ActiveWindow(); }
  std::unique_ptr<host::ShapeSelection> Selection() override { return inner_->Selection(); }

  void FailOn(const std::string& entry, std::function<void()> raise) { failures_[entry] = raise; }
  void FailOn(const std::string& entry, Error error) {
    failures_[entry] = [error] { throw error; };
  }
  std::vector<std::string> log;

 private:
  void Call(const std::string& entry) {
    log.push_back(entry);
    if (auto it = failures_.find(entry); it != failures_.end()) it->second();
  }
  std::unique_ptr<host::Application> inner_;
  std::map<std::string, std::function<void()>> failures_;
};

struct TestWorkbook {
  std::shared_ptr<workbook::WorkbookModel> model = workbook::NewWorkbookModel(3);
  RecordingApplication ea{workbook::OpenEmbeddedApplication(model)};
  // The same workbook for setting up and checking, outside the log.
  std::unique_ptr<host::Application> direct = workbook::OpenEmbeddedApplication(model);

  TestWorkbook() {
    Sheet(1)->SetName("DTB");
    Sheet(2)->SetName("信息表");
    model->path = "/srv/学校/校历";
  }
  std::unique_ptr<host::Sheet> Sheet(int index) {
    return direct->ThisWorkbook()->Worksheets()->Item(index);
  }
  std::unique_ptr<host::Sheet> Sheet(const std::string& name) {
    return direct->ThisWorkbook()->Worksheets()->Item(name);
  }
  host::Variant Dtb(int column) { return Sheet("DTB")->Cells(2, column)->Value(); }
  void SetDtb(int column, const host::Variant& value) {
    Sheet("DTB")->Cells(2, column)->SetValue(value);
  }
  // The property writes of the bracket, in order.
  std::vector<std::string> PropertyWrites() const {
    std::vector<std::string> out;
    for (const auto& e : ea.log)
      if (e != "ThisWorkbook") out.push_back(e);
    return out;
  }
};

}  // namespace tavo::testing
