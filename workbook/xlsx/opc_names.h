#pragma once
// Part names and relationships of an Open Packaging package.
#include <pugixml.hpp>

#include <string>

namespace tavo::xlsx {

namespace ns {
inline constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr const char* kRel =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr const char* kPackageRel =
    "http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr const char* kContentTypes =
    "http://schemas.openxmlformats.org/package/2006/content-types";
inline constexpr const char* kDrawing =
    "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing";
inline constexpr const char* kDrawingMain = "http://schemas.openxmlformats.org/drawingml/2006/main";
}  // namespace ns

namespace reltype {
inline constexpr const char* kOfficeDocument =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
inline constexpr const char* kWorksheet =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
inline constexpr const char* kStyles =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
inline constexpr const char* kSharedStrings =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings";
inline constexpr const char* kCalcChain =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/calcChain";
inline constexpr const char* kDrawing =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/drawing";
inline constexpr const char* kExtendedProperties =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties";
inline constexpr const char* kCoreProperties =
    "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties";
}  // namespace reltype

namespace ctype {
inline constexpr const char* kWorkbook =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
inline constexpr const char* kWorksheet =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
inline constexpr const char* kStyles =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml";
inline constexpr const char* kDrawing = "application/vnd.openxmlformats-officedocument.drawing+xml";
inline constexpr const char* kRelationships =
    "application/vnd.openxmlformats-package.relationships+xml";
inline constexpr const char* kCoreProperties =
    "application/vnd.openxmlformats-package.core-properties+xml";
inline constexpr const char* kExtendedProperties =
    "application/vnd.openxmlformats-officedocument.extended-properties+xml";
}  // namespace ctype

// "xl/worksheets/sheet1.xml" -> "xl/worksheets/_rels/sheet1.xml.rels";
// "" (the package itself) -> "_rels/.rels".
std::string RelsPartFor(const std::string& part);

// Resolves a relationship target written in the rels of `source_part`
// ("../drawings/drawing1.xml", "/xl/styles.xml", "worksheets/sheet1.xml")
// to a part name without the leading slash.
std::string ResolveTarget(const std::string& source_part, const std::string& target);

// The target to write in the rels of `source_part` to reach `part`.
std::string RelativeTarget(const std::string& source_part, const std::string& part);

// The local name of an element or attribute ("x:sheet" -> "sheet"), so that
// files written with a namespace prefix read the same.
const char* LocalName(const char* qualified);

// First child element with the given local name.
pugi::xml_node Child(pugi::xml_node parent, const char* local);

}  // namespace tavo::xlsx
