// Speed of the day functions the builders and the day commands read (one
// conversion, a term, a note, the full record `tavo day` prints) and of the
// engine object's DateText operations over them, which read the text and
// decode the year on every call. Nothing is cached between calls.
#include <benchmark/benchmark.h>

#include <vector>

#include "common/dates.h"
#include "lunar/lunar_day.h"
#include "lunar/lunar_engine.h"

namespace {

using namespace std::chrono;

// Every day of 1900..2100 as the builders pass them: short-date texts.
const std::vector<tavo::DateText>& AllDays() {
  static const std::vector<tavo::DateText> all = [] {
    std::vector<tavo::DateText> out;
    for (sys_days d = sys_days{year{1900} / January / 1}; d <= sys_days{year{2100} / December / 31}; d += days{1}) {
      out.push_back(tavo::DateToText(year_month_day{d}));
    }
    return out;
  }();
  return all;
}

tavo::lunar::LunarEngine LoadedEngine() {
  tavo::lunar::LunarEngine engine;
  engine.LoadCalendarTables();
  return engine;
}

// Runs `field` over the days in turn and counts days per second.
template <typename Field>
void OverAllDays(benchmark::State& state, Field field) {
  auto engine = LoadedEngine();
  const auto& days = AllDays();
  std::size_t i = 0;
  for (auto _ : state) {
    field(engine, days[i]);
    if (++i == days.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_ConvertToLunar(benchmark::State& state) {
  OverAllDays(state, [](auto& engine, const auto& day) {
    engine.ConvertToLunar(day);
    benchmark::ClobberMemory();
  });
}
BENCHMARK(BM_ConvertToLunar);

void BM_LunarDayText(benchmark::State& state) {
  OverAllDays(state, [](auto& engine, const auto& day) { benchmark::DoNotOptimize(engine.LunarDayText(day)); });
}
BENCHMARK(BM_LunarDayText);

void BM_SolarTermName(benchmark::State& state) {
  OverAllDays(state, [](auto& engine, const auto& day) { benchmark::DoNotOptimize(engine.SolarTermName(day)); });
}
BENCHMARK(BM_SolarTermName);

void BM_SchoolDayNote(benchmark::State& state) {
  OverAllDays(state, [](auto& engine, const auto& day) { benchmark::DoNotOptimize(engine.SchoolDayNote(day)); });
}
BENCHMARK(BM_SchoolDayNote);

// The eight fields of `tavo day`, each accessor converting afresh.
void BM_FullDayRecord(benchmark::State& state) {
  OverAllDays(state, [](auto& engine, const auto& day) {
    benchmark::DoNotOptimize(engine.LunarMonthText(day));
    benchmark::DoNotOptimize(engine.LunarDayText(day));
    benchmark::DoNotOptimize(engine.LunarMonthNumber(day));
    benchmark::DoNotOptimize(engine.LunarDayNumber(day));
    benchmark::DoNotOptimize(engine.SolarTermName(day));
    benchmark::DoNotOptimize(engine.SchoolDayNote(day));
    benchmark::DoNotOptimize(engine.CalendarDayNote(day));
  });
}
BENCHMARK(BM_FullDayRecord);

// Every day of 1900..2100 as the builders pass them now: days.
const std::vector<sys_days>& AllSysDays() {
  static const std::vector<sys_days> all = [] {
    std::vector<sys_days> out;
    for (sys_days d = sys_days{year{1900} / January / 1}; d <= sys_days{year{2100} / December / 31}; d += days{1}) {
      out.push_back(d);
    }
    return out;
  }();
  return all;
}

template <typename Function>
void OverAllSysDays(benchmark::State& state, Function function) {
  const auto& all = AllSysDays();
  std::size_t i = 0;
  for (auto _ : state) {
    function(all[i]);
    if (++i == all.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_LunarDateOf(benchmark::State& state) {
  OverAllSysDays(state, [](sys_days d) { benchmark::DoNotOptimize(tavo::lunar::LunarDateOf(d)); });
}
BENCHMARK(BM_LunarDateOf);

void BM_SolarTermOf(benchmark::State& state) {
  OverAllSysDays(state, [](sys_days d) { benchmark::DoNotOptimize(tavo::lunar::SolarTermOf(d)); });
}
BENCHMARK(BM_SolarTermOf);

void BM_SchoolNoteOf(benchmark::State& state) {
  OverAllSysDays(state, [](sys_days d) { benchmark::DoNotOptimize(tavo::lunar::SchoolNoteOf(d)); });
}
BENCHMARK(BM_SchoolNoteOf);

// The fields of `tavo day` from the day functions.
void BM_DayRecordOfDay(benchmark::State& state) {
  OverAllSysDays(state, [](sys_days d) {
    benchmark::DoNotOptimize(tavo::lunar::LunarDateOf(d));
    benchmark::DoNotOptimize(tavo::lunar::SolarTermOf(d));
    benchmark::DoNotOptimize(tavo::lunar::SchoolNoteOf(d));
    benchmark::DoNotOptimize(tavo::lunar::CalendarNoteOf(d));
  });
}
BENCHMARK(BM_DayRecordOfDay);

}  // namespace
