#include "workbook/xlsx/content_types.h"

#include <cstring>
#include <strings.h>

#include "workbook/xlsx/opc_names.h"

namespace tavo::xlsx {

void ContentTypes::AddOverride(const std::string& part, const char* content_type) {
  RemoveOverride(part);
  pugi::xml_node node = root_.append_child("Override");
  node.append_attribute("PartName") = ("/" + part).c_str();
  node.append_attribute("ContentType") = content_type;
}

void ContentTypes::RemoveOverride(const std::string& part) {
  std::string name = "/" + part;
  for (pugi::xml_node node = root_.first_child(); node;) {
    pugi::xml_node next = node.next_sibling();
    // Part names compare without regard to case.
    if (std::strcmp(LocalName(node.name()), "Override") == 0 &&
        strcasecmp(node.attribute("PartName").value(), name.c_str()) == 0) {
      root_.remove_child(node);
    }
    node = next;
  }
}

void ContentTypes::EnsureDefault(const char* extension, const char* content_type) {
  for (pugi::xml_node node : root_.children()) {
    if (std::strcmp(LocalName(node.name()), "Default") == 0 &&
        strcasecmp(node.attribute("Extension").value(), extension) == 0) {
      return;
    }
  }
  pugi::xml_node node = root_.prepend_child("Default");
  node.append_attribute("Extension") = extension;
  node.append_attribute("ContentType") = content_type;
}

}  // namespace tavo::xlsx
