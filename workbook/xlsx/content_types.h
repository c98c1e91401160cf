#pragma once
// [Content_Types].xml: the overrides of the parts we add and remove.
#include <pugixml.hpp>

#include <string>

namespace tavo::xlsx {

class ContentTypes {
 public:
  explicit ContentTypes(pugi::xml_document& doc) : root_(doc.document_element()) {}
  void AddOverride(const std::string& part, const char* content_type);
  void RemoveOverride(const std::string& part);
  // Adds a default for an extension when the file has none.
  void EnsureDefault(const char* extension, const char* content_type);

 private:
  pugi::xml_node root_;
};

}  // namespace tavo::xlsx
