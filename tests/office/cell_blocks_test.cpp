// How the LibreOffice adapter addresses held cells in bulk, and the range
// of its progress bar; no office needed.
#include <gtest/gtest.h>

#include <set>

#include "office/host/build_progress.h"
#include "office/host/cell_blocks.h"

namespace tavo::office {
namespace {

std::vector<CellPos> Cells(std::initializer_list<CellPos> cells) {
  std::vector<CellPos> sorted(cells);
  std::sort(sorted.begin(), sorted.end());
  return sorted;
}

// Every cell of the blocks, each once.
std::multiset<std::pair<int, int>> Covered(const std::vector<Block>& blocks) {
  std::multiset<std::pair<int, int>> cells;
  for (const Block& b : blocks) {
    for (int r = b.top; r <= b.bottom; ++r) {
      for (int c = b.left; c <= b.right; ++c) cells.insert({r, c});
    }
  }
  return cells;
}

TEST(CellBlocks, FewestRectanglesCoveringExactlyTheCells) {
  struct Case {
    const char* what;
    std::vector<CellPos> cells;
    std::vector<Block> blocks;
  };
  const Case cases[] = {
      {"nothing", {}, {}},
      {"one cell", Cells({{4, 2}}), {{4, 2, 4, 2}}},
      {"a run", Cells({{0, 1}, {0, 2}, {0, 3}}), {{0, 1, 0, 3}}},
      {"a gap splits a row", Cells({{0, 1}, {0, 3}}), {{0, 1, 0, 1}, {0, 3, 0, 3}}},
      {"equal runs stack", Cells({{2, 2}, {2, 3}, {3, 2}, {3, 3}, {4, 2}, {4, 3}}), {{2, 2, 4, 3}}},
      {"a skipped row starts anew", Cells({{2, 2}, {4, 2}}), {{2, 2, 2, 2}, {4, 2, 4, 2}}},
      {"a wider row starts anew", Cells({{0, 0}, {1, 0}, {1, 1}}), {{0, 0, 0, 0}, {1, 0, 1, 1}}},
      // The week grid: date rows 2..8 wide, note rows the same, labels in column 1 on date rows only.
      {"two columns of blocks",
       Cells({{2, 1}, {2, 2}, {2, 4}, {3, 2}, {3, 4}, {4, 2}, {4, 4}}),
       {{2, 1, 2, 2}, {2, 4, 4, 4}, {3, 2, 4, 2}}},
  };
  for (const Case& c : cases) {
    const std::vector<Block> blocks = BlocksOf(c.cells);
    EXPECT_EQ(blocks, c.blocks) << c.what;
    std::multiset<std::pair<int, int>> expected;
    for (const CellPos& p : c.cells) expected.insert({p.row, p.column});
    EXPECT_EQ(Covered(blocks), expected) << c.what;
  }
}

TEST(CellBlocks, BorderRunsAreOneCellHighOrWide) {
  const std::vector<CellPos> square = Cells({{0, 0}, {0, 1}, {1, 0}, {1, 1}, {3, 1}});
  EXPECT_EQ(RunsOf(square, true), (std::vector<Block>{{0, 0, 0, 1}, {1, 0, 1, 1}, {3, 1, 3, 1}}));
  EXPECT_EQ(RunsOf(square, false), (std::vector<Block>{{0, 0, 1, 0}, {0, 1, 1, 1}, {3, 1, 3, 1}}));
}

TEST(CellBlocks, MergeGrowsOverWhatItCuts) {
  struct Case {
    const char* what;
    Block area;
    std::vector<Block> merged;
    Block grown;
  };
  const Case cases[] = {
      {"nothing merged", {0, 0, 1, 0}, {}, {0, 0, 1, 0}},
      {"apart", {0, 0, 1, 0}, {{5, 5, 6, 5}}, {0, 0, 1, 0}},
      {"inside stays", {0, 0, 3, 3}, {{1, 1, 2, 2}}, {0, 0, 3, 3}},
      {"cut once", {0, 1, 0, 3}, {{0, 3, 2, 3}}, {0, 1, 2, 3}},
      // Taking in one area makes the block cut the next.
      {"cut in a chain", {0, 0, 0, 1}, {{0, 1, 1, 1}, {1, 0, 2, 0}}, {0, 0, 2, 1}},
  };
  for (const Case& c : cases) EXPECT_EQ(GrowOverMerges(c.area, c.merged), c.grown) << c.what;
}

TEST(BuildProgress, DaysOfTheDialogsRange) {
  struct Case {
    const char* start;
    const char* end;
    std::int32_t days;
  };
  const Case cases[] = {
      {"2024-9-1", "2024-9-1", 1},
      {"2024-9-1", "2025-1-31", 153},
      {"2001-1-1", "2020-12-31", 7305},
      {"2024-9-2", "2024-9-1", 0},  // refused by the build: no bar
      {"", "2024-9-1", 0},
      {"2024-9-1", "soon", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(DaysOfRange(c.start, c.end), c.days) << c.start << " " << c.end;
  EXPECT_EQ(ProgressText("cmdDoXL"), "生成校历表…");
  EXPECT_EQ(ProgressText("cmdDoRL"), "生成日历表…");
  EXPECT_EQ(ProgressText("cmdEdit"), "");
}

}  // namespace
}  // namespace tavo::office
