#include "workbook/xlsx/opc_names.h"

#include <cstring>
#include <vector>

namespace tavo::xlsx {

std::string RelsPartFor(const std::string& part) {
  auto slash = part.rfind('/');
  std::string folder = slash == std::string::npos ? "" : part.substr(0, slash + 1);
  std::string file = slash == std::string::npos ? part : part.substr(slash + 1);
  return folder + "_rels/" + file + ".rels";
}

namespace {
std::vector<std::string> Split(const std::string& path) {
  std::vector<std::string> pieces;
  std::string piece;
  for (char c : path) {
    if (c == '/') {
      pieces.push_back(piece);
      piece.clear();
    } else {
      piece += c;
    }
  }
  pieces.push_back(piece);
  return pieces;
}
}  // namespace

std::string ResolveTarget(const std::string& source_part, const std::string& target) {
  std::vector<std::string> stack;
  if (target.empty() || target[0] != '/') {
    stack = Split(source_part);
    stack.pop_back();  // the source's file name
  }
  for (const std::string& piece : Split(target)) {
    if (piece.empty() || piece == ".") continue;
    if (piece == "..") {
      if (!stack.empty()) stack.pop_back();
      continue;
    }
    stack.push_back(piece);
  }
  std::string out;
  for (const std::string& piece : stack) {
    if (piece.empty()) continue;
    if (!out.empty()) out += '/';
    out += piece;
  }
  return out;
}

std::string RelativeTarget(const std::string& source_part, const std::string& part) {
  std::vector<std::string> from = Split(source_part);
  from.pop_back();
  std::vector<std::string> to = Split(part);
  size_t common = 0;
  while (common < from.size() && common + 1 < to.size() && from[common] == to[common]) ++common;
  std::string out;
  for (size_t i = common; i < from.size(); ++i) out += "../";
  for (size_t i = common; i < to.size(); ++i) {
    out += to[i];
    if (i + 1 < to.size()) out += '/';
  }
  return out;
}

const char* LocalName(const char* qualified) {
  const char* colon = std::strrchr(qualified, ':');
  return colon ? colon + 1 : qualified;
}

pugi::xml_node Child(pugi::xml_node parent, const char* local) {
  for (pugi::xml_node child : parent.children()) {
    if (child.type() == pugi::node_element && std::strcmp(LocalName(child.name()), local) == 0) {
      return child;
    }
  }
  return {};
}

}  // namespace tavo::xlsx
