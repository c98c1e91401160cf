#include "sheets/title_effect.h"

namespace tavo::sheets {
namespace {

constexpr int kFirstPreset = 0;
constexpr const char* kFontName = "宋体";
constexpr double kFontSize = 80;
constexpr std::int16_t kNo = 0;
constexpr double kHalfTransparent = 0.5;

}  // namespace

void AddTitleEffect(host::Application& ea, const std::string& text, std::int32_t left,
                    std::int32_t top, std::int32_t scheme_colour) {
  ea.ActiveSheet()
      ->Shapes()
      ->AddTextEffect(kFirstPreset, text, kFontName, kFontSize, kNo, kNo, left, top)
      ->Select();
  // The shape moves with the cells under it but keeps its size.
  ea.Selection()->SetPlacement(host::Placement::kMove);
  auto shapes = ea.Selection()->ShapeRange();
  shapes->Fill()->SetVisible(host::TriState::kTrue);
  shapes->Fill()->Solid();
  shapes->Fill()->ForeColor()->SetSchemeColor(scheme_colour);
  shapes->Fill()->SetTransparency(kHalfTransparent);
  shapes->Line()->SetVisible(host::TriState::kFalse);
}

}  // namespace tavo::sheets
