// Bad input: every broken file gets one clear error (number and a message
// in Chinese and English), nothing crashes and no file is touched.
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>

#include "common/error.h"
#include "workbook/xlsx/xlsx.h"
#include "workbook/xlsx/xlsx_error.h"
#include "workbook/xlsx/zip_package.h"
#include "xlsx/sample_models.h"
#include "xlsx/user_workbook_fixture.h"
#include "xlsx/xlsx_test_support.h"

namespace tavo::xlsx::test {
namespace {

namespace fs = std::filesystem;

// Runs `action`, expecting a tavo::Error with `number` whose text holds `words`.
void ExpectError(const std::function<void()>& action, int number, const std::string& words,
                 const std::string& label) {
  try {
    action();
    ADD_FAILURE() << label << ": no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), number) << label << ": " << e.what();
    EXPECT_NE(std::string(e.what()).find(words), std::string::npos) << label << ": " << e.what();
    EXPECT_NE(std::string(e.what()).find(" / "), std::string::npos) << label << ": two languages";
  }
}

std::string Zip(const std::map<std::string, std::string>& parts, const std::set<std::string>& stored = {}) {
  ScratchDir dir;
  WriteZip(dir.File("p.xlsx"), parts, stored);
  return ReadFileBytes(dir.File("p.xlsx"));
}

std::map<std::string, std::string> With(const std::string& part, const std::string& content) {
  auto parts = UserWorkbookParts();
  parts[part] = content;
  return parts;
}

std::map<std::string, std::string> Without(const std::string& part) {
  auto parts = UserWorkbookParts();
  parts.erase(part);
  return parts;
}

// A byte of the stored (uncompressed) DTB part flipped: the CRC no longer matches.
std::string CorruptedZip() {
  auto parts = UserWorkbookParts();
  std::string bytes = Zip(parts, {"xl/worksheets/sheet3.xml"});
  auto at = bytes.find("<!-- settings -->");
  bytes[at + 5] = 'X';
  return bytes;
}

TEST(BadInput, BrokenPackagesAreRefusedWithOneClearError) {
  const std::string good = Zip(UserWorkbookParts());
  struct Case {
    const char* label;
    std::function<std::string()> bytes;
    const char* words;
  } cases[] = {
      {"not a zip", [] { return std::string("这不是一个工作簿 plain text, not a zip"); }, "zip"},
      {"empty file", [] { return std::string(); }, "zip"},
      {"truncated zip", [&] { return good.substr(0, good.size() / 2); }, "zip"},
      {"zip missing its last byte", [&] { return good.substr(0, good.size() - 1); }, "zip"},
      {"corrupted entry", CorruptedZip, "sheet3.xml"},
      {"no workbook part", [] { return Zip(Without("xl/workbook.xml")); }, "xl/workbook.xml"},
      {"bad workbook XML", [] { return Zip(With("xl/workbook.xml", "<workbook><sheets>")); }, "xl/workbook.xml"},
      {"bad workbook rels", [] { return Zip(With("xl/_rels/workbook.xml.rels", "<Relationships")); },
       "workbook.xml.rels"},
      {"bad package rels", [] { return Zip(With("_rels/.rels", "<<")); }, "_rels/.rels"},
      {"bad styles", [] { return Zip(With("xl/styles.xml", "<styleSheet><fonts></styleSheet>")); }, "styles.xml"},
      {"bad shared strings", [] { return Zip(With("xl/sharedStrings.xml", "<sst><si><t>x</si></sst>")); },
       "sharedStrings.xml"},
      {"bad settings sheet", [] { return Zip(With("xl/worksheets/sheet3.xml", "<worksheet><sheetData>")); },
       "sheet3.xml"},
      {"bad information sheet", [] { return Zip(With("xl/worksheets/sheet4.xml", "<worksheet x=\"1></worksheet>")); },
       "sheet4.xml"},
      {"bad generated sheet", [] { return Zip(With("xl/worksheets/sheet2.xml", "")); }, "sheet2.xml"},
      {"shared string out of range",
       [] {
         return Zip(With("xl/worksheets/sheet3.xml",
                         "<worksheet><sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>99</v></c></row></sheetData></worksheet>"));
       },
       "shared string"},
      {"cell outside the sheet",
       [] {
         return Zip(With("xl/worksheets/sheet4.xml",
                         "<worksheet><sheetData><row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row></sheetData></worksheet>"));
       },
       "XFE1"},
      {"number cell holding text",
       [] {
         return Zip(With("xl/worksheets/sheet3.xml",
                         "<worksheet><sheetData><row r=\"2\"><c r=\"D2\"><v>abc</v></c></row></sheetData></worksheet>"));
       },
       "number"},
      {"rows out of order",
       [] {
         return Zip(With("xl/worksheets/sheet3.xml",
                         "<worksheet><sheetData><row r=\"5\"/><row r=\"2\"/></sheetData></worksheet>"));
       },
       "row"},
  };
  ScratchDir dir;
  for (const Case& c : cases) {
    std::string bytes = c.bytes();
    std::string file = dir.File("case.xlsx");
    WriteFileBytes(file, bytes);
    ExpectError([&] { LoadXlsx(file); }, kBadFileFormat, c.words, c.label);
    ExpectError([&] { LoadXlsxBytes(bytes, "memory"); }, kBadFileFormat, c.words, std::string(c.label) + " (bytes)");
    EXPECT_EQ(ReadFileBytes(file), bytes) << c.label << ": the input changed";
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1) << c.label;
  }
}

TEST(BadInput, OversizedPartIsRefusedBeforeInflating) {
  std::string huge = "<sst xmlns=\"x\">" + std::string(kMaxPartBytes, ' ') + "</sst>";
  std::string bytes = Zip(With("xl/sharedStrings.xml", huge));
  huge.clear();
  huge.shrink_to_fit();
  EXPECT_LT(bytes.size(), 1u << 20);
  ExpectError([&] { LoadXlsxBytes(bytes, "huge"); }, kBadFileFormat, "64 MiB", "huge part");
}

TEST(BadInput, MissingFileAndFolderAsInput) {
  ScratchDir dir;
  ExpectError([&] { LoadXlsx(dir.File("absent.xlsx")); }, kFileNotFound, "absent.xlsx", "missing file");
  ExpectError([&] { LoadXlsx(dir.path().string()); }, kPathFileAccess, "folder", "folder as input");
}

TEST(BadInput, UnwritableTargetsLeaveEverythingAsItWas) {
  ScratchDir dir;
  workbook::WorkbookModel model = HostModel();
  fs::create_directory(dir.path() / "folder.xlsx");
  ExpectError([&] { SaveXlsx(model, nullptr, dir.File("no-such-folder/out.xlsx")); }, kPathNotFound,
              "no-such-folder", "missing output folder");
  ExpectError([&] { SaveXlsx(model, nullptr, dir.File("folder.xlsx")); }, kPathFileAccess, "folder",
              "output path is a folder");
  EXPECT_TRUE(fs::is_empty(dir.path() / "folder.xlsx"));
  ExpectError([&] { SaveXlsx(workbook::WorkbookModel{}, nullptr, dir.File("empty.xlsx")); }, kBadFileFormat,
              "without sheets", "no sheets");
  EXPECT_FALSE(fs::exists(dir.path() / "empty.xlsx"));
  EXPECT_FALSE(fs::exists(dir.path() / "no-such-folder"));

  // A folder we may not write to. Root may write anywhere it has
  // permission bits for, so it gets a folder no one can create files in.
  std::string read_only;
  if (geteuid() != 0) {
    fs::create_directory(dir.path() / "ro");
    WriteFileBytes(dir.File("ro/out.xlsx"), "keep me");
    fs::permissions(dir.path() / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    read_only = dir.File("ro/out.xlsx");
  } else {
    read_only = "/proc/tavo-out.xlsx";
  }
  std::string before = ReadFileBytes(read_only);
  try {
    SaveXlsx(model, nullptr, read_only);
    ADD_FAILURE() << "saved into a read-only folder";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kPathFileAccess) << e.what();
  }
  EXPECT_EQ(ReadFileBytes(read_only), before);
}

}  // namespace
}  // namespace tavo::xlsx::test
