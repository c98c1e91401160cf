// Reading the State Council's holiday notices: every notice since 2004 reads
// to exactly the built-in table, a whole pasted notice reads as its items do,
// and a notice with a fault is refused with the text at fault named.
#include "holidays/holiday_notice_reader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "common/dates.h"
#include "common/error.h"
#include "holidays/covered_years.h"
#include "holidays/holiday_schedule.h"
#include "holidays/holiday_table.h"

namespace tavo::holidays {

namespace {

std::string ReadFixture(const std::string& name) {
  std::ifstream in(std::filesystem::path(TAVO_NOTICES_DIR) / name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// "2018-12-29 班 元旦", one line a day: what a failure prints.
std::string Listing(const std::vector<NoticeDay>& days) {
  std::string out;
  for (const NoticeDay& d : days)
    out += DateToIso(d.date) + " " + StatusMark(d.status) + " " + d.name + "\n";
  return out;
}

std::string Entry(DayStatus status, const std::string& name) {
  return status == DayStatus::kNone ? "-" : std::string(StatusMark(status)) + " " + name;
}

// "2018-12-29 班", one line a day, without the names.
std::string Marks(const std::vector<NoticeDay>& days) {
  std::string out;
  for (const NoticeDay& d : days) out += DateToIso(d.date) + " " + StatusMark(d.status) + "\n";
  return out;
}

TEST(HolidayNoticeReader, EveryNoticeReadsToTheBuiltInTable) {
  std::map<Date, NoticeDay> read;
  for (int y = kFirstYear; y <= kLastYear; ++y) {
    SCOPED_TRACE(y);
    const std::string text = ReadFixture(std::to_string(y) + ".txt");
    ASSERT_FALSE(text.empty()) << "no notice file for " << y;
    const std::vector<NoticeDay> days = ReadHolidayNotices(text, y);
    EXPECT_FALSE(days.empty());
    for (const NoticeDay& d : days) {
      auto [it, added] = read.try_emplace(d.date, d);
      EXPECT_TRUE(added || it->second == d) << DateToIso(d.date) << " read differently from two notices";
    }
    // The year's file gives exactly the days of the breaks its notices set out.
    std::map<Date, NoticeDay> of_year;
    for (const BuiltInBreak& b : kBreaks) {
      if (b.notice->year != y) continue;
      for (const HolidayDay& d : MarkedDaysOf(b)) of_year[d.date] = {d.date, d.status, d.name};
    }
    std::vector<NoticeDay> breaks_days;
    for (const auto& [date, day] : of_year) breaks_days.push_back(day);
    EXPECT_EQ(Marks(days), Marks(breaks_days));
  }

  // The days of all breaks: the schedule's built-in days.
  std::map<Date, NoticeDay> table;
  for (const BuiltInBreak& b : kBreaks) {
    for (const HolidayDay& d : MarkedDaysOf(b)) {
      EXPECT_TRUE(table.try_emplace(d.date, NoticeDay{d.date, d.status, d.name}).second)
          << DateToIso(d.date) << " is a day of two breaks";
    }
  }
  // date: expected (the table) / got (the notices).
  std::vector<std::string> diff;
  auto note = [&](Date date, const NoticeDay* expected, const NoticeDay* got) {
    diff.push_back(DateToIso(date) + ": " + (expected ? Entry(expected->status, expected->name) : "-") + " / " +
                   (got ? Entry(got->status, got->name) : "-"));
  };
  for (const auto& [date, day] : table) {
    auto it = read.find(date);
    if (it == read.end()) note(date, &day, nullptr);
    else if (!(it->second == day)) note(date, &day, &it->second);
  }
  for (const auto& [date, day] : read)
    if (!table.count(date)) note(date, nullptr, &day);

  // The 2015 supplementary notice names no holiday in its item.
  const std::string expected =
      "2015-09-03: 休 抗战胜利70周年纪念日 / 休 \n"
      "2015-09-04: 休 抗战胜利70周年纪念日 / 休 \n"
      "2015-09-05: 休 抗战胜利70周年纪念日 / 休 \n"
      "2015-09-06: 班 抗战胜利70周年纪念日 / 班 \n";
  std::string shown;
  for (const std::string& line : diff) shown += line + "\n";
  EXPECT_TRUE(shown == expected) << "date: table / notices\n" << shown;
}

// The notices of the table are those of the files: each file's addresses,
// in order, are the addresses of its year's notices, and a year's own notice
// bears the title every such notice has (the whole 2026 notice shows it).
TEST(HolidayNoticeReader, TheTablesNoticesAreTheFilesNotices) {
  for (int y = kFirstYear; y <= kLastYear; ++y) {
    SCOPED_TRACE(y);
    std::vector<std::string> in_file, in_table;
    std::istringstream lines(ReadFixture(std::to_string(y) + ".txt"));
    for (std::string line; std::getline(lines, line);)
      if (line.starts_with("http")) in_file.push_back(line);
    const Notice* own = nullptr;
    for (const Notice& n : kNotices) {
      if (n.year != y) continue;
      in_table.push_back(std::string(n.address));
      if (own == nullptr) own = &n;
    }
    EXPECT_EQ(in_table, in_file);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->title, "国务院办公厅关于" + std::to_string(y) + "年部分节假日安排的通知");
  }
  std::istringstream whole(ReadFixture("2026-full.txt"));
  std::string title;
  std::getline(whole, title);
  EXPECT_EQ(title, kNotices.back().title);
}

// As copied from the page, and as pasted where the blank lines between paragraphs got lost.
TEST(HolidayNoticeReader, WholeNoticeReadsAsItsItems) {
  const std::string items = Listing(ReadHolidayNotices(ReadFixture("2026.txt"), 2026));
  std::string whole = ReadFixture("2026-full.txt");
  EXPECT_FALSE(items.empty());
  EXPECT_EQ(Listing(ReadHolidayNotices(whole)), items);
  for (std::size_t pos; (pos = whole.find("\n\n")) != whole.npos;) whole.erase(pos, 1);
  EXPECT_EQ(Listing(ReadHolidayNotices(whole)), items);
}

struct Case {
  const char* label;
  const char* text;
  int year;
  const char* days;  // Listing() of the days read
};

// Small texts as a user may paste them.
const Case kCases[] = {
    {"cross-year new year", "一、元旦：12月30日至1月1日放假，共3天。 12月29日（星期六）上班。", 2019,
     "2018-12-29 班 元旦\n2018-12-30 休 元旦\n2018-12-31 休 元旦\n2019-01-01 休 元旦\n"},
    {"December dates of 元旦 are of the year before",
     "一、元旦：1月1日－3日放假。将2006年12月30日（星期六）、31日（星期日）调至2007年1月2日、3日，"
     "2006年12月30日（星期六）、12月31日（星期日）上班。",
     2007,
     "2006-12-30 班 元旦\n2006-12-31 班 元旦\n2007-01-01 休 元旦\n2007-01-02 休 元旦\n2007-01-03 休 元旦\n"},
    {"a December date outside 元旦 is of the notice year", "七、国庆节：12月1日放假。", 2030, "2030-12-01 休 国庆节\n"},
    {"a day alone after a range over two months", "二、春节：1月29日—2月1日放假。其中，29日、30日（星期一）、31日（星期二）为法定假日。", 2006,
     "2006-01-29 休 春节\n2006-01-30 休 春节\n2006-01-31 休 春节\n2006-02-01 休 春节\n"},
    {"补休 adds a day off", "三、清明节：4月5日放假，4月7日（星期一）补休。", 2014,
     "2014-04-05 休 清明节\n2014-04-07 休 清明节\n"},
    {"与周末连休 adds nothing", "五、端午节：6月2日放假，与周末连休。", 2014, "2014-06-02 休 端午节\n"},
    {"起正常上班 is no make-up day", "二、春节：1月24日至30日放假，1月31日（星期五）起正常上班。", 2020,
     "2020-01-24 休 春节\n2020-01-25 休 春节\n2020-01-26 休 春节\n2020-01-27 休 春节\n"
     "2020-01-28 休 春节\n2020-01-29 休 春节\n2020-01-30 休 春节\n"},
    {"an item split over two lines", "二、春节：2月6日—8日放假。2月2\n日（星期六）、2月3日（星期日）\n上班。", 2008,
     "2008-02-02 班 春节\n2008-02-03 班 春节\n2008-02-06 休 春节\n2008-02-07 休 春节\n2008-02-08 休 春节\n"},
    {"Windows line ends, full-width digits, 五一", "一、元旦：１月１日放假。\r\n三、“五一”：5月1日～3日放假。\r\n", 2030,
     "2030-01-01 休 元旦\n2030-05-01 休 劳动节\n2030-05-02 休 劳动节\n2030-05-03 休 劳动节\n"},
    {"调至: a weekend day outside the break is worked, inside it is not",
     "七、“十一”：9月29日—10月5日放假。9月27日（星期六）、10月4日（星期六）两个公休日调至9月29日、30日。", 2008,
     "2008-09-27 班 国庆节\n2008-09-29 休 国庆节\n2008-09-30 休 国庆节\n2008-10-01 休 国庆节\n"
     "2008-10-02 休 国庆节\n2008-10-03 休 国庆节\n2008-10-04 休 国庆节\n2008-10-05 休 国庆节\n"},
    {"a supplementary notice replaces a holiday",
     "四、劳动节：5月1日至3日放假。4月28日（星期日）上班。\n\nhttp://example/2\n经国务院批准，现将调整2019年劳动节放假安排通知如下。\n"
     "2019年5月1日至2日放假调休。5月5日（星期日）上班。",
     2019, "2019-05-01 休 劳动节\n2019-05-02 休 劳动节\n2019-05-05 班 劳动节\n"},
    {"the signature runs on into the last item when the blank lines got lost",
     "一、元旦：1月1日放假。\n国务院办公厅\n2025年11月4日", 2026, "2026-01-01 休 元旦\n"},
    {"an opening that lists the holidays by their short names",
     "国务院办公厅关于2004年部分节假日安排的通知\n现将2004年元旦、“五一”和“十一”放假调休日期具体安排通知如下：\n"
     "一、元旦：1月1日放假。\n二、“五一”：5月1日放假。\n三、“十一”：10月1日放假。",
     0, "2004-01-01 休 元旦\n2004-05-01 休 劳动节\n2004-10-01 休 国庆节\n"},
    {"a supplementary notice alone, signed",
     "经国务院批准，现将调整2019年劳动节放假安排通知如下。\n2019年5月1日至2日放假调休。\n国务院办公厅\n2019年3月22日",
     2019, "2019-05-01 休 劳动节\n2019-05-02 休 劳动节\n"},
    {"an extension runs over the make-up day",
     "二、春节：1月30日至31日放假。2月1日（星期六）上班。\n\nhttp://example/2\n延长2020年春节假期至2月2日（农历正月初九，星期日），2月3日（星期一）起正常上班。",
     2020, "2020-01-30 休 春节\n2020-01-31 休 春节\n2020-02-01 休 春节\n2020-02-02 休 春节\n"},
};

TEST(HolidayNoticeReader, SmallTexts) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    try {
      const std::string got = Listing(ReadHolidayNotices(c.text, c.year));
      EXPECT_TRUE(got == c.days) << "got:\n" << got << "expected:\n" << c.days;
    } catch (const Error& e) {
      ADD_FAILURE() << e.what();
    }
  }
}

struct Fault {
  const char* label;
  const char* text;
  int year;
  const char* detail;  // part of the error's description
};

const Fault kFaults[] = {
    {"weekday mismatch", "一、元旦：1月1日（星期五）放假。", 2026, "2026年1月1日是星期四"},
    {"weekday mismatch in a range", "一、元旦：1月1日（周四）至3日（周日）放假。", 2026, "一、元旦"},
    {"wrong year under a title", "国务院办公厅关于2025年部分节假日安排的通知\n一、元旦：1月1日（周四）放假。", 0, "星期三"},
    {"date that does not exist", "二、春节：2月30日放假。", 2026, "2月30日"},
    {"month 13", "二、春节：13月1日放假。", 2026, "13月1日"},
    {"end before start", "七、国庆节：10月7日至1日放假。", 2026, "早于"},
    {"range too long", "二、春节：1月1日至2月28日放假。", 2026, "超过"},
    {"day without a month", "一、元旦：1日放假。", 2026, "1日"},
    {"unclosed remark", "一、元旦：1月1日（星期四放假。", 2026, "括号"},
    {"item without days off", "一、元旦：照常上班。", 2026, "一、元旦"},
    {"day both off and worked", "七、国庆节：10月1日至7日放假，10月3日上班。", 2026, "10月3日"},
    {"extension of a holiday never given", "http://example/1\n延长2020年春节假期至2月2日。", 2020, "春节"},
    {"extension backwards", "二、春节：1月24日至30日放假。\n\nhttp://example/2\n延长2020年春节假期至1月26日。", 2020, "1月26日"},
    {"no items", "各省、自治区、直辖市人民政府：\n\n经国务院批准，现将有关安排通知如下。\n", 2026, "没有读到"},
    {"empty text", "", 2026, "没有读到"},
    {"no year", "一、元旦：1月1日放假。", 0, "年份"},
    {"title against the year given", "国务院办公厅关于2026年部分节假日安排的通知\n一、元旦：1月1日放假。", 2025, "2026"},
    {"line of the fault", "一、元旦：1月1日放假。\n\n二、春节：2月30日放假。", 2026, "第3行"},
    {"cut inside the last item", "一、元旦：1月1日放假。\n\n二、春节：2月15日（周日）至", 2026, "第3行“二、春节：2月15日（周日）至”：没有写完"},
    {"cut inside a line the last item goes on over", "二、春节：2月6日—8日放假。2月2\n日（星期六）、2月3", 2008, "第2行“日（星期六）、2月3”"},
    {"cut after an item's numeral", "一、元旦：1月1日放假。\n三、清明", 2026, "第2行“三、清明”"},
    {"cut after a holiday the opening lists",
     "国务院办公厅关于2026年部分节假日安排的通知\n经国务院批准，现将2026年元旦、春节和国庆节放假调休日期的具体安排通知如下。\n"
     "一、元旦：1月1日（周四）放假。\n二、春节：2月15日（周日）放假。",
     0, "第4行“二、春节：2月15日（周日）放假。”：通知开头列出的国庆节没有条目"},
};

TEST(HolidayNoticeReader, FaultsAreRefused) {
  for (const Fault& f : kFaults) {
    SCOPED_TRACE(f.label);
    try {
      ReadHolidayNotices(f.text, f.year);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), kInvalidArgument);
      EXPECT_NE(e.description().find(f.detail), std::string::npos) << e.description();
    }
  }
}

// A whole notice, cut anywhere, reads to all its days or is refused: the
// last item stops short of its "。", or a holiday the opening lists has no
// item. What stays unseen is a cut at a sentence's end inside the last item.
TEST(HolidayNoticeReader, ANoticeCutAnywhereIsRefusedOrWhole) {
  const std::string text = ReadFixture("2026-full.txt");
  const std::string all = Listing(ReadHolidayNotices(text));
  const std::size_t last_item = text.find("七、");
  for (std::size_t n = 0; n <= text.size(); ++n) {
    const std::string_view cut = std::string_view(text).substr(0, n);
    std::string read;
    try {
      read = Listing(ReadHolidayNotices(cut, 2026));
    } catch (const Error&) {
      continue;
    }
    if (read == all) continue;
    std::string_view end = cut;
    while (end.ends_with("\n")) end.remove_suffix(1);
    EXPECT_TRUE(n > last_item && end.ends_with("。")) << "cut after: " << cut.substr(cut.size() > 60 ? cut.size() - 60 : 0);
  }
}

TEST(HolidayNoticeReader, TheTitleNamesTheYear) {
  const std::pair<const char*, int> cases[] = {
      {"国务院办公厅关于2026年部分节假日安排的通知\n一、元旦：1月1日放假。", 2026},
      {"http://www.gov.cn/\n国务院办公厅关于2027年部分节假日安排的通知", 2027},
      {"一、元旦：2012年1月1日至3日放假调休，共3天。", 0},
      {"标　　题：国务院办公厅关于2026年部分节假日安排的通知", 0},  // a line with a colon is no title
      {"", 0},
  };
  for (const auto& [text, year] : cases) EXPECT_EQ(NoticeTitleYear(text), year) << text;
  try {
    ReadHolidayNotices("二、春节：2月30日放假。", 2026);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(NoticeFaultText(e), "第1行“二、春节：2月30日放假。”：没有2月30日这一天") << e.description();
  }
}

// Any part of a real notice, cut anywhere (inside a character too), reads or
// is refused with the project's error, and nothing else.
TEST(HolidayNoticeReader, CutTextsNeverCrash) {
  for (int year : {2008, 2020, 2026}) {
    const std::string text = ReadFixture(year == 2026 ? "2026-full.txt" : std::to_string(year) + ".txt");
    for (std::size_t n = 0; n <= text.size(); ++n) {
      try {
        ReadHolidayNotices(std::string_view(text).substr(0, n), year);
      } catch (const Error&) {
      }
    }
  }
}

}  // namespace
}  // namespace tavo::holidays
