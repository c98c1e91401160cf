#include "holidays/holiday_notice_reader.h"

#include <algorithm>
#include <chrono>
#include <initializer_list>
#include <map>
#include <optional>

#include "common/error.h"
#include "holidays/holiday_notice_clauses.h"

namespace tavo::holidays {
namespace {

struct Paragraph {
  std::string text;  // an item without its numeral
  std::string shown;  // as written, for error details
  int line = 0;
  bool numbered = false;
  std::string last_line;  // the last line it took, and its number
  int last_line_number = 0;
};

// One notice: the main one, or a supplementary one after it.
struct NoticeText {
  int title_year = 0;
  std::string words;  // title and unnumbered paragraphs, where directives stand
  std::vector<Paragraph> paragraphs;
  bool has_numbered = false;
  bool empty() const { return paragraphs.empty() && words.empty(); }
};

using Days = std::map<Date, NoticeDay>;

// Bytes of the longest holiday name a notice writes (抗战胜利70周年纪念日 in full is 25 characters).
constexpr std::size_t kLongestName = 120;

bool EndsWith(std::string_view s, std::string_view tail) { return s.ends_with(tail); }
bool Contains(std::string_view s, std::string_view part) { return s.find(part) != s.npos; }

std::string_view Trim(std::string_view s) {
  for (;;) {
    if (s.starts_with("\xEF\xBB\xBF") || s.starts_with("\xE3\x80\x80")) s.remove_prefix(3);  // BOM, U+3000
    else if (s.starts_with("\xC2\xA0")) s.remove_prefix(2);  // NBSP, as web pages paste
    else if (s.ends_with("\xC2\xA0")) s.remove_suffix(2);
    else if (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
    else if (s.ends_with("\xE3\x80\x80")) s.remove_suffix(3);
    else if (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    else return s;
  }
}

// The text after "一、", "十二、"; nullopt when the line starts no item.
std::optional<std::string_view> ItemBody(std::string_view line) {
  static constexpr std::string_view kNumerals[] = {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};
  std::size_t pos = 0;
  for (bool more = true; more;) {
    more = false;
    for (std::string_view n : kNumerals)
      if (line.substr(pos).starts_with(n)) {
        pos += n.size();
        more = true;
      }
  }
  if (pos == 0 || !line.substr(pos).starts_with("、")) return std::nullopt;
  return line.substr(pos + 3);
}

bool IsTitle(std::string_view line) {
  return Contains(line, "关于") && EndsWith(line, "通知") && !Contains(line, "：") && line.size() < 300;
}

// The number before the first "年" that follows four digits: 2026 in "关于2026年部分…".
int YearIn(std::string_view s) {
  for (std::size_t pos = s.find("年"); pos != s.npos; pos = s.find("年", pos + 1)) {
    if (pos < 4) continue;
    const std::string_view digits = s.substr(pos - 4, 4);
    if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return std::stoi(std::string(digits));
  }
  return 0;
}

// Drops the quotes and reads the notices' short names as the table names them.
std::string HolidayName(std::string_view written) {
  std::string name;
  for (std::size_t pos = 0; pos < written.size();) {
    bool skipped = false;
    for (std::string_view q : {"“", "”", "‘", "’", "「", "」", "\"", " "})
      if (written.substr(pos).starts_with(q)) {
        pos += q.size();
        skipped = true;
      }
    if (!skipped) name += written[pos++];
  }
  if (name.starts_with("五一")) return "劳动节";
  if (name.starts_with("十一")) return "国庆节";
  return name;
}

// "元旦：1月1日放假" → 元旦; nothing when the item writes no name before its colon.
std::optional<std::string> NameOf(std::string_view& body) {
  std::size_t colon = body.find("：");
  std::size_t len = 3;
  if (colon == body.npos) colon = body.find(':'), len = 1;
  if (colon == body.npos || colon == 0 || colon > kLongestName) return std::nullopt;
  const std::string_view head = body.substr(0, colon);
  for (std::string_view bad : {"，", "。", "；", "（", "(", "月", "放假"})
    if (Contains(head, bad)) return std::nullopt;
  body.remove_prefix(colon + len);
  return HolidayName(head);
}

// The holiday named between `before` and the first of `after`: "调整2019年劳动节放假安排" → 劳动节.
std::string NamedBetween(std::string_view s, std::string_view before,
                         std::initializer_list<std::string_view> after) {
  const std::size_t start = s.find(before);
  if (start == s.npos) return {};
  std::string_view rest = s.substr(start + before.size());
  std::size_t end = rest.npos;
  for (std::string_view a : after) end = std::min(end, rest.find(a));
  if (end == rest.npos || end > kLongestName) return {};
  rest = rest.substr(0, end);
  if (const std::size_t y = rest.find("年"); y != rest.npos && y <= 4) rest.remove_prefix(y + 3);
  return HolidayName(rest);
}

std::string Shorten(std::string_view s) {
  if (s.size() <= 150) return std::string(s);
  std::size_t cut = 150;
  while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80) --cut;
  return std::string(s.substr(0, cut)) + "…";
}

std::string Where(const Paragraph& p) { return "第" + std::to_string(p.line) + "行“" + Shorten(p.shown) + "”"; }

bool HasDigit(std::string_view s) {
  for (std::size_t pos = 0; pos < s.size(); ++pos) {
    if (s[pos] >= '0' && s[pos] <= '9') return true;
    if (s.substr(pos).starts_with("\xEF\xBC") && pos + 2 < s.size() &&
        static_cast<unsigned char>(s[pos + 2]) >= 0x90 && static_cast<unsigned char>(s[pos + 2]) <= 0x99)
      return true;  // a full-width digit
  }
  return false;
}

// A line that is one date with its year and nothing else: the date a notice is signed on.
bool IsFullDate(std::string_view s) {
  std::size_t pos = 0;
  for (std::string_view unit : {"年", "月", "日"}) {
    const std::size_t start = pos;
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') ++pos;
    if (pos == start || !s.substr(pos).starts_with(unit)) return false;
    pos += unit.size();
  }
  return pos == s.size();
}

bool EndsSentence(std::string_view s) { return s.ends_with("。") || s.ends_with("：") || s.ends_with(":"); }

std::vector<NoticeText> SplitNotices(std::string_view text) {
  std::vector<NoticeText> notices(1);
  bool open = false;  // the last paragraph may go on on the next line
  int number = 0;
  for (std::size_t start = 0; start <= text.size(); ++number) {
    std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view line = Trim(text.substr(start, end - start));
    start = end + 1;
    if (line.empty()) {
      open = false;
      continue;
    }
    if (line.starts_with("http") || IsTitle(line)) {
      // An address or a title starts a notice, unless it is the first line of one.
      if (!notices.back().empty()) notices.emplace_back();
      if (IsTitle(line) && notices.back().title_year == 0) notices.back().title_year = YearIn(line);
      if (IsTitle(line)) notices.back().words += line;
      open = false;
      continue;
    }
    NoticeText& notice = notices.back();
    if (auto body = ItemBody(line)) {
      notice.paragraphs.push_back({std::string(*body), std::string(line), number + 1, true, std::string(line), number + 1});
      notice.has_numbered = open = true;
    } else if (open && (notice.paragraphs.back().numbered || !EndsSentence(notice.paragraphs.back().text))) {
      // A line broken inside an item ("2月2" / "日") goes on without a separator.
      notice.paragraphs.back().text += line;
      notice.paragraphs.back().shown += line;
      notice.paragraphs.back().last_line = std::string(line);
      notice.paragraphs.back().last_line_number = number + 1;
      if (!notice.paragraphs.back().numbered) notice.words += line;
    } else {
      notice.paragraphs.push_back({std::string(line), std::string(line), number + 1, false, std::string(line), number + 1});
      notice.words += line;
      open = true;
    }
  }
  return notices;
}

void Put(Days& days, Date date, DayStatus status, const std::string& name, const std::string& where) {
  auto [it, added] = days.try_emplace(date, NoticeDay{date, status, name});
  if (!added && it->second.status != status)
    RaiseNoticeError(where, ChineseDate(date) + "既是放假日又是上班日");
}

bool IsWeekend(Date d) {
  const std::chrono::weekday w{std::chrono::sys_days{d}};
  return w == std::chrono::Saturday || w == std::chrono::Sunday;
}

// "…起正常上班", "…起上班": the return to work after the break, not a make-up day.
bool IsReturnToWork(std::string_view clause) {
  clause.remove_suffix(std::string_view("上班").size());
  if (clause.ends_with("正常")) clause.remove_suffix(std::string_view("正常").size());
  return clause.ends_with("起");
}

// "延长2020年春节假期至2月2日": the holiday's days off run on to that day, over its make-up days.
void Extend(const NoticeClause& clause, Days& days, const std::string& where) {
  const std::size_t to = clause.text.find("假期至");
  const std::string name = NamedBetween(clause.text, "延长", {"假期至"});
  const auto date = std::find_if(clause.dates.begin(), clause.dates.end(),
                                 [&](const NoticeDates& d) { return d.end > to; });
  if (name.empty() || date == clause.dates.end()) RaiseNoticeError(where, "看不出延长哪个假期到哪一天");
  std::optional<Date> first, last;
  for (const auto& [d, day] : days)
    if (day.name == name && day.status == DayStatus::kOff) {
      if (!first) first = d;
      last = d;
    }
  if (!first) RaiseNoticeError(where, "前面的通知没有" + name + "的放假安排");
  if (date->first <= *last) RaiseNoticeError(where, ChineseDate(date->first) + "不在" + name + "假期之后");
  for (Date d : DaysOf({*first, date->first}, where)) {
    NoticeDay& day = days.try_emplace(d, NoticeDay{d, DayStatus::kOff, name}).first->second;
    if (day.status == DayStatus::kOff && day.name != name)
      RaiseNoticeError(where, ChineseDate(d) + "已是" + day.name + "的放假日");
    day = {d, DayStatus::kOff, name};
  }
}

// The holidays a notice's opening lists ("现将2026年元旦、春节、清明节、劳动节、端午节、
// 中秋节和国庆节放假调休日期…"), by the names the items give them; none when it lists none.
std::vector<std::string> ListedHolidays(std::string_view words) {
  static constexpr std::string_view kHolidays[] = {"元旦", "春节", "清明节", "劳动节", "端午节", "中秋节", "国庆节"};
  for (std::size_t pos = words.find("年"); pos != words.npos; pos = words.find("年", pos + 1)) {
    if (pos < 4 || YearIn(words.substr(pos - 4, 4 + std::string_view("年").size())) == 0) continue;
    const std::string_view rest = words.substr(pos + std::string_view("年").size());
    std::size_t end = rest.npos;
    for (std::string_view stop : {"放假", "，", "。", "："}) end = std::min(end, rest.find(stop));
    if (end == rest.npos) continue;
    std::vector<std::string> names;
    bool all_holidays = true;
    for (std::string_view list = rest.substr(0, end); all_holidays && !list.empty();) {
      std::size_t cut = list.npos, cut_size = 0;
      for (std::string_view separator : {"、", "和", "及"})
        if (const std::size_t at = list.find(separator); at < cut) cut = at, cut_size = separator.size();
      names.push_back(HolidayName(list.substr(0, cut)));
      all_holidays = std::find(std::begin(kHolidays), std::end(kHolidays), names.back()) != std::end(kHolidays);
      list = cut == list.npos ? std::string_view() : list.substr(cut + cut_size);
    }
    if (all_holidays && !names.empty()) return names;
  }
  return {};
}

// A notice whose opening lists its holidays has an item for each: one that
// lacks some was copied only in part, up to the last item it has.
void CheckListedHolidays(const NoticeText& n) {
  if (!n.has_numbered) return;
  std::vector<std::string> items;
  const Paragraph* last_item = nullptr;
  for (const Paragraph& p : n.paragraphs) {
    if (!p.numbered) continue;
    std::string_view body = p.text;
    items.push_back(NameOf(body).value_or(""));
    last_item = &p;
  }
  for (const std::string& listed : ListedHolidays(n.words)) {
    const bool has_item = std::any_of(items.begin(), items.end(),
                                      [&](const std::string& name) { return Contains(name, listed); });
    if (!has_item)
      RaiseNoticeError(Where(*last_item), "通知开头列出的" + listed + "没有条目，通知像是只复制了一部分");
  }
}

void ReadItem(const Paragraph& p, int year, const std::string& default_name, Days& days) {
  const std::string where = Where(p);
  std::string_view body = p.text;
  // Only a numbered item writes its holiday's name ("一、元旦："); an addressee line is no name.
  const std::optional<std::string> written = p.numbered ? NameOf(body) : std::nullopt;
  const std::string name = written.value_or(default_name);
  const std::vector<NoticeClause> clauses = ReadNoticeClauses(body, {year, name == "元旦", where});

  // Days off: the first clause that gives them ("1月1日至3日放假"), then any 补休.
  std::vector<Date> off, work;
  const auto off_clause = std::find_if(clauses.begin(), clauses.end(), [](const NoticeClause& c) {
    return Contains(c.text, "放假") && !c.dates.empty();
  });
  if (off_clause != clauses.end())
    for (const NoticeDates& d : off_clause->dates)
      for (Date day : DaysOf(d, where)) off.push_back(day);
  if (off.empty() && written) RaiseNoticeError(where, "没有放假日期");
  const Date first_off = off.empty() ? Date{} : *std::min_element(off.begin(), off.end());
  const Date last_off = off.empty() ? Date{} : *std::max_element(off.begin(), off.end());

  for (auto c = clauses.begin(); c != clauses.end(); ++c) {
    if (c == off_clause) continue;
    std::vector<Date>* into = nullptr;
    if (EndsWith(c->text, "补休")) into = &off;
    if (EndsWith(c->text, "上班") && !IsReturnToWork(c->text)) into = &work;
    if (into)
      for (const NoticeDates& d : c->dates)
        for (Date day : DaysOf(d, where)) into->push_back(day);
    // "将1月17日（星期六）、18日（星期日）两个公休日调至…": a weekend day moved into
    // the break is worked, unless it lies inside the break itself.
    const std::size_t moved = c->text.find("调至");
    if (moved == c->text.npos || off.empty()) continue;
    for (const NoticeDates& d : c->dates)
      if (d.end <= moved && d.first == d.last && IsWeekend(d.first) &&
          (d.first < first_off || d.first > last_off))
        work.push_back(d.first);
  }
  for (Date d : off) Put(days, d, DayStatus::kOff, name, where);
  for (Date d : work) Put(days, d, DayStatus::kWork, name, where);
  for (const NoticeClause& c : clauses)
    if (Contains(c.text, "延长") && Contains(c.text, "假期至")) Extend(c, days, where);
}

}  // namespace

std::vector<NoticeDay> ReadHolidayNotices(std::string_view text, int year) {
  if (year != 0 && (year < 1900 || year > 9999))
    RaiseInvalidArgument("节假日通知的年份不对：" + std::to_string(year));
  const std::vector<NoticeText> notices = SplitNotices(text);
  for (const NoticeText& n : notices) {
    if (n.title_year == 0) continue;
    if (year != 0 && n.title_year != year)
      RaiseInvalidArgument("通知的标题是" + std::to_string(n.title_year) + "年的，不是" + std::to_string(year) + "年的");
    year = n.title_year;
  }
  if (year == 0) RaiseInvalidArgument("节假日通知没有标题写明年份，也没有给出年份");

  // Every item a notice publishes ends its last sentence; a text whose last
  // line stops inside an item was cut off while it was copied. The lines of
  // the signature that a text without blank lines runs on into the last
  // item (the office, the date: no digit, or a date alone) are no part of it.
  const NoticeText& last = notices.back();
  if (!last.paragraphs.empty()) {
    const Paragraph& p = last.paragraphs.back();
    const bool item_line = p.numbered && p.last_line_number == p.line;
    const bool signature = !item_line && (!HasDigit(p.last_line) || IsFullDate(p.last_line));
    if (p.numbered && !signature && !EndsWith(p.last_line, "。"))
      RaiseNoticeError("第" + std::to_string(p.last_line_number) + "行“" + Shorten(p.last_line) + "”",
                       "没有写完（条目应以“。”结束），通知像是只复制了一部分");
  }

  Days days;
  for (const NoticeText& n : notices) {
    // A supplementary notice may replace one holiday of the notice before it.
    const std::string replaced = NamedBetween(n.words, "调整", {"放假安排", "假期安排"});
    if (!replaced.empty()) std::erase_if(days, [&](const auto& d) { return d.second.name == replaced; });
    for (const Paragraph& p : n.paragraphs)
      if (p.numbered || !n.has_numbered) ReadItem(p, year, replaced, days);
    CheckListedHolidays(n);
  }
  if (days.empty()) RaiseInvalidArgument("节假日通知里没有读到放假安排（条目以“一、”这样的序号开头）");
  std::vector<NoticeDay> result;
  for (auto& [date, day] : days) result.push_back(std::move(day));
  return result;
}

std::string NoticeFaultText(const Error& refusal) {
  const std::string general = std::string(kInvalidArgumentText) + "：";
  std::string_view text = refusal.description();
  if (text.starts_with(general)) text.remove_prefix(general.size());
  return std::string(text);
}

int NoticeTitleYear(std::string_view text) {
  for (const NoticeText& n : SplitNotices(text))
    if (n.title_year != 0) return n.title_year;
  return 0;
}

}  // namespace tavo::holidays
