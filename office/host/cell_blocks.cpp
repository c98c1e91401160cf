#include "office/host/cell_blocks.h"

#include <algorithm>
#include <map>
#include <utility>

namespace tavo::office {

std::vector<Block> BlocksOf(const std::vector<CellPos>& sorted) {
  std::vector<Block> blocks;
  // Blocks that end on the row before (`open`) and on this row (`ending`), by their columns.
  std::map<std::pair<std::int32_t, std::int32_t>, std::size_t> open, ending;
  std::int32_t row = 0;
  for (std::size_t i = 0; i < sorted.size();) {
    if (i == 0 || sorted[i].row != row) {
      open = i > 0 && sorted[i].row == row + 1 ? std::move(ending) : decltype(open){};
      ending.clear();
      row = sorted[i].row;
    }
    std::size_t j = i + 1;
    while (j < sorted.size() && sorted[j].row == row && sorted[j].column == sorted[j - 1].column + 1) ++j;
    const std::pair<std::int32_t, std::int32_t> columns{sorted[i].column, sorted[j - 1].column};
    if (auto above = open.find(columns); above != open.end()) {
      blocks[above->second].bottom = row;
      ending[columns] = above->second;
    } else {
      blocks.push_back({row, columns.first, row, columns.second});
      ending[columns] = blocks.size() - 1;
    }
    i = j;
  }
  return blocks;
}

std::vector<Block> RunsOf(std::vector<CellPos> cells, bool along_rows) {
  if (!along_rows) {
    for (CellPos& c : cells) std::swap(c.row, c.column);
  }
  std::sort(cells.begin(), cells.end());
  std::vector<Block> runs;
  for (std::size_t i = 0; i < cells.size();) {
    std::size_t j = i + 1;
    while (j < cells.size() && cells[j].row == cells[i].row && cells[j].column == cells[j - 1].column + 1) ++j;
    if (along_rows) {
      runs.push_back({cells[i].row, cells[i].column, cells[i].row, cells[j - 1].column});
    } else {
      runs.push_back({cells[i].column, cells[i].row, cells[j - 1].column, cells[i].row});
    }
    i = j;
  }
  return runs;
}

Block GrowOverMerges(Block area, const std::vector<Block>& merged) {
  for (bool grown = true; grown;) {
    grown = false;
    for (const Block& m : merged) {
      if (!area.Intersects(m) || area.Contains(m)) continue;
      area = {std::min(area.top, m.top), std::min(area.left, m.left), std::max(area.bottom, m.bottom),
              std::max(area.right, m.right)};
      grown = true;
    }
  }
  return area;
}

}  // namespace tavo::office
