// PageSetup of a sheet: the twelve members, checked as the host checks them.
#include <cmath>

#include "common/error.h"
#include "workbook/embedded_objects.h"

namespace tavo::workbook {

namespace {

using host::PageSetupMember;
using host::Variant;

// Paper sizes the file format defines (1..118), and 256 for a custom size.
bool KnownPaperSize(std::int32_t size) { return (size >= 1 && size <= 118) || size == 256; }

double Margin(const Variant& value, PageSetupMember member) {
  if (value.IsBool()) RaiseTypeMismatch(std::string(host::PageSetupMemberName(member)) + " 须为数值");
  double points = value.ToNumber();
  if (!std::isfinite(points) || points < 0 || points > 1584)  // 22 inches: beyond any paper
    RaiseInvalidArgument(std::string(host::PageSetupMemberName(member)) + " 的值无效");
  return points;
}

class EmbeddedPageLayout : public host::PageLayout {
 public:
  EmbeddedPageLayout(ModelPtr model, std::uint64_t sheet_id)
      : model_(std::move(model)), sheet_id_(sheet_id) {}

  Variant Get(PageSetupMember member) override {
    const PageSetup& p = ResolveSheet(*model_, sheet_id_).page_setup;
    switch (member) {
      case PageSetupMember::TopMargin: return p.top_margin;
      case PageSetupMember::BottomMargin: return p.bottom_margin;
      case PageSetupMember::FooterMargin: return p.footer_margin;
      case PageSetupMember::HeaderMargin: return p.header_margin;
      case PageSetupMember::LeftMargin: return p.left_margin;
      case PageSetupMember::RightMargin: return p.right_margin;
      case PageSetupMember::Orientation: return p.orientation;
      case PageSetupMember::PaperSize: return p.paper_size;
      case PageSetupMember::Zoom: return p.fit_to_page ? Variant(false) : Variant(p.zoom);
      case PageSetupMember::CenterFooter: return p.center_footer;
      case PageSetupMember::CenterHorizontally: return p.center_horizontally;
      case PageSetupMember::PrintTitleRows: return p.print_title_rows;
    }
    RaiseInvalidArgument("未知的页面设置项");
  }

  void Set(PageSetupMember member, const Variant& value) override {
    Worksheet& sheet = ResolveSheet(*model_, sheet_id_);
    PageSetup p = sheet.page_setup;  // changed only when the value passes
    switch (member) {
      case PageSetupMember::TopMargin: p.top_margin = Margin(value, member); break;
      case PageSetupMember::BottomMargin: p.bottom_margin = Margin(value, member); break;
      case PageSetupMember::FooterMargin: p.footer_margin = Margin(value, member); break;
      case PageSetupMember::HeaderMargin: p.header_margin = Margin(value, member); break;
      case PageSetupMember::LeftMargin: p.left_margin = Margin(value, member); break;
      case PageSetupMember::RightMargin: p.right_margin = Margin(value, member); break;
      case PageSetupMember::Orientation:
        p.orientation = value.ToInt32();
        if (p.orientation != 1 && p.orientation != 2) RaiseInvalidArgument("Orientation 须为 1 或 2");
        break;
      case PageSetupMember::PaperSize:
        p.paper_size = value.ToInt32();
        if (!KnownPaperSize(p.paper_size))
          RaiseInvalidArgument("纸张大小 " + std::to_string(p.paper_size) + " 无效");
        break;
      case PageSetupMember::Zoom:
        if (value.IsBool()) {
          if (value.Bool()) RaiseInvalidArgument("Zoom 只能是百分比或 False");
          p.fit_to_page = true;
        } else {
          std::int32_t zoom = value.ToInt32();
          if (zoom < 10 || zoom > 400) RaiseInvalidArgument("Zoom 须在 10 到 400 之间");
          p.fit_to_page = false;
          p.zoom = zoom;
        }
        break;
      case PageSetupMember::CenterFooter: p.center_footer = value.ToText(); break;
      case PageSetupMember::CenterHorizontally: p.center_horizontally = value.ToBool(); break;
      case PageSetupMember::PrintTitleRows: {
        std::string text = value.ToText();
        std::int32_t first = 0, last = 0;
        if (text.empty()) {
          p.print_title_rows.clear();
        } else if (ParseRowAddress(text, first, last) && last <= kMaxRows) {
          p.print_title_rows = "$" + std::to_string(first) + ":$" + std::to_string(last);
        } else {
          RaiseInvalidArgument("PrintTitleRows \"" + text + "\" 无效");
        }
        break;
      }
    }
    sheet.page_setup = p;
    sheet.modified = true;
  }

 private:
  ModelPtr model_;
  std::uint64_t sheet_id_;
};

}  // namespace

std::unique_ptr<host::PageLayout> MakePageLayout(ModelPtr model, std::uint64_t sheet_id) {
  return std::make_unique<EmbeddedPageLayout>(std::move(model), sheet_id);
}

}  // namespace tavo::workbook
