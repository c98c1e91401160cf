#pragma once
// The text a browser shows of a saved web page, as a user would copy it from
// the window: tags dropped, scripts, style sheets and the page title left
// out, blocks (paragraphs, divisions, headings, tables) set off by blank
// lines, rows of a table and items of a list on lines of their own, <br> a
// line break, table cells of a row joined by tabs, runs of blanks one
// space, character references decoded. A line broken by <br> inside a
// paragraph goes on on the next line; one block never runs into the next.
#include <string>
#include <string_view>

namespace tavo {

// Whether a text is HTML rather than plain text: it starts with markup
// ("<!DOCTYPE", "<html", "<p", a comment), or holds the tags of a page or
// a paragraph, which a pasted text never does.
bool LooksLikeHtml(std::string_view text);

// The page's visible text, lines joined by "\n". Named references are the common ones (&nbsp; &amp; &lt;
// &gt; &quot; &apos;, the curly quotes, dashes and spaces); an unknown one
// stays as written, a numeric one of no character becomes U+FFFD. Never
// fails: a broken tag or an unclosed comment ends the text there.
std::string HtmlToText(std::string_view html);

}  // namespace tavo
