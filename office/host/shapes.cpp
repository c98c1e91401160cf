// Shapes, the shape selection and its fill and line. The desktop's text
// effect is a text shape here: its text grows the shape, and the effect's
// fill and outline are those of its letters (colour and transparency of the
// characters) and of the shape's frame.
#include <com/sun/star/awt/FontSlant.hpp>
#include <com/sun/star/awt/FontWeight.hpp>
#include <com/sun/star/awt/Point.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XChild.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/drawing/FillStyle.hpp>
#include <com/sun/star/drawing/LineStyle.hpp>
#include <com/sun/star/drawing/XDrawPages.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/drawing/XShapes.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include <cmath>
#include <utility>
#include <vector>

#include "office/host/office_objects.h"
#include "office/host/palette.h"
#include "office/host/units.h"

namespace tavo::office {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using Shapes = std::vector<Reference<css::drawing::XShape>>;

constexpr std::int16_t kOpaque = 0, kInvisible = 100;

Reference<css::beans::XPropertySet> PropertiesOf(const Reference<css::drawing::XShape>& shape) {
  return Reference<css::beans::XPropertySet>(shape, UNO_QUERY_THROW);
}

bool MsoBool(int value, const char* what) {
  if (value != -1 && value != 0 && value != 1)
    RaiseInvalidArgument(std::string(what) + " 的值 " + std::to_string(value) + " 无效");
  return value != 0;
}

// Sets a property of every shape of the group.
void PutAll(const Shapes& shapes, const char* name, const Any& value) {
  Uno([&] {
    for (const auto& shape : shapes) PropertiesOf(shape)->setPropertyValue(OUString::createFromAscii(name), value);
  });
}

class OfficeColor : public host::ColorFormat {
 public:
  OfficeColor(ContextPtr context, Shapes shapes) : context_(std::move(context)), shapes_(std::move(shapes)) {}
  // Scheme colour n is palette entry n - 7.
  void SetSchemeColor(int scheme_color) override {
    if (scheme_color < 0 || scheme_color > 80)
      RaiseInvalidArgument("配色方案颜色 " + std::to_string(scheme_color) + " 无效");
    const int entry = scheme_color - 7;
    std::int32_t colour = 0;
    if (entry >= 1 && entry <= 56)
      colour = HostToUnoColour(context_->CurrentPalette()[static_cast<std::size_t>(entry - 1)]);
    PutAll(shapes_, "CharColor", Any(colour));
  }

 private:
  ContextPtr context_;
  Shapes shapes_;
};

class OfficeFill : public host::FillFormat {
 public:
  OfficeFill(ContextPtr context, Shapes shapes) : context_(std::move(context)), shapes_(std::move(shapes)) {}
  void SetVisible(host::TriState visible) override {
    PutAll(shapes_, "CharTransparence", Any(MsoBool(host::Number(visible), "Visible") ? kOpaque : kInvisible));
  }
  void Solid() override { PutAll(shapes_, "FillStyle", Any(css::drawing::FillStyle_NONE)); }
  std::unique_ptr<host::ColorFormat> ForeColor() override { return std::make_unique<OfficeColor>(context_, shapes_); }
  void SetTransparency(double transparency) override {
    if (!std::isfinite(transparency) || transparency < 0 || transparency > 1)
      RaiseInvalidArgument("透明度须在 0 到 1 之间");
    PutAll(shapes_, "CharTransparence", Any(static_cast<std::int16_t>(std::lround(transparency * 100))));
  }

 private:
  ContextPtr context_;
  Shapes shapes_;
};

class OfficeLine : public host::LineFormat {
 public:
  explicit OfficeLine(Shapes shapes) : shapes_(std::move(shapes)) {}
  void SetVisible(host::TriState visible) override {
    PutAll(shapes_, "LineStyle",
           Any(MsoBool(host::Number(visible), "Visible") ? css::drawing::LineStyle_SOLID : css::drawing::LineStyle_NONE));
  }

 private:
  Shapes shapes_;
};

class OfficeShapeGroup : public host::ShapeGroup {
 public:
  OfficeShapeGroup(ContextPtr context, Shapes shapes) : context_(std::move(context)), shapes_(std::move(shapes)) {}
  std::unique_ptr<host::FillFormat> Fill() override { return std::make_unique<OfficeFill>(context_, shapes_); }
  std::unique_ptr<host::LineFormat> Line() override { return std::make_unique<OfficeLine>(shapes_); }

 private:
  ContextPtr context_;
  Shapes shapes_;
};

class OfficeShape : public host::Shape {
 public:
  OfficeShape(ContextPtr context, Reference<css::drawing::XShape> shape)
      : context_(std::move(context)), shape_(std::move(shape)) {}
  // The view selects only shapes of the active sheet; the selection itself
  // waits in the context (OfficeContext::chosen_shapes).
  void Select() override {
    context_->Flush();
    Uno([&] {
      const Reference<css::sheet::XSpreadsheet> active = ActiveSheetOf(context_);
      auto pages = Reference<css::drawing::XDrawPagesSupplier>(context_->document, UNO_QUERY_THROW)->getDrawPages();
      const Reference<css::uno::XInterface> page(pages->getByIndex(SheetArea(active).Sheet), UNO_QUERY_THROW);
      Reference<css::container::XChild> child(shape_, UNO_QUERY_THROW);
      if (child->getParent() != page) RaiseInvalidArgument("只能选定活动工作表上的图形");
      context_->chosen_shapes = {shape_};
    });
  }

 private:
  ContextPtr context_;
  Reference<css::drawing::XShape> shape_;
};

// Placement 1 moves and sizes with the cells, 2 only moves, 3 floats free.
class OfficeShapeSelection : public host::ShapeSelection {
 public:
  OfficeShapeSelection(ContextPtr context, Shapes shapes) : context_(std::move(context)), shapes_(std::move(shapes)) {}
  void SetPlacement(host::Placement chosen) override {
    const int placement = host::Number(chosen);
    if (placement < 1 || placement > 3)
      RaiseInvalidArgument("Placement 的值 " + std::to_string(placement) + " 无效");
    context_->Flush();
    Uno([&] {
      const Reference<css::sheet::XSpreadsheet> sheet = ActiveSheetOf(context_);
      for (const auto& shape : shapes_) {
        Reference<css::beans::XPropertySet> properties = PropertiesOf(shape);
        const css::awt::Point at = shape->getPosition();
        if (placement == 3) {
          properties->setPropertyValue("Anchor", Any(sheet));
        } else {
          // LibreOffice anchors a shape to the cell under its top-left
          // corner, whichever cell is given; the position stays.
          properties->setPropertyValue("Anchor", Any(sheet->getCellByPosition(0, 0)));
          properties->setPropertyValue("ResizeWithCell", Any(placement == 1));
          if (shape->getPosition().X != at.X || shape->getPosition().Y != at.Y) shape->setPosition(at);
        }
      }
    });
  }
  std::unique_ptr<host::ShapeGroup> ShapeRange() override {
    return std::make_unique<OfficeShapeGroup>(context_, shapes_);
  }

 private:
  ContextPtr context_;
  Shapes shapes_;
};

class OfficeShapes : public host::ShapeCollection {
 public:
  OfficeShapes(ContextPtr context, Reference<css::sheet::XSpreadsheet> sheet)
      : context_(std::move(context)), sheet_(std::move(sheet)) {}

  std::int32_t Count() override {
    context_->Flush();
    return Uno([&] { return Page()->getCount(); });
  }

  std::unique_ptr<host::Shape> AddTextEffect(int preset, const std::string& text, const std::string& font_name,
                                             double font_size, std::int16_t bold, std::int16_t italic,
                                             std::int32_t left, std::int32_t top) override {
    if (preset < 0 || preset > 49) RaiseInvalidArgument("文字效果样式 " + std::to_string(preset) + " 无效");
    if (!std::isfinite(font_size) || font_size < 1 || font_size > 1638) RaiseInvalidArgument("字号超出允许范围");
    const float weight = MsoBool(bold, "Bold") ? css::awt::FontWeight::BOLD : css::awt::FontWeight::NORMAL;
    const css::awt::FontSlant slant = MsoBool(italic, "Italic") ? css::awt::FontSlant_ITALIC : css::awt::FontSlant_NONE;
    // Shapes sit where the rows are: their heights follow the cells' fonts.
    context_->Flush();
    return Uno([&] {
      Reference<css::lang::XMultiServiceFactory> factory(context_->document, UNO_QUERY_THROW);
      Reference<css::drawing::XShape> shape(factory->createInstance("com.sun.star.drawing.TextShape"), UNO_QUERY_THROW);
      Reference<css::drawing::XShapes>(Page(), UNO_QUERY_THROW)->add(shape);
      shape->setPosition(css::awt::Point(PointsToMm100(left), PointsToMm100(top)));
      Reference<css::beans::XPropertySet> p = PropertiesOf(shape);
      p->setPropertyValue("TextAutoGrowWidth", Any(true));
      p->setPropertyValue("TextAutoGrowHeight", Any(true));
      p->setPropertyValue("TextWordWrap", Any(false));
      Reference<css::text::XText>(shape, UNO_QUERY_THROW)->setString(ToUno(text));
      for (const char* suffix : {"", "Asian", "Complex"}) {
        const OUString s = OUString::createFromAscii(suffix);
        p->setPropertyValue("CharFontName" + s, Any(ToUno(font_name)));
        p->setPropertyValue("CharHeight" + s, Any(static_cast<float>(font_size)));
        p->setPropertyValue("CharWeight" + s, Any(weight));
        p->setPropertyValue("CharPosture" + s, Any(slant));
      }
      shape->setPosition(css::awt::Point(PointsToMm100(left), PointsToMm100(top)));
      // A click on the cells under it selects the effect (Calc draws its
      // background layer under the cells' fills, where a month's mark would
      // vanish), but a drag cannot move or size it away from its month.
      p->setPropertyValue("MoveProtect", Any(true));
      p->setPropertyValue("SizeProtect", Any(true));
      return std::unique_ptr<host::Shape>(std::make_unique<OfficeShape>(context_, shape));
    });
  }

 private:
  Reference<css::container::XIndexAccess> Page() {
    // The document's draw pages go with its sheets, one each in tab order.
    auto pages = Reference<css::drawing::XDrawPagesSupplier>(context_->document, UNO_QUERY_THROW)->getDrawPages();
    return Reference<css::container::XIndexAccess>(pages->getByIndex(SheetArea(sheet_).Sheet), UNO_QUERY_THROW);
  }

  ContextPtr context_;
  Reference<css::sheet::XSpreadsheet> sheet_;
};

}  // namespace

std::unique_ptr<host::ShapeCollection> MakeShapes(const ContextPtr& context, Reference<css::sheet::XSpreadsheet> sheet) {
  return std::make_unique<OfficeShapes>(context, std::move(sheet));
}

void SelectChosenShapes(const ContextPtr& context) {
  if (context->chosen_shapes.empty()) return;
  const Shapes chosen = std::exchange(context->chosen_shapes, {});
  Uno([&] {
    Reference<css::view::XSelectionSupplier> selection(Controller(context), UNO_QUERY_THROW);
    selection->select(Any(chosen.back()));
  });
}

std::unique_ptr<host::ShapeSelection> MakeShapeSelection(const ContextPtr& context) {
  if (!context->chosen_shapes.empty())
    return std::make_unique<OfficeShapeSelection>(context, context->chosen_shapes);
  return Uno([&] {
    Reference<css::view::XSelectionSupplier> supplier(Controller(context), UNO_QUERY_THROW);
    const Any selection = supplier->getSelection();
    Shapes shapes;
    Reference<css::drawing::XShapes> group(selection, UNO_QUERY);
    if (group.is()) {
      for (std::int32_t i = 0; i < group->getCount(); ++i)
        shapes.push_back(Reference<css::drawing::XShape>(group->getByIndex(i), UNO_QUERY_THROW));
    } else if (Reference<css::drawing::XShape> one(selection, UNO_QUERY); one.is()) {
      shapes.push_back(one);
    }
    if (shapes.empty()) RaiseTypeMismatch("当前选定的不是图形");
    return std::unique_ptr<host::ShapeSelection>(std::make_unique<OfficeShapeSelection>(context, std::move(shapes)));
  });
}

}  // namespace tavo::office
