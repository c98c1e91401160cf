#include "office/host/footer_text.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextRange.hpp>

#include <array>
#include <cstring>

namespace tavo::office {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

struct FieldService {
  char code;
  const char* service;
};
constexpr std::array<FieldService, 6> kFields{{
    {'P', "com.sun.star.text.TextField.PageNumber"},
    {'N', "com.sun.star.text.TextField.PageCount"},
    {'A', "com.sun.star.text.TextField.SheetName"},
    {'D', "com.sun.star.text.TextField.DateTime"},
    {'T', "com.sun.star.text.TextField.Time"},
    {'F', "com.sun.star.text.TextField.FileName"},
}};

const char* ServiceOf(char code) {
  for (const FieldService& f : kFields)
    if (f.code == code) return f.service;
  return nullptr;
}

void AddText(std::vector<FooterPiece>& pieces, const std::string& text) {
  if (text.empty()) return;
  if (!pieces.empty() && pieces.back().field == 0) {
    pieces.back().text += text;
  } else {
    pieces.push_back({text, 0});
  }
}

char CodeOfField(const Reference<css::uno::XInterface>& field) {
  Reference<css::lang::XServiceInfo> info(field, UNO_QUERY);
  if (!info.is()) return 0;
  for (const FieldService& f : kFields)
    if (info->supportsService(OUString::createFromAscii(f.service))) return f.code;
  return 0;
}

}  // namespace

std::vector<FooterPiece> ParseFooterCodes(const std::string& codes) {
  std::vector<FooterPiece> pieces;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    if (codes[i] == '&' && i + 1 < codes.size()) {
      const char next = codes[i + 1];
      if (next == '&') {
        AddText(pieces, "&");
        ++i;
        continue;
      }
      if (ServiceOf(next) != nullptr) {
        pieces.push_back({"", next});
        ++i;
        continue;
      }
    }
    AddText(pieces, std::string(1, codes[i]));
  }
  return pieces;
}

std::string FooterCodes(const std::vector<FooterPiece>& pieces) {
  std::string codes;
  for (const FooterPiece& piece : pieces) {
    if (piece.field != 0) {
      codes += '&';
      codes += piece.field;
      continue;
    }
    for (char c : piece.text) codes += c == '&' ? std::string("&&") : std::string(1, c);
  }
  return codes;
}

void WriteFooterText(const Reference<css::text::XText>& text,
                     const Reference<css::lang::XMultiServiceFactory>& factory,
                     const std::vector<FooterPiece>& pieces) {
  text->setString(OUString());
  for (const FooterPiece& piece : pieces) {
    if (piece.field == 0) {
      text->insertString(text->getEnd(), ToUno(piece.text), false);
      continue;
    }
    Reference<css::text::XTextContent> field(
        factory->createInstance(OUString::createFromAscii(ServiceOf(piece.field))), UNO_QUERY_THROW);
    text->insertTextContent(text->getEnd(), field, false);
  }
}

std::vector<FooterPiece> ReadFooterText(const Reference<css::text::XText>& text) {
  std::vector<FooterPiece> pieces;
  Reference<css::container::XEnumerationAccess> access(text, UNO_QUERY_THROW);
  Reference<css::container::XEnumeration> paragraphs = access->createEnumeration();
  bool first = true;
  while (paragraphs->hasMoreElements()) {
    if (!first) AddText(pieces, "\n");
    first = false;
    Reference<css::container::XEnumerationAccess> paragraph(paragraphs->nextElement(), UNO_QUERY);
    if (!paragraph.is()) continue;
    Reference<css::container::XEnumeration> portions = paragraph->createEnumeration();
    while (portions->hasMoreElements()) {
      Reference<css::beans::XPropertySet> portion(portions->nextElement(), UNO_QUERY_THROW);
      OUString type;
      portion->getPropertyValue("TextPortionType") >>= type;
      if (type == "TextField") {
        Reference<css::uno::XInterface> field;
        portion->getPropertyValue("TextField") >>= field;
        if (char code = CodeOfField(field)) {
          pieces.push_back({"", code});
          continue;
        }
      }
      AddText(pieces, FromUno(Reference<css::text::XTextRange>(portion, UNO_QUERY_THROW)->getString()));
    }
  }
  return pieces;
}

}  // namespace tavo::office
