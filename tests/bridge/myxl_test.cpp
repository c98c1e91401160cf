// MyFun: the bracket around every event, which event runs what, and how a
// failure becomes one error box that never reaches the host's code.
#include "bridge/myxl.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "bridge/test_workbook.h"
#include "fakes/fake_dialog.h"
#include "fakes/fake_platform.h"

namespace tavo::testing {
namespace {

const std::vector<std::string> kBracket = {"ScreenUpdating=False", "DisplayAlerts=False",
                                           "DisplayAlerts=True", "ScreenUpdating=True"};

struct Session {
  TestWorkbook book;
  FakeDialog uf;
  FakePlatform platform;
  bridge::Myxl component{platform};
  Session() {
    uf.values["txtBDate"] = "2013-9-1";
    uf.values["txtEDate"] = "2014-7-15";
  }
  void Run(const std::string& event) { component.MyFun(book.ea, uf, event); }
  // Columns of "DTB" row 2 that hold something.
  std::map<int, host::Variant> Row2() {
    std::map<int, host::Variant> out;
    for (int column = 1; column <= 9; ++column)
      if (auto v = book.Dtb(column); !v.IsEmpty()) out[column] = v;
    return out;
  }
};

TEST(MyFunBracket, NamesOutsideTheTableOnlySwitchThePropertiesOffAndOn) {
  for (const char* event : {"", "cmddoxl", "CMDDOXL", "cmdDoXL ", " cmdDoXL", "cmdHelp\n",
                            "initialize", "optyi", "txtbdate", "Terminate"}) {
    SCOPED_TRACE(std::string("event \"") + event + "\"");
    Session s;
    s.Run(event);
    EXPECT_EQ(s.book.ea.log, kBracket);  // not even the workbook is looked at
    EXPECT_TRUE(s.uf.writes.empty());
    EXPECT_TRUE(s.platform.boxes.empty());
  }
}

TEST(MyFunBracket, EveryEventLeavesBothPropertiesOnWhateverTheyWereBefore) {
  for (const char* event : {"cmdDoXL", "cmdDoRL", "optWu", "nothing", "Initialize"}) {
    SCOPED_TRACE(event);
    Session s;
    s.book.direct->SetScreenUpdating(false);
    s.book.direct->SetDisplayAlerts(false);
    s.Run(event);
    EXPECT_TRUE(s.book.direct->ScreenUpdating());
    EXPECT_TRUE(s.book.direct->DisplayAlerts());
    EXPECT_EQ(s.book.PropertyWrites(), kBracket);
  }
}

TEST(MyFunDispatch, EachEventWritesItsOwnSettingOnly) {
  struct Case {
    const char* event;
    int column;
    host::Variant value;
  };
  const Case cases[] = {
      {"txtBDate", 2, host::Variant::Date(41518)}, {"txtEDate", 3, host::Variant::Date(41835)},
      {"optYi", 4, 1},
      {"optRi", 4, 2},             {"optYu", 5, 1},              {"optWu", 5, 2},
      {"optShu", 6, 1},            {"optHng", 6, 3},             {"optYS1", 7, 1},
      {"optYS2", 7, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.event);
    Session s;
    s.Run(c.event);
    EXPECT_EQ(s.Row2(), (std::map<int, host::Variant>{{c.column, c.value}}));
    EXPECT_EQ(s.book.ea.log.front(), "ScreenUpdating=False");
    EXPECT_EQ(s.book.ea.log.back(), "ScreenUpdating=True");
    EXPECT_TRUE(s.platform.boxes.empty());
  }
}

TEST(MyFunDispatch, HelpReachesItsHandlerWithoutTheDialog) {
  class UntouchableDialog : public host::Dialog {
    host::Variant ControlValue(const std::string&) override { throw std::logic_error("read"); }
    void SetControlValue(const std::string&, const host::Variant&) override {
      throw std::logic_error("write");
    }
    std::string Caption() override { throw std::logic_error("caption"); }
  } uf;
  TestWorkbook book;
  FakePlatform platform;
  platform.files = {"/srv/学校/校历/help.doc"};
  bridge::Myxl(platform).MyFun(book.ea, uf, "cmdHelp");
  EXPECT_TRUE(platform.boxes.empty());
  EXPECT_EQ(platform.opened, std::vector<std::string>{"/srv/学校/校历/help.doc"});
}

TEST(MyFunErrors, AFailureInsideAHandlerGivesOneBoxAndTheBracketStillCloses) {
  struct Case {
    const char* name;
    std::function<void()> raise;
    std::string message;
  };
  const Case cases[] = {
      {"host error", [] { throw Error("Microsoft Excel", 1004, "应用程序定义或对象定义错误"); },
       "Microsoft Excel：(1004)应用程序定义或对象定义错误"},
      {"negative number", [] { throw Error("tavo", -2147417848, "自动化错误"); },
       "tavo：(-2147417848)自动化错误"},
      {"smallest number", [] { throw Error("x", INT32_MIN, ""); }, "x：(-2147483648)"},
      {"empty source", [] { throw Error("", 13, "类型不匹配"); }, "：(13)类型不匹配"},
      {"standard exception", [] { throw std::out_of_range("map::at"); },
       "tavo：(51)内部错误：map::at"},
      {"lack of memory", [] { throw std::bad_alloc(); }, "tavo：(7)内存不足"},
      {"anything else", [] { throw 42; }, "tavo：(51)内部错误"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    s.book.ea.FailOn("ThisWorkbook", c.raise);
    s.Run("optHng");
    EXPECT_EQ(s.platform.boxes, (std::vector<ShownBox>{{c.message, "错误", 16}}));
    EXPECT_EQ(s.book.PropertyWrites(), kBracket);
    EXPECT_TRUE(s.Row2().empty());
  }
}

TEST(MyFunErrors, MissingSheetsEndTheHandlerWithTheHostsError9) {
  struct Case {
    const char* event;
    const char* removed_sheet;
  };
  for (const Case& c : {Case{"optHng", "DTB"}, Case{"txtBDate", "DTB"}, Case{"Initialize", "DTB"},
                        Case{"cmdEdit", "信息表"}}) {
    SCOPED_TRACE(c.event);
    Session s;
    s.book.Sheet(c.removed_sheet)->Delete();
    s.Run(c.event);
    ASSERT_EQ(s.platform.boxes.size(), 1u);
    EXPECT_NE(s.platform.boxes[0].text.find("：(9)"), std::string::npos) << s.platform.boxes[0].text;
    EXPECT_EQ(s.platform.boxes[0].title, "错误");
    EXPECT_EQ(s.platform.boxes[0].style, 16);
    EXPECT_TRUE(s.platform.adjusted.empty());  // Initialize stops before the window
    EXPECT_EQ(s.book.PropertyWrites(), kBracket);
  }
}

TEST(MyFunErrors, FailingToSwitchOffSkipsTheHandlerButSwitchesBackOn) {
  for (const char* entry : {"ScreenUpdating=False", "DisplayAlerts=False"}) {
    SCOPED_TRACE(entry);
    Session s;
    s.book.ea.FailOn(entry, Error("Microsoft Excel", 1004, "x"));
    s.Run("optYi");
    EXPECT_EQ(s.platform.boxes.size(), 1u);
    EXPECT_TRUE(s.Row2().empty());
    EXPECT_EQ(s.book.ea.log.back(), "ScreenUpdating=True");
    EXPECT_TRUE(s.book.direct->DisplayAlerts());
  }
}

TEST(MyFunErrors, FailingToSwitchBackOnIsReportedOnceAndReturns) {
  struct Case {
    std::vector<std::string> failing;
    bool screen_on_after, alerts_on_after;
  };
  const Case cases[] = {
      {{"DisplayAlerts=True"}, true, false},
      {{"ScreenUpdating=True"}, false, true},
      {{"DisplayAlerts=True", "ScreenUpdating=True"}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.failing.size());
    Session s;
    for (const auto& e : c.failing) s.book.ea.FailOn(e, Error("EA", -2147023174, "RPC 服务器不可用"));
    s.Run("optYi");
    EXPECT_EQ(s.platform.boxes,
              (std::vector<ShownBox>{{"EA：(-2147023174)RPC 服务器不可用", "错误", 16}}));
    EXPECT_EQ(s.book.PropertyWrites(), kBracket);  // each tried once, in order
    EXPECT_EQ(s.book.direct->ScreenUpdating(), c.screen_on_after);
    EXPECT_EQ(s.book.direct->DisplayAlerts(), c.alerts_on_after);
    EXPECT_EQ(s.book.Dtb(4), host::Variant(1));  // the handler's work stays
  }
}

TEST(MyFunErrors, AHandlerFailureAndARestoreFailureGiveOneBoxEach) {
  Session s;
  s.book.Sheet("DTB")->Delete();
  s.book.ea.FailOn("DisplayAlerts=True", Error("EA", 462, "远程服务器不存在或不可用"));
  s.Run("optYi");
  ASSERT_EQ(s.platform.boxes.size(), 2u);
  EXPECT_NE(s.platform.boxes[0].text.find("：(9)"), std::string::npos);
  EXPECT_EQ(s.platform.boxes[1].text, "EA：(462)远程服务器不存在或不可用");
}

TEST(MyFunErrors, NothingEscapesEvenWhenTheBoxCannotBeShown) {
  struct BrokenBoxPlatform : FakePlatform {
    int MessageBox(const std::string& text, const std::string& title, int style) override {
      FakePlatform::MessageBox(text, title, style);
      throw std::runtime_error("no display");
    }
  } platform;
  TestWorkbook book;
  book.Sheet("DTB")->Delete();
  book.ea.FailOn("ScreenUpdating=True", Error("EA", 1, "x"));
  FakeDialog uf;
  bridge::Myxl(platform).MyFun(book.ea, uf, "optYi");  // returns normally
  EXPECT_EQ(platform.boxes.size(), 2u);
  EXPECT_EQ(book.PropertyWrites(), kBracket);
}

}  // namespace
}  // namespace tavo::testing
