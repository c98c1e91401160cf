// Opening the dialog, the information sheet and the help document.
#include <gtest/gtest.h>

#include "bridge/dialog_setup.h"
#include "bridge/info_and_help.h"
#include "bridge/recording_host.h"
#include "bridge/settings_sheet.h"
#include "fakes/fake_dialog.h"
#include "fakes/fake_platform.h"

namespace tavo::testing {
namespace {

using Writes = std::vector<std::pair<std::string, host::Variant>>;

struct LoadCase {
  const char* name;
  std::map<int, host::Variant> row2;  // column -> value of "DTB" row 2
  Writes expected;                    // control writes, in order
};

const LoadCase kLoadCases[] = {
    {"empty row 2", {}, {{"txtBDate", {}}, {"txtEDate", {}}}},
    {"first choices",
     {{2, "2013-9-1"}, {3, "2014/7/15"}, {4, 1}, {5, 1}, {6, 1}, {7, 1}},
     {{"txtBDate", "2013-9-1"},
      {"txtEDate", "2014/7/15"},
      {"optYi", true},
      {"optYu", true},
      {"optShu", true},
      {"optYS1", true}}},
    {"second choices",
     {{4, 2}, {5, 2}, {6, 3}, {7, 2}},
     {{"txtBDate", {}}, {"txtEDate", {}}, {"optRi", true}, {"optWu", true}, {"optHng", true},
      {"optYS2", true}}},
    {"direction 2 is no direction", {{6, 2}}, {{"txtBDate", {}}, {"txtEDate", {}}}},
    {"unknown values", {{4, 3}, {5, 0}, {6, -1}, {7, 37}}, {{"txtBDate", {}}, {"txtEDate", {}}}},
    {"numbers as texts and fractions",
     {{4, "2"}, {5, 1.4}, {6, "3"}, {7, true}},
     {{"txtBDate", {}}, {"txtEDate", {}}, {"optRi", true}, {"optYu", true}, {"optHng", true}}},
    {"a date value passes as the host gives it",
     {{2, 41518.0}},
     {{"txtBDate", 41518.0}, {"txtEDate", {}}}},
};

TEST(LoadSettings, CopiesRow2IntoTheDialog) {
  for (const LoadCase& c : kLoadCases) {
    SCOPED_TRACE(c.name);
    RecordedHost h = PreparedHost();
    for (const auto& [column, value] : c.row2) h.sheets["DTB"].cells[{2, column}] = value;
    RecordingApplication ea(h);
    FakeDialog uf;
    bridge::LoadSettingsToDialog(ea, uf);
    EXPECT_EQ(uf.writes, c.expected);
  }
}

TEST(LoadSettings, AnOptionCellHoldingTextFailsBeforeAnyButtonIsSet) {
  RecordedHost h = PreparedHost();
  h.sheets["DTB"].cells[{2, 4}] = 1;
  h.sheets["DTB"].cells[{2, 7}] = "Style1";
  RecordingApplication ea(h);
  FakeDialog uf;
  try {
    bridge::LoadSettingsToDialog(ea, uf);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 13);
  }
  EXPECT_EQ(uf.writes.size(), 2u);  // the date boxes only
}

TEST(LoadSettings, ResetsBothPaletteEntriesFirstEvenWithoutTheSettingsSheet) {
  for (bool has_dtb : {true, false}) {
    SCOPED_TRACE(has_dtb);
    RecordedHost h = PreparedHost();
    if (!has_dtb) h.sheets.erase("DTB");
    h.colors[15] = host::Rgb(1, 2, 3);  // the user changed them
    h.colors[37] = host::Rgb(255, 0, 0);
    RecordingApplication ea(h);
    FakeDialog uf;
    try {
      bridge::LoadSettingsToDialog(ea, uf);
    } catch (const Error&) {
    }
    EXPECT_EQ(h.colors[15], 221 + 221 * 256 + 221 * 65536);
    EXPECT_EQ(h.colors[37], 204 + 236 * 256 + 255 * 65536);
    EXPECT_EQ(h.colors.size(), 2u);
  }
}

TEST(Initialize, LoadsTheSettingsThenAdjustsTheWindowNamedByTheCaption) {
  RecordedHost h = PreparedHost();
  h.sheets["DTB"].cells[{2, 6}] = 3;
  RecordingApplication ea(h);
  FakeDialog uf;
  uf.caption = "校历生成 v74";
  FakePlatform platform;
  bridge::OnInitialize(ea, uf, platform);
  EXPECT_EQ(uf.values["optHng"], host::Variant(true));
  EXPECT_EQ(platform.adjusted, std::vector<std::string>{"校历生成 v74"});
}

TEST(Initialize, AWindowAdjustmentThatFailsIsIgnored) {
  struct FailingWindowPlatform : FakePlatform {
    void AdjustDialogWindow(const std::string&) override { throw Error("user32", 1400, "x"); }
  } platform;
  RecordedHost h = PreparedHost();
  RecordingApplication ea(h);
  FakeDialog uf;
  EXPECT_NO_THROW(bridge::OnInitialize(ea, uf, platform));
}

TEST(InfoSheet, AHiddenSheetIsShownActivatedAndScrolledToA1) {
  for (int visibility : {0, 2, -1}) {
    SCOPED_TRACE(visibility);
    RecordedHost h = PreparedHost();
    h.sheets["信息表"].visible = visibility;
    h.active_sheet = "DTB";
    RecordingApplication ea(h);
    bridge::ShowInfoSheet(ea);
    EXPECT_EQ(h.sheets["信息表"].visible, -1);
    EXPECT_EQ(h.active_sheet, "信息表");
    const std::vector<std::string> tail(h.log.end() - 4, h.log.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"信息表.Visible=-1", "信息表.Activate",
                                              "ScrollRow=1", "ScrollColumn=1"}));
  }
}

TEST(InfoSheet, AMissingSheetChangesNothing) {
  RecordedHost h = PreparedHost();
  h.sheets.erase("信息表");
  RecordingApplication ea(h);
  EXPECT_THROW(bridge::ShowInfoSheet(ea), Error);
  EXPECT_EQ(h.scroll_row, 7);
  EXPECT_EQ(h.scroll_column, 4);
  EXPECT_TRUE(h.active_sheet.empty());
}

TEST(HelpDocument, IsTheWorkbookFolderAndTheSeparatorAndHelpDoc) {
  struct Case {
    const char* folder;
    char separator;
    const char* expected;
  };
  const Case cases[] = {
      {"/home/teacher/校历", '/', "/home/teacher/校历/help.doc"},
      {"C:\\Users\\teacher\\校历", '\\', "C:\\Users\\teacher\\校历\\help.doc"},
      {"\\\\server\\share", '\\', "\\\\server\\share\\help.doc"},
      {"relative", '/', "relative/help.doc"},
      {"/", '/', "//help.doc"},  // nothing removed between the two parts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    RecordedHost h;
    h.path = c.folder;
    RecordingApplication ea(h);
    FakePlatform platform;
    platform.separator = c.separator;
    bridge::OpenHelpDocument(ea, platform);
    EXPECT_EQ(platform.opened, std::vector<std::string>{c.expected});
  }
}

TEST(HelpDocument, AnUnsavedWorkbookOpensNothing) {
  for (char separator : {'/', '\\'}) {
    RecordedHost h;  // Path is ""
    RecordingApplication ea(h);
    FakePlatform platform;
    platform.separator = separator;
    try {
      bridge::OpenHelpDocument(ea, platform);
      FAIL() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), 53);
    }
    EXPECT_TRUE(platform.opened.empty());
  }
}

TEST(HelpDocument, AFailureToOpenReachesTheCaller) {
  RecordedHost h = PreparedHost();
  RecordingApplication ea(h);
  FakePlatform platform;
  platform.fail_open = true;
  EXPECT_THROW(bridge::OpenHelpDocument(ea, platform), Error);
}

}  // namespace
}  // namespace tavo::testing
