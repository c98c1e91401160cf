// The day functions share nothing between calls: many threads naming every
// day at once get exactly the answers of one thread, and so does an engine
// object of each thread's own.
#include <atomic>
#include <thread>
#include <vector>

#include "lunar/lunar_day.h"
#include "lunar_test_support.h"

namespace tavo::lunar::testing {
namespace {

using namespace std::chrono;

struct DayAnswers {
  int month, day;
  std::string month_text, day_text, term, school_note, calendar_note;
  friend bool operator==(const DayAnswers&, const DayAnswers&) = default;
};

constexpr sys_days kFirst{year{1900} / January / 1};
constexpr sys_days kLast{year{2100} / December / 31};

DayAnswers AnswersOf(sys_days d) {
  const LunarDate lunar = LunarDateOf(d);
  return {lunar.month,
          lunar.day,
          std::string(lunar.month_text),
          std::string(lunar.day_text),
          std::string(SolarTermOf(d)),
          SchoolNoteOf(d),
          CalendarNoteOf(d)};
}

DayAnswers EngineAnswersOf(LunarEngine& engine, sys_days d) {
  const DateText text = DateToText(Date{d});
  return {engine.LunarMonthNumber(text), engine.LunarDayNumber(text), engine.LunarMonthText(text),
          engine.LunarDayText(text),     engine.SolarTermName(text),  engine.SchoolDayNote(text),
          engine.CalendarDayNote(text)};
}

TEST(DayFunctions, ManyThreadsAtOnceAnswerAsOneThread) {
  std::vector<DayAnswers> expected;
  for (sys_days d = kFirst; d <= kLast; d += days{1}) expected.push_back(AnswersOf(d));

  constexpr int kThreads = 8;
  const auto count = static_cast<long>(expected.size());
  std::atomic<int> differences{0};
  std::atomic<bool> go{false};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      while (!go.load()) std::this_thread::yield();
      LunarEngine engine;
      engine.LoadCalendarTables();
      // Each thread starts elsewhere, so different days are in flight at once.
      for (long i = 0; i < count; ++i) {
        const long k = (i + t * count / kThreads) % count;
        const sys_days d = kFirst + days{k};
        const DayAnswers& want = expected[static_cast<std::size_t>(k)];
        if (!(AnswersOf(d) == want)) ++differences;
        // The engine only every few days: its texts are slower to build.
        if (k % 7 == t % 7 && !(EngineAnswersOf(engine, d) == want)) ++differences;
      }
    });
  }
  go = true;
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(differences.load(), 0);
}

// Outside the table a day function raises as the engine does, whichever thread asks.
TEST(DayFunctions, DaysOutsideTheTableAreOutOfRange) {
  for (const Date d : {Date{year{1899} / February / 9}, Date{year{2101} / January / 1}}) {
    EXPECT_EQ(ErrorNumberOf([&] { LunarDateOf(sys_days{d}); }), kOutOfRange) << DateToIso(d);
    EXPECT_EQ(ErrorNumberOf([&] { SchoolNoteOf(sys_days{d}); }), kOutOfRange) << DateToIso(d);
  }
  EXPECT_EQ(LunarDateOf(sys_days{kFirstLunarDay}).month_text, "正月");
  EXPECT_EQ(LunarDateOf(sys_days{kLastLunarDay}).day_text, "初一");
  EXPECT_EQ(GregorianFestivalsOf(sys_days{year{2101} / January / 1}, false), "元旦");  // no table needed
}

}  // namespace
}  // namespace tavo::lunar::testing
