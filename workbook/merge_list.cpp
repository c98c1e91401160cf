// Merged areas with a row-bucket index.
#include <algorithm>

#include "workbook/workbook_model.h"

namespace tavo::workbook {

void MergeList::Add(const Area& area) {
  areas_.push_back(area);
  IndexOne(areas_.size() - 1);
}

void MergeList::Remove(const Area& area) {
  auto it = std::find(areas_.begin(), areas_.end(), area);
  if (it == areas_.end()) return;
  areas_.erase(it);
  Rebuild();
}

void MergeList::Assign(std::vector<Area> areas) {
  areas_ = std::move(areas);
  Rebuild();
}

std::vector<Area> MergeList::Intersecting(const Area& area) const {
  std::vector<std::size_t> hits;
  auto consider = [&](std::size_t i) {
    if (areas_[i].Intersects(area)) hits.push_back(i);
  };
  for (std::size_t i : tall_) consider(i);
  auto first = buckets_.lower_bound(area.top / kBucketRows);
  auto last = buckets_.upper_bound(area.bottom / kBucketRows);
  for (auto it = first; it != last; ++it)
    for (std::size_t i : it->second) consider(i);
  // An area spanning several buckets is met once per bucket.
  std::sort(hits.begin(), hits.end());
  hits.erase(std::unique(hits.begin(), hits.end()), hits.end());
  std::vector<Area> result;
  result.reserve(hits.size());
  for (std::size_t i : hits) result.push_back(areas_[i]);
  return result;
}

const Area* MergeList::At(std::int32_t row, std::int32_t column) const {
  for (std::size_t i : tall_)
    if (areas_[i].Contains(row, column)) return &areas_[i];
  auto it = buckets_.find(row / kBucketRows);
  if (it == buckets_.end()) return nullptr;
  for (std::size_t i : it->second)
    if (areas_[i].Contains(row, column)) return &areas_[i];
  return nullptr;
}

void MergeList::Rebuild() {
  buckets_.clear();
  tall_.clear();
  for (std::size_t i = 0; i < areas_.size(); ++i) IndexOne(i);
}

void MergeList::IndexOne(std::size_t i) {
  const Area& a = areas_[i];
  std::int32_t first = a.top / kBucketRows, last = a.bottom / kBucketRows;
  if (last - first + 1 > kMaxBucketsPerArea) {
    tall_.push_back(i);
    return;
  }
  for (std::int32_t b = first; b <= last; ++b) buckets_[b].push_back(i);
}

}  // namespace tavo::workbook
