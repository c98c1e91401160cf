#include "office/host/page_style.h"

#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/sheet/XHeaderFooterContent.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/XText.hpp>

#include <set>

#include "office/host/units.h"

namespace tavo::office {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

Reference<css::container::XNameContainer> PageStyles(const OfficeContext& context) {
  Reference<css::style::XStyleFamiliesSupplier> supplier(context.document, UNO_QUERY_THROW);
  return Reference<css::container::XNameContainer>(supplier->getStyleFamilies()->getByName("PageStyles"),
                                                   UNO_QUERY_THROW);
}

void ClearContent(const Reference<css::beans::XPropertySet>& style, const char* property) {
  const OUString name = OUString::createFromAscii(property);
  Reference<css::sheet::XHeaderFooterContent> content(style->getPropertyValue(name), UNO_QUERY_THROW);
  content->getLeftText()->setString(OUString());
  content->getCenterText()->setString(OUString());
  content->getRightText()->setString(OUString());
  style->setPropertyValue(name, Any(content));
}

// The desktop host's page setup of a new sheet: A4 portrait at 100 %,
// margins 0.75 in top and bottom, 0.7 in at the sides, 0.3 in for header
// and footer, nothing centred, no header or footer text.
void SetDesktopDefaults(const Reference<css::beans::XPropertySet>& style) {
  const std::int32_t top = PointsToMm100(54), side = PointsToMm100(50.4), edge = PointsToMm100(21.6);
  style->setPropertyValue("HeaderIsOn", Any(true));
  style->setPropertyValue("FooterIsOn", Any(true));
  style->setPropertyValue("HeaderIsShared", Any(true));
  style->setPropertyValue("FooterIsShared", Any(true));
  style->setPropertyValue("HeaderIsDynamicHeight", Any(false));
  style->setPropertyValue("FooterIsDynamicHeight", Any(false));
  style->setPropertyValue("HeaderBodyDistance", Any(std::int32_t{0}));
  style->setPropertyValue("FooterBodyDistance", Any(std::int32_t{0}));
  style->setPropertyValue("TopMargin", Any(edge));
  style->setPropertyValue("HeaderHeight", Any(top - edge));
  style->setPropertyValue("BottomMargin", Any(edge));
  style->setPropertyValue("FooterHeight", Any(top - edge));
  style->setPropertyValue("LeftMargin", Any(side));
  style->setPropertyValue("RightMargin", Any(side));
  style->setPropertyValue("IsLandscape", Any(false));
  style->setPropertyValue("Size", Any(css::awt::Size(21000, 29700)));
  style->setPropertyValue("ScaleToPagesX", Any(std::int16_t{0}));
  style->setPropertyValue("ScaleToPagesY", Any(std::int16_t{0}));
  style->setPropertyValue("ScaleToPages", Any(std::int16_t{0}));
  style->setPropertyValue("PageScale", Any(std::int16_t{100}));
  style->setPropertyValue("CenterHorizontally", Any(false));
  style->setPropertyValue("CenterVertically", Any(false));
  ClearContent(style, "RightPageHeaderContent");
  ClearContent(style, "RightPageFooterContent");
}

}  // namespace

Reference<css::beans::XPropertySet> PageStyleOf(const OfficeContext& context,
                                                const Reference<css::sheet::XSpreadsheet>& sheet) {
  OUString name;
  Reference<css::beans::XPropertySet>(sheet, UNO_QUERY_THROW)->getPropertyValue("PageStyle") >>= name;
  return Reference<css::beans::XPropertySet>(PageStyles(context)->getByName(name), UNO_QUERY_THROW);
}

void GiveOwnPageStyle(const OfficeContext& context, const Reference<css::sheet::XSpreadsheet>& sheet) {
  Reference<css::container::XNameContainer> styles = PageStyles(context);
  std::set<OUString> used;
  Reference<css::container::XIndexAccess> sheets(context.document->getSheets(), UNO_QUERY_THROW);
  for (std::int32_t i = 0; i < sheets->getCount(); ++i) {
    OUString name;
    Reference<css::beans::XPropertySet>(sheets->getByIndex(i), UNO_QUERY_THROW)->getPropertyValue("PageStyle") >>= name;
    used.insert(name);
  }
  OUString name;
  for (int n = 1;; ++n) {
    name = "tavo " + OUString::number(n);
    if (!used.count(name)) break;
  }
  // A style left behind by a deleted sheet is taken again, reset.
  if (!styles->hasByName(name)) {
    Reference<css::lang::XMultiServiceFactory> factory(context.document, UNO_QUERY_THROW);
    styles->insertByName(name, Any(factory->createInstance("com.sun.star.style.PageStyle")));
  }
  SetDesktopDefaults(Reference<css::beans::XPropertySet>(styles->getByName(name), UNO_QUERY_THROW));
  Reference<css::beans::XPropertySet>(sheet, UNO_QUERY_THROW)->setPropertyValue("PageStyle", Any(name));
}

}  // namespace tavo::office
