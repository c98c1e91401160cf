#pragma once
// The desktop spreadsheet host reached by late binding: every interface call
// is one member access by name on the host's automation objects (see
// dispatch_object.h), so the builders and the bridge run against it exactly
// as against the embedded workbook.
#include "com/dispatch_range.h"

namespace tavo::com {

class DispatchPageSetup : public host::PageLayout {
 public:
  explicit DispatchPageSetup(DispatchObject o) : o_(std::move(o)) {}
  Variant Get(host::PageSetupMember member) override;
  void Set(host::PageSetupMember member, const Variant& value) override;

 private:
  DispatchObject o_;
};

class DispatchWindow : public host::Window {
 public:
  explicit DispatchWindow(DispatchObject o) : o_(std::move(o)) {}
  int SplitRow() override { return o_.Get(L"SplitRow").ToInt32(); }
  void SetSplitRow(int row) override { o_.Put(L"SplitRow", ComVariant::Int32(row)); }
  int SplitColumn() override { return o_.Get(L"SplitColumn").ToInt32(); }
  void SetSplitColumn(int column) override { o_.Put(L"SplitColumn", ComVariant::Int32(column)); }
  bool FreezePanes() override { return o_.Get(L"FreezePanes").ToBool(); }
  void SetFreezePanes(bool frozen) override { o_.Put(L"FreezePanes", ComVariant::Bool(frozen)); }
  int ScrollRow() override { return o_.Get(L"ScrollRow").ToInt32(); }
  void SetScrollRow(int row) override { o_.Put(L"ScrollRow", ComVariant::Int32(row)); }
  int ScrollColumn() override { return o_.Get(L"ScrollColumn").ToInt32(); }
  void SetScrollColumn(int column) override { o_.Put(L"ScrollColumn", ComVariant::Int32(column)); }

 private:
  DispatchObject o_;
};

class DispatchSheet : public host::Sheet {
 public:
  explicit DispatchSheet(DispatchObject o) : o_(std::move(o)) {}
  std::string Name() override { return o_.Get(L"Name").ToText(); }
  void SetName(const std::string& name) override { o_.Put(L"Name", ComVariant::Text(name)); }
  void Delete() override { o_.Call(L"Delete"); }
  void Activate() override { o_.Call(L"Activate"); }
  host::Visibility Visible() override { return host::Visibility{o_.Get(L"Visible").ToInt32()}; }
  // The host's visibility values travel as 16-bit integers.
  void SetVisible(host::Visibility visible) override;
  std::unique_ptr<host::CellRange> Cells() override { return DispatchRange::Wrap(o_.ObjectProperty(L"Cells")); }
  std::unique_ptr<host::CellRange> Cells(std::int32_t row, std::int32_t column) override;
  std::unique_ptr<host::CellRange> Range(host::CellRange& first, host::CellRange& last) override;
  std::unique_ptr<host::CellRange> Rows(std::int32_t row) override;
  std::unique_ptr<host::CellRange> Columns() override { return DispatchRange::Wrap(o_.ObjectProperty(L"Columns")); }
  std::unique_ptr<host::CellRange> Columns(std::int32_t column) override;
  std::unique_ptr<host::CellRange> Columns(const std::string& address) override;
  std::unique_ptr<host::PageLayout> PageSetup() override {
    return std::make_unique<DispatchPageSetup>(o_.ObjectProperty(L"PageSetup"));
  }
  std::unique_ptr<host::ShapeCollection> Shapes() override {
    return std::make_unique<DispatchShapes>(o_.ObjectProperty(L"Shapes"));
  }

 private:
  DispatchObject o_;
};

class DispatchSheets : public host::Sheets {
 public:
  explicit DispatchSheets(DispatchObject o) : o_(std::move(o)) {}
  std::int32_t Count() override { return o_.Get(L"Count").ToInt32(); }
  std::unique_ptr<host::Sheet> Item(std::int32_t index) override;
  std::unique_ptr<host::Sheet> Item(const std::string& name) override;
  std::unique_ptr<host::Sheet> Add() override { return std::make_unique<DispatchSheet>(o_.ObjectMethod(L"Add")); }

 private:
  DispatchObject o_;
};

class DispatchWorkbook : public host::Workbook {
 public:
  explicit DispatchWorkbook(DispatchObject o) : o_(std::move(o)) {}
  std::unique_ptr<host::Sheets> Worksheets() override {
    return std::make_unique<DispatchSheets>(o_.ObjectProperty(L"Worksheets"));
  }
  std::unique_ptr<host::Sheet> ActiveSheet() override {
    return std::make_unique<DispatchSheet>(o_.ObjectProperty(L"ActiveSheet"));
  }
  std::string Path() override { return o_.Get(L"Path").ToText(); }
  std::int32_t Colors(int index) override;
  void SetColors(int index, std::int32_t rgb) override;

 private:
  DispatchObject o_;
};

class DispatchApplication : public host::Application {
 public:
  explicit DispatchApplication(DispatchObject o) : o_(std::move(o)) {}
  std::unique_ptr<host::Workbook> ThisWorkbook() override {
    return std::make_unique<DispatchWorkbook>(o_.ObjectProperty(L"ThisWorkbook"));
  }
  bool ScreenUpdating() override { return o_.Get(L"ScreenUpdating").ToBool(); }
  void SetScreenUpdating(bool on) override { o_.Put(L"ScreenUpdating", ComVariant::Bool(on)); }
  bool DisplayAlerts() override { return o_.Get(L"DisplayAlerts").ToBool(); }
  void SetDisplayAlerts(bool on) override { o_.Put(L"DisplayAlerts", ComVariant::Bool(on)); }
  std::unique_ptr<host::Sheet> ActiveSheet() override {
    return std::make_unique<DispatchSheet>(o_.ObjectProperty(L"ActiveSheet"));
  }
  std::unique_ptr<host::Window> ActiveWindow() override {
    return std::make_unique<DispatchWindow>(o_.ObjectProperty(L"ActiveWindow"));
  }
  std::unique_ptr<host::ShapeSelection> Selection() override {
    return std::make_unique<DispatchSelection>(o_.ObjectProperty(L"Selection"));
  }

 private:
  DispatchObject o_;
};

}  // namespace tavo::com
