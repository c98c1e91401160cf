#pragma once
// A late-bound range of cells. Cells(r, c), Rows(n) and Columns(x) are the
// collection's Item, as the host's default member resolves them.
#include "com/dispatch_host_formats.h"

namespace tavo::com {

class DispatchRange : public host::CellRange {
 public:
  explicit DispatchRange(DispatchObject o) : o_(std::move(o)) {}
  IDispatch* object() const { return o_.get(); }

  Variant Value() override { return o_.Get(L"Value").ToHost(); }
  void SetValue(const Variant& value) override { o_.Put(L"Value", ComVariant::FromHost(value)); }
  std::unique_ptr<host::FontFormat> Font() override { return std::make_unique<DispatchFont>(o_.ObjectProperty(L"Font")); }
  std::unique_ptr<host::InteriorFormat> Interior() override {
    return std::make_unique<DispatchInterior>(o_.ObjectProperty(L"Interior"));
  }
  std::unique_ptr<host::BorderSet> Borders() override {
    return std::make_unique<DispatchBorders>(o_.ObjectProperty(L"Borders"));
  }
  double RowHeight() override { return o_.Get(L"RowHeight").ToDouble(); }
  void SetRowHeight(double points) override { o_.Put(L"RowHeight", ComVariant::Double(points)); }
  double ColumnWidth() override { return o_.Get(L"ColumnWidth").ToDouble(); }
  void SetColumnWidth(double characters) override { o_.Put(L"ColumnWidth", ComVariant::Double(characters)); }
  double Left() override { return o_.Get(L"Left").ToDouble(); }
  host::HAlign HorizontalAlignment() override { return host::HAlign{o_.Get(L"HorizontalAlignment").ToInt32()}; }
  void SetHorizontalAlignment(host::HAlign alignment) override {
    o_.Put(L"HorizontalAlignment", ComVariant::Int32(host::Number(alignment)));
  }
  host::VAlign VerticalAlignment() override { return host::VAlign{o_.Get(L"VerticalAlignment").ToInt32()}; }
  void SetVerticalAlignment(host::VAlign alignment) override {
    o_.Put(L"VerticalAlignment", ComVariant::Int32(host::Number(alignment)));
  }
  bool ShrinkToFit() override { return o_.Get(L"ShrinkToFit").ToBool(); }
  void SetShrinkToFit(bool shrink) override { o_.Put(L"ShrinkToFit", ComVariant::Bool(shrink)); }
  bool WrapText() override { return o_.Get(L"WrapText").ToBool(); }
  void SetWrapText(bool wrap) override { o_.Put(L"WrapText", ComVariant::Bool(wrap)); }
  void Merge() override { o_.Call(L"Merge"); }
  void Copy() override { o_.Call(L"Copy"); }
  void Insert() override { o_.Call(L"Insert"); }
  void Delete() override { o_.Call(L"Delete"); }
  void ClearContents() override { o_.Call(L"ClearContents"); }
  void Activate() override { o_.Call(L"Activate"); }
  std::int32_t Count() override { return o_.Get(L"Count").ToInt32(); }
  std::int32_t Row() override { return o_.Get(L"Row").ToInt32(); }
  std::unique_ptr<host::CellRange> Rows() override { return Wrap(o_.ObjectProperty(L"Rows")); }
  std::unique_ptr<host::CellRange> Columns() override { return Wrap(o_.ObjectProperty(L"Columns")); }
  std::unique_ptr<host::CellRange> CurrentRegion() override { return Wrap(o_.ObjectProperty(L"CurrentRegion")); }

  // The range's Item(args): one cell, row or column of it.
  std::unique_ptr<host::CellRange> Item(std::initializer_list<const ComVariant*> args) {
    return Wrap(o_.ObjectProperty(L"Item", args));
  }

  static std::unique_ptr<DispatchRange> Wrap(DispatchObject o) { return std::make_unique<DispatchRange>(std::move(o)); }

 private:
  DispatchObject o_;
};

}  // namespace tavo::com
