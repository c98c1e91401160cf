// Festival names and the two day notes.
#include "lunar_test_support.h"

namespace tavo::lunar::testing {
namespace {

struct NoteCase {
  const char* date;
  const char* school_note;
  const char* calendar_note;
};

class DayNotes : public LoadedEngine, public ::testing::WithParamInterface<NoteCase> {};

TEST_P(DayNotes, JoinGregorianThenLunarFestivals) {
  const NoteCase& c = GetParam();
  EXPECT_EQ(engine.SchoolDayNote(Text(c.date)), c.school_note);
  EXPECT_EQ(engine.CalendarDayNote(Text(c.date)), c.calendar_note);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, DayNotes,
    ::testing::Values(NoteCase{"2013-02-14", "", "情人节"},  // Valentine's Day only in the calendar
                      NoteCase{"2010-02-14", "春节", "情人节春节"},
                      NoteCase{"2020-10-01", "国庆节中秋节", "国庆节中秋节"},
                      NoteCase{"2013-05-12", "护士节母亲节", "护士节母亲节"},  // fixed date and 2nd Sunday of May
                      NoteCase{"2013-05-19", "助残日", "助残日"},              // 3rd Sunday of May
                      NoteCase{"2013-05-31", "无烟日", "无烟日"},              // the other key 531
                      NoteCase{"2013-11-28", "感恩节", "感恩节"},              // 4th Thursday of November
                      NoteCase{"2013-02-09", "除夕", "除夕"},
                      NoteCase{"2014-01-30", "除夕", "除夕"},  // eve on 十二月三十
                      NoteCase{"2012-01-22", "除夕", "除夕"},  // eve on 十二月廿九
                      NoteCase{"2009-05-28", "端午节", "端午节"},
                      NoteCase{"2009-06-27", "", ""},  // 闰五月初五: no festival in a leap month
                      NoteCase{"2014-01-08", "腊八节", "腊八节"},
                      NoteCase{"2013-06-16", "父亲节", "父亲节"},
                      NoteCase{"2013-01-01", "元旦", "元旦"},
                      NoteCase{"2013-12-25", "圣诞节", "圣诞节"},
                      NoteCase{"2013-03-05", "", ""}));

// The added lunar year 1899 and the mended 2001.
INSTANTIATE_TEST_SUITE_P(
    MendedDays, DayNotes,
    ::testing::Values(NoteCase{"1900-01-01", "元旦", "元旦"}, NoteCase{"1900-01-08", "腊八节", "腊八节"},
                      NoteCase{"1900-01-30", "除夕", "除夕"}, NoteCase{"1900-01-31", "春节", "春节"},
                      NoteCase{"2001-10-01", "国庆节中秋节", "国庆节中秋节"},
                      NoteCase{"2001-10-02", "", ""}, NoteCase{"2039-10-02", "中秋节", "中秋节"}));

TEST_F(LoadedEngine, ValentineFlagIsAnyNonZeroValue) {
  EXPECT_EQ(engine.GregorianFestivalName("2013-2-14", 0), "");
  EXPECT_EQ(engine.GregorianFestivalName("2013-2-14", -1), "情人节");
  EXPECT_EQ(engine.GregorianFestivalName("2013-2-14", 1), "情人节");
}

TEST_F(LoadedEngine, FestivalsOutsideTheTableFailLikeTheConversion) {
  EXPECT_EQ(engine.GregorianFestivalName("2101-1-1", 0), "元旦");  // needs no lunar table
  EXPECT_EQ(ErrorNumberOf([&] { engine.SchoolDayNote("2101-1-1"); }), kOutOfRange);
  EXPECT_EQ(ErrorNumberOf([&] { engine.CalendarDayNote("not a date"); }), kTypeMismatch);
}

}  // namespace
}  // namespace tavo::lunar::testing
