#include "common/html_text.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <utility>

namespace tavo {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// Where `what` (lower case) first occurs in `s` from `from` on, case ignored.
std::size_t FindNoCase(std::string_view s, std::string_view what, std::size_t from = 0) {
  if (what.empty() || s.size() < what.size()) return std::string_view::npos;
  for (std::size_t pos = from; pos + what.size() <= s.size(); ++pos) {
    std::size_t i = 0;
    while (i < what.size() && Lower(s[pos + i]) == what[i]) ++i;
    if (i == what.size()) return pos;
  }
  return std::string_view::npos;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) cp = 0xFFFD;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

constexpr std::pair<std::string_view, std::uint32_t> kNamedReferences[] = {
    {"nbsp", 0xA0},    {"amp", '&'},       {"lt", '<'},        {"gt", '>'},       {"quot", '"'},
    {"apos", '\''},    {"ldquo", 0x201C},  {"rdquo", 0x201D},  {"lsquo", 0x2018}, {"rsquo", 0x2019},
    {"mdash", 0x2014}, {"ndash", 0x2013},  {"hellip", 0x2026}, {"middot", 0xB7},  {"emsp", 0x2003},
    {"ensp", 0x2002},  {"thinsp", 0x2009}, {"times", 0xD7},    {"copy", 0xA9},    {"reg", 0xAE},
};

// The character a reference at `pos` ("&…") stands for, advancing `pos` past
// it; nothing (and `pos` unchanged) when it is no reference we know.
bool ReadReference(std::string_view s, std::size_t& pos, std::uint32_t& cp) {
  std::size_t p = pos + 1;
  if (p < s.size() && s[p] == '#') {
    ++p;
    const bool hex = p < s.size() && (s[p] == 'x' || s[p] == 'X');
    if (hex) ++p;
    std::uint32_t value = 0;
    std::size_t digits = 0;
    for (; p < s.size(); ++p, ++digits) {
      const char c = Lower(s[p]);
      int d = -1;
      if (c >= '0' && c <= '9') d = c - '0';
      else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
      if (d < 0) break;
      if (value <= 0x10FFFF) value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
    }
    if (digits == 0) return false;
    if (p < s.size() && s[p] == ';') ++p;
    cp = value;
    pos = p;
    return true;
  }
  const std::size_t semicolon = s.find(';', p);
  if (semicolon == std::string_view::npos || semicolon - p > 8) return false;
  const std::string_view name = s.substr(p, semicolon - p);
  for (const auto& [known, value] : kNamedReferences) {
    if (name != known) continue;
    cp = value;
    pos = semicolon + 1;
    return true;
  }
  return false;
}

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Elements whose content is never shown: it is skipped up to their end tag.
bool IsHidden(std::string_view name) { return IsOneOf(name, {"script", "style", "title", "noscript", "template"}); }

// Elements that stand apart as paragraphs of their own.
bool IsBlock(std::string_view name) {
  return IsOneOf(name, {"address", "article", "aside", "blockquote", "body", "caption", "center", "div", "dl",
                        "figcaption", "figure", "footer", "form", "h1", "h2", "h3", "h4", "h5", "h6", "header",
                        "hr", "html", "main", "nav", "ol", "p", "pre", "section", "table", "ul"});
}

// Builds the text: blanks collapse, line breaks asked for by blocks merge
// (the most asked for wins) and never lead or trail.
class TextOut {
 public:
  void Char(char c) {
    if (pending_breaks_ > 0 && !out_.empty()) out_.append(static_cast<std::size_t>(pending_breaks_), '\n');
    else if (pending_space_ && !out_.empty() && out_.back() != '\n' && out_.back() != '\t') out_ += ' ';
    pending_breaks_ = 0;
    pending_space_ = false;
    out_ += c;
  }
  void Text(std::string_view s) {
    for (char c : s) Char(c);
  }
  void Blank() { pending_space_ = true; }
  void Breaks(int n) {
    pending_breaks_ = std::max(pending_breaks_, n);
    pending_space_ = false;
  }
  // <br>: a line break of its own, which blocks' breaks do not merge with.
  void LineBreak() {
    if (pending_breaks_ > 0 && !out_.empty()) out_.append(static_cast<std::size_t>(pending_breaks_), '\n');
    pending_breaks_ = 0;
    pending_space_ = false;
    out_ += '\n';
  }
  void CellBreak() {
    if (!out_.empty() && out_.back() != '\n' && pending_breaks_ == 0) {
      pending_space_ = false;
      out_ += '\t';
    }
  }
  std::string Take() {
    while (!out_.empty() && (out_.back() == '\n' || out_.back() == '\t' || out_.back() == ' ')) out_.pop_back();
    std::size_t first = 0;
    while (first < out_.size() && out_[first] == '\n') ++first;
    return out_.substr(first);
  }

 private:
  std::string out_;
  int pending_breaks_ = 0;
  bool pending_space_ = false;
};

}  // namespace

bool LooksLikeHtml(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  if (first + 1 < text.size() && text[first] == '<' &&
      (IsAsciiLetter(text[first + 1]) || text[first + 1] == '!' || text[first + 1] == '?'))
    return true;
  for (std::string_view tag : {"<html", "<body", "<p>", "<p ", "</p>", "<br", "<div"})
    if (FindNoCase(text, tag) != std::string_view::npos) return true;
  return false;
}

std::string HtmlToText(std::string_view html) {
  TextOut out;
  int pre_depth = 0;
  std::size_t pos = 0;
  while (pos < html.size()) {
    const char c = html[pos];
    if (c == '<') {
      if (html.substr(pos).starts_with("<!--")) {
        const std::size_t end = html.find("-->", pos + 4);
        pos = end == std::string_view::npos ? html.size() : end + 3;
        continue;
      }
      if (html.substr(pos).starts_with("<!") || html.substr(pos).starts_with("<?")) {
        const std::size_t end = html.find('>', pos);
        pos = end == std::string_view::npos ? html.size() : end + 1;
        continue;
      }
      std::size_t p = pos + 1;
      const bool closing = p < html.size() && html[p] == '/';
      if (closing) ++p;
      if (p >= html.size() || !IsAsciiLetter(html[p])) {  // a lone "<" is text
        out.Char(c);
        ++pos;
        continue;
      }
      std::string name;
      for (; p < html.size() && (IsAsciiLetter(html[p]) || (html[p] >= '0' && html[p] <= '9')); ++p)
        name += Lower(html[p]);
      // The attributes, whose quoted values may hold ">".
      for (char quote = 0; p < html.size(); ++p) {
        if (quote) {
          if (html[p] == quote) quote = 0;
        } else if (html[p] == '"' || html[p] == '\'') {
          quote = html[p];
        } else if (html[p] == '>') {
          break;
        }
      }
      pos = p < html.size() ? p + 1 : html.size();
      if (IsHidden(name) && !closing) {
        const std::size_t end = FindNoCase(html, "</" + name, pos);
        if (end == std::string_view::npos) break;
        const std::size_t after = html.find('>', end);
        pos = after == std::string_view::npos ? html.size() : after + 1;
      } else if (name == "br") {
        out.LineBreak();
      } else if (name == "td" || name == "th") {
        if (!closing) out.CellBreak();
      } else if (IsOneOf(name, {"tr", "li", "dt", "dd"})) {
        out.Breaks(1);
      } else if (IsBlock(name)) {
        out.Breaks(2);
        if (name == "pre") pre_depth = std::max(0, pre_depth + (closing ? -1 : 1));
      }
      continue;
    }
    if (c == '&') {
      std::uint32_t cp = 0;
      if (ReadReference(html, pos, cp)) {
        if (cp < 0x80 && IsBlank(static_cast<char>(cp)) && pre_depth == 0) {
          out.Blank();
        } else {
          std::string bytes;
          AppendUtf8(bytes, cp);
          out.Text(bytes);
        }
        continue;
      }
    }
    ++pos;
    if (IsBlank(c)) {
      if (pre_depth == 0) out.Blank();
      else if (c == '\n') out.LineBreak();
      else if (c != '\r') out.Char(c);
    } else {
      out.Char(c);
    }
  }
  return out.Take();
}

}  // namespace tavo
