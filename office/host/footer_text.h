#pragma once
// A header or footer part as the desktop host writes it ("&P" the page
// number, "&N" the page count, "&A" the sheet, "&D" the date, "&T" the time,
// "&F" the file, "&&" an ampersand) against LibreOffice's text with fields.
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/text/XText.hpp>

#include <string>
#include <vector>

#include "office/host/uno_support.h"

namespace tavo::office {

// One piece of a part: literal text, or a field by its code letter.
struct FooterPiece {
  std::string text;
  char field = 0;  // 'P', 'N', 'A', 'D', 'T', 'F'; 0 for text
  bool operator==(const FooterPiece&) const = default;
};

std::vector<FooterPiece> ParseFooterCodes(const std::string& codes);
std::string FooterCodes(const std::vector<FooterPiece>& pieces);

// Replaces the text's content with the pieces, fields made by `factory`.
void WriteFooterText(const css::uno::Reference<css::text::XText>& text,
                     const css::uno::Reference<css::lang::XMultiServiceFactory>& factory,
                     const std::vector<FooterPiece>& pieces);
std::vector<FooterPiece> ReadFooterText(const css::uno::Reference<css::text::XText>& text);

}  // namespace tavo::office
