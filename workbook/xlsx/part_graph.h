#pragma once
// Which parts a deleted sheet takes with it: every part reachable from it
// through relationships that no part staying in the package still reaches.
#include <set>
#include <string>

#include "workbook/xlsx/package_edit.h"

namespace tavo::xlsx {

// `deleted` are the sheet parts going away. The result holds them, the
// parts only they reached, and the relationship parts of all of these.
std::set<std::string> PartsToRemove(const PackageEdit& package, const std::set<std::string>& deleted,
                                    const std::string& file);

}  // namespace tavo::xlsx
