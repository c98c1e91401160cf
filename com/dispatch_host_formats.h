#pragma once
// Late-bound formats of a range and of shapes: font, fill, borders, colour,
// line. Each member function is one member access on the host object.
#include "com/dispatch_object.h"
#include "host/host.h"

namespace tavo::com {

using host::Variant;

class DispatchFont : public host::FontFormat {
 public:
  explicit DispatchFont(DispatchObject o) : o_(std::move(o)) {}
  double Size() override { return o_.Get(L"Size").ToDouble(); }
  void SetSize(double points) override { o_.Put(L"Size", ComVariant::Double(points)); }
  bool Bold() override { return o_.Get(L"Bold").ToBool(); }
  void SetBold(bool bold) override { o_.Put(L"Bold", ComVariant::Bool(bold)); }
  int ColorIndex() override { return o_.Get(L"ColorIndex").ToInt32(); }
  void SetColorIndex(int index) override { o_.Put(L"ColorIndex", ComVariant::Int32(index)); }

 private:
  DispatchObject o_;
};

class DispatchInterior : public host::InteriorFormat {
 public:
  explicit DispatchInterior(DispatchObject o) : o_(std::move(o)) {}
  int ColorIndex() override { return o_.Get(L"ColorIndex").ToInt32(); }
  void SetColorIndex(int index) override { o_.Put(L"ColorIndex", ComVariant::Int32(index)); }

 private:
  DispatchObject o_;
};

class DispatchBorderEdge : public host::BorderEdge {
 public:
  explicit DispatchBorderEdge(DispatchObject o) : o_(std::move(o)) {}
  host::BorderLine LineStyle() override { return host::BorderLine{o_.Get(L"LineStyle").ToInt32()}; }
  void SetLineStyle(host::BorderLine style) override { o_.Put(L"LineStyle", ComVariant::Int32(host::Number(style))); }

 private:
  DispatchObject o_;
};

class DispatchBorders : public host::BorderSet {
 public:
  explicit DispatchBorders(DispatchObject o) : o_(std::move(o)) {}
  void SetLineStyle(host::BorderLine style) override { o_.Put(L"LineStyle", ComVariant::Int32(host::Number(style))); }
  std::unique_ptr<host::BorderEdge> Item(host::Edge which) override {
    const int edge = host::Number(which);
    auto index = ComVariant::Int32(edge);
    return std::make_unique<DispatchBorderEdge>(o_.ObjectProperty(L"Item", {&index}));
  }

 private:
  DispatchObject o_;
};

class DispatchColor : public host::ColorFormat {
 public:
  explicit DispatchColor(DispatchObject o) : o_(std::move(o)) {}
  void SetSchemeColor(int scheme_color) override { o_.Put(L"SchemeColor", ComVariant::Int32(scheme_color)); }

 private:
  DispatchObject o_;
};

class DispatchFill : public host::FillFormat {
 public:
  explicit DispatchFill(DispatchObject o) : o_(std::move(o)) {}
  void SetVisible(host::TriState visible) override { o_.Put(L"Visible", ComVariant::Int32(host::Number(visible))); }
  void Solid() override { o_.Call(L"Solid"); }
  std::unique_ptr<host::ColorFormat> ForeColor() override {
    return std::make_unique<DispatchColor>(o_.ObjectProperty(L"ForeColor"));
  }
  void SetTransparency(double transparency) override {
    o_.Put(L"Transparency", ComVariant::Double(transparency));
  }

 private:
  DispatchObject o_;
};

class DispatchLine : public host::LineFormat {
 public:
  explicit DispatchLine(DispatchObject o) : o_(std::move(o)) {}
  void SetVisible(host::TriState visible) override { o_.Put(L"Visible", ComVariant::Int32(host::Number(visible))); }

 private:
  DispatchObject o_;
};

class DispatchShapeRange : public host::ShapeGroup {
 public:
  explicit DispatchShapeRange(DispatchObject o) : o_(std::move(o)) {}
  std::unique_ptr<host::FillFormat> Fill() override { return std::make_unique<DispatchFill>(o_.ObjectProperty(L"Fill")); }
  std::unique_ptr<host::LineFormat> Line() override { return std::make_unique<DispatchLine>(o_.ObjectProperty(L"Line")); }

 private:
  DispatchObject o_;
};

class DispatchShape : public host::Shape {
 public:
  explicit DispatchShape(DispatchObject o) : o_(std::move(o)) {}
  void Select() override { o_.Call(L"Select"); }

 private:
  DispatchObject o_;
};

class DispatchShapes : public host::ShapeCollection {
 public:
  explicit DispatchShapes(DispatchObject o) : o_(std::move(o)) {}
  std::int32_t Count() override { return o_.Get(L"Count").ToInt32(); }
  // Preset, bold and italic travel as 16-bit integers and the size as a
  // double, as the host's AddTextEffect declares them.
  std::unique_ptr<host::Shape> AddTextEffect(int preset, const std::string& text, const std::string& font_name,
                                             double font_size, std::int16_t bold, std::int16_t italic,
                                             std::int32_t left, std::int32_t top) override;

 private:
  DispatchObject o_;
};

class DispatchSelection : public host::ShapeSelection {
 public:
  explicit DispatchSelection(DispatchObject o) : o_(std::move(o)) {}
  void SetPlacement(host::Placement placement) override {
    o_.Put(L"Placement", ComVariant::Int32(host::Number(placement)));
  }
  std::unique_ptr<host::ShapeGroup> ShapeRange() override {
    return std::make_unique<DispatchShapeRange>(o_.ObjectProperty(L"ShapeRange"));
  }

 private:
  DispatchObject o_;
};

}  // namespace tavo::com
