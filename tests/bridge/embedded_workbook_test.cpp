// The bridge driving the embedded workbook, as the command line does: the
// settings survive a round trip through "DTB", and the workbook's own rules
// (numeric texts, sheet lookup, windows) do not get in the way.
#include <gtest/gtest.h>

#include "bridge/myxl.h"
#include "fakes/fake_platform.h"
#include "workbook/embedded_host.h"
#include "workbook/memory_dialog.h"

namespace tavo::testing {
namespace {

// A workbook as the dialog expects it: "DTB", "信息表" and one more sheet.
struct EmbeddedSession {
  std::shared_ptr<workbook::WorkbookModel> model = workbook::NewWorkbookModel(3);
  std::unique_ptr<host::Application> ea = workbook::OpenEmbeddedApplication(model);
  FakePlatform platform;
  bridge::Myxl component{platform};

  EmbeddedSession() {
    auto sheets = ea->ThisWorkbook()->Worksheets();
    sheets->Item(1)->SetName("DTB");
    sheets->Item(2)->SetName("信息表");
    model->path = "/srv/学校/校历";
  }
  void Run(host::Dialog& uf, const std::string& event) { component.MyFun(*ea, uf, event); }
  host::Variant Dtb(int column) {
    return ea->ThisWorkbook()->Worksheets()->Item("DTB")->Cells(2, column)->Value();
  }
};

TEST(EmbeddedBridge, ChoicesMadeInOneDialogComeBackInTheNext) {
  struct Case {
    std::vector<std::pair<std::string, std::string>> typed;  // box -> text
    std::vector<std::string> chosen;                          // option events in order
    std::vector<std::string> selected_after_reopen;
  };
  const Case cases[] = {
      {{{"txtBDate", "2013-9-1"}, {"txtEDate", "2014/7/15"}},
       {"optRi", "optWu", "optHng", "optYS2"},
       {"optRi", "optWu", "optHng", "optYS2"}},
      {{{"txtBDate", "1901-01-01"}, {"txtEDate", "2100-12-31"}},
       {"optHng", "optShu", "optYS2", "optYS1", "optYi", "optYu"},
       {"optYi", "optYu", "optShu", "optYS1"}},
  };
  for (const Case& c : cases) {
    EmbeddedSession s;
    workbook::MemoryDialog first("校历");
    s.Run(first, "Initialize");
    for (const auto& [box, text] : c.typed) {
      first.SetControlValue(box, text);
      s.Run(first, box);
    }
    for (const auto& option : c.chosen) s.Run(first, option);
    EXPECT_TRUE(s.platform.boxes.empty());

    workbook::MemoryDialog reopened("校历");
    s.Run(reopened, "Initialize");
    for (const auto& [box, text] : c.typed) {
      const host::Variant shown = reopened.ControlValue(box);
      EXPECT_TRUE(shown.IsText());  // a date text stays a text in the cell
      EXPECT_EQ(shown.ToText(), text);
    }
    std::vector<std::string> selected;
    for (const auto& [control, value] : reopened.Values())
      if (value == host::Variant(true)) selected.push_back(control);
    std::vector<std::string> expected = c.selected_after_reopen;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(selected, expected);
  }
}

TEST(EmbeddedBridge, OptionsAreStoredAsNumbersAndRefusedDatesLeaveTheCells) {
  EmbeddedSession s;
  workbook::MemoryDialog uf;
  uf.SetControlValue("txtBDate", "2013-9-1");
  s.Run(uf, "txtBDate");
  uf.SetControlValue("txtBDate", "2101-1-1");
  s.Run(uf, "txtBDate");
  s.Run(uf, "optHng");
  EXPECT_EQ(s.Dtb(2), host::Variant("2013-9-1"));
  EXPECT_EQ(s.Dtb(6), host::Variant(3));
  EXPECT_EQ(s.platform.boxes, (std::vector<ShownBox>{{"开始日期 应在1901-2100年之间！", "提示", 48}}));
}

TEST(EmbeddedBridge, OpeningTheDialogSetsThePaletteAndLeavesTheHostSwitchedOn) {
  EmbeddedSession s;
  auto workbook = s.ea->ThisWorkbook();
  workbook->SetColors(15, host::Rgb(9, 9, 9));
  s.model->screen_updating = false;
  workbook::MemoryDialog uf("校历");
  s.Run(uf, "Initialize");
  EXPECT_EQ(workbook->Colors(15), host::Rgb(221, 221, 221));
  EXPECT_EQ(workbook->Colors(37), host::Rgb(204, 236, 255));
  EXPECT_TRUE(s.ea->ScreenUpdating());
  EXPECT_TRUE(s.ea->DisplayAlerts());
  EXPECT_EQ(s.platform.adjusted, std::vector<std::string>{"校历"});
}

TEST(EmbeddedBridge, TheInformationSheetIsShownFromHidingAndScrolledHome) {
  EmbeddedSession s;
  auto sheets = s.ea->ThisWorkbook()->Worksheets();
  sheets->Item("信息表")->Activate();  // scrolled away, then hidden
  s.ea->ActiveWindow()->SetScrollRow(40);
  s.ea->ActiveWindow()->SetScrollColumn(12);
  sheets->Item(3)->Activate();
  sheets->Item("信息表")->SetVisible(0);
  workbook::MemoryDialog uf;
  s.Run(uf, "cmdEdit");
  EXPECT_TRUE(s.platform.boxes.empty());
  EXPECT_EQ(sheets->Item("信息表")->Visible(), -1);
  EXPECT_EQ(s.ea->ThisWorkbook()->ActiveSheet()->Name(), "信息表");
  EXPECT_EQ(s.ea->ActiveWindow()->ScrollRow(), 1);
  EXPECT_EQ(s.ea->ActiveWindow()->ScrollColumn(), 1);
}

TEST(EmbeddedBridge, MissingSheetsGiveTheHostsError9InOneBox) {
  struct Case {
    const char* event;
    const char* renamed;
  };
  for (const Case& c : {Case{"Initialize", "DTB"}, Case{"optYi", "DTB"}, Case{"cmdEdit", "信息表"}}) {
    SCOPED_TRACE(c.event);
    EmbeddedSession s;
    s.ea->ThisWorkbook()->Worksheets()->Item(c.renamed)->SetName("旧设置");
    workbook::MemoryDialog uf;
    s.Run(uf, c.event);
    ASSERT_EQ(s.platform.boxes.size(), 1u);
    EXPECT_NE(s.platform.boxes[0].text.find("：(9)"), std::string::npos) << s.platform.boxes[0].text;
    EXPECT_EQ(s.platform.boxes[0].title, "错误");
    EXPECT_TRUE(s.ea->ScreenUpdating());
    EXPECT_TRUE(s.ea->DisplayAlerts());
  }
}

TEST(EmbeddedBridge, HelpIsLookedForInTheWorkbooksFolder) {
  for (char separator : {'/', '\\'}) {
    EmbeddedSession s;
    s.platform.separator = separator;
    workbook::MemoryDialog uf;
    s.Run(uf, "cmdHelp");
    EXPECT_EQ(s.platform.opened,
              std::vector<std::string>{std::string("/srv/学校/校历") + separator + "help.doc"});
  }
}

}  // namespace
}  // namespace tavo::testing
