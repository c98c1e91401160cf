#include "workbook/xlsx/number_formats.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "host/value_rules.h"
#include "workbook/xlsx/opc_names.h"

namespace tavo::xlsx {
namespace {

bool Is(pugi::xml_node node, const char* local) {
  return node.type() == pugi::node_element && std::strcmp(LocalName(node.name()), local) == 0;
}

// True when a bracketed part is an elapsed time ([h], [mm], [ss]).
bool IsElapsedTime(std::string_view inside) {
  if (inside.empty()) return false;
  for (char c : inside) {
    const char lower = static_cast<char>(c | 0x20);
    if (lower != 'h' && lower != 'm' && lower != 's') return false;
  }
  return true;
}

bool StartsWithGeneral(std::string_view s) {
  constexpr std::string_view kGeneral = "general";
  if (s.size() < kGeneral.size()) return false;
  for (std::size_t i = 0; i < kGeneral.size(); ++i) {
    if (static_cast<char>(s[i] | 0x20) != kGeneral[i]) return false;
  }
  return true;
}

}  // namespace

bool IsDateFormatCode(std::string_view code) {
  static constexpr std::string_view kCjkTokens[] = {"年", "月", "日"};
  for (std::size_t i = 0; i < code.size(); ++i) {
    const char c = code[i];
    if (c == '"') {  // quoted text
      const std::size_t end = code.find('"', i + 1);
      if (end == std::string_view::npos) return false;
      i = end;
      continue;
    }
    if (c == '\\' || c == '_' || c == '*') {  // an escaped, padding or fill character
      ++i;
      if (i < code.size() && static_cast<unsigned char>(code[i]) >= 0x80) {
        while (i + 1 < code.size() && (static_cast<unsigned char>(code[i + 1]) & 0xC0) == 0x80) ++i;
      }
      continue;
    }
    if (c == '[') {
      const std::size_t end = code.find(']', i + 1);
      if (end == std::string_view::npos) return false;
      if (IsElapsedTime(code.substr(i + 1, end - i - 1))) return true;
      i = end;
      continue;
    }
    if (StartsWithGeneral(code.substr(i))) {  // "General" holds an 'e' but is no date
      i += 6;
      continue;
    }
    const char lower = static_cast<char>(c | 0x20);
    const bool exponent =
        lower == 'e' && i + 1 < code.size() && (code[i + 1] == '+' || code[i + 1] == '-');
    if (exponent) continue;  // "0.00E+00" is scientific, not an era year
    if (((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) &&
        (lower == 'y' || lower == 'm' || lower == 'd' || lower == 'h' || lower == 's' ||
         lower == 'e')) {
      return true;
    }
    for (std::string_view token : kCjkTokens) {
      if (code.substr(i, token.size()) == token) return true;
    }
  }
  return false;
}

std::vector<bool> DateStyles(const pugi::xml_document& styles) {
  pugi::xml_node root = styles.document_element();
  std::map<long, bool> custom;
  for (pugi::xml_node f : Child(root, "numFmts").children()) {
    if (!Is(f, "numFmt")) continue;
    custom[f.attribute("numFmtId").as_int(-1)] = IsDateFormatCode(f.attribute("formatCode").value());
  }
  std::vector<bool> dates;
  for (pugi::xml_node xf : Child(root, "cellXfs").children()) {
    if (!Is(xf, "xf")) continue;
    const int id = xf.attribute("numFmtId").as_int(0);
    auto it = custom.find(id);
    dates.push_back(it != custom.end() ? it->second : host::IsDateNumberFormat(id));
  }
  return dates;
}

double FileSerialToDate(double serial) { return serial < 60 ? serial + 1 : serial; }

double DateToFileSerial(double date) { return date < 61 ? date - 1 : date; }

}  // namespace tavo::xlsx
