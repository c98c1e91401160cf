#pragma once
// A workbook prepared for the builders, on the embedded host: "DTB" with the
// options in row 2 and a page-setup table whose every cell tells which key
// and block it came from, "信息表" with a title, an information text and two
// remarks. Builds run with a fake dialog and platform, so nothing blocks.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "fakes/fake_dialog.h"
#include "fakes/fake_platform.h"
#include "lunar/lunar_engine.h"
#include "sheets/build_commands.h"
#include "workbook/embedded_host.h"

namespace tavo::host {
// Readable values in failure messages.
inline void PrintTo(const Variant& v, std::ostream* out) {
  if (v.IsEmpty()) {
    *out << "<empty>";
  } else if (v.IsText()) {
    *out << '"' << v.Text() << '"';
  } else {
    *out << v.ToText();
  }
}
}  // namespace tavo::host

namespace tavo::testing {

enum class Kind { kSchool, kCalendar };

inline const char* SheetName(Kind kind) { return kind == Kind::kSchool ? "校历表" : "日历表"; }
inline const char* KindName(Kind kind) { return kind == Kind::kSchool ? "school" : "calendar"; }

struct Options {
  int week_start = 1;  // 1 Monday, 2 Sunday
  int color_mode = 1;  // 1 colours, 2 none
  int direction = 1;   // 1 vertical, 3 horizontal
  int style = 1;       // 1 watermarks, 2 month labels
};

// The page-setup table: values per key (row) and block, all accepted by the host.
struct TableRow {
  double top, bottom, footer;
  int orientation, paper;
  int zoom;
};
inline TableRow TableValues(int key, bool school) {
  const int b = school ? 0 : 20;
  return {.top = 30.0 + key + b,
          .bottom = 40.0 + key + b,
          .footer = 10.0 + key + b,
          .orientation = key % 2 + 1,
          .paper = key + (school ? 0 : 4),
          .zoom = 50 + 10 * key + b};
}
inline int FirstTableColumn(bool school) { return school ? 11 : 21; }

inline constexpr const char* kInfoTitle = "某某学校2024学年校历";
inline constexpr const char* kInfoRow = "说明：节假日以通知为准";
inline constexpr const char* kRemark1 = "开学";
inline constexpr const char* kRemark2 = "运动会";

class SheetBuildTest : public ::testing::Test {
 protected:
  SheetBuildTest()
      : model(workbook::NewWorkbookModel(2)), app(workbook::OpenEmbeddedApplication(model)) {
    auto sheets = app->ThisWorkbook()->Worksheets();
    sheets->Item(1)->SetName("DTB");
    sheets->Item(2)->SetName("信息表");
    auto dtb = Sheet("DTB");
    for (int key = 2; key <= 5; ++key) {
      for (bool school : {true, false}) {
        const TableRow t = TableValues(key, school);
        const int c = FirstTableColumn(school);
        dtb->Cells(key, c)->SetValue(t.top);
        dtb->Cells(key, c + 1)->SetValue(t.bottom);
        dtb->Cells(key, c + 2)->SetValue(t.footer);
        dtb->Cells(key, c + 3)->SetValue(t.orientation);
        dtb->Cells(key, c + 4)->SetValue(t.paper);
        dtb->Cells(key, c + 5)->SetValue(t.zoom);
      }
    }
    // The table's heading row.
    dtb->Cells(1, 11)->SetValue("TopMargin");
    dtb->Cells(1, 21)->SetValue("TopMargin");
    SetOptions({});
    auto info = Sheet("信息表");
    info->Cells(3, 4)->SetValue(kInfoTitle);
    info->Cells(3, 3)->SetValue(kInfoRow);
    info->Cells(3, 2)->SetValue(kRemark1);
    info->Cells(4, 2)->SetValue(kRemark2);
  }

  void SetOptions(const Options& o) {
    auto dtb = Sheet("DTB");
    dtb->Cells(2, 4)->SetValue(o.week_start);
    dtb->Cells(2, 5)->SetValue(o.color_mode);
    dtb->Cells(2, 6)->SetValue(o.direction);
    dtb->Cells(2, 7)->SetValue(o.style);
  }

  void SetDates(const std::string& start, const std::string& end) {
    dialog.values["txtBDate"] = start;
    dialog.values["txtEDate"] = end;
  }

  void Build(Kind kind) {
    sheets::BuildSheet(kind == Kind::kSchool ? sheets::kSchoolCalendar : sheets::kCalendar, engine, *app,
                       dialog, platform);
  }
  void Build(Kind kind, const std::string& start, const std::string& end, const Options& o) {
    SetOptions(o);
    SetDates(start, end);
    Build(kind);
  }

  std::unique_ptr<host::Sheet> Sheet(const std::string& name) {
    return app->ThisWorkbook()->Worksheets()->Item(name);
  }
  host::Variant Value(Kind kind, int row, int column) {
    return Sheet(SheetName(kind))->Cells(row, column)->Value();
  }
  std::string Text(Kind kind, int row, int column) { return Value(kind, row, column).ToText(); }
  workbook::Worksheet& Model(const std::string& name) {
    for (auto& sheet : model->sheets)
      if (sheet.name == name) return sheet;
    throw std::runtime_error("no sheet " + name);
  }
  workbook::Worksheet& Model(Kind kind) { return Model(SheetName(kind)); }
  // The merged area holding the cell, or a one-cell area.
  workbook::Area MergeAt(Kind kind, int row, int column) {
    const workbook::Area* area = Model(kind).merges.At(row, column);
    return area ? *area : workbook::Area{row, column, row, column};
  }

  std::shared_ptr<workbook::WorkbookModel> model;
  std::unique_ptr<host::Application> app;
  FakeDialog dialog;
  FakePlatform platform;
  lunar::LunarEngine engine;
};

// Every test builds every combination it names; these make the traces readable.
inline std::string Describe(Kind kind, const Options& o) {
  return std::string(KindName(kind)) + (o.direction == 1 ? " vertical" : " horizontal") +
         " week_start=" + std::to_string(o.week_start) + " style=" + std::to_string(o.style) +
         " colour=" + std::to_string(o.color_mode);
}

}  // namespace tavo::testing
