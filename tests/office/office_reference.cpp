// The embedded workbook's side of the LibreOffice tests:
//   office_reference host FILE.xlsx     the host workbook every session starts from
//   office_reference sessions FOLDER    sessions.json (the steps to replay), NAME.facts per session and
//                                       NAME.xlsx, the workbook the command would save after it
//   office_reference bench              the benchmark's builds on the embedded workbook, milliseconds each
//   office_reference load FILE.xlsx     loads a workbook with our reader; status 0 when it loads
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>

#include "bridge/myxl.h"
#include "calendar_sessions.h"
#include "common/error.h"
#include "session_facts.h"
#include "workbook/embedded_host.h"
#include "workbook/memory_dialog.h"
#include "workbook/xlsx/host_workbook.h"
#include "workbook/xlsx/xlsx.h"

namespace {

using namespace tavo;
using wintest::Session;
using wintest::Step;

constexpr Date kMadeOn{std::chrono::year{2024}, std::chrono::August, std::chrono::day{20}};

class RecordingPlatform : public host::Platform {
 public:
  int MessageBox(const std::string& text, const std::string& title, int style) override {
    const char* icon = style == host::kStyleCritical ? "stop" : style == host::kStyleWarning ? "warning" : "information";
    std::string one_line;
    for (char c : text) one_line += c == '\n' ? std::string("\\n") : std::string(1, c);
    boxes.push_back("box " + title + "|" + one_line + "|" + icon);
    return 1;
  }
  void Beep(int, int) override {}
  void AdjustDialogWindow(const std::string&) override {}
  char PathSeparator() override { return '/'; }
  void OpenInWordProcessor(const std::string&) override {}
  std::vector<std::string> boxes;
};

// 20-year builds, and one-term builds made three times over (the first
// build of a session also pays for loading the component).
std::vector<Session> BenchSessions() {
  auto build = [](const char* start, const char* end, bool vertical, int style, const char* command,
                  int times = 1) {
    std::vector<Step> steps{{"", {}, "Initialize"}, {"txtBDate", start, "txtBDate"}, {"txtEDate", end, "txtEDate"}};
    steps.push_back({vertical ? "optShu" : "optHng", true, vertical ? "optShu" : "optHng"});
    steps.push_back({style == 1 ? "optYS1" : "optYS2", true, style == 1 ? "optYS1" : "optYS2"});
    for (int i = 0; i < times; ++i) steps.push_back({"", {}, command});
    return steps;
  };
  return {
      {"bench_school_vertical", build("2001-9-1", "2021-7-31", true, 1, "cmdDoXL"), {}},
      {"bench_school_horizontal", build("2001-9-1", "2021-7-31", false, 2, "cmdDoXL"), {}},
      {"bench_calendar_vertical", build("2001-1-1", "2020-12-31", true, 1, "cmdDoRL"), {}},
      {"bench_calendar_horizontal", build("2001-1-1", "2020-12-31", false, 2, "cmdDoRL"), {}},
      {"bench_term_vertical", build("2024-9-1", "2025-1-31", true, 1, "cmdDoXL", 3), {}},
      {"bench_term_horizontal", build("2024-9-1", "2025-1-31", false, 2, "cmdDoXL", 3), {}},
  };
}

std::shared_ptr<workbook::WorkbookModel> Replay(const Session& session, std::vector<std::string>& boxes) {
  const std::vector<Step>& steps = session.steps;
  auto model = std::make_shared<workbook::WorkbookModel>(xlsx::MakeHostWorkbook(kMadeOn));
  auto application = workbook::OpenEmbeddedApplication(model);
  wintest::WriteSchoolItems(*application, session.items);
  workbook::MemoryDialog dialog(wintest::kDialogCaption);
  RecordingPlatform platform;
  bridge::Myxl component(platform);
  for (const Step& step : steps) {
    if (!step.control.empty()) dialog.SetControlValue(step.control, step.value);
    if (!step.event.empty()) component.MyFun(*application, dialog, step.event);
  }
  boxes = platform.boxes;
  return model;
}

std::string Json(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string JsonValue(const host::Variant& v) {
  if (v.IsBool()) return std::string("{\"kind\": \"bool\", \"bool\": ") + (v.Bool() ? "true" : "false") + "}";
  if (v.IsText()) return "{\"kind\": \"text\", \"text\": " + Json(v.Text()) + "}";
  return "{\"kind\": \"empty\"}";
}

void WriteSessions(std::ofstream& out, const std::vector<Session>& sessions, const char* key, bool last) {
  out << "  " << Json(key) << ": [\n";
  for (std::size_t i = 0; i < sessions.size(); ++i) {
    out << "    {\"name\": " << Json(sessions[i].name) << ", \"steps\": [";
    for (std::size_t j = 0; j < sessions[i].steps.size(); ++j) {
      const Step& s = sessions[i].steps[j];
      out << (j ? ", " : "") << "{\"control\": " << Json(s.control) << ", \"value\": " << JsonValue(s.value)
          << ", \"event\": " << Json(s.event) << "}";
    }
    out << "], \"items\": [";
    for (std::size_t j = 0; j < sessions[i].items.size(); ++j) {
      out << (j ? ", " : "") << "[";
      const wintest::ItemRow& row = sessions[i].items[j];
      for (std::size_t k = 0; k < row.size(); ++k) out << (k ? ", " : "") << Json(row[k]);
      out << "]";
    }
    out << "]}" << (i + 1 < sessions.size() ? "," : "") << "\n";
  }
  out << "  ]" << (last ? "" : ",") << "\n";
}

int Sessions(const std::string& folder) {
  const std::vector<Session> sessions = wintest::CalendarSessions();
  std::ofstream json(folder + "/sessions.json", std::ios::binary);
  json << "{\n  \"caption\": " << Json(wintest::kDialogCaption) << ",\n";
  WriteSessions(json, sessions, "sessions", false);
  WriteSessions(json, BenchSessions(), "bench", true);
  json << "}\n";
  for (const Session& session : sessions) {
    std::vector<std::string> boxes;
    auto model = Replay(session, boxes);
    std::ofstream out(folder + "/" + session.name + ".facts", std::ios::binary);
    for (const std::string& line : officetest::WorkbookFacts(*model)) out << line << '\n';
    for (const std::string& line : boxes) out << line << '\n';
    if (!out) return 1;
    xlsx::SaveXlsx(*model, nullptr, folder + "/" + session.name + ".xlsx");
  }
  // The colours a document without a stored palette has.
  std::ofstream palette(folder + "/default-palette.txt", std::ios::binary);
  for (std::int32_t c : workbook::WorkbookModel::DefaultPalette()) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    palette << hex << '\n';
  }
  std::printf("wrote %zu sessions\n", sessions.size());
  return json ? 0 : 1;
}

int Bench() {
  for (const Session& session : BenchSessions()) {
    std::vector<std::string> boxes;
    const auto started = std::chrono::steady_clock::now();
    auto model = Replay(session, boxes);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    std::size_t cells = 0;
    for (const auto& sheet : model->sheets) cells += sheet.name == "DTB" || sheet.name == "信息表" ? 0 : sheet.cells.CellCount();
    std::printf("%s\t%lld ms, %zu cells%s\n", session.name.c_str(), static_cast<long long>(ms.count()), cells,
                boxes.empty() ? "" : (" (" + boxes.front() + ")").c_str());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  try {
    if (command == "host" && argc == 3) {
      xlsx::SaveXlsx(xlsx::MakeHostWorkbook(kMadeOn), nullptr, argv[2]);
      return 0;
    }
    if (command == "sessions" && argc == 3) return Sessions(argv[2]);
    if (command == "bench" && argc == 2) return Bench();
    if (command == "load" && argc == 3) {
      xlsx::LoadedWorkbook loaded = xlsx::LoadXlsx(argv[2]);
      for (const auto& sheet : loaded.model.sheets) std::printf("%s\n", sheet.name.c_str());
      return 0;
    }
  } catch (const Error& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  std::fprintf(stderr, "usage: %s host FILE | sessions FOLDER | bench | load FILE\n", argv[0]);
  return 64;
}
