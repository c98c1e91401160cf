#include "workbook/xlsx/xml_part.h"

#include <sstream>

#include "workbook/xlsx/xlsx_error.h"

namespace tavo::xlsx {

void ParseXmlPart(pugi::xml_document& doc, const std::string& content, const std::string& file,
                  const std::string& part) {
  pugi::xml_parse_result result =
      doc.load_buffer(content.data(), content.size(), kXmlParseFlags, pugi::encoding_auto);
  if (!result || doc.document_element().empty()) {
    std::string reason = result ? "no root element" : result.description();
    RaiseBadPackage(file,
                    "部件 " + part + " 的 XML 有误（位置 " + std::to_string(result.offset) + "）",
                    "part " + part + " has malformed XML (" + reason + " at offset " +
                        std::to_string(result.offset) + ")");
  }
}

namespace {
struct StringWriter : pugi::xml_writer {
  std::string out;
  void write(const void* data, size_t size) override {
    out.append(static_cast<const char*>(data), size);
  }
};
}  // namespace

std::string SaveXmlPart(const pugi::xml_document& doc) {
  StringWriter writer;
  doc.save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
  return std::move(writer.out);
}

void NewXmlDocument(pugi::xml_document& doc) {
  doc.reset();
  pugi::xml_node decl = doc.append_child(pugi::node_declaration);
  decl.append_attribute("version") = "1.0";
  decl.append_attribute("encoding") = "UTF-8";
  decl.append_attribute("standalone") = "yes";
}

std::string XmlEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace tavo::xlsx
