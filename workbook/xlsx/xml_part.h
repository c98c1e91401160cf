#pragma once
// Parsing and saving XML parts so that what we do not edit stays as it was:
// comments, processing instructions, the declaration and whitespace in
// attribute values are kept, and saving adds no indentation.
#include <pugixml.hpp>

#include <string>

namespace tavo::xlsx {

inline constexpr unsigned kXmlParseFlags =
    (pugi::parse_default | pugi::parse_declaration | pugi::parse_comments | pugi::parse_pi |
     pugi::parse_ws_pcdata_single) &
    ~pugi::parse_wconv_attribute;

// Raises tavo::Error naming `file` and `part` when the XML is malformed.
void ParseXmlPart(pugi::xml_document& doc, const std::string& content, const std::string& file,
                  const std::string& part);

// The document as text, unformatted; a declaration is written only when the
// document has one (new documents get one from NewXmlDocument).
std::string SaveXmlPart(const pugi::xml_document& doc);

// Starts a document with the standalone declaration the host writes.
void NewXmlDocument(pugi::xml_document& doc);

// Escapes text for use inside XML we compose as text.
std::string XmlEscape(const std::string& text);

}  // namespace tavo::xlsx
