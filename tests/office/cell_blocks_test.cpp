// How the LibreOffice adapter addresses held cells in bulk, and the range
// of its progress bar; no office needed.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
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

// The bar over a whole build: half with the days written, half with what
// is sent after them; a handful of steps, each a week further at least, the
// last at the range's weeks, whatever the length of the range.
TEST(BuildProgress, BarMovesInStepsToTheRangesWeeks) {
  struct Case {
    std::int32_t days;
    std::int32_t weeks;
    std::size_t steps;
  };
  const Case cases[] = {
      {1, 1, 1}, {7, 1, 1}, {8, 2, 2}, {122, 18, 18}, {153, 22, 20}, {7305, 1044, 20},
  };
  for (const Case& c : cases) {
    BarSteps bar(c.days);
    EXPECT_EQ(bar.Weeks(), c.weeks) << c.days;
    std::vector<std::int32_t> shown;
    const auto keep = [&](std::optional<std::int32_t> weeks) {
      if (weeks) shown.push_back(*weeks);
    };
    // Sending before the last day is the first half's (the days go as they are written).
    keep(bar.Sent(1000));
    std::int64_t held = 0;
    for (std::int64_t value = 0; value < 2 * std::int64_t{c.days}; ++value) {
      held += 5;
      keep(bar.ValueWritten([&] { return held; }));
    }
    EXPECT_TRUE(bar.DaysWritten()) << c.days;
    EXPECT_LE(bar.Shown(), (c.weeks + 1) / 2) << c.days;
    // Values past the range (a title, a note under the grid) move nothing.
    keep(bar.ValueWritten([&] { return held; }));
    const std::int64_t to_send = held * BarSteps::kSentPerHeldAtLastDay;
    for (std::int64_t sent = 0; sent < to_send + 1000; sent += 997) keep(bar.Sent(997));
    ASSERT_EQ(shown.size(), c.steps) << c.days;
    EXPECT_EQ(std::adjacent_find(shown.begin(), shown.end(), std::greater_equal<>()), shown.end()) << c.days;
    EXPECT_EQ(shown.back(), c.weeks) << c.days;
    EXPECT_EQ(bar.Shown(), c.weeks) << c.days;
  }
  // A build that sends less than reckoned ends the bar when it is done.
  BarSteps short_of(153);
  for (int value = 0; value < 306; ++value) short_of.ValueWritten([] { return std::int64_t{1000}; });
  short_of.Sent(10);
  EXPECT_LT(short_of.Shown(), 22);
  EXPECT_EQ(short_of.Done(), std::optional<std::int32_t>(22));
  EXPECT_FALSE(short_of.Done().has_value());
  // Nothing held at the last day: the first send ends the bar.
  BarSteps empty(14);
  for (int value = 0; value < 28; ++value) empty.ValueWritten({});
  EXPECT_EQ(empty.Sent(1), std::optional<std::int32_t>(2));
  BarSteps none(0);
  EXPECT_FALSE(none.ValueWritten({}).has_value());
  EXPECT_EQ(none.Weeks(), 0);
}

}  // namespace
}  // namespace tavo::office
