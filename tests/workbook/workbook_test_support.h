#pragma once
// A fresh embedded workbook for each test, with short helpers for cells.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/error.h"
#include "workbook/embedded_host.h"
#include "workbook/embedded_objects.h"

namespace tavo::workbook::testing {

class WorkbookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model = NewWorkbookModel(3);
    app = OpenEmbeddedApplication(model);
    sheet = app->ActiveSheet();
  }

  std::unique_ptr<host::CellRange> Cell(int row, int column) { return sheet->Cells(row, column); }
  std::unique_ptr<host::CellRange> Block(int top, int left, int bottom, int right) {
    auto first = sheet->Cells(top, left);
    auto last = sheet->Cells(bottom, right);
    return sheet->Range(*first, *last);
  }
  void Put(int row, int column, const host::Variant& value) { Cell(row, column)->SetValue(value); }
  Worksheet& Model() { return model->sheets[model->active_sheet]; }
  // The area a range handed out by the embedded host covers.
  static Area AreaOf(host::CellRange& range) { return RangeRefOf(range)->area; }

  std::shared_ptr<WorkbookModel> model;
  std::unique_ptr<host::Application> app;
  std::unique_ptr<host::Sheet> sheet;
};

// Runs `call` and returns the error number it raised (0 when none).
template <typename Call>
int ErrorNumberOf(Call&& call) {
  try {
    call();
  } catch (const Error& e) {
    return e.number();
  }
  return 0;
}

}  // namespace tavo::workbook::testing
