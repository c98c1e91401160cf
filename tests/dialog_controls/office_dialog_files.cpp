#include "dialog_controls/office_dialog_files.h"

#include <pugixml.hpp>

#include <cctype>
#include <sstream>
#include <string_view>

namespace tavo::office_files {
namespace {

using host::DialogControlKind;

std::optional<DialogControlKind> KindOf(std::string_view element) {
  if (element == "dlg:text") return DialogControlKind::kLabel;
  if (element == "dlg:textfield") return DialogControlKind::kTextBox;
  if (element == "dlg:radio") return DialogControlKind::kOptionButton;
  if (element == "dlg:checkbox") return DialogControlKind::kCheckBox;
  if (element == "dlg:button") return DialogControlKind::kCommandButton;
  if (element == "dlg:titledbox") return DialogControlKind::kFrame;
  return std::nullopt;
}

// "vnd.sun.star.script:Tavo.Dialog.txtBDate_Exit?language=Basic&location=application"
// calls the Sub txtBDate_Exit of the module Dialog.
std::string HandlerOf(const std::string& macro) {
  const std::string prefix = "vnd.sun.star.script:Tavo.Dialog.";
  if (macro.rfind(prefix, 0) != 0) return macro;
  const std::string rest = macro.substr(prefix.size());
  return rest.substr(0, rest.find('?'));
}

void Collect(pugi::xml_node node, OfficeDialog& dialog) {
  for (pugi::xml_node child : node.children()) {
    if (child.type() != pugi::node_element) continue;
    const std::string element = child.name();
    if (element == "dlg:radiogroup") {
      std::vector<std::string> group;
      for (pugi::xml_node radio : child.children("dlg:radio")) group.push_back(radio.attribute("dlg:id").value());
      dialog.radio_groups.push_back(group);
    } else if (element == "dlg:radio" && std::string_view(node.name()) != "dlg:radiogroup") {
      dialog.radio_groups.push_back({child.attribute("dlg:id").value()});
    }
    if (pugi::xml_attribute id = child.attribute("dlg:id")) {
      OfficeControl control{element, KindOf(element), child.attribute("dlg:value").value(), {}};
      if (element == "dlg:titledbox") control.caption = child.child("dlg:title").attribute("dlg:value").value();
      for (pugi::xml_node event : child.children("script:event"))
        control.handlers.push_back(HandlerOf(event.attribute("script:macro-name").value()));
      dialog.controls[id.value()] = control;
    }
    Collect(child, dialog);
  }
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

}  // namespace

OfficeDialog ReadOfficeDialog(const std::string& path, std::string& error) {
  OfficeDialog dialog;
  pugi::xml_document doc;
  const pugi::xml_parse_result parsed = doc.load_file(path.c_str());
  if (!parsed) {
    error = path + ": " + parsed.description();
    return dialog;
  }
  Collect(doc.child("dlg:window"), dialog);
  return dialog;
}

std::string ReadBasicModule(const std::string& path, std::string& error) {
  pugi::xml_document doc;
  const pugi::xml_parse_result parsed = doc.load_file(path.c_str());
  if (!parsed) {
    error = path + ": " + parsed.description();
    return {};
  }
  return doc.child("script:module").text().get();
}

std::map<std::string, std::string> BasicSubs(const std::string& basic) {
  std::map<std::string, std::string> subs;
  std::istringstream lines(basic);
  std::string line;
  std::string* open = nullptr;  // the body of a Sub spanning lines
  while (std::getline(lines, line)) {
    const std::string text = Trimmed(line);
    if (open) {
      if (text == "End Sub") {
        open = nullptr;
      } else {
        *open += text + "\n";
      }
      continue;
    }
    if (text.rfind("Sub ", 0) != 0) continue;
    size_t end = 4;
    while (end < text.size() && IsNameChar(text[end])) ++end;
    std::string& body = subs[text.substr(4, end - 4)];
    const std::string one_line_end = ": End Sub";
    if (text.size() >= one_line_end.size() && text.ends_with(one_line_end)) {
      // "Sub Name : statements : End Sub", the parameters (if any) before the first colon.
      const size_t colon = text.find(':', end);
      body = Trimmed(text.substr(colon + 1, text.size() - one_line_end.size() - colon - 1));
    } else {
      open = &body;
    }
  }
  return subs;
}

std::vector<std::string> FiredEvents(const std::string& body, const std::string& control) {
  std::vector<std::string> events;
  size_t calls = 0;
  for (size_t at = body.find("Fire"); at != std::string::npos; at = body.find("Fire", at + 4)) {
    const bool whole = (at == 0 || !IsNameChar(body[at - 1])) &&
                       (at + 4 == body.size() || !IsNameChar(body[at + 4]));
    if (!whole) continue;
    ++calls;
    if (body.compare(at + 4, 1, "(") != 0) continue;
    const size_t close = body.find(')', at);
    const std::string arg =
        Trimmed(close == std::string::npos ? body.substr(at + 5) : body.substr(at + 5, close - at - 5));
    if (arg.size() >= 2 && arg.front() == '"' && arg.back() == '"') {
      events.push_back(arg.substr(1, arg.size() - 2));
    } else if (arg == "oEvent.Source.Model.Name") {
      events.push_back(control);
    } else {
      events.push_back("?" + arg);
    }
  }
  // A Fire the reading above does not understand, or MyFun called directly.
  if (events.size() != calls) events.push_back("?Fire without parentheses");
  if (body.find("MyFun") != std::string::npos) events.push_back("?MyFun");
  return events;
}

}  // namespace tavo::office_files
