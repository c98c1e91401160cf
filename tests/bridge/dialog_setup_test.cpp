// Opening the dialog, the information sheet and the help document.
#include <gtest/gtest.h>

#include "bridge/dialog_setup.h"
#include "bridge/info_and_help.h"
#include "bridge/myxl.h"
#include "bridge/settings_sheet.h"
#include "bridge/test_workbook.h"
#include "fakes/fake_dialog.h"
#include "fakes/fake_platform.h"

namespace tavo::testing {
namespace {

using Writes = std::vector<std::pair<std::string, host::Variant>>;

TEST(LoadSettings, CopiesRow2IntoTheDialog) {
  struct Case {
    const char* name;
    std::map<int, host::Variant> row2;  // column -> value of "DTB" row 2
    Writes expected;                    // control writes, in order
  };
  const Case cases[] = {
      {"empty row 2", {}, {{"txtBDate", {}}, {"txtEDate", {}}, {"chkJia", false}}},
      {"first choices",
       {{2, "2013-9-1"}, {3, "2014/7/15"}, {4, 1}, {5, 1}, {6, 1}, {7, 1}},
       {{"txtBDate", host::Variant::Date(41518)}, {"txtEDate", host::Variant::Date(41835)},
        {"optYi", true}, {"optYu", true},
        {"optShu", true}, {"optYS1", true}, {"chkJia", false}}},
      {"second choices",
       {{4, 2}, {5, 2}, {6, 3}, {7, 2}},
       {{"txtBDate", {}}, {"txtEDate", {}}, {"optRi", true}, {"optWu", true}, {"optHng", true},
        {"optYS2", true}, {"chkJia", false}}},
      {"direction 2 is no direction", {{6, 2}}, {{"txtBDate", {}}, {"txtEDate", {}}, {"chkJia", false}}},
      {"unknown values", {{4, 3}, {5, 0}, {6, -1}, {7, 37}}, {{"txtBDate", {}}, {"txtEDate", {}}, {"chkJia", false}}},
      {"fractions round, True is -1",
       {{4, 1.6}, {5, 1.4}, {7, true}},
       {{"txtBDate", {}}, {"txtEDate", {}}, {"optRi", true}, {"optYu", true}, {"chkJia", false}}},
      {"a date value passes as the host gives it", {{2, 41518.0}}, {{"txtBDate", 41518.0}, {"txtEDate", {}}, {"chkJia", false}}},
      // J2: 1 ticks the holiday-marks box; anything else clears it.
      {"marks on", {{10, 1}}, {{"txtBDate", {}}, {"txtEDate", {}}, {"chkJia", true}}},
      {"marks as text 1", {{10, "1"}}, {{"txtBDate", {}}, {"txtEDate", {}}, {"chkJia", true}}},
      {"marks 2 is off", {{10, 2}}, {{"txtBDate", {}}, {"txtEDate", {}}, {"chkJia", false}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestWorkbook book;
    for (const auto& [column, value] : c.row2) book.SetDtb(column, value);
    FakeDialog uf;
    bridge::LoadSettingsToDialog(book.ea, uf);
    EXPECT_EQ(uf.writes, c.expected);
  }
}

TEST(LoadSettings, ADialogWithoutTheHolidayBoxOpensAsBefore) {
  TestWorkbook book;
  book.SetDtb(4, 1);
  book.SetDtb(10, 1);
  FakeDialog uf;
  uf.missing = {"chkJia"};
  bridge::LoadSettingsToDialog(book.ea, uf);
  EXPECT_EQ(uf.writes, (Writes{{"txtBDate", {}}, {"txtEDate", {}}, {"optYi", true}}));
}

TEST(HolidayBox, ItsEventStoresJ2) {
  struct Case {
    host::Variant box;
    double stored;
  };
  // True/False from the desktop host's check box, 1/0 from LibreOffice's state.
  for (const Case& c : {Case{true, 1}, Case{false, 0}, Case{1, 1}, Case{0, 0}, Case{2, 0}, Case{{}, 0}}) {
    TestWorkbook book;
    FakePlatform platform;
    bridge::Myxl component(platform);
    FakeDialog uf;
    uf.values["chkJia"] = c.box;
    component.MyFun(book.ea, uf, "chkJia");
    EXPECT_EQ(book.Dtb(10), host::Variant(c.stored)) << c.box.ToText();
    EXPECT_TRUE(platform.boxes.empty());
  }
}

TEST(LoadSettings, AnOptionCellHoldingTextFailsBeforeAnyButtonIsSet) {
  TestWorkbook book;
  book.SetDtb(4, 1);
  book.SetDtb(7, "Style1");
  FakeDialog uf;
  try {
    bridge::LoadSettingsToDialog(book.ea, uf);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 13);
  }
  EXPECT_EQ(uf.writes.size(), 2u);  // the date boxes only
}

TEST(LoadSettings, ResetsBothPaletteEntriesFirstEvenWithoutTheSettingsSheet) {
  for (bool has_dtb : {true, false}) {
    SCOPED_TRACE(has_dtb);
    TestWorkbook book;
    if (!has_dtb) book.Sheet("DTB")->Delete();
    auto workbook = book.direct->ThisWorkbook();
    workbook->SetColors(15, host::Rgb(1, 2, 3));  // the user changed them
    workbook->SetColors(37, host::Rgb(255, 0, 0));
    const std::int32_t entry16 = workbook->Colors(16);
    FakeDialog uf;
    try {
      bridge::LoadSettingsToDialog(book.ea, uf);
    } catch (const Error&) {
    }
    EXPECT_EQ(workbook->Colors(15), 221 + 221 * 256 + 221 * 65536);
    EXPECT_EQ(workbook->Colors(37), 204 + 236 * 256 + 255 * 65536);
    EXPECT_EQ(workbook->Colors(16), entry16);
  }
}

TEST(Initialize, AdjustsTheWindowNamedByTheCaptionAndIgnoresItsFailure) {
  struct FailingWindowPlatform : FakePlatform {
    void AdjustDialogWindow(const std::string& caption) override {
      FakePlatform::AdjustDialogWindow(caption);
      throw Error("user32", 1400, "无效的窗口句柄");
    }
  };
  FakePlatform quiet;
  FailingWindowPlatform failing;
  for (FakePlatform* platform : {&quiet, static_cast<FakePlatform*>(&failing)}) {
    TestWorkbook book;
    FakeDialog uf;
    uf.caption = "校历生成 v74";
    EXPECT_NO_THROW(bridge::OnInitialize(book.ea, uf, *platform));
    EXPECT_EQ(platform->adjusted, std::vector<std::string>{"校历生成 v74"});
  }
}

TEST(Initialize, ChoicesMadeInOneDialogComeBackInTheNext) {
  TestWorkbook book;
  FakePlatform platform;
  bridge::Myxl component(platform);
  FakeDialog first;
  component.MyFun(book.ea, first, "Initialize");
  first.values = {{"txtBDate", "2013-9-1"}, {"txtEDate", "2014/7/15"}};
  for (const char* event : {"txtBDate", "txtEDate", "optRi", "optHng", "optShu", "optWu", "optYS2"})
    component.MyFun(book.ea, first, event);

  FakeDialog reopened;
  component.MyFun(book.ea, reopened, "Initialize");
  // The typed dates were stored as date values and come back as such.
  EXPECT_EQ(reopened.values, (std::map<std::string, host::Variant>{{"txtBDate", host::Variant::Date(41518)},
                                                                  {"txtEDate", host::Variant::Date(41835)},
                                                                  {"optRi", true},
                                                                  {"optWu", true},
                                                                  {"optShu", true},
                                                                  {"optYS2", true},
                                                                  {"chkJia", false}}));
  EXPECT_TRUE(platform.boxes.empty());
}

TEST(InfoSheet, AHiddenSheetIsShownActivatedAndScrolledToA1) {
  for (int visibility : {0, 2, -1}) {
    SCOPED_TRACE(visibility);
    TestWorkbook book;
    book.Sheet("信息表")->Activate();  // scrolled away, then hidden
    book.direct->ActiveWindow()->SetScrollRow(40);
    book.direct->ActiveWindow()->SetScrollColumn(12);
    book.Sheet(3)->Activate();
    book.Sheet("信息表")->SetVisible(host::Visibility{visibility});

    bridge::ShowInfoSheet(book.ea);
    EXPECT_EQ(host::Number(book.Sheet("信息表")->Visible()), host::Number(host::Visibility::kVisible));
    EXPECT_EQ(book.direct->ActiveSheet()->Name(), "信息表");
    EXPECT_EQ(book.direct->ActiveWindow()->ScrollRow(), 1);
    EXPECT_EQ(book.direct->ActiveWindow()->ScrollColumn(), 1);
  }
}

TEST(HelpDocument, TheWorkbookFolderCopyIsTheFolderTheSeparatorAndHelpDoc) {
  struct Case {
    const char* folder;
    char separator;
    const char* expected;
  };
  const Case cases[] = {
      {"/home/teacher/校历", '/', "/home/teacher/校历/help.doc"},
      {"C:\\Users\\teacher\\校历", '\\', "C:\\Users\\teacher\\校历\\help.doc"},
      {"\\\\server\\share", '\\', "\\\\server\\share\\help.doc"},
      {"/", '/', "//help.doc"},  // nothing removed between the two parts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    TestWorkbook book;
    book.model->path = c.folder;
    FakePlatform platform;
    platform.separator = c.separator;
    platform.files = {c.expected, "/usr/share/tavo/help.doc"};
    platform.installed_help = "/usr/share/tavo/help.doc";
    bridge::OpenHelpDocument(book.ea, platform);
    EXPECT_EQ(platform.opened, std::vector<std::string>{c.expected});
  }
}

// Which copy is opened, for each combination of a saved or unsaved
// workbook, a copy beside it, and an installed copy that is present,
// missing or unknown to the platform.
TEST(HelpDocument, FallsBackToTheInstalledCopyAndFailsOnlyWhenThereIsNone) {
  const std::string beside = "/home/teacher/校历/help.doc";
  const std::string installed = "/usr/share/tavo/help.doc";
  struct Case {
    const char* name;
    const char* folder;
    bool beside_exists;
    const char* installed_answer;  // what the platform names
    bool installed_exists;
    const char* expected;          // nullptr: error 53
  };
  const Case cases[] = {
      {"both: the workbook's copy wins", "/home/teacher/校历", true, "/usr/share/tavo/help.doc", true,
       "/home/teacher/校历/help.doc"},
      {"only beside the workbook", "/home/teacher/校历", true, "", false, "/home/teacher/校历/help.doc"},
      {"only installed", "/home/teacher/校历", false, "/usr/share/tavo/help.doc", true,
       "/usr/share/tavo/help.doc"},
      {"never saved: installed copy", "", false, "/usr/share/tavo/help.doc", true,
       "/usr/share/tavo/help.doc"},
      {"never saved, nothing installed", "", false, "", false, nullptr},
      {"installed copy named but deleted", "/home/teacher/校历", false, "/usr/share/tavo/help.doc", false,
       nullptr},
      {"neither", "/home/teacher/校历", false, "", false, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestWorkbook book;
    book.model->path = c.folder;
    FakePlatform platform;
    if (c.beside_exists) platform.files.insert(beside);
    if (c.installed_exists) platform.files.insert(installed);
    platform.installed_help = c.installed_answer;
    if (c.expected != nullptr) {
      bridge::OpenHelpDocument(book.ea, platform);
      EXPECT_EQ(platform.opened, std::vector<std::string>{c.expected});
      continue;
    }
    try {
      bridge::OpenHelpDocument(book.ea, platform);
      FAIL() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), 53);
      // Never a name in the root folder for an unsaved workbook.
      EXPECT_EQ(e.description().find("/help.doc") != std::string::npos, *c.folder != '\0')
          << e.description();
    }
    EXPECT_TRUE(platform.opened.empty());  // the word processor was never asked
  }
}

// Through MyFun: the missing document is one error box, and nothing opens.
TEST(HelpDocument, MissingEverywhereIsOneErrorBoxThroughMyFun) {
  TestWorkbook book;
  FakePlatform platform;
  FakeDialog uf;
  bridge::Myxl(platform).MyFun(book.ea, uf, "cmdHelp");
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].title, "错误");
  EXPECT_EQ(platform.boxes[0].text.rfind("tavo：(53)文件未找到：", 0), 0u) << platform.boxes[0].text;
  EXPECT_TRUE(platform.opened.empty());
}

}  // namespace
}  // namespace tavo::testing
