// Writes the seed corpus of the reader's fuzz target when TAVO_FUZZ_SEEDS
// names a folder (scripts/fuzz.sh does); otherwise checks that every seed
// loads, so the corpus always starts from files the reader accepts.
#include <gtest/gtest.h>

#include <cstdlib>

#include "workbook/xlsx/host_workbook.h"
#include "workbook/xlsx/xlsx.h"
#include "xlsx/sample_models.h"
#include "xlsx/user_workbook_fixture.h"
#include "xlsx/xlsx_test_support.h"

namespace tavo::xlsx::test {
namespace {

TEST(FuzzSeeds, SeedsLoad) {
  ScratchDir scratch;
  const char* target = std::getenv("TAVO_FUZZ_SEEDS");
  std::filesystem::path dir = target ? std::filesystem::path(target) : scratch.path();

  WriteZip((dir / "user.xlsx").string(), UserWorkbookParts(), UserWorkbookStoredParts());
  SaveXlsx(HostModel(), nullptr, (dir / "host.xlsx").string());
  workbook::WorkbookModel built = HostModel();
  AddGeneratedSheet(built);
  SaveXlsx(built, nullptr, (dir / "built.xlsx").string());
  {
    // Small seeds: the fuzzer mutates them faster.
    std::map<std::string, std::string> parts = UserWorkbookParts();
    for (const char* big : {"xl/drawings/drawing1.xml", "xl/charts/chart1.xml", "xl/theme/theme1.xml",
                            "docProps/core.xml", "xl/calcChain.xml"}) {
      parts.erase(big);
    }
    WriteZip((dir / "small-stored.xlsx").string(), parts,
             {"xl/workbook.xml", "xl/_rels/workbook.xml.rels", "_rels/.rels", "xl/worksheets/sheet3.xml",
              "xl/worksheets/sheet2.xml", "xl/sharedStrings.xml", "xl/styles.xml"});
  }
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    EXPECT_NO_THROW(LoadXlsx(entry.path().string())) << entry.path();
  }
}

}  // namespace
}  // namespace tavo::xlsx::test
