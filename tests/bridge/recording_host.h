#pragma once
// A spreadsheet host for bridge tests: just the members the bridge uses, over
// a plain state the test can set up and inspect. Every property write and
// method call is logged in order, and any logged call can be made to throw,
// so tests see exactly what the bridge did and how it copes with failures.
// Members the bridge has no business calling raise the host's error 438.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/error.h"
#include "sheets/host/host.h"

namespace tavo::testing {

struct RecordedSheet {
  int visible = host::kSheetVisible;
  std::map<std::pair<int, int>, host::Variant> cells;  // (row, column) -> value
};

struct RecordedHost {
  bool screen_updating = true;
  bool display_alerts = true;
  std::map<std::string, RecordedSheet> sheets;
  std::string active_sheet;
  std::map<int, std::int32_t> colors;
  std::string path;
  int scroll_row = 7;
  int scroll_column = 4;

  std::vector<std::string> log;
  std::map<std::string, std::function<void()>> failures;  // log entry -> what it raises

  // Logs `entry`, then raises what the test asked for, if anything.
  void Call(const std::string& entry) {
    log.push_back(entry);
    if (auto it = failures.find(entry); it != failures.end()) it->second();
  }
  void FailOn(const std::string& entry, Error error) {
    failures[entry] = [error] { throw error; };
  }
  // Only the four property writes of the bracket, in order.
  std::vector<std::string> PropertyWrites() const {
    std::vector<std::string> out;
    for (const auto& e : log)
      if (e.starts_with("ScreenUpdating=") || e.starts_with("DisplayAlerts=")) out.push_back(e);
    return out;
  }
  const host::Variant& Cell(const std::string& sheet, int row, int column) {
    return sheets[sheet].cells[{row, column}];
  }
};

[[noreturn]] inline void Unsupported(const char* member) {
  throw Error("tavo", 438, std::string("对象不支持该属性或方法：") + member);
}

class RecordedCell : public host::CellRange {
 public:
  RecordedCell(RecordedHost& h, std::string sheet, int row, int column)
      : h_(h), sheet_(std::move(sheet)), row_(row), column_(column) {}
  host::Variant Value() override {
    h_.Call(Where() + ".Value");
    return h_.Cell(sheet_, row_, column_);
  }
  void SetValue(const host::Variant& value) override {
    h_.Call(Where() + ".Value=" + value.ToText());
    h_.sheets[sheet_].cells[{row_, column_}] = value;
  }
  std::unique_ptr<host::FontFormat> Font() override { Unsupported("Font"); }
  std::unique_ptr<host::InteriorFormat> Interior() override { Unsupported("Interior"); }
  std::unique_ptr<host::BorderSet> Borders() override { Unsupported("Borders"); }
  double RowHeight() override { Unsupported("RowHeight"); }
  void SetRowHeight(double) override { Unsupported("RowHeight"); }
  double ColumnWidth() override { Unsupported("ColumnWidth"); }
  void SetColumnWidth(double) override { Unsupported("ColumnWidth"); }
  int HorizontalAlignment() override { Unsupported("HorizontalAlignment"); }
  void SetHorizontalAlignment(int) override { Unsupported("HorizontalAlignment"); }
  int VerticalAlignment() override { Unsupported("VerticalAlignment"); }
  void SetVerticalAlignment(int) override { Unsupported("VerticalAlignment"); }
  void Merge() override { Unsupported("Merge"); }
  void Copy() override { Unsupported("Copy"); }
  void Insert() override { Unsupported("Insert"); }
  void Delete() override { Unsupported("Delete"); }
  void ClearContents() override { Unsupported("ClearContents"); }
  void Activate() override { Unsupported("Activate"); }
  std::int32_t Count() override { return 1; }
  std::unique_ptr<host::CellRange> Rows() override { Unsupported("Rows"); }
  std::unique_ptr<host::CellRange> Columns() override { Unsupported("Columns"); }
  std::unique_ptr<host::CellRange> CurrentRegion() override { Unsupported("CurrentRegion"); }

 private:
  std::string Where() const {
    return sheet_ + "!(" + std::to_string(row_) + "," + std::to_string(column_) + ")";
  }
  RecordedHost& h_;
  std::string sheet_;
  int row_, column_;
};

class RecordedWorksheet : public host::Sheet {
 public:
  RecordedWorksheet(RecordedHost& h, std::string name) : h_(h), name_(std::move(name)) {}
  std::string Name() override { return name_; }
  void SetName(const std::string&) override { Unsupported("Name"); }
  void Delete() override { Unsupported("Delete"); }
  void Activate() override {
    h_.Call(name_ + ".Activate");
    h_.active_sheet = name_;
  }
  int Visible() override { return h_.sheets[name_].visible; }
  void SetVisible(int visible) override {
    h_.Call(name_ + ".Visible=" + std::to_string(visible));
    h_.sheets[name_].visible = visible;
  }
  std::unique_ptr<host::CellRange> Cells() override { Unsupported("Cells"); }
  std::unique_ptr<host::CellRange> Cells(std::int32_t row, std::int32_t column) override {
    return std::make_unique<RecordedCell>(h_, name_, row, column);
  }
  std::unique_ptr<host::CellRange> Range(host::CellRange&, host::CellRange&) override {
    Unsupported("Range");
  }
  std::unique_ptr<host::CellRange> Rows(std::int32_t) override { Unsupported("Rows"); }
  std::unique_ptr<host::CellRange> Columns() override { Unsupported("Columns"); }
  std::unique_ptr<host::CellRange> Columns(std::int32_t) override { Unsupported("Columns"); }
  std::unique_ptr<host::CellRange> Columns(const std::string&) override {
    Unsupported("Columns");
  }
  std::unique_ptr<host::PageLayout> PageSetup() override { Unsupported("PageSetup"); }
  std::unique_ptr<host::ShapeCollection> Shapes() override { Unsupported("Shapes"); }

 private:
  RecordedHost& h_;
  std::string name_;
};

class RecordedSheets : public host::Sheets {
 public:
  explicit RecordedSheets(RecordedHost& h) : h_(h) {}
  std::int32_t Count() override { return static_cast<std::int32_t>(h_.sheets.size()); }
  std::unique_ptr<host::Sheet> Item(std::int32_t) override { Unsupported("Item(index)"); }
  std::unique_ptr<host::Sheet> Item(const std::string& name) override {
    h_.Call("Worksheets(" + name + ")");
    if (!h_.sheets.contains(name)) RaiseOutOfRange(name);
    return std::make_unique<RecordedWorksheet>(h_, name);
  }
  std::unique_ptr<host::Sheet> Add() override { Unsupported("Add"); }

 private:
  RecordedHost& h_;
};

class RecordedWorkbook : public host::Workbook {
 public:
  explicit RecordedWorkbook(RecordedHost& h) : h_(h) {}
  std::unique_ptr<host::Sheets> Worksheets() override {
    return std::make_unique<RecordedSheets>(h_);
  }
  std::unique_ptr<host::Sheet> ActiveSheet() override { Unsupported("ActiveSheet"); }
  std::string Path() override {
    h_.Call("Path");
    return h_.path;
  }
  std::int32_t Colors(int index) override { return h_.colors[index]; }
  void SetColors(int index, std::int32_t rgb) override {
    h_.Call("Colors(" + std::to_string(index) + ")=" + std::to_string(rgb));
    h_.colors[index] = rgb;
  }

 private:
  RecordedHost& h_;
};

class RecordedWindow : public host::Window {
 public:
  explicit RecordedWindow(RecordedHost& h) : h_(h) {}
  int SplitRow() override { Unsupported("SplitRow"); }
  void SetSplitRow(int) override { Unsupported("SplitRow"); }
  int SplitColumn() override { Unsupported("SplitColumn"); }
  void SetSplitColumn(int) override { Unsupported("SplitColumn"); }
  bool FreezePanes() override { Unsupported("FreezePanes"); }
  void SetFreezePanes(bool) override { Unsupported("FreezePanes"); }
  int ScrollRow() override { return h_.scroll_row; }
  void SetScrollRow(int row) override {
    h_.Call("ScrollRow=" + std::to_string(row));
    h_.scroll_row = row;
  }
  int ScrollColumn() override { return h_.scroll_column; }
  void SetScrollColumn(int column) override {
    h_.Call("ScrollColumn=" + std::to_string(column));
    h_.scroll_column = column;
  }

 private:
  RecordedHost& h_;
};

class RecordingApplication : public host::Application {
 public:
  explicit RecordingApplication(RecordedHost& h) : h_(h) {}
  std::unique_ptr<host::Workbook> ThisWorkbook() override {
    h_.Call("ThisWorkbook");
    return std::make_unique<RecordedWorkbook>(h_);
  }
  bool ScreenUpdating() override { return h_.screen_updating; }
  void SetScreenUpdating(bool on) override {
    h_.Call(std::string("ScreenUpdating=") + (on ? "True" : "False"));
    h_.screen_updating = on;
  }
  bool DisplayAlerts() override { return h_.display_alerts; }
  void SetDisplayAlerts(bool on) override {
    h_.Call(std::string("DisplayAlerts=") + (on ? "True" : "False"));
    h_.display_alerts = on;
  }
  std::unique_ptr<host::Sheet> ActiveSheet() override { Unsupported("ActiveSheet"); }
  std::unique_ptr<host::Window> ActiveWindow() override {
    return std::make_unique<RecordedWindow>(h_);
  }
  std::unique_ptr<host::ShapeSelection> Selection() override { Unsupported("Selection"); }

 private:
  RecordedHost& h_;
};

// A host workbook as the dialog expects it: "DTB" and "信息表" present.
inline RecordedHost PreparedHost() {
  RecordedHost h;
  h.sheets["DTB"];
  h.sheets["信息表"];
  h.path = "/home/teacher/校历";
  return h;
}

}  // namespace tavo::testing
