#include "workbook/xlsx/part_graph.h"

#include <map>
#include <vector>

#include "workbook/xlsx/opc_names.h"
#include "workbook/xlsx/package_layout.h"

namespace tavo::xlsx {
namespace {

// "xl/worksheets/_rels/sheet1.xml.rels" -> "xl/worksheets/sheet1.xml", "_rels/.rels" -> "".
bool SourceOfRels(const std::string& rels, std::string& source) {
  const std::string suffix = ".rels";
  if (rels.size() < suffix.size() || rels.compare(rels.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return false;
  }
  auto marker = rels.rfind("_rels/");
  if (marker == std::string::npos || (marker != 0 && rels[marker - 1] != '/')) return false;
  std::string file = rels.substr(marker + 6, rels.size() - marker - 6 - suffix.size());
  source = rels.substr(0, marker) + file;
  return true;
}

void Reach(const std::map<std::string, std::vector<std::string>>& graph, const std::string& from,
           const std::set<std::string>& blocked, std::set<std::string>& seen) {
  std::vector<std::string> stack{from};
  while (!stack.empty()) {
    std::string part = stack.back();
    stack.pop_back();
    auto it = graph.find(part);
    if (it == graph.end()) continue;
    for (const std::string& target : it->second) {
      if (blocked.count(target) || !seen.insert(target).second) continue;
      stack.push_back(target);
    }
  }
}

}  // namespace

std::set<std::string> PartsToRemove(const PackageEdit& package, const std::set<std::string>& deleted,
                                    const std::string& file) {
  std::map<std::string, std::vector<std::string>> graph;
  for (const std::string& name : package.Names()) {
    std::string source;
    if (!SourceOfRels(name, source)) continue;
    for (const Relationship& r : ReadRelationships(package, source, file)) {
      if (!r.external && !r.part.empty()) graph[source].push_back(r.part);
    }
  }
  std::set<std::string> candidates(deleted.begin(), deleted.end());
  for (const std::string& sheet : deleted) Reach(graph, sheet, {}, candidates);
  std::set<std::string> kept;
  Reach(graph, "", deleted, kept);

  std::set<std::string> remove;
  for (const std::string& part : candidates) {
    if (kept.count(part) && !deleted.count(part)) continue;
    remove.insert(part);
    std::string rels = RelsPartFor(part);
    if (package.Exists(rels)) remove.insert(rels);
  }
  return remove;
}

}  // namespace tavo::xlsx
