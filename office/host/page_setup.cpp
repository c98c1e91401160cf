// PageSetup of a sheet: its page style and its print title rows.
#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/sheet/XHeaderFooterContent.hpp>
#include <com/sun/star/sheet/XPrintAreas.hpp>

#include <algorithm>
#include <cmath>

#include "office/host/footer_text.h"
#include "office/host/office_objects.h"
#include "office/host/page_style.h"
#include "office/host/paper_sizes.h"
#include "office/host/units.h"
#include "host/a1_address.h"

namespace tavo::office {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;
using host::PageSetupMember;
using host::Variant;

// The smallest header or footer LibreOffice keeps, 1/100 mm.
constexpr std::int32_t kLeastHeaderHeight = 10;

std::int32_t GetInt(const Reference<css::beans::XPropertySet>& style, const char* name) {
  std::int32_t value = 0;
  style->getPropertyValue(OUString::createFromAscii(name)) >>= value;
  return value;
}
bool GetBool(const Reference<css::beans::XPropertySet>& style, const char* name) {
  bool value = false;
  style->getPropertyValue(OUString::createFromAscii(name)) >>= value;
  return value;
}
void Put(const Reference<css::beans::XPropertySet>& style, const char* name, const Any& value) {
  style->setPropertyValue(OUString::createFromAscii(name), value);
}

std::int32_t Margin(const Variant& value, PageSetupMember member) {
  if (value.IsBool()) RaiseTypeMismatch(std::string(host::PageSetupMemberName(member)) + " 须为数值");
  const double points = value.ToNumber();
  if (!std::isfinite(points) || points < 0 || points > 1584)
    RaiseInvalidArgument(std::string(host::PageSetupMemberName(member)) + " 的值无效");
  return PointsToMm100(points);
}

// The desktop's body margin (top or bottom) and header or footer margin,
// from the page's margin and the header's or footer's height.
struct Edge {
  const char* margin;  // "TopMargin"
  const char* on;      // "HeaderIsOn"
  const char* height;  // "HeaderHeight"
};
constexpr Edge kTop{"TopMargin", "HeaderIsOn", "HeaderHeight"};
constexpr Edge kBottom{"BottomMargin", "FooterIsOn", "FooterHeight"};

std::int32_t BodyMargin(const Reference<css::beans::XPropertySet>& style, const Edge& e) {
  return GetInt(style, e.margin) + (GetBool(style, e.on) ? GetInt(style, e.height) : 0);
}

void SetBodyMargin(const Reference<css::beans::XPropertySet>& style, const Edge& e, std::int32_t body) {
  if (!GetBool(style, e.on)) {
    Put(style, e.margin, Any(body));
    return;
  }
  // A header reaching into the body cannot be: the header margin gives way.
  const std::int32_t header = std::min(GetInt(style, e.margin), std::max(0, body - kLeastHeaderHeight));
  Put(style, e.margin, Any(header));
  Put(style, e.height, Any(std::max(kLeastHeaderHeight, body - header)));
}

void SetHeaderMargin(const Reference<css::beans::XPropertySet>& style, const Edge& e, std::int32_t header) {
  const std::int32_t body = BodyMargin(style, e);
  Put(style, e.on, Any(true));
  Put(style, e.margin, Any(std::min(header, std::max(0, body - kLeastHeaderHeight))));
  Put(style, e.height, Any(std::max(kLeastHeaderHeight, body - GetInt(style, e.margin))));
}

Reference<css::sheet::XHeaderFooterContent> FooterContent(const Reference<css::beans::XPropertySet>& style) {
  return Reference<css::sheet::XHeaderFooterContent>(style->getPropertyValue("RightPageFooterContent"),
                                                     UNO_QUERY_THROW);
}

class OfficePageLayout : public host::PageLayout {
 public:
  OfficePageLayout(ContextPtr context, Reference<css::sheet::XSpreadsheet> sheet)
      : context_(std::move(context)), sheet_(std::move(sheet)) {}

  Variant Get(PageSetupMember member) override {
    context_->Flush();
    return Uno([&]() -> Variant {
      if (member == PageSetupMember::PrintTitleRows) return TitleRows();
      Reference<css::beans::XPropertySet> style = PageStyleOf(*context_, sheet_);
      switch (member) {
        case PageSetupMember::TopMargin: return Mm100ToPoints(BodyMargin(style, kTop));
        case PageSetupMember::BottomMargin: return Mm100ToPoints(BodyMargin(style, kBottom));
        case PageSetupMember::HeaderMargin: return Mm100ToPoints(GetInt(style, "TopMargin"));
        case PageSetupMember::FooterMargin: return Mm100ToPoints(GetInt(style, "BottomMargin"));
        case PageSetupMember::LeftMargin: return Mm100ToPoints(GetInt(style, "LeftMargin"));
        case PageSetupMember::RightMargin: return Mm100ToPoints(GetInt(style, "RightMargin"));
        case PageSetupMember::Orientation: return GetBool(style, "IsLandscape") ? 2 : 1;
        case PageSetupMember::PaperSize: {
          css::awt::Size size;
          style->getPropertyValue("Size") >>= size;
          return CodeOfPaper(size.Width, size.Height);
        }
        case PageSetupMember::Zoom: {
          std::int16_t wide = 0, tall = 0, pages = 0, scale = 100;
          style->getPropertyValue("ScaleToPagesX") >>= wide;
          style->getPropertyValue("ScaleToPagesY") >>= tall;
          style->getPropertyValue("ScaleToPages") >>= pages;
          style->getPropertyValue("PageScale") >>= scale;
          if (wide > 0 || tall > 0 || pages > 0) return false;
          return static_cast<int>(scale);
        }
        case PageSetupMember::CenterFooter:
          if (!GetBool(style, "FooterIsOn")) return std::string();
          return FooterCodes(ReadFooterText(FooterContent(style)->getCenterText()));
        case PageSetupMember::CenterHorizontally: return GetBool(style, "CenterHorizontally");
        case PageSetupMember::PrintTitleRows: break;
      }
      RaiseInvalidArgument("未知的页面设置项");
    });
  }

  void Set(PageSetupMember member, const Variant& value) override {
    context_->Flush();
    if (member == PageSetupMember::PrintTitleRows) return SetTitleRows(value.ToText());
    Uno([&] {
      Reference<css::beans::XPropertySet> style = PageStyleOf(*context_, sheet_);
      switch (member) {
        case PageSetupMember::TopMargin: return SetBodyMargin(style, kTop, Margin(value, member));
        case PageSetupMember::BottomMargin: return SetBodyMargin(style, kBottom, Margin(value, member));
        case PageSetupMember::HeaderMargin: return SetHeaderMargin(style, kTop, Margin(value, member));
        case PageSetupMember::FooterMargin: return SetHeaderMargin(style, kBottom, Margin(value, member));
        case PageSetupMember::LeftMargin: return Put(style, "LeftMargin", Any(Margin(value, member)));
        case PageSetupMember::RightMargin: return Put(style, "RightMargin", Any(Margin(value, member)));
        case PageSetupMember::Orientation: return SetOrientation(style, value.ToInt32());
        case PageSetupMember::PaperSize: return SetPaper(style, value.ToInt32());
        case PageSetupMember::Zoom: return SetZoom(style, value);
        case PageSetupMember::CenterFooter: return SetCenterFooter(style, value.ToText());
        case PageSetupMember::CenterHorizontally: return Put(style, "CenterHorizontally", Any(value.ToBool()));
        case PageSetupMember::PrintTitleRows: return;
      }
    });
  }

 private:
  static void SetOrientation(const Reference<css::beans::XPropertySet>& style, std::int32_t orientation) {
    if (orientation != 1 && orientation != 2) RaiseInvalidArgument("Orientation 须为 1 或 2");
    css::awt::Size size;
    style->getPropertyValue("Size") >>= size;
    const bool landscape = orientation == 2;
    const std::int32_t short_side = std::min(size.Width, size.Height), long_side = std::max(size.Width, size.Height);
    Put(style, "IsLandscape", Any(landscape));
    Put(style, "Size", Any(landscape ? css::awt::Size(long_side, short_side) : css::awt::Size(short_side, long_side)));
  }

  static void SetPaper(const Reference<css::beans::XPropertySet>& style, std::int32_t code) {
    PaperSize paper{};
    if (!PaperOfCode(code, paper)) RaiseInvalidArgument("纸张大小 " + std::to_string(code) + " 无效");
    const bool landscape = GetBool(style, "IsLandscape");
    Put(style, "Size", Any(landscape ? css::awt::Size(paper.height, paper.width) : css::awt::Size(paper.width, paper.height)));
  }

  // False fits the sheet on one page wide and one tall, as the desktop host does.
  static void SetZoom(const Reference<css::beans::XPropertySet>& style, const Variant& value) {
    if (value.IsBool()) {
      if (value.Bool()) RaiseInvalidArgument("Zoom 只能是百分比或 False");
      Put(style, "ScaleToPages", Any(std::int16_t{0}));
      Put(style, "ScaleToPagesX", Any(std::int16_t{1}));
      Put(style, "ScaleToPagesY", Any(std::int16_t{1}));
      return;
    }
    const std::int32_t zoom = value.ToInt32();
    if (zoom < 10 || zoom > 400) RaiseInvalidArgument("Zoom 须在 10 到 400 之间");
    Put(style, "ScaleToPages", Any(std::int16_t{0}));
    Put(style, "ScaleToPagesX", Any(std::int16_t{0}));
    Put(style, "ScaleToPagesY", Any(std::int16_t{0}));
    Put(style, "PageScale", Any(static_cast<std::int16_t>(zoom)));
  }

  void SetCenterFooter(const Reference<css::beans::XPropertySet>& style, const std::string& codes) {
    if (!GetBool(style, "FooterIsOn")) SetHeaderMargin(style, kBottom, GetInt(style, "BottomMargin"));
    Reference<css::sheet::XHeaderFooterContent> content = FooterContent(style);
    WriteFooterText(content->getCenterText(), Reference<css::lang::XMultiServiceFactory>(context_->document, UNO_QUERY_THROW),
                    ParseFooterCodes(codes));
    Put(style, "RightPageFooterContent", Any(content));
  }

  std::string TitleRows() {
    Reference<css::sheet::XPrintAreas> areas(sheet_, UNO_QUERY_THROW);
    if (!areas->getPrintTitleRows()) return {};
    const css::table::CellRangeAddress rows = areas->getTitleRows();
    return "$" + std::to_string(rows.StartRow + 1) + ":$" + std::to_string(rows.EndRow + 1);
  }

  void SetTitleRows(const std::string& text) {
    std::int32_t first = 0, last = 0;
    if (!text.empty() && !(host::ParseRowAddress(text, first, last)))
      RaiseInvalidArgument("PrintTitleRows \"" + text + "\" 无效");
    Uno([&] {
      Reference<css::sheet::XPrintAreas> areas(sheet_, UNO_QUERY_THROW);
      if (text.empty()) return areas->setPrintTitleRows(false);
      const css::table::CellRangeAddress whole = SheetArea(sheet_);
      if (last - 1 > whole.EndRow) RaiseInvalidArgument("PrintTitleRows \"" + text + "\" 无效");
      areas->setTitleRows(css::table::CellRangeAddress(whole.Sheet, 0, first - 1, 0, last - 1));
      areas->setPrintTitleRows(true);
    });
  }

  ContextPtr context_;
  Reference<css::sheet::XSpreadsheet> sheet_;
};

}  // namespace

std::unique_ptr<host::PageLayout> MakePageLayout(const ContextPtr& context, Reference<css::sheet::XSpreadsheet> sheet) {
  return std::make_unique<OfficePageLayout>(context, std::move(sheet));
}

}  // namespace tavo::office
