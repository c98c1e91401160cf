// The Linux platform services: message lines, the bell, and starting the
// document opener without waiting for it or leaving it unreaped.
#include "platform/linux_platform.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "bridge/info_and_help.h"
#include "bridge/myxl.h"
#include "common/error.h"
#include "fakes/fake_dialog.h"
#include "platform/document_opener.h"
#include "workbook/embedded_host.h"

namespace tavo::platform {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A private folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "tavo-platform-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? fs::path(pattern) : fs::path();
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }
  fs::path Write(const std::string& name, const std::string& content, bool executable = false) {
    const fs::path file = path_ / name;
    std::ofstream(file) << content;
    if (executable) fs::permissions(file, fs::perms::owner_all);
    return file;
  }

 private:
  fs::path path_;
};

// Waits up to five seconds for `done`.
template <class F>
bool WaitFor(F done) {
  for (auto end = std::chrono::steady_clock::now() + 5s; std::chrono::steady_clock::now() < end;
       std::this_thread::sleep_for(10ms))
    if (done()) return true;
  return done();
}

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// 'Z' for an unreaped child, ' ' once it is gone altogether.
char ProcessState(pid_t pid) {
  const std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
  const std::size_t paren = stat.rfind(')');
  return paren == std::string::npos || paren + 2 >= stat.size() ? ' ' : stat[paren + 2];
}

// --- message lines ------------------------------------------------------------

TEST(LinuxMessages, EachBoxIsOneLineOnTheStream) {
  struct Case {
    std::string text, title, line;
  };
  const Case cases[] = {
      {"开始日期 格式不正确，请重新输入！", "提示", "提示: 开始日期 格式不正确，请重新输入！\n"},
      {"tavo：(-5)x", "错误", "错误: tavo：(-5)x\n"},
      {"", "", ": \n"},
      {"two\nlines\r\n", "错误", "错误: two lines  \n"},
      {"\x1b[2J\x07gone", "提示", "提示:  [2J gone\n"},
      {"csi\xc2\x9b" "31m", "t", "t: csi 31m\n"},
      {"nbsp\xc2\xa0kept \xe4\xb8\xad", "t", "t: nbsp\xc2\xa0kept \xe4\xb8\xad\n"},
      {"tab\there\x7f", "a\tb", "a b: tab here \n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::ostringstream out;
    LinuxPlatform platform(out, -1);
    EXPECT_EQ(platform.MessageBox(c.text, c.title, 48), 1);
    EXPECT_EQ(out.str(), c.line);
    ASSERT_EQ(platform.Shown().size(), 1u);
    EXPECT_EQ(platform.Shown()[0].text, c.text);  // remembered as given
  }
}

TEST(LinuxMessages, TellWhetherANoticeOrAnErrorWasShown) {
  struct Case {
    std::vector<std::string> titles;
    bool notice, error;
  };
  const Case cases[] = {
      {{}, false, false},
      {{"提示"}, true, false},
      {{"错误"}, false, true},
      {{"提示", "错误"}, true, true},
      {{"提示 ", "Error", "错误x"}, false, false},
  };
  for (const Case& c : cases) {
    std::ostringstream out;
    LinuxPlatform platform(out, -1);
    for (const auto& t : c.titles) platform.MessageBox("m", t, 16);
    EXPECT_EQ(platform.ShownNotice(), c.notice);
    EXPECT_EQ(platform.ShownError(), c.error);
  }
}

// --- the tone ------------------------------------------------------------------

TEST(LinuxBeep, RingsOnlyOnATerminal) {
  int pipe_fds[2];
  ASSERT_EQ(::pipe(pipe_fds), 0);
  const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
  struct Case {
    const char* name;
    int fd;
    std::string expected;
  };
  const Case cases[] = {{"pipe", pipe_fds[1], ""}, {"closed", -1, ""}, {"terminal", terminal, "\a"}};
  for (const Case& c : cases) {
    if (c.fd == terminal && terminal < 0) continue;  // no pseudo-terminals here
    SCOPED_TRACE(c.name);
    std::ostringstream out;
    LinuxPlatform platform(out, c.fd);
    platform.Beep(1000, 100);
    EXPECT_EQ(out.str(), c.expected);
  }
  ::close(pipe_fds[0]);
  ::close(pipe_fds[1]);
  if (terminal >= 0) ::close(terminal);
}

TEST(LinuxPlatformBasics, SlashSeparatorAndNoWindowToAdjust) {
  std::ostringstream out;
  LinuxPlatform platform(out, -1);
  EXPECT_EQ(platform.PathSeparator(), '/');
  platform.AdjustDialogWindow("校历");
  EXPECT_EQ(out.str(), "");
}

// --- finding the opener --------------------------------------------------------

TEST(FindExecutable, TakesTheFirstExecutableFileOnThePath) {
  TempFolder t;
  fs::create_directories(t.path() / "a");
  fs::create_directories(t.path() / "b");
  fs::create_directories(t.path() / "c/opener");  // a folder of that name
  t.Write("a/opener", "#!/bin/sh\n");              // not executable
  const std::string good = t.Write("b/opener", "#!/bin/sh\n", true).string();
  const std::string a = (t.path() / "a").string(), b = (t.path() / "b").string(),
                    c = (t.path() / "c").string();
  struct Case {
    std::string program, path;
    std::optional<std::string> found;
  };
  const Case cases[] = {
      {"opener", a + ":" + c + ":" + b, good},
      {"opener", "::" + b + ":", good},
      {"opener", a + ":" + c, std::nullopt},
      {"opener", "", std::nullopt},
      {"missing", b, std::nullopt},
      {"", b, std::nullopt},
      {good, "", good},                                   // a path is taken as it is
      {(t.path() / "a/opener").string(), b, std::nullopt},  // not executable
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program + " in " + c.path);
    EXPECT_EQ(FindExecutable(c.program, c.path), c.found);
  }
}

TEST(FindExecutable, AnEmptyPathEntryIsNotTheCurrentFolder) {
  TempFolder t;
  t.Write("opener", "#!/bin/sh\n", true);
  const fs::path before = fs::current_path();
  fs::current_path(t.path());
  EXPECT_EQ(FindExecutable("opener", ":"), std::nullopt);
  fs::current_path(before);
}

// --- opening the document ------------------------------------------------------

// An opener that writes its pid and argument to `report`, then optionally sleeps.
fs::path WriteOpener(TempFolder& t, const std::string& extra = "") {
  const std::string report = (t.path() / "report").string();
  return t.Write("opener",
                 "#!/bin/sh\nprintf '%s\\n%s\\n' \"$$\" \"$1\" > '" + report + ".tmp'\nmv '" +
                     report + ".tmp' '" + report + "'\n" + extra,
                 true);
}

TEST(OpenDocument, MissingDocumentsAndOpenersAreErrorsBeforeAnythingStarts) {
  TempFolder t;
  const fs::path opener = WriteOpener(t);
  fs::create_directories(t.path() / "folder.doc");
  const std::string doc = t.Write("help.doc", "x").string();
  struct Case {
    const char* name;
    std::string document, opener;
    std::int32_t number;
  };
  const Case cases[] = {
      {"missing document", (t.path() / "none/help.doc").string(), opener.string(), 53},
      {"empty name", "", opener.string(), 53},
      {"a folder", (t.path() / "folder.doc").string(), opener.string(), 53},
      {"opener not on PATH", doc, "tavo-no-such-opener", 429},
      {"opener path missing", doc, (t.path() / "nothing").string(), 429},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::ostringstream out;
    LinuxPlatform platform(out, -1, c.opener);
    try {
      platform.OpenInWordProcessor(c.document);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), c.number);
      EXPECT_FALSE(e.description().empty());
    }
  }
  std::this_thread::sleep_for(100ms);
  EXPECT_FALSE(fs::exists(t.path() / "report"));  // the opener never ran
}

TEST(OpenDocument, TheOpenerGetsTheAbsoluteNameAndIsReapedWhenItEnds) {
  TempFolder t;
  const fs::path opener = WriteOpener(t);
  t.Write("-help.doc", "x");  // would read as an option if passed relative
  const fs::path before = fs::current_path();
  fs::current_path(t.path());
  std::ostringstream out;
  LinuxPlatform platform(out, -1, opener.string());
  platform.OpenInWordProcessor("-help.doc");
  fs::current_path(before);

  ASSERT_TRUE(WaitFor([&] { return fs::exists(t.path() / "report"); }));
  std::istringstream report(ReadFile(t.path() / "report"));
  pid_t pid = 0;
  std::string argument;
  report >> pid;
  report.ignore();
  std::getline(report, argument);
  EXPECT_EQ(argument, (t.path() / "-help.doc").string());
  EXPECT_TRUE(WaitFor([&] { return ProcessState(pid) == ' '; })) << "state " << ProcessState(pid);
}

TEST(OpenDocument, ReturnsWithoutWaitingForTheOpener) {
  TempFolder t;
  const fs::path opener = WriteOpener(t, "sleep 30\n");
  const std::string doc = t.Write("help.doc", "x").string();
  std::ostringstream out;
  LinuxPlatform platform(out, -1, opener.string());
  const auto start = std::chrono::steady_clock::now();
  platform.OpenInWordProcessor(doc);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);

  ASSERT_TRUE(WaitFor([&] { return fs::exists(t.path() / "report"); }));
  pid_t pid = 0;
  std::istringstream(ReadFile(t.path() / "report")) >> pid;
  ASSERT_GT(pid, 1);
  EXPECT_EQ(::getsid(pid), pid);  // a session of its own
  ::kill(-pid, SIGTERM);           // the opener and its sleep
  EXPECT_TRUE(WaitFor([&] { return ProcessState(pid) == ' '; }));
}

// --- the help document -------------------------------------------------------

// "cmdHelp" through MyFun with the Linux platform and real files: which
// document the opener is given, or the one error box when there is none.
TEST(HelpDocument, CmdHelpOpensTheWorkbooksCopyElseTheInstalledOneElseReports53) {
  struct Case {
    const char* name;
    bool saved;           // the workbook has a folder
    bool beside;          // help.doc in the workbook's folder
    const char* installed;  // where a copy is installed under the prefix, or nullptr
    const char* opened;     // relative to the temporary folder; nullptr: error 53
  };
  const Case cases[] = {
      {"workbook's copy first", true, true, "share/tavo/help.doc", "学校/help.doc"},
      {"installed under the prefix", true, false, "share/tavo/help.doc", "share/tavo/help.doc"},
      {"beside the program (build folder)", true, false, "bin/help.doc", "bin/help.doc"},
      {"never saved: installed copy", false, false, "share/tavo/help.doc", "share/tavo/help.doc"},
      {"no copy anywhere", true, false, nullptr, nullptr},
      {"never saved and nothing installed", false, false, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder t;
    const fs::path opener = WriteOpener(t);
    fs::create_directories(t.path() / "学校");
    fs::create_directories(t.path() / "bin");
    fs::create_directories(t.path() / "share/tavo");
    if (c.beside) t.Write("学校/help.doc", "workbook");
    if (c.installed) t.Write(c.installed, "installed");

    auto model = workbook::NewWorkbookModel(2);
    model->path = c.saved ? (t.path() / "学校").string() : "";
    auto ea = workbook::OpenEmbeddedApplication(model);
    std::ostringstream out;
    LinuxPlatform platform(out, -1, opener.string(), (t.path() / "bin/tavo").string());
    testing::FakeDialog uf;
    bridge::Myxl(platform).MyFun(*ea, uf, "cmdHelp");

    if (c.opened == nullptr) {
      EXPECT_EQ(platform.Shown().size(), 1u);
      EXPECT_NE(out.str().find("错误: tavo：(53)文件未找到："), std::string::npos) << out.str();
      if (!c.saved) {
        EXPECT_EQ(out.str().find("/help.doc"), std::string::npos) << out.str();
      }
      std::this_thread::sleep_for(100ms);
      EXPECT_FALSE(fs::exists(t.path() / "report"));  // nothing was opened
      continue;
    }
    EXPECT_TRUE(platform.Shown().empty()) << out.str();
    ASSERT_TRUE(WaitFor([&] { return fs::exists(t.path() / "report"); }));
    std::istringstream report(ReadFile(t.path() / "report"));
    std::string pid, argument;
    std::getline(report, pid);
    std::getline(report, argument);
    EXPECT_EQ(argument, (t.path() / c.opened).string());
  }
}

}  // namespace
}  // namespace tavo::platform
