// Shapes, the shape selection and its fill and line.
#include <cmath>

#include "common/error.h"
#include "workbook/embedded_objects.h"

namespace tavo::workbook {

namespace {

// A shape found again by sheet and shape id on every call.
struct ShapeRef {
  ModelPtr model;
  std::uint64_t sheet_id = 0;
  std::int32_t shape_id = 0;

  TextBoxShape& Shape() const {
    Worksheet& sheet = ResolveSheet(*model, sheet_id);
    for (TextBoxShape& shape : sheet.shapes)
      if (shape.id == shape_id) return shape;
    RaiseOutOfRange("图形已被删除");
  }
  TextBoxShape& Change() const {
    TextBoxShape& shape = Shape();
    ResolveSheet(*model, sheet_id).modified = true;
    return shape;
  }
};

bool MsoBool(int value, const char* what) {
  if (value != -1 && value != 0 && value != 1)
    RaiseInvalidArgument(std::string(what) + " 的值 " + std::to_string(value) + " 无效");
  return value != 0;
}

class EmbeddedColor : public host::ColorFormat {
 public:
  explicit EmbeddedColor(ShapeRef ref) : ref_(std::move(ref)) {}
  void SetSchemeColor(int scheme_color) override {
    if (scheme_color < 0 || scheme_color > 80)
      RaiseInvalidArgument("配色方案颜色 " + std::to_string(scheme_color) + " 无效");
    ref_.Change().fill_scheme_color = scheme_color;
  }

 private:
  ShapeRef ref_;
};

class EmbeddedFill : public host::FillFormat {
 public:
  explicit EmbeddedFill(ShapeRef ref) : ref_(std::move(ref)) {}
  void SetVisible(host::TriState visible) override {
    ref_.Change().fill_visible = MsoBool(host::Number(visible), "Visible");
  }
  void Solid() override {
    TextBoxShape& shape = ref_.Change();
    shape.fill_solid = true;
    shape.fill_visible = true;
  }
  std::unique_ptr<host::ColorFormat> ForeColor() override {
    ref_.Shape();
    return std::make_unique<EmbeddedColor>(ref_);
  }
  void SetTransparency(double transparency) override {
    if (!std::isfinite(transparency) || transparency < 0 || transparency > 1)
      RaiseInvalidArgument("透明度须在 0 到 1 之间");
    ref_.Change().fill_transparency = transparency;
  }

 private:
  ShapeRef ref_;
};

class EmbeddedLine : public host::LineFormat {
 public:
  explicit EmbeddedLine(ShapeRef ref) : ref_(std::move(ref)) {}
  void SetVisible(host::TriState visible) override {
    ref_.Change().line_visible = MsoBool(host::Number(visible), "Visible");
  }

 private:
  ShapeRef ref_;
};

class EmbeddedShapeGroup : public host::ShapeGroup {
 public:
  explicit EmbeddedShapeGroup(ShapeRef ref) : ref_(std::move(ref)) {}
  std::unique_ptr<host::FillFormat> Fill() override {
    ref_.Shape();
    return std::make_unique<EmbeddedFill>(ref_);
  }
  std::unique_ptr<host::LineFormat> Line() override {
    ref_.Shape();
    return std::make_unique<EmbeddedLine>(ref_);
  }

 private:
  ShapeRef ref_;
};

class EmbeddedShape : public host::Shape {
 public:
  explicit EmbeddedShape(ShapeRef ref) : ref_(std::move(ref)) {}
  void Select() override {
    ref_.Shape();
    WorkbookModel& model = *ref_.model;
    if (&ResolveSheet(model, ref_.sheet_id) != &ActiveSheet(model))
      RaiseInvalidArgument("只能选定活动工作表上的图形");
    model.selection = {ref_.sheet_id, ref_.shape_id};
  }

 private:
  ShapeRef ref_;
};

class EmbeddedShapeSelection : public host::ShapeSelection {
 public:
  explicit EmbeddedShapeSelection(ShapeRef ref) : ref_(std::move(ref)) {}
  void SetPlacement(host::Placement chosen) override {
    const int placement = host::Number(chosen);
    if (placement < 1 || placement > 3)
      RaiseInvalidArgument("Placement 的值 " + std::to_string(placement) + " 无效");
    ref_.Change().placement = placement;
  }
  std::unique_ptr<host::ShapeGroup> ShapeRange() override {
    ref_.Shape();
    return std::make_unique<EmbeddedShapeGroup>(ref_);
  }

 private:
  ShapeRef ref_;
};

class EmbeddedShapes : public host::ShapeCollection {
 public:
  EmbeddedShapes(ModelPtr model, std::uint64_t sheet_id)
      : model_(std::move(model)), sheet_id_(sheet_id) {}

  std::int32_t Count() override {
    return static_cast<std::int32_t>(ResolveSheet(*model_, sheet_id_).shapes.size());
  }
  std::unique_ptr<host::Shape> AddTextEffect(int preset, const std::string& text,
                                             const std::string& font_name, double font_size,
                                             std::int16_t bold, std::int16_t italic,
                                             std::int32_t left, std::int32_t top) override {
    Worksheet& sheet = ResolveSheet(*model_, sheet_id_);
    if (preset < 0 || preset > 49) RaiseInvalidArgument("文字效果样式 " + std::to_string(preset) + " 无效");
    if (!std::isfinite(font_size) || font_size < 1 || font_size > 1638)
      RaiseInvalidArgument("字号超出允许范围");
    TextBoxShape shape;
    shape.id = sheet.next_shape_id++;
    shape.preset = preset;
    shape.text = text;
    shape.font_name = font_name;
    shape.font_size = font_size;
    shape.bold = MsoBool(bold, "Bold");
    shape.italic = MsoBool(italic, "Italic");
    shape.left = left;
    shape.top = top;
    sheet.shapes.push_back(shape);
    sheet.modified = true;
    return std::make_unique<EmbeddedShape>(ShapeRef{model_, sheet_id_, shape.id});
  }

 private:
  ModelPtr model_;
  std::uint64_t sheet_id_;
};

}  // namespace

std::unique_ptr<host::ShapeCollection> MakeShapes(ModelPtr model, std::uint64_t sheet_id) {
  return std::make_unique<EmbeddedShapes>(std::move(model), sheet_id);
}

std::unique_ptr<host::ShapeSelection> MakeShapeSelection(ModelPtr model) {
  const ShapeSelectionState selection = model->selection;
  if (selection.sheet_id == 0 || selection.sheet_id != ActiveSheet(*model).id)
    RaiseTypeMismatch("当前选定的不是图形");
  ShapeRef ref{std::move(model), selection.sheet_id, selection.shape_id};
  ref.Shape();
  return std::make_unique<EmbeddedShapeSelection>(std::move(ref));
}

}  // namespace tavo::workbook
