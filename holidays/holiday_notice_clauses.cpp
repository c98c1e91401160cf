#include "holidays/holiday_notice_clauses.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <span>

#include "common/error.h"

namespace tavo::holidays {
namespace {

enum class Kind { kDate, kJoin, kRemark, kBreak, kText };

struct Token {
  Kind kind = Kind::kText;
  std::string text;  // as written; empty for a remark or a break
  unsigned year = 0, month = 0, day = 0;  // kDate; 0 where the text writes none
  int weekday = -1;                       // kRemark: the weekday it states, 0 = Sunday
};

Token Make(Kind kind, std::string_view text = {}) {
  Token t;
  t.kind = kind;
  t.text = std::string(text);
  return t;
}

// Dash runs join a range as 至 does: "1月22日———28日", "1月1日－3日".
constexpr std::string_view kDashes[] = {"—", "―", "－", "～", "~", "-", "–", "−"};
constexpr std::string_view kBreaks[] = {"，", "；", "。", ",", ";"};
// Blanks, NBSP and the ideographic space.
constexpr std::string_view kBlanks[] = {" ", "\t", "\r", "\n", "\xC2\xA0", "\xE3\x80\x80"};

bool At(std::string_view s, std::size_t pos, std::string_view what) {
  return s.substr(pos).starts_with(what);
}

std::size_t MatchAny(std::string_view s, std::size_t pos, std::span<const std::string_view> set) {
  for (std::string_view w : set)
    if (At(s, pos, w)) return w.size();
  return 0;
}

// Bytes of the UTF-8 character at `pos`; a broken sequence counts byte by byte.
std::size_t CharLength(std::string_view s, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  const std::size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  return std::min(n, s.size() - pos);
}

// An ASCII or full-width digit at `pos`: its value, and its length in `len`.
int DigitAt(std::string_view s, std::size_t pos, std::size_t& len) {
  if (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') {
    len = 1;
    return s[pos] - '0';
  }
  if (At(s, pos, "\xEF\xBC") && pos + 2 < s.size()) {
    const auto c = static_cast<unsigned char>(s[pos + 2]);
    if (c >= 0x90 && c <= 0x99) {
      len = 3;
      return c - 0x90;
    }
  }
  return -1;
}

// A run of up to four digits at `pos`, advancing it; a longer run is no number of a date.
std::optional<unsigned> Number(std::string_view s, std::size_t& pos) {
  unsigned value = 0;
  int count = 0;
  std::size_t p = pos, len = 0;
  for (int d; (d = DigitAt(s, p, len)) >= 0; p += len, ++count) value = value * 10 + static_cast<unsigned>(d);
  if (count == 0 || count > 4) return std::nullopt;
  pos = p;
  return value;
}

// "2022年12月31日", "12月31日" or "31日" at `pos`.
std::optional<Token> LexDate(std::string_view s, std::size_t& pos) {
  std::size_t p = pos;
  Token t = Make(Kind::kDate);
  auto n = Number(s, p);
  if (n && At(s, p, "年")) {
    t.year = *n;
    p += 3;
    n = Number(s, p);
    if (!n || !At(s, p, "月")) return std::nullopt;
  }
  if (n && At(s, p, "月")) {
    t.month = *n;
    p += 3;
    n = Number(s, p);
    if (!n || !At(s, p, "日")) return std::nullopt;
  }
  if (!n || !At(s, p, "日")) return std::nullopt;
  t.day = *n;
  p += 3;
  t.text = std::string(s.substr(pos, p - pos));
  pos = p;
  return t;
}

// The first weekday a remark names: 星期六, 星期天, 周日, 礼拜一.
int RemarkWeekday(std::string_view remark) {
  static constexpr std::string_view kDays[] = {"日", "一", "二", "三", "四", "五", "六", "天"};
  for (std::size_t pos = 0; pos < remark.size(); pos += CharLength(remark, pos)) {
    for (std::string_view lead : {"星期", "礼拜", "周"}) {
      if (!At(remark, pos, lead)) continue;
      for (int d = 0; d < 8; ++d)
        if (At(remark, pos + lead.size(), kDays[d])) return d % 7;
    }
  }
  return -1;
}

std::vector<Token> Lex(std::string_view s, const std::string& where) {
  std::vector<Token> tokens;
  std::size_t pos = 0;
  while (pos < s.size()) {
    std::size_t len = 0;
    if ((len = MatchAny(s, pos, kBlanks))) {
      pos += len;
    } else if (At(s, pos, "（") || At(s, pos, "(")) {
      // A remark runs to its matching parenthesis; remarks may nest.
      const std::size_t open = pos;
      int depth = 0;
      do {
        if (pos >= s.size()) RaiseNoticeError(where, "括号没有闭合");
        if (At(s, pos, "（") || At(s, pos, "(")) ++depth;
        if (At(s, pos, "）") || At(s, pos, ")")) --depth;
        pos += CharLength(s, pos);
      } while (depth > 0);
      tokens.push_back(Make(Kind::kRemark));
      tokens.back().weekday = RemarkWeekday(s.substr(open, pos - open));
    } else if ((len = MatchAny(s, pos, kBreaks))) {
      tokens.push_back(Make(Kind::kBreak));
      pos += len;
    } else if (At(s, pos, "至") || MatchAny(s, pos, kDashes)) {
      const std::size_t start = pos;
      if (At(s, pos, "至")) pos += 3;
      else
        while ((len = MatchAny(s, pos, kDashes))) pos += len;
      tokens.push_back(Make(Kind::kJoin, s.substr(start, pos - start)));
    } else if (auto date = LexDate(s, pos)) {
      tokens.push_back(std::move(*date));
    } else {
      // A word, or digits that are no date ("共3天", "2019年劳动节"): the whole run at once.
      const std::size_t start = pos;
      if (DigitAt(s, pos, len) < 0) pos += CharLength(s, pos);
      else
        while (DigitAt(s, pos, len) >= 0) pos += len;
      tokens.push_back(Make(Kind::kText, s.substr(start, pos - start)));
    }
  }
  return tokens;
}

class ClauseBuilder {
 public:
  ClauseBuilder(const std::vector<Token>& tokens, const ItemContext& context)
      : tokens_(tokens), context_(context) {}

  std::vector<NoticeClause> Build() {
    std::vector<NoticeClause> clauses(1);
    for (i_ = 0; i_ < tokens_.size(); ++i_) {
      const Token& t = tokens_[i_];
      NoticeClause& clause = clauses.back();
      if (t.kind == Kind::kBreak) {
        if (!clause.text.empty()) clauses.emplace_back();
      } else if (t.kind == Kind::kDate) {
        NoticeDates dates;
        dates.first = dates.last = Resolve(t);
        range_first_.reset();
        clause.text += t.text;
        if (Is(i_ + 1, Kind::kJoin) && Is(i_ + 2, Kind::kDate)) {
          clause.text += tokens_[i_ + 1].text + tokens_[i_ + 2].text;
          i_ += 2;
          dates.last = Resolve(tokens_[i_]);
          range_first_ = dates.first;
        }
        dates.end = clause.text.size();
        clause.dates.push_back(dates);
      } else if (t.kind != Kind::kRemark) {
        clause.text += t.text;  // a word, or a 至 that joins no dates ("调至")
      }
    }
    if (clauses.back().text.empty()) clauses.pop_back();
    return clauses;
  }

 private:
  bool Is(std::size_t i, Kind kind) const { return i < tokens_.size() && tokens_[i].kind == kind; }

  // The day a date token writes: a day alone takes the month (and year) of
  // the date before it, or after a range over two months ("1月29日—2月4日"),
  // the month in which the range has that day; a month without a year is of
  // the notice year.
  Date Resolve(const Token& t) {
    unsigned y = t.year, m = t.month;
    if (m == 0) {
      if (!previous_) RaiseNoticeError(context_.where, "“" + t.text + "”没有写月份");
      Date base = *previous_;
      if (range_first_ && range_first_->month() != base.month() && t.day >= unsigned{range_first_->day()})
        base = *range_first_;
      y = static_cast<unsigned>(static_cast<int>(base.year()));
      m = static_cast<unsigned>(base.month());
    } else if (y == 0) {
      y = static_cast<unsigned>(context_.year - (context_.december_before && m == 12 ? 1 : 0));
    }
    const Date d{std::chrono::year{static_cast<int>(y)}, std::chrono::month{m <= 12 ? m : 0},
                 std::chrono::day{t.day <= 31 ? t.day : 0}};
    if (y < 1900 || !d.ok()) RaiseNoticeError(context_.where, "没有" + t.text + "这一天");
    previous_ = d;
    // A remark right after the date may state its weekday.
    if (Is(i_ + 1, Kind::kRemark)) {
      ++i_;
      const int stated = tokens_[i_].weekday;
      const unsigned actual = std::chrono::weekday{std::chrono::sys_days{d}}.c_encoding();
      if (stated >= 0 && static_cast<unsigned>(stated) != actual) {
        static constexpr const char* kNames[] = {"日", "一", "二", "三", "四", "五", "六"};
        RaiseNoticeError(context_.where, ChineseDate(d) + "是星期" + kNames[actual] + "，括注写的是星期" +
                                             kNames[stated]);
      }
    }
    return d;
  }

  const std::vector<Token>& tokens_;
  const ItemContext& context_;
  std::size_t i_ = 0;
  std::optional<Date> previous_;
  std::optional<Date> range_first_;  // the first day when the date before was a range
};

}  // namespace

std::vector<NoticeClause> ReadNoticeClauses(std::string_view item, const ItemContext& context) {
  return ClauseBuilder(Lex(item, context.where), context).Build();
}

std::vector<Date> DaysOf(const NoticeDates& dates, const std::string& where) {
  const long span = DaysBetween(dates.first, dates.last);
  if (span < 0) RaiseNoticeError(where, ChineseDate(dates.last) + "早于" + ChineseDate(dates.first));
  if (span >= kMaxBreakDays)
    RaiseNoticeError(where, ChineseDate(dates.first) + "至" + ChineseDate(dates.last) + "超过" +
                                std::to_string(kMaxBreakDays) + "天");
  std::vector<Date> days;
  for (long i = 0; i <= span; ++i) days.push_back(AddDays(dates.first, i));
  return days;
}

std::string ChineseDate(Date d) {
  return std::to_string(static_cast<int>(d.year())) + "年" + std::to_string(static_cast<unsigned>(d.month())) +
         "月" + std::to_string(static_cast<unsigned>(d.day())) + "日";
}

void RaiseNoticeError(const std::string& where, const std::string& problem) {
  RaiseInvalidArgument(where + "：" + problem);
}

}  // namespace tavo::holidays
