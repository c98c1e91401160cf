#include "host_automation.h"

#include "dispatch_base.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "com/com_variant.h"
#include "com/wide_text.h"
#include "common/error.h"

namespace tavo::wintest {
namespace {

using com::ComVariant;

// One Invoke as the member handlers see it: positional arguments in the
// caller's order, the value of a put, and the result to fill.
struct Call {
  WORD flags = 0;
  std::vector<VARIANT*> args;
  VARIANT* value = nullptr;  // a put's value
  VARIANT* result = nullptr;

  bool IsPut() const { return value != nullptr; }
  ComVariant Arg(size_t i) const {
    if (i >= args.size()) throw Error(kErrorSource, 449, "参数不可选");
    ComVariant copy;
    VariantCopyInd(copy.get(), args[i]);
    return copy;
  }
  std::int32_t Int(size_t i) const { return Arg(i).ToInt32(); }
  bool IsText(size_t i) const { return i < args.size() && (V_VT(args[i]) & VT_TYPEMASK) == VT_BSTR; }
  std::string Text(size_t i) const { return Arg(i).ToText(); }
  ComVariant Value() const {
    ComVariant copy;
    VariantCopyInd(copy.get(), value);
    return copy;
  }
  void Return(ComVariant v) {
    if (result) VariantCopy(result, v.get());
  }
  void Return(const host::Variant& v) { Return(ComVariant::FromHost(v)); }
  void ReturnObject(IDispatch* object) {  // takes over the reference
    if (!result) {
      object->Release();
      return;
    }
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = object;
  }
};

class AutomationObject : public DispatchBase {
 public:


  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
      std::wstring name = names[i];
      if (!Knows(name)) {
        ids[i] = DISPID_UNKNOWN;
        hr = DISP_E_UNKNOWNNAME;
        continue;
      }
      auto found = std::find(names_.begin(), names_.end(), name);
      if (found == names_.end()) found = names_.insert(names_.end(), name);
      ids[i] = static_cast<DISPID>(found - names_.begin()) + 1;
    }
    return hr;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* info, UINT*) override {
    if (id < 1 || static_cast<size_t>(id) > names_.size()) return DISP_E_MEMBERNOTFOUND;
    Call call;
    call.flags = flags;
    call.result = result;
    if (result) VariantInit(result);
    UINT positional = params->cArgs;
    if (flags & DISPATCH_PROPERTYPUT) {
      if (params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT || params->cArgs < 1) {
        return DISP_E_PARAMNOTOPTIONAL;
      }
      call.value = &params->rgvarg[0];
      positional = params->cArgs - 1;
    } else if (params->cNamedArgs != 0) {
      return DISP_E_NONAMEDARGS;
    }
    for (UINT i = 0; i < positional; ++i) call.args.push_back(&params->rgvarg[params->cArgs - 1 - i]);
    try {
      if (!Member(names_[id - 1], call)) return DISP_E_MEMBERNOTFOUND;
      return S_OK;
    } catch (const Error& e) {
      if (info) {
        *info = EXCEPINFO{};
        info->bstrSource = com::Bstr(e.source()).release();
        info->bstrDescription = com::Bstr(e.description()).release();
        info->scode = e.number() >= 0 && e.number() <= 0xFFFF
                          ? static_cast<HRESULT>(0x800A0000u | static_cast<std::uint32_t>(e.number()))
                          : static_cast<HRESULT>(e.number());
      }
      return DISP_E_EXCEPTION;
    }
  }

 protected:
  // Runs the member; false when this object has no such member.
  virtual bool Member(const std::wstring& name, Call& call) = 0;
  virtual bool Knows(const std::wstring& name) const = 0;

 private:
  std::vector<std::wstring> names_;
};

// An automation object over one host object of type T, with a member table.
template <typename T>
class Automation final : public AutomationObject {
 public:
  using Handler = std::function<void(Automation&, Call&)>;
  using Table = std::map<std::wstring, Handler>;

  Automation(std::shared_ptr<T> object, const Table& table) : object_(std::move(object)), table_(table) {}
  T& object() { return *object_; }
  std::shared_ptr<T> shared() { return object_; }

  // What the range came from, so that Item resolves like the host's default
  // member: Cells(r, c), Rows(n), Columns(n or "B:I") of that sheet.
  std::shared_ptr<host::Sheet> origin_sheet;
  std::wstring origin;

 protected:
  bool Member(const std::wstring& name, Call& call) override {
    auto handler = table_.find(name);
    if (handler == table_.end()) return false;
    handler->second(*this, call);
    return true;
  }
  bool Knows(const std::wstring& name) const override { return table_.count(name) != 0; }

 private:
  std::shared_ptr<T> object_;
  const Table& table_;
};

template <typename T>
using Table = typename Automation<T>::Table;

template <typename T>
const Table<T>& TableOf();

template <typename T>
IDispatch* Wrap(std::unique_ptr<T> object) {
  return new Automation<T>(std::shared_ptr<T>(std::move(object)), TableOf<T>());
}

// Property helpers: a get returns the value, a put sets it.
template <typename T, typename Get, typename Set>
typename Automation<T>::Handler Property(Get get, Set set) {
  return [get, set](Automation<T>& self, Call& call) {
    if (call.IsPut()) {
      set(self.object(), call.Value());
    } else {
      call.Return(get(self.object()));
    }
  };
}

template <typename T, typename F>
typename Automation<T>::Handler Child(F f) {
  return [f](Automation<T>& self, Call& call) { call.ReturnObject(Wrap(f(self.object(), call))); };
}

template <typename T, typename F>
typename Automation<T>::Handler Method(F f) {
  return [f](Automation<T>& self, Call& call) { f(self.object(), call); };
}

ComVariant Int(std::int32_t n) { return ComVariant::Int32(n); }

template <>
const Table<host::FontFormat>& TableOf<host::FontFormat>() {
  using T = host::FontFormat;
  static const Table<T> table{
      {L"Size", Property<T>([](T& f) { return ComVariant::Double(f.Size()); },
                            [](T& f, const ComVariant& v) { f.SetSize(v.ToDouble()); })},
      {L"Bold", Property<T>([](T& f) { return ComVariant::Bool(f.Bold()); },
                            [](T& f, const ComVariant& v) { f.SetBold(v.ToBool()); })},
      {L"ColorIndex", Property<T>([](T& f) { return Int(f.ColorIndex()); },
                                  [](T& f, const ComVariant& v) { f.SetColorIndex(v.ToInt32()); })},
  };
  return table;
}

template <>
const Table<host::InteriorFormat>& TableOf<host::InteriorFormat>() {
  using T = host::InteriorFormat;
  static const Table<T> table{
      {L"ColorIndex", Property<T>([](T& f) { return Int(f.ColorIndex()); },
                                  [](T& f, const ComVariant& v) { f.SetColorIndex(v.ToInt32()); })},
  };
  return table;
}

template <>
const Table<host::BorderEdge>& TableOf<host::BorderEdge>() {
  using T = host::BorderEdge;
  static const Table<T> table{
      {L"LineStyle", Property<T>([](T& b) { return Int(host::Number(b.LineStyle())); },
                                 [](T& b, const ComVariant& v) { b.SetLineStyle(host::BorderLine{v.ToInt32()}); })},
  };
  return table;
}

template <>
const Table<host::BorderSet>& TableOf<host::BorderSet>() {
  using T = host::BorderSet;
  static const Table<T> table{
      {L"LineStyle", Property<T>([](T&) -> ComVariant { RaiseInvalidArgument(); },
                                 [](T& b, const ComVariant& v) { b.SetLineStyle(host::BorderLine{v.ToInt32()}); })},
      {L"Item", Child<T>([](T& b, Call& call) { return b.Item(host::Edge{call.Int(0)}); })},
  };
  return table;
}

template <>
const Table<host::CellRange>& TableOf<host::CellRange>();

IDispatch* WrapRange(std::unique_ptr<host::CellRange> range, std::shared_ptr<host::Sheet> sheet = nullptr,
                     std::wstring origin = {}) {
  auto* object = new Automation<host::CellRange>(std::shared_ptr<host::CellRange>(std::move(range)),
                                                 TableOf<host::CellRange>());
  object->origin_sheet = std::move(sheet);
  object->origin = std::move(origin);
  return object;
}

template <>
const Table<host::CellRange>& TableOf<host::CellRange>() {
  using T = host::CellRange;
  using Self = Automation<T>;
  static const Table<T> table{
      {L"Value", Property<T>([](T& r) { return ComVariant::FromHost(r.Value()); },
                             [](T& r, const ComVariant& v) { r.SetValue(v.ToHost()); })},
      {L"Font", Child<T>([](T& r, Call&) { return r.Font(); })},
      {L"Interior", Child<T>([](T& r, Call&) { return r.Interior(); })},
      {L"Borders", Child<T>([](T& r, Call&) { return r.Borders(); })},
      {L"RowHeight", Property<T>([](T& r) { return ComVariant::Double(r.RowHeight()); },
                                 [](T& r, const ComVariant& v) { r.SetRowHeight(v.ToDouble()); })},
      {L"ColumnWidth", Property<T>([](T& r) { return ComVariant::Double(r.ColumnWidth()); },
                                   [](T& r, const ComVariant& v) { r.SetColumnWidth(v.ToDouble()); })},
      {L"Left", Property<T>([](T& r) { return ComVariant::Double(r.Left()); },
                            [](T&, const ComVariant&) { RaiseInvalidArgument(); })},
      {L"Row", Property<T>([](T& r) { return Int(r.Row()); },
                           [](T&, const ComVariant&) { RaiseInvalidArgument(); })},
      {L"HorizontalAlignment",
       Property<T>([](T& r) { return Int(host::Number(r.HorizontalAlignment())); },
                   [](T& r, const ComVariant& v) { r.SetHorizontalAlignment(host::HAlign{v.ToInt32()}); })},
      {L"VerticalAlignment", Property<T>([](T& r) { return Int(host::Number(r.VerticalAlignment())); },
                                         [](T& r, const ComVariant& v) { r.SetVerticalAlignment(host::VAlign{v.ToInt32()}); })},
      {L"ShrinkToFit", Property<T>([](T& r) { return ComVariant::Bool(r.ShrinkToFit()); },
                                   [](T& r, const ComVariant& v) { r.SetShrinkToFit(v.ToBool()); })},
      {L"WrapText", Property<T>([](T& r) { return ComVariant::Bool(r.WrapText()); },
                                [](T& r, const ComVariant& v) { r.SetWrapText(v.ToBool()); })},
      {L"Merge", Method<T>([](T& r, Call&) { r.Merge(); })},
      {L"Copy", Method<T>([](T& r, Call&) { r.Copy(); })},
      {L"Insert", Method<T>([](T& r, Call&) { r.Insert(); })},
      {L"Delete", Method<T>([](T& r, Call&) { r.Delete(); })},
      {L"ClearContents", Method<T>([](T& r, Call&) { r.ClearContents(); })},
      {L"Activate", Method<T>([](T& r, Call&) { r.Activate(); })},
      {L"Count", Property<T>([](T& r) { return Int(r.Count()); }, [](T&, const ComVariant&) { RaiseInvalidArgument(); })},
      {L"Rows", [](Self& self, Call& call) { call.ReturnObject(WrapRange(self.object().Rows())); }},
      {L"Columns", [](Self& self, Call& call) { call.ReturnObject(WrapRange(self.object().Columns())); }},
      {L"CurrentRegion", [](Self& self, Call& call) { call.ReturnObject(WrapRange(self.object().CurrentRegion())); }},
      {L"Item",
       [](Self& self, Call& call) {
         host::Sheet* sheet = self.origin_sheet.get();
         if (!sheet) RaiseInvalidArgument("Item");
         std::unique_ptr<host::CellRange> item;
         if (self.origin == L"Cells") {
           item = sheet->Cells(call.Int(0), call.Int(1));
         } else if (self.origin == L"Rows") {
           item = sheet->Rows(call.Int(0));
         } else if (call.IsText(0)) {
           item = sheet->Columns(call.Text(0));
         } else {
           item = sheet->Columns(call.Int(0));
         }
         call.ReturnObject(WrapRange(std::move(item)));
       }},
  };
  return table;
}

template <>
const Table<host::PageLayout>& TableOf<host::PageLayout>() {
  using T = host::PageLayout;
  static const Table<T> table = [] {
    Table<T> members;
    for (int m = 0; m <= static_cast<int>(host::PageSetupMember::PrintTitleRows); ++m) {
      auto member = static_cast<host::PageSetupMember>(m);
      std::string name = host::PageSetupMemberName(member);
      members[std::wstring(name.begin(), name.end())] =
          Property<T>([member](T& p) { return ComVariant::FromHost(p.Get(member)); },
                      [member](T& p, const ComVariant& v) { p.Set(member, v.ToHost()); });
    }
    return members;
  }();
  return table;
}

template <>
const Table<host::ColorFormat>& TableOf<host::ColorFormat>() {
  using T = host::ColorFormat;
  static const Table<T> table{
      {L"SchemeColor", Property<T>([](T&) -> ComVariant { RaiseInvalidArgument(); },
                                   [](T& c, const ComVariant& v) { c.SetSchemeColor(v.ToInt32()); })},
  };
  return table;
}

template <>
const Table<host::FillFormat>& TableOf<host::FillFormat>() {
  using T = host::FillFormat;
  static const Table<T> table{
      {L"Visible", Property<T>([](T&) -> ComVariant { RaiseInvalidArgument(); },
                               [](T& f, const ComVariant& v) { f.SetVisible(host::TriState{v.ToInt32()}); })},
      {L"Solid", Method<T>([](T& f, Call&) { f.Solid(); })},
      {L"ForeColor", Child<T>([](T& f, Call&) { return f.ForeColor(); })},
      {L"Transparency", Property<T>([](T&) -> ComVariant { RaiseInvalidArgument(); },
                                    [](T& f, const ComVariant& v) { f.SetTransparency(v.ToDouble()); })},
  };
  return table;
}

template <>
const Table<host::LineFormat>& TableOf<host::LineFormat>() {
  using T = host::LineFormat;
  static const Table<T> table{
      {L"Visible", Property<T>([](T&) -> ComVariant { RaiseInvalidArgument(); },
                               [](T& l, const ComVariant& v) { l.SetVisible(host::TriState{v.ToInt32()}); })},
  };
  return table;
}

template <>
const Table<host::ShapeGroup>& TableOf<host::ShapeGroup>() {
  using T = host::ShapeGroup;
  static const Table<T> table{
      {L"Fill", Child<T>([](T& g, Call&) { return g.Fill(); })},
      {L"Line", Child<T>([](T& g, Call&) { return g.Line(); })},
  };
  return table;
}

template <>
const Table<host::Shape>& TableOf<host::Shape>() {
  using T = host::Shape;
  static const Table<T> table{{L"Select", Method<T>([](T& s, Call&) { s.Select(); })}};
  return table;
}

// AddTextEffect's preset, bold and italic are 16-bit in the host's
// declaration; anything else is refused so a wrongly typed call shows.
std::int16_t Int16Arg(const Call& call, size_t i) {
  if (i >= call.args.size() || V_VT(call.args[i]) != VT_I2) RaiseTypeMismatch("AddTextEffect 需要 16 位整数");
  return V_I2(call.args[i]);
}

template <>
const Table<host::ShapeCollection>& TableOf<host::ShapeCollection>() {
  using T = host::ShapeCollection;
  static const Table<T> table{
      {L"Count", Property<T>([](T& s) { return Int(s.Count()); }, [](T&, const ComVariant&) { RaiseInvalidArgument(); })},
      {L"AddTextEffect", Child<T>([](T& s, Call& call) {
         return s.AddTextEffect(Int16Arg(call, 0), call.Text(1), call.Text(2), call.Arg(3).ToDouble(),
                                Int16Arg(call, 4), Int16Arg(call, 5), call.Int(6), call.Int(7));
       })},
  };
  return table;
}

template <>
const Table<host::ShapeSelection>& TableOf<host::ShapeSelection>() {
  using T = host::ShapeSelection;
  static const Table<T> table{
      {L"Placement", Property<T>([](T&) -> ComVariant { RaiseInvalidArgument(); },
                                 [](T& s, const ComVariant& v) { s.SetPlacement(host::Placement{v.ToInt32()}); })},
      {L"ShapeRange", Child<T>([](T& s, Call&) { return s.ShapeRange(); })},
  };
  return table;
}

template <>
const Table<host::Window>& TableOf<host::Window>() {
  using T = host::Window;
  static const Table<T> table{
      {L"SplitRow", Property<T>([](T& w) { return Int(w.SplitRow()); },
                                [](T& w, const ComVariant& v) { w.SetSplitRow(v.ToInt32()); })},
      {L"SplitColumn", Property<T>([](T& w) { return Int(w.SplitColumn()); },
                                   [](T& w, const ComVariant& v) { w.SetSplitColumn(v.ToInt32()); })},
      {L"FreezePanes", Property<T>([](T& w) { return ComVariant::Bool(w.FreezePanes()); },
                                   [](T& w, const ComVariant& v) { w.SetFreezePanes(v.ToBool()); })},
      {L"ScrollRow", Property<T>([](T& w) { return Int(w.ScrollRow()); },
                                 [](T& w, const ComVariant& v) { w.SetScrollRow(v.ToInt32()); })},
      {L"ScrollColumn", Property<T>([](T& w) { return Int(w.ScrollColumn()); },
                                    [](T& w, const ComVariant& v) { w.SetScrollColumn(v.ToInt32()); })},
  };
  return table;
}

template <>
const Table<host::Sheet>& TableOf<host::Sheet>() {
  using T = host::Sheet;
  using Self = Automation<T>;
  static const Table<T> table{
      {L"Name", Property<T>([](T& s) { return ComVariant::Text(s.Name()); },
                            [](T& s, const ComVariant& v) { s.SetName(v.ToText()); })},
      {L"Delete", Method<T>([](T& s, Call&) { s.Delete(); })},
      {L"Activate", Method<T>([](T& s, Call&) { s.Activate(); })},
      {L"Visible", Property<T>([](T& s) { return Int(host::Number(s.Visible())); },
                               [](T& s, const ComVariant& v) { s.SetVisible(host::Visibility{v.ToInt32()}); })},
      {L"Cells", [](Self& self, Call& call) { call.ReturnObject(WrapRange(self.object().Cells(), self.shared(), L"Cells")); }},
      {L"Rows",
       [](Self& self, Call& call) {
         // The sheet's Rows collection: every row, indexed by Item.
         call.ReturnObject(WrapRange(self.object().Cells()->Rows(), self.shared(), L"Rows"));
       }},
      {L"Columns",
       [](Self& self, Call& call) { call.ReturnObject(WrapRange(self.object().Columns(), self.shared(), L"Columns")); }},
      {L"Range",
       [](Self& self, Call& call) {
         auto cell = [&](size_t i) -> host::CellRange& {
           ComVariant arg = call.Arg(i);
           auto* range = dynamic_cast<Automation<host::CellRange>*>(V_VT(arg.get()) == VT_DISPATCH ? V_DISPATCH(arg.get()) : nullptr);
           if (!range) RaiseTypeMismatch("Range");
           return range->object();
         };
         call.ReturnObject(WrapRange(self.object().Range(cell(0), cell(1))));
       }},
      {L"PageSetup", Child<T>([](T& s, Call&) { return s.PageSetup(); })},
      {L"Shapes", Child<T>([](T& s, Call&) { return s.Shapes(); })},
  };
  return table;
}

template <>
const Table<host::Sheets>& TableOf<host::Sheets>() {
  using T = host::Sheets;
  static const Table<T> table{
      {L"Count", Property<T>([](T& s) { return Int(s.Count()); }, [](T&, const ComVariant&) { RaiseInvalidArgument(); })},
      {L"Item", Child<T>([](T& s, Call& call) { return call.IsText(0) ? s.Item(call.Text(0)) : s.Item(call.Int(0)); })},
      {L"Add", Child<T>([](T& s, Call&) { return s.Add(); })},
  };
  return table;
}

template <>
const Table<host::Workbook>& TableOf<host::Workbook>() {
  using T = host::Workbook;
  static const Table<T> table{
      {L"Worksheets", Child<T>([](T& w, Call&) { return w.Worksheets(); })},
      {L"ActiveSheet", Child<T>([](T& w, Call&) { return w.ActiveSheet(); })},
      {L"Path", Property<T>([](T& w) { return ComVariant::Text(w.Path()); }, [](T&, const ComVariant&) { RaiseInvalidArgument(); })},
      {L"Colors", Method<T>([](T& w, Call& call) {
         if (call.IsPut()) {
           w.SetColors(call.Int(0), call.Value().ToInt32());
         } else {
           call.Return(Int(w.Colors(call.Int(0))));
         }
       })},
  };
  return table;
}

// The application is borrowed, not owned.
struct BorrowedApplication {
  host::Application* application;
};

template <>
const Table<BorrowedApplication>& TableOf<BorrowedApplication>() {
  using T = BorrowedApplication;
  static const Table<T> table{
      {L"ThisWorkbook", Child<T>([](T& a, Call&) { return a.application->ThisWorkbook(); })},
      {L"ScreenUpdating", Property<T>([](T& a) { return ComVariant::Bool(a.application->ScreenUpdating()); },
                                      [](T& a, const ComVariant& v) { a.application->SetScreenUpdating(v.ToBool()); })},
      {L"DisplayAlerts", Property<T>([](T& a) { return ComVariant::Bool(a.application->DisplayAlerts()); },
                                     [](T& a, const ComVariant& v) { a.application->SetDisplayAlerts(v.ToBool()); })},
      {L"ActiveSheet", Child<T>([](T& a, Call&) { return a.application->ActiveSheet(); })},
      {L"ActiveWindow", Child<T>([](T& a, Call&) { return a.application->ActiveWindow(); })},
      {L"Selection", Child<T>([](T& a, Call&) { return a.application->Selection(); })},
  };
  return table;
}

// The dialog: UF.Controls(name).Value and UF.Caption.
struct DialogControl {
  host::Dialog* dialog;
  std::string name;
};
struct DialogControls {
  host::Dialog* dialog;
};
struct BorrowedDialog {
  host::Dialog* dialog;
};

template <>
const Table<DialogControl>& TableOf<DialogControl>() {
  using T = DialogControl;
  static const Table<T> table{
      {L"Value", Property<T>([](T& c) { return ComVariant::FromHost(c.dialog->ControlValue(c.name)); },
                             [](T& c, const ComVariant& v) { c.dialog->SetControlValue(c.name, v.ToHost()); })},
  };
  return table;
}

template <>
const Table<DialogControls>& TableOf<DialogControls>() {
  using T = DialogControls;
  static const Table<T> table{
      {L"Item", Child<T>([](T& c, Call& call) { return std::make_unique<DialogControl>(DialogControl{c.dialog, call.Text(0)}); })},
  };
  return table;
}

template <>
const Table<BorrowedDialog>& TableOf<BorrowedDialog>() {
  using T = BorrowedDialog;
  static const Table<T> table{
      {L"Controls", Child<T>([](T& d, Call&) { return std::make_unique<DialogControls>(DialogControls{d.dialog}); })},
      {L"Caption", Property<T>([](T& d) { return ComVariant::Text(d.dialog->Caption()); },
                               [](T&, const ComVariant&) { RaiseInvalidArgument(); })},
  };
  return table;
}

}  // namespace

IDispatch* NewApplicationAutomation(host::Application& application) {
  return Wrap(std::make_unique<BorrowedApplication>(BorrowedApplication{&application}));
}

IDispatch* NewDialogAutomation(host::Dialog& dialog) {
  return Wrap(std::make_unique<BorrowedDialog>(BorrowedDialog{&dialog}));
}

}  // namespace tavo::wintest
