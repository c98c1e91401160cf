#include "host/host.h"

namespace tavo::host {

const char* PageSetupMemberName(PageSetupMember member) {
  switch (member) {
    case PageSetupMember::TopMargin: return "TopMargin";
    case PageSetupMember::BottomMargin: return "BottomMargin";
    case PageSetupMember::FooterMargin: return "FooterMargin";
    case PageSetupMember::Orientation: return "Orientation";
    case PageSetupMember::PaperSize: return "PaperSize";
    case PageSetupMember::Zoom: return "Zoom";
    case PageSetupMember::CenterFooter: return "CenterFooter";
    case PageSetupMember::HeaderMargin: return "HeaderMargin";
    case PageSetupMember::LeftMargin: return "LeftMargin";
    case PageSetupMember::RightMargin: return "RightMargin";
    case PageSetupMember::CenterHorizontally: return "CenterHorizontally";
    case PageSetupMember::PrintTitleRows: return "PrintTitleRows";
  }
  return "";
}

}  // namespace tavo::host
