#pragma once
// The parts every spreadsheet package needs, for a workbook made in memory:
// content types, package and workbook relationships, an empty workbook part
// (sheets are added like new sheets of a loaded file), styles and document
// properties.
#include <string>

#include "workbook/xlsx/package_edit.h"

namespace tavo::xlsx {

void WritePackageSkeleton(PackageEdit& package);

// A styles part with the default font and format only.
std::string DefaultStylesPart();

}  // namespace tavo::xlsx
