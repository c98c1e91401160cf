// MyFun: the bracket around every event, which event runs what, and how a
// failure becomes one error box that never reaches the host's code.
#include "bridge/myxl.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "bridge/recording_host.h"
#include "fakes/fake_dialog.h"
#include "fakes/fake_platform.h"

namespace tavo::testing {
namespace {

const std::vector<std::string> kBracket = {"ScreenUpdating=False", "DisplayAlerts=False",
                                           "DisplayAlerts=True", "ScreenUpdating=True"};

// A dialog that must not be touched.
class UntouchableDialog : public host::Dialog {
 public:
  host::Variant ControlValue(const std::string& c) override { Unsupported(c.c_str()); }
  void SetControlValue(const std::string& c, const host::Variant&) override {
    Unsupported(c.c_str());
  }
  std::string Caption() override { Unsupported("Caption"); }
};

// A platform whose boxes cannot be shown.
class BrokenBoxPlatform : public FakePlatform {
 public:
  int MessageBox(const std::string& text, const std::string& title, int style) override {
    FakePlatform::MessageBox(text, title, style);
    throw std::runtime_error("no display");
  }
};

struct Session {
  RecordedHost host = PreparedHost();
  RecordingApplication ea{host};
  FakeDialog uf;
  FakePlatform platform;
  bridge::Myxl component{platform};
  void Run(const std::string& event) { component.MyFun(ea, uf, event); }
};

// --- names that run nothing -------------------------------------------------

TEST(MyFunBracket, NamesOutsideTheTableOnlySwitchThePropertiesOffAndOn) {
  for (const char* event : {"", "cmddoxl", "CMDDOXL", "cmdDoXL ", " cmdDoXL", "cmdHelp\n",
                            "initialize", "optyi", "txtbdate", "Terminate", "cmdDo"}) {
    SCOPED_TRACE(std::string("event \"") + event + "\"");
    Session s;
    s.Run(event);
    EXPECT_EQ(s.host.log, kBracket);  // nothing else touched
    EXPECT_TRUE(s.uf.writes.empty());
    EXPECT_TRUE(s.platform.boxes.empty());
    EXPECT_TRUE(s.platform.opened.empty());
  }
}

TEST(MyFunBracket, EveryEventLeavesBothPropertiesOnWhateverTheyWereBefore) {
  for (bool screen_before : {false, true}) {
    for (const char* event : {"cmdDoXL", "cmdDoRL", "optWu", "nothing", "cmdHelp"}) {
      SCOPED_TRACE(event);
      Session s;
      s.host.screen_updating = screen_before;
      s.host.display_alerts = false;
      s.Run(event);
      EXPECT_TRUE(s.host.screen_updating);
      EXPECT_TRUE(s.host.display_alerts);
      EXPECT_EQ(s.host.PropertyWrites(), kBracket);
    }
  }
}

// --- which event runs what --------------------------------------------------

TEST(MyFunDispatch, EachEventReachesItsHandlerInsideTheBracket) {
  struct Case {
    const char* event;
    const char* first_handler_call;  // the first host call after the switch-off
  };
  const Case cases[] = {
      {"cmdEdit", "ThisWorkbook"},
      {"Initialize", "ThisWorkbook"},
      {"txtBDate", "ThisWorkbook"},
      {"txtEDate", "ThisWorkbook"},
      {"optYi", "ThisWorkbook"},
      {"optYS2", "ThisWorkbook"},
      {"cmdHelp", "ThisWorkbook"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.event);
    Session s;
    s.uf.values["txtBDate"] = "2013-9-1";
    s.uf.values["txtEDate"] = "2014-7-15";
    s.Run(c.event);
    ASSERT_GE(s.host.log.size(), 5u);
    EXPECT_EQ(s.host.log[2], c.first_handler_call);
    EXPECT_EQ(s.host.log[s.host.log.size() - 2], "DisplayAlerts=True");
    EXPECT_EQ(s.host.log.back(), "ScreenUpdating=True");
    EXPECT_TRUE(s.platform.boxes.empty()) << s.platform.boxes[0].text;
  }
}

TEST(MyFunDispatch, EventsWriteTheirOwnSettingOnly) {
  struct Case {
    const char* event;
    int column;
    host::Variant value;
  };
  const Case cases[] = {
      {"txtBDate", 2, "2013-9-1"}, {"txtEDate", 3, "2014-7-15"}, {"optYi", 4, 1},
      {"optRi", 4, 2},             {"optYu", 5, 1},              {"optWu", 5, 2},
      {"optShu", 6, 1},            {"optHng", 6, 3},             {"optYS1", 7, 1},
      {"optYS2", 7, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.event);
    Session s;
    s.uf.values["txtBDate"] = "2013-9-1";
    s.uf.values["txtEDate"] = "2014-7-15";
    s.Run(c.event);
    const auto& cells = s.host.sheets["DTB"].cells;
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells.begin()->first, std::make_pair(2, c.column));
    EXPECT_EQ(cells.begin()->second, c.value);
  }
}

TEST(MyFunDispatch, HelpReachesItsHandlerWithoutTheDialog) {
  RecordedHost host = PreparedHost();
  RecordingApplication ea(host);
  UntouchableDialog uf;
  FakePlatform platform;
  bridge::Myxl(platform).MyFun(ea, uf, "cmdHelp");
  EXPECT_TRUE(platform.boxes.empty());
  EXPECT_EQ(platform.opened, std::vector<std::string>{"/home/teacher/校历/help.doc"});
}

// --- the error path ---------------------------------------------------------

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
    s.host.failures["ThisWorkbook"] = c.raise;
    s.Run("optHng");
    EXPECT_EQ(s.platform.boxes, (std::vector<ShownBox>{{c.message, "错误", 16}}));
    EXPECT_EQ(s.host.PropertyWrites(), kBracket);
    EXPECT_TRUE(s.host.sheets["DTB"].cells.empty());
  }
}

TEST(MyFunErrors, MissingSheetsEndTheHandlerWithTheHostsNumber) {
  struct Case {
    const char* event;
    const char* removed_sheet;
  };
  for (const Case& c : {Case{"optHng", "DTB"}, Case{"txtBDate", "DTB"}, Case{"Initialize", "DTB"},
                        Case{"cmdEdit", "信息表"}}) {
    SCOPED_TRACE(c.event);
    Session s;
    s.uf.values["txtBDate"] = "2013-9-1";
    s.host.sheets.erase(c.removed_sheet);
    s.Run(c.event);
    ASSERT_EQ(s.platform.boxes.size(), 1u);
    EXPECT_TRUE(s.platform.boxes[0].text.starts_with("tavo：(9)")) << s.platform.boxes[0].text;
    EXPECT_EQ(s.platform.boxes[0].title, "错误");
    EXPECT_EQ(s.platform.boxes[0].style, 16);
    EXPECT_TRUE(s.platform.adjusted.empty());  // Initialize stops before the window
    EXPECT_EQ(s.host.PropertyWrites(), kBracket);
  }
}

TEST(MyFunErrors, FailingToSwitchOffStillSwitchesBackOn) {
  for (const char* entry : {"ScreenUpdating=False", "DisplayAlerts=False"}) {
    SCOPED_TRACE(entry);
    Session s;
    s.host.FailOn(entry, Error("Microsoft Excel", 1004, "x"));
    s.Run("optYi");
    EXPECT_EQ(s.platform.boxes.size(), 1u);
    EXPECT_TRUE(s.host.sheets["DTB"].cells.empty());  // the handler did not run
    EXPECT_EQ(s.host.log.back(), "ScreenUpdating=True");
    EXPECT_TRUE(s.host.display_alerts);
  }
}

TEST(MyFunErrors, FailingToSwitchBackOnIsReportedOnceAndReturns) {
  struct Case {
    std::vector<std::string> failing;
    bool screen_on_after;
    bool alerts_on_after;
  };
  const Case cases[] = {
      {{"DisplayAlerts=True"}, true, false},
      {{"ScreenUpdating=True"}, false, true},
      {{"DisplayAlerts=True", "ScreenUpdating=True"}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.failing.size());
    Session s;
    for (const auto& e : c.failing) s.host.FailOn(e, Error("EA", -2147023174, "RPC 服务器不可用"));
    s.Run("optYi");
    EXPECT_EQ(s.platform.boxes,
              (std::vector<ShownBox>{{"EA：(-2147023174)RPC 服务器不可用", "错误", 16}}));
    EXPECT_EQ(s.host.PropertyWrites(), kBracket);  // each tried once, in order
    EXPECT_EQ(s.host.screen_updating, c.screen_on_after);
    EXPECT_EQ(s.host.display_alerts, c.alerts_on_after);
    EXPECT_EQ(s.host.Cell("DTB", 2, 4), host::Variant(1));  // the handler's work stays
  }
}

TEST(MyFunErrors, AHandlerFailureAndARestoreFailureGiveOneBoxEach) {
  Session s;
  s.host.sheets.erase("DTB");
  s.host.FailOn("DisplayAlerts=True", Error("EA", 462, "远程服务器不存在或不可用"));
  s.Run("optYi");
  ASSERT_EQ(s.platform.boxes.size(), 2u);
  EXPECT_TRUE(s.platform.boxes[0].text.starts_with("tavo：(9)"));
  EXPECT_EQ(s.platform.boxes[1].text, "EA：(462)远程服务器不存在或不可用");
}

TEST(MyFunErrors, NothingEscapesEvenWhenTheBoxCannotBeShown) {
  RecordedHost host = PreparedHost();
  host.sheets.erase("DTB");
  host.FailOn("ScreenUpdating=True", Error("EA", 1, "x"));
  RecordingApplication ea(host);
  FakeDialog uf;
  BrokenBoxPlatform platform;
  bridge::Myxl component(platform);
  component.MyFun(ea, uf, "optYi");  // must return normally
  EXPECT_EQ(platform.boxes.size(), 2u);
  EXPECT_EQ(host.PropertyWrites(), kBracket);
}

}  // namespace
}  // namespace tavo::testing
