// Two component objects building at once, on two threads: nothing of one
// build may leak into the other (the engine and the holiday schedule keep
// no shared state), so each sheet equals the one built alone. And the
// outcome Run reports for each way a build can end.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bridge/myxl.h"
#include "bridge/test_workbook.h"
#include "fakes/fake_dialog.h"
#include "fakes/fake_platform.h"

namespace tavo::testing {
namespace {

struct Job {
  const char* event;
  const char* start;
  const char* end;
  int direction;  // DTB F2: 1 vertical, 3 horizontal
};

// Every cell of the built sheet with its value and the format the day's
// look decides, one line each.
std::string BuiltSheetText(TestWorkbook& book, const std::string& name) {
  std::ostringstream out;
  for (const workbook::Worksheet& sheet : book.model->sheets) {
    if (sheet.name != name) continue;
    for (std::int32_t row = 1; row < sheet.cells.RowLimit(); ++row)
      for (const workbook::Cell& cell : sheet.cells.Row(row))
        out << row << ',' << cell.column << '=' << cell.value.ToText() << ' ' << cell.format.bold << ' '
            << cell.format.font_color << ' ' << cell.format.fill_color << ' ' << cell.format.font_size << '\n';
  }
  return out.str();
}

struct Build {
  TestWorkbook book;
  FakeDialog uf;
  FakePlatform platform;
  bridge::Myxl component{platform};

  bridge::Outcome Run(const Job& job) {
    book.SetDtb(6, job.direction);
    book.SetDtb(10, 1);  // the holiday marks
    uf.values["txtBDate"] = job.start;
    uf.values["txtEDate"] = job.end;
    return component.Run(book.ea, uf, job.event);
  }
  std::string Sheet(const Job& job) {
    return BuiltSheetText(book, std::string(job.event) == "cmdDoXL" ? "校历表" : "日历表");
  }
};

const Job kJobs[] = {
    {"cmdDoXL", "2019-9-1", "2021-1-31", 1},
    {"cmdDoRL", "2020-1-1", "2022-12-31", 3},
    {"cmdDoRL", "1984-1-1", "1986-12-31", 1},
    {"cmdDoXL", "2023-2-20", "2024-7-10", 3},
};

TEST(ConcurrentBuilds, TwoComponentObjectsBuildAtOnceAsEachBuildsAlone) {
  std::vector<std::string> alone;
  for (const Job& job : kJobs) {
    Build build;
    ASSERT_EQ(build.Run(job), bridge::Outcome::kBuilt) << job.event << ' ' << job.start;
    alone.push_back(build.Sheet(job));
    ASSERT_FALSE(alone.back().empty());
  }
  // Each pair of jobs, the two on their own threads, three rounds.
  for (int round = 0; round < 3; ++round) {
    for (std::size_t a = 0; a < std::size(kJobs); ++a) {
      const std::size_t b = (a + 1 + static_cast<std::size_t>(round)) % std::size(kJobs);
      Build first, second;
      bridge::Outcome first_outcome{}, second_outcome{};
      std::thread one([&] { first_outcome = first.Run(kJobs[a]); });
      std::thread two([&] { second_outcome = second.Run(kJobs[b]); });
      one.join();
      two.join();
      EXPECT_EQ(first_outcome, bridge::Outcome::kBuilt);
      EXPECT_EQ(second_outcome, bridge::Outcome::kBuilt);
      EXPECT_EQ(first.Sheet(kJobs[a]), alone[a]) << "job " << a << " beside job " << b;
      EXPECT_EQ(second.Sheet(kJobs[b]), alone[b]) << "job " << b << " beside job " << a;
    }
  }
}

TEST(RunOutcome, TellsHowTheCallEnded) {
  struct Case {
    Job job;
    bool break_workbook;
    bridge::Outcome expected;
    const char* why;
  };
  const Case cases[] = {
      {{"cmdDoXL", "2024-9-1", "2025-1-19", 1}, false, bridge::Outcome::kBuilt, "a term"},
      {{"cmdDoRL", "2024-1-1", "2024-12-31", 3}, false, bridge::Outcome::kBuilt, "a year"},
      {{"cmdDoXL", "2024-9-1", "2102-1-1", 1}, false, bridge::Outcome::kStopped, "end out of range"},
      {{"cmdDoRL", "2024-2-30", "2024-3-1", 1}, false, bridge::Outcome::kStopped, "not a date"},
      {{"optYi", "", "", 1}, false, bridge::Outcome::kDone, "an option builds nothing"},
      {{"cmdDoxl", "", "", 1}, false, bridge::Outcome::kDone, "no such event"},
      {{"cmdDoXL", "2024-9-1", "2025-1-19", 1}, true, bridge::Outcome::kFailed, "the host fails"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    Build build;
    if (c.break_workbook) build.book.ea.FailOn("ThisWorkbook", Error("tavo", 1004, "broken"));
    EXPECT_EQ(build.Run(c.job), c.expected);
    const bool error_box = !build.platform.boxes.empty() && build.platform.boxes.back().title == "错误";
    EXPECT_EQ(error_box, c.expected == bridge::Outcome::kFailed);
    EXPECT_EQ(!build.platform.beeps.empty(), c.expected == bridge::Outcome::kBuilt);
  }
}

}  // namespace
}  // namespace tavo::testing
