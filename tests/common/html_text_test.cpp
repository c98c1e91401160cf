// A saved web page as the text a browser shows of it: what is hidden stays
// out, blocks and <br> break lines, blanks collapse, references decode.
#include "common/html_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tavo {
namespace {

struct Case {
  const char* label;
  const char* html;
  const char* text;
};

const Case kCases[] = {
    {"plain text passes", "一、元旦：1月1日放假。", "一、元旦：1月1日放假。"},
    {"paragraphs are set off by a blank line", "<p>一、元旦</p><p>二、春节</p>", "一、元旦\n\n二、春节"},
    {"every block stands apart, the nested ones once", "<div><div>甲</div></div><div>乙</div><h1>丙</h1>",
     "甲\n\n乙\n\n丙"},
    {"list items and table rows are lines", "<ul><li>甲</li><li>乙</li></ul><table><tr><td>丙</td></tr><tr><td>丁</td></tr></table>",
     "甲\n乙\n\n丙\n丁"},
    {"br breaks a line inside a paragraph", "<p>2月2<br/>日（星期六）</p>", "2月2\n日（星期六）"},
    {"two br leave a blank line", "甲<br><BR />乙", "甲\n\n乙"},
    {"source line breaks and runs of blanks are one space", "<p>共7天。\n   10月8日\t上班。</p>", "共7天。 10月8日 上班。"},
    {"blanks at a line's ends go", "<p>  甲  </p>\n\n  <p>\n乙\n</p>", "甲\n\n乙"},
    {"inline tags join their text", "<p><span style=\"x\">一、</span><b>元旦</b>：<a href=\"/a\">1月1日</a></p>",
     "一、元旦：1月1日"},
    {"script, style, title and comments are not shown",
     "<head><title>通知_中国政府网</title><style>p>b{color:red}</style>"
     "<script>if (a < b && c > d) document.write('<p>一、元旦：1月1日放假。</p>');</script></head>"
     "<body><!-- <p>旧</p> --><p>正文</p><SCRIPT type=\"text/javascript\">x()</SCRIPT></body>",
     "正文"},
    {"a quoted attribute may hold >", "<p title=\"a>b\" data-x='c>d'>甲</p>", "甲"},
    {"doctype and declarations", "<!DOCTYPE html><?xml version=\"1.0\"?><html><body>甲</body></html>", "甲"},
    {"named references", "&ldquo;五一&rdquo;&amp;&lt;&gt;&quot;&apos;&mdash;&hellip;", "“五一”&<>\"'—…"},
    {"nbsp is a no-break space, kept", "<p>&nbsp;&nbsp;一、元旦</p>", "\xC2\xA0\xC2\xA0一、元旦"},
    {"numeric references", "&#20803;&#x65E6;&#X65e6;&#65", "元旦旦A"},
    {"a reference of no character", "&#0;&#xD800;&#x110000;", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"an unknown or unfinished reference stays", "&bogus; & &amp &#x;", "&bogus; & &amp &#x;"},
    {"table cells are joined by tabs, rows by lines",
     "<table><tr><td><b>标　　题：</b></td><td>国务院办公厅关于2026年部分节假日安排的通知</td></tr>"
     "<tr><th>甲</th><td>乙</td></tr></table>",
     "标　　题：\t国务院办公厅关于2026年部分节假日安排的通知\n甲\t乙"},
    {"a block after a line of text", "甲<div>乙</div>丙", "甲\n\n乙\n\n丙"},
    {"pre keeps its blanks and lines", "<pre>一、元旦\n  1月1日</pre>", "一、元旦\n  1月1日"},
    {"a lone < is text", "1 < 2 <3", "1 < 2 <3"},
    {"an unclosed tag or comment ends the text", "甲<p class=\"x", "甲"},
    {"an unclosed comment", "甲<!-- 乙", "甲"},
    {"an unclosed script", "甲<script>乙", "甲"},
    {"nothing", "", ""},
};

TEST(HtmlToText, ShowsWhatABrowserShows) {
  for (const Case& c : kCases) EXPECT_EQ(HtmlToText(c.html), c.text) << c.label;
}

TEST(LooksLikeHtml, MarkupAtTheStartOrThePagesTags) {
  const std::pair<const char*, bool> cases[] = {
      {"<!DOCTYPE html><html>", true},
      {"\xEF\xBB\xBF  \n<html lang=\"zh\">", true},
      {"<p>一、元旦：1月1日放假。</p>", true},
      {"<!-- saved from url=(0060)http://www.gov.cn/ -->", true},
      {"国务院办公厅关于2026年部分节假日安排的通知\n<p>一、元旦</p>", true},
      {"通知<br>一、元旦", true},
      {"国务院办公厅关于2026年部分节假日安排的通知\n一、元旦：1月1日放假。", false},
      {"一、元旦：1月1日放假，1 < 2。", false},
      {"", false},
      {"<", false},
  };
  for (const auto& [text, html] : cases) EXPECT_EQ(LooksLikeHtml(text), html) << text;
}

}  // namespace
}  // namespace tavo
