#include "office/host/view_data.h"

#include <cstddef>
#include <vector>

namespace tavo::office {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

std::string Join(const std::vector<std::string>& parts, char separator) {
  std::string text;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i) text += separator;
    text += parts[i];
  }
  return text;
}

bool IsNumber(const std::string& field) {
  if (field.empty()) return false;
  for (char c : field)
    if (c < '0' || c > '9') return false;
  return true;
}

// Fields of a sheet's entry that this code writes.
enum Field : std::size_t {
  kColumnSplitMode = 2,
  kRowSplitMode = 3,
  kColumnSplit = 4,
  kRowSplit = 5,
  kFirstColumnLeft = 7,
  kFirstColumnRight = 8,
  kFirstRowTop = 9,
  kFirstRowBottom = 10,
  kFieldCount = 11,
};
constexpr const char* kNoSplit = "0";
constexpr const char* kFixedSplit = "2";
// Before the sheets' entries: the zoom, the active sheet, the tab bar.
constexpr std::size_t kLeadingParts = 3;

// Sheet `sheet`'s entry of the view data split into its fields, or nullopt.
std::optional<std::vector<std::string>> EntryOf(const std::vector<std::string>& parts, std::int32_t sheet) {
  if (sheet < 0) return std::nullopt;
  const std::size_t index = kLeadingParts + static_cast<std::size_t>(sheet);
  if (index >= parts.size()) return std::nullopt;
  std::vector<std::string> fields = Split(parts[index], '/');
  if (fields.size() < kFieldCount) return std::nullopt;
  for (std::size_t f = 0; f < kFieldCount; ++f)
    if (!IsNumber(fields[f])) return std::nullopt;
  return fields;
}

}  // namespace

std::optional<std::string> FrozenViewData(const std::string& view_data, std::int32_t sheet,
                                          std::int32_t columns, std::int32_t rows) {
  if (columns < 0 || rows < 0) return std::nullopt;
  std::vector<std::string> parts = Split(view_data, ';');
  std::optional<std::vector<std::string>> fields = EntryOf(parts, sheet);
  if (!fields) return std::nullopt;
  (*fields)[kColumnSplitMode] = columns ? kFixedSplit : kNoSplit;
  (*fields)[kColumnSplit] = std::to_string(columns);
  (*fields)[kFirstColumnLeft] = "0";
  (*fields)[kFirstColumnRight] = std::to_string(columns);
  (*fields)[kRowSplitMode] = rows ? kFixedSplit : kNoSplit;
  (*fields)[kRowSplit] = std::to_string(rows);
  (*fields)[kFirstRowTop] = "0";
  (*fields)[kFirstRowBottom] = std::to_string(rows);
  parts[kLeadingParts + static_cast<std::size_t>(sheet)] = Join(*fields, '/');
  return Join(parts, ';');
}

std::optional<FrozenSplit> FrozenSplitOf(const std::string& view_data, std::int32_t sheet) {
  const std::optional<std::vector<std::string>> fields = EntryOf(Split(view_data, ';'), sheet);
  if (!fields) return std::nullopt;
  auto at = [&](Field mode, Field split) -> std::int32_t {
    if ((*fields)[mode] != kFixedSplit || (*fields)[split].size() > 9) return 0;
    return std::stoi((*fields)[split]);
  };
  return FrozenSplit{at(kColumnSplitMode, kColumnSplit), at(kRowSplitMode, kRowSplit)};
}

}  // namespace tavo::office
