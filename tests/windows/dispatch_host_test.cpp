// The late-binding host adapter against a scripted automation object: which
// members it names, how it types arguments and results, and how a failed
// Invoke becomes the system's error.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <utility>

#include "check.h"
#include "com/com_variant.h"
#include "com/dispatch_dialog.h"
#include "com/dispatch_host.h"
#include "common/error.h"
#include "script_dispatch.h"

using namespace tavo;
using namespace tavo::wintest;

namespace {

struct Fixture {
  std::shared_ptr<Script> script = std::make_shared<Script>();
  com::DispatchApplication app{com::DispatchObject(NewScriptObject("app", script))};
  std::unique_ptr<host::Sheet> sheet = app.ActiveSheet();
};

// Runs `f`, which must raise tavo::Error, and returns that error.
template <typename F>
Error Raised(F f) {
  try {
    f();
  } catch (const Error& e) {
    return e;
  }
  return Error("<nothing raised>", 0, "");
}

}  // namespace

WIN_TEST(ArgumentsTravelWithTheHostsTypes) {
  Fixture f;
  f.app.SetScreenUpdating(false);
  f.sheet->Cells(3, 4)->Font()->SetSize(9.5);
  f.sheet->SetVisible(host::Visibility::kVisible);
  f.sheet->SetName("校历表");
  f.sheet->Shapes()->AddTextEffect(0, "12", "宋体", 80, 0, 0, 150, 36)->Select();
  f.app.Selection()->SetPlacement(host::Placement::kMove);
  f.app.ThisWorkbook()->SetColors(15, host::Rgb(255, 255, 0));
  CHECK_EQ(f.script->Joined(), std::string(
      "app.ActiveSheet GET\n"
      "app.ScreenUpdating PUT = BOOL 0\n"
      "app.ActiveSheet.Cells GET\n"
      "app.ActiveSheet.Cells.Item GET I4 3 I4 4\n"
      "app.ActiveSheet.Cells.Item.Font GET\n"
      "app.ActiveSheet.Cells.Item.Font.Size PUT = R8 9.5\n"
      "app.ActiveSheet.Visible PUT = I2 -1\n"
      "app.ActiveSheet.Name PUT = BSTR 校历表\n"
      "app.ActiveSheet.Shapes GET\n"
      "app.ActiveSheet.Shapes.AddTextEffect CALL I2 0 BSTR 12 BSTR 宋体 R8 80 I2 0 I2 0 I4 150 I4 36\n"
      "app.ActiveSheet.Shapes.AddTextEffect.Select CALL\n"
      "app.Selection GET\n"
      "app.Selection.Placement PUT = I4 2\n"
      "app.ThisWorkbook GET\n"
      "app.ThisWorkbook.Colors PUT I4 15 = I4 65535"));
}

WIN_TEST(RangeOfTwoCellsPassesTheCellObjects) {
  Fixture f;
  auto first = f.sheet->Cells(1, 2);
  auto last = f.sheet->Cells(5, 9);
  f.sheet->Range(*first, *last)->Merge();
  f.sheet->Columns("B:I")->SetColumnWidth(4);
  CHECK_EQ(f.script->log[f.script->log.size() - 5],
           std::string("app.ActiveSheet.Range GET DISPATCH app.ActiveSheet.Cells.Item DISPATCH app.ActiveSheet.Cells.Item"));
  CHECK_EQ(f.script->log.back(), std::string("app.ActiveSheet.Columns.Item.ColumnWidth PUT = R8 4"));
  CHECK_EQ(f.script->log[f.script->log.size() - 2], std::string("app.ActiveSheet.Columns.Item GET BSTR B:I"));
}

WIN_TEST(ResultsConvertAsTheHostConverts) {
  Fixture f;
  f.script->Text("app.ActiveSheet.Cells.Item.Value", L"初一");
  f.script->Number("app.ActiveSheet.Rows.Item.RowHeight", 14.25);
  f.script->Bool("app.ActiveWindow.FreezePanes", true);
  f.script->Date("app.ActiveSheet.Columns.Item.Value", 45536.0);  // 2024-9-1
  f.script->Text("app.ActiveSheet.PageSetup.PrintTitleRows", L"$1:$2");
  f.script->Number("app.ThisWorkbook.Worksheets.Count", 3);
  CHECK_EQ(f.sheet->Cells(1, 1)->Value(), host::Variant("初一"));
  CHECK_EQ(f.sheet->Rows(2)->RowHeight(), 14.25);
  CHECK(f.app.ActiveWindow()->FreezePanes());
  CHECK_EQ(f.sheet->Columns(1)->Value(), host::Variant::Date(45536.0));
  CHECK_EQ(f.sheet->PageSetup()->Get(host::PageSetupMember::PrintTitleRows), host::Variant("$1:$2"));
  CHECK_EQ(f.app.ThisWorkbook()->Worksheets()->Count(), 3);
  // An empty cell is Empty, not zero or "".
  f.script->values["app.ActiveSheet.Cells.Item.Value"] = [](VARIANT* v) { V_VT(v) = VT_EMPTY; };
  CHECK(f.sheet->Cells(2, 2)->Value().IsEmpty());
}

// Date and error values as the host hands them over, and what each becomes.
WIN_TEST(DatesAndErrorValuesArriveAsTheirOwnKinds) {
  static DATE by_reference_date = 45536.75;
  static SCODE by_reference_error = static_cast<SCODE>(0x800A07E7);
  struct Case {
    const char* what;
    std::function<void(VARIANT*)> given;
    host::Variant expected;  // Empty: the read must raise error 13
    const char* text;
  };
  const Case cases[] = {
      {"date", [](VARIANT* v) { V_VT(v) = VT_DATE, V_DATE(v) = 45536.0; }, host::Variant::Date(45536.0), "2024/9/1"},
      {"date and time", [](VARIANT* v) { V_VT(v) = VT_DATE, V_DATE(v) = 45536.354166666664; },
       host::Variant::Date(45536.354166666664), "2024/9/1 8:30:00"},
      {"time only", [](VARIANT* v) { V_VT(v) = VT_DATE, V_DATE(v) = 0.5; }, host::Variant::Date(0.5), "12:00:00"},
      {"date by reference", [](VARIANT* v) { V_VT(v) = VT_DATE | VT_BYREF, V_DATEREF(v) = &by_reference_date; },
       host::Variant::Date(45536.75), "2024/9/1 18:00:00"},
      {"CVErr(xlErrNA)", [](VARIANT* v) { V_VT(v) = VT_ERROR, V_ERROR(v) = static_cast<SCODE>(0x800A07FA); },
       host::Variant::Error(host::CellError::NA), "Error 2042"},
      {"bare code", [](VARIANT* v) { V_VT(v) = VT_ERROR, V_ERROR(v) = 2007; },
       host::Variant::Error(host::CellError::Div0), "Error 2007"},
      {"error by reference", [](VARIANT* v) { V_VT(v) = VT_ERROR | VT_BYREF, V_ERRORREF(v) = &by_reference_error; },
       host::Variant::Error(host::CellError::Ref), "Error 2023"},
      {"missing argument is no cell value",
       [](VARIANT* v) { V_VT(v) = VT_ERROR, V_ERROR(v) = DISP_E_PARAMNOTFOUND; }, host::Variant(), nullptr},
      {"failure code is no cell value", [](VARIANT* v) { V_VT(v) = VT_ERROR, V_ERROR(v) = E_FAIL; }, host::Variant(),
       nullptr},
  };
  for (const Case& c : cases) {
    Fixture f;
    f.script->values["app.ActiveSheet.Cells.Item.Value"] = c.given;
    f.script->values["app.ActiveSheet.Name"] = c.given;
    std::printf("  case: %s\n", c.what);
    if (c.expected.IsEmpty()) {
      CHECK_EQ(Raised([&] { f.sheet->Cells(1, 1)->Value(); }).number(), 13);
      continue;
    }
    CHECK_EQ(f.sheet->Cells(1, 1)->Value(), c.expected);
    CHECK_EQ(f.sheet->Name(), std::string(c.text));  // read as text, the way the host writes it
  }
}

// Written back, a date stays a date with its time of day and an error value
// goes as the host's own CVErr code, so a copied cell keeps its kind.
WIN_TEST(DatesAndErrorValuesAreWrittenAsTheHostsKinds) {
  Fixture f;
  const std::pair<host::Variant, const char*> cases[] = {
      {host::Variant::Date(45536.354166666664), "DATE 45536.354166666664"},
      {host::Variant::Date(-1.25), "DATE -1.25"},
      {host::Variant::Error(host::CellError::Null), "ERROR 800A07D0"},
      {host::Variant::Error(host::CellError::Div0), "ERROR 800A07D7"},
      {host::Variant::Error(host::CellError::Value), "ERROR 800A07DF"},
      {host::Variant::Error(host::CellError::Ref), "ERROR 800A07E7"},
      {host::Variant::Error(host::CellError::Name), "ERROR 800A07ED"},
      {host::Variant::Error(host::CellError::Num), "ERROR 800A07F4"},
      {host::Variant::Error(host::CellError::NA), "ERROR 800A07FA"},
  };
  for (const auto& [value, logged] : cases) {
    f.sheet->Cells(2, 3)->SetValue(value);
    CHECK_EQ(f.script->log.back(), std::string("app.ActiveSheet.Cells.Item.Value PUT = ") + logged);
    // What the host gives back for what was written is the same value.
    f.script->values["app.ActiveSheet.Cells.Item.Value"] = [&value](VARIANT* v) {
      com::ComVariant copy = com::ComVariant::FromHost(value);
      VariantCopy(v, copy.get());
    };
    CHECK_EQ(f.sheet->Cells(2, 3)->Value(), value);
  }
  // The dialog's date boxes take them the same way.
  com::DispatchDialog form{com::DispatchObject(NewScriptObject("UF", f.script))};
  form.SetControlValue("txtBDate", host::Variant::Date(45536.0));
  CHECK_EQ(f.script->log.back(), std::string("UF.Controls.Item.Value PUT = DATE 45536"));
}

WIN_TEST(PageSetupValuesKeepTheirKind) {
  Fixture f;
  auto setup = f.sheet->PageSetup();
  setup->Set(host::PageSetupMember::Zoom, host::Variant(false));
  setup->Set(host::PageSetupMember::TopMargin, host::Variant(28.35));
  setup->Set(host::PageSetupMember::CenterFooter, host::Variant("第 &P 页"));
  auto n = f.script->log.size();
  CHECK_EQ(f.script->log[n - 3], std::string("app.ActiveSheet.PageSetup.Zoom PUT = BOOL 0"));
  CHECK_EQ(f.script->log[n - 2], std::string("app.ActiveSheet.PageSetup.TopMargin PUT = R8 28.35"));
  CHECK_EQ(f.script->log[n - 1], std::string("app.ActiveSheet.PageSetup.CenterFooter PUT = BSTR 第 &P 页"));
}

WIN_TEST(HostErrorsKeepSourceNumberAndDescription) {
  Fixture f;
  f.script->failures["app.ThisWorkbook.Worksheets.Item"] =
      ScriptFailure{DISP_E_EXCEPTION, static_cast<HRESULT>(0x800A0009), 0, L"Microsoft Excel", L"下标越界", false};
  Error missing = Raised([&] { f.app.ThisWorkbook()->Worksheets()->Item("DTB"); });
  CHECK_EQ(missing.source(), std::string("Microsoft Excel"));
  CHECK_EQ(missing.number(), 9);
  CHECK_EQ(missing.description(), std::string("下标越界"));

  // A code outside the host's own range stands as its signed value; the
  // description may come only through the deferred fill-in.
  f.script->failures["app.ActiveSheet.Delete"] =
      ScriptFailure{DISP_E_EXCEPTION, E_FAIL, 0, L"Host", L"cannot delete", true};
  Error failed = Raised([&] { f.sheet->Delete(); });
  CHECK_EQ(failed.number(), static_cast<std::int32_t>(0x80004005));
  CHECK_EQ(failed.description(), std::string("cannot delete"));
  CHECK_EQ(failed.source(), std::string("Host"));
}

WIN_TEST(FailuresWithoutExceptionInfoBecomeErrorsToo) {
  Fixture f;
  f.script->unknown_names.insert(L"Merge");
  Error unknown = Raised([&] { f.sheet->Cells(1, 1)->Merge(); });
  CHECK_EQ(unknown.number(), static_cast<std::int32_t>(DISP_E_UNKNOWNNAME));
  CHECK(unknown.description().find("Merge") != std::string::npos);

  f.script->failures["app.ActiveWindow.ScrollRow PUT"] = ScriptFailure{DISP_E_TYPEMISMATCH, 0, 0, L"", L"", false};
  Error mismatch = Raised([&] { f.app.ActiveWindow()->SetScrollRow(1); });
  CHECK_EQ(mismatch.number(), static_cast<std::int32_t>(DISP_E_TYPEMISMATCH));
  CHECK_EQ(mismatch.source(), std::string(kErrorSource));

  // A text where a number is expected is the host's type mismatch.
  f.script->Text("app.ActiveSheet.Cells.Item.Font.ColorIndex", L"red");
  CHECK_EQ(Raised([&] { f.sheet->Cells(1, 1)->Font()->ColorIndex(); }).number(), 13);
}

WIN_TEST(NothingFailsAtItsFirstUseWithError91) {
  Fixture f;
  f.script->Nothing("app.ActiveWindow");
  auto window = f.app.ActiveWindow();
  Error e = Raised([&] { window->SetFreezePanes(true); });
  CHECK_EQ(e.number(), 91);
  com::DispatchApplication none{com::DispatchObject(nullptr)};
  CHECK_EQ(Raised([&] { none.SetScreenUpdating(false); }).number(), 91);
}

WIN_TEST(DialogControlsAreReadByName) {
  auto script = std::make_shared<Script>();
  com::DispatchDialog form{com::DispatchObject(NewScriptObject("UF", script))};
  script->Text("UF.Controls.Item.Value", L"2024-9-1");
  script->Text("UF.Caption", L"校历生成");
  CHECK_EQ(form.ControlValue("txtBDate"), host::Variant("2024-9-1"));
  form.SetControlValue("optYi", host::Variant(true));
  CHECK_EQ(form.Caption(), std::string("校历生成"));
  CHECK_EQ(script->Joined(), std::string(
      "UF.Controls GET\n"
      "UF.Controls.Item GET BSTR txtBDate\n"
      "UF.Controls.Item.Value GET\n"
      "UF.Controls GET\n"
      "UF.Controls.Item GET BSTR optYi\n"
      "UF.Controls.Item.Value PUT = BOOL -1\n"
      "UF.Caption GET"));
}

WIN_TEST(TextThatIsNotUtf8NeverReachesTheHost) {
  Fixture f;
  Error e = Raised([&] { f.sheet->SetName(std::string("\xff\xfe", 2)); });
  CHECK_EQ(e.number(), 5);
  CHECK_EQ(f.script->log.back(), std::string("app.ActiveSheet GET"));
}
