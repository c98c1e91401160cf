// Nothing the builders write is cut in print: at the desktop host's 宋体
// metrics every text fits its cell (a merged area: all of it), or the cell
// shrinks it to a readable size, or wraps it into lines its height holds.
// Set TAVO_TEXT_FIT_REPORT=1 to list the texts that need shrinking or wrapping.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <map>
#include <set>

#include "common/dates.h"
#include "sheet_test_support.h"
#include "sheets/day_look.h"
#include "simsun_metrics.h"

namespace tavo::testing {
namespace {

// Smaller than this and a shrunk text is no longer readable in print.
constexpr double kMinShrink = 0.6;

struct Judgement {
  std::string remedy;   // "" fits as it is, "shrink" or "wrap"
  std::string problem;  // "" when the text is shown whole
  double scale = 1;
};

Judgement Judge(const std::string& text, const workbook::CellFormat& f, double width_px, double height_pt) {
  Judgement j;
  const std::vector<std::string> lines = Lines(text);
  const double available = width_px - kCellPadding;
  double widest = 0;
  int wrapped_lines = 0;
  for (const std::string& line : lines) {
    const double px = LinePixels(line, f.font_size, f.bold);
    widest = std::max(widest, px);
    wrapped_lines += WrappedLines(line, f.font_size, f.bold, available);
  }
  const int shown_lines = f.wrap ? wrapped_lines : static_cast<int>(lines.size());
  const double needed = shown_lines * LineHeightPoints(f.font_size);
  if (needed > height_pt + 0.01) {
    j.problem = std::to_string(shown_lines) + " lines need " + std::to_string(needed) + " pt of " +
                std::to_string(height_pt);
    return j;
  }
  if (f.wrap) {
    if (wrapped_lines > static_cast<int>(lines.size())) j.remedy = "wrap";
    return j;
  }
  if (widest <= available) return j;
  if (!f.shrink) {
    j.problem = "cut: " + std::to_string(widest) + " px in " + std::to_string(available);
    return j;
  }
  j.remedy = "shrink";
  j.scale = available / widest;
  if (j.scale < kMinShrink) j.problem = "shrinks to " + std::to_string(j.scale);
  return j;
}

// Texts that needed a remedy, per kind and direction, for the report.
std::map<std::string, std::set<std::string>>& Remedies() {
  static std::map<std::string, std::set<std::string>> remedies;
  return remedies;
}

void Remember(const std::string& where, const std::string& text, const Judgement& j) {
  if (j.remedy.empty()) return;
  std::string shown = text;
  for (char& c : shown) c = c == '\n' ? '|' : c;
  char scale[16];
  std::snprintf(scale, sizeof scale, " %.0f%%", j.scale * 100);
  Remedies()[where].insert(j.remedy + " " + shown + (j.remedy == "shrink" ? scale : ""));
}

class TextFitTest : public SheetBuildTest {
 protected:
  static void TearDownTestSuite() {
    if (std::getenv("TAVO_TEXT_FIT_REPORT") == nullptr) return;
    for (const auto& [where, texts] : Remedies()) {
      std::cout << where << ":\n";
      for (const std::string& t : texts) std::cout << "  " << t << "\n";
    }
  }

  // Every cell of the built sheet with a text or number in it.
  void ExpectEveryTextShownWhole(Kind kind, const std::string& where) {
    const workbook::Worksheet& s = Model(kind);
    for (std::int32_t row = 1; row < s.cells.RowLimit(); ++row) {
      for (const workbook::Cell& cell : s.cells.Row(row)) {
        if (cell.value.IsEmpty()) continue;
        const workbook::Area area = MergeAt(kind, row, cell.column);
        double width = 0, height = 0;
        for (int c = area.left; c <= area.right; ++c) width += ColumnPixels(s.ColumnWidth(c));
        for (int r = area.top; r <= area.bottom; ++r) height += s.RowHeight(r);
        const std::string text = cell.value.ToText();
        const Judgement j = Judge(text, cell.format, width, height);
        EXPECT_EQ(j.problem, "") << where << " cell " << row << "," << cell.column << " \"" << text << "\" "
                                 << cell.format.font_size << " pt" << (cell.format.bold ? " bold" : "");
        Remember(where, text, j);
      }
    }
  }
};

// Ranges with the longest texts: 国庆节中秋节 (2020-10-1), <十一月> and
// <十二月>, a month of one week at the start (8.31 is a Monday);
// 护士节 and 母亲节 (2023-5-12, 5-14) with the 5-character <闰二月>; the
// 闰十一月 of 2033; the holiday marks' "10.1休" in the first two.
struct FitRange {
  const char* start;
  const char* end;
};
const FitRange kRanges[] = {
    {"2020-8-31", "2021-1-31"},
    {"2023-3-1", "2023-7-31"},
    {"2033-9-1", "2034-2-28"},
};

TEST_F(TextFitTest, EveryTextOfEveryLayoutIsShownWhole) {
  Sheet("DTB")->Cells(2, 10)->SetValue(1);  // holiday marks on: the dates carry 休 and 班
  Sheet("信息表")->Cells(3, 2)->SetValue("报到注册、上课");
  Sheet("信息表")->Cells(4, 2)->SetValue("报到注册，正式上课");  // wraps into the week's two rows
  Sheet("信息表")->Cells(5, 2)->SetValue("国庆节放假七天，十月八日（星期四）上课");  // too long for two
  for (Kind kind : {Kind::kSchool, Kind::kCalendar}) {
    for (int direction : {1, 3}) {
      for (int style : {1, 2}) {
        for (int colour : {1, 2}) {
          for (int week_start : {1, 2}) {
            const Options o{.week_start = week_start, .color_mode = colour, .direction = direction, .style = style};
            for (const FitRange& range : kRanges) {
              const std::string where = Describe(kind, o) + " " + range.start;
              SCOPED_TRACE(where);
              Build(kind, range.start, range.end, o);
              ExpectEveryTextShownWhole(kind, std::string(KindName(kind)) +
                                                  (direction == 1 ? " vertical" : " horizontal"));
            }
          }
        }
      }
    }
  }
}

// Every day 1901–2100 through the builders' own decision of its texts and
// fonts, measured against the day cells of a built grid.
TEST_F(TextFitTest, EveryDayFrom1901To2100FitsItsCells) {
  const Date first = *ParseDate("1901-1-1");
  const Date last = *ParseDate("2100-12-31");
  for (Kind kind : {Kind::kSchool, Kind::kCalendar}) {
    for (int direction : {1, 3}) {
      // Grids whose first day column is C and first date row 3 or 5.
      const int style = direction == 1 ? 1 : 2;
      const Options o{.direction = direction, .style = style};
      const std::string where = Describe(kind, o);
      SCOPED_TRACE(where);
      Build(kind, "2024-9-2", "2024-9-8", o);  // a Monday-to-Sunday week
      const workbook::Worksheet& s = Model(kind);
      const int date_row = direction == 1 ? 3 : 5, column = 3;
      const workbook::CellFormat date_format = s.EffectiveFormat(date_row, column);
      const workbook::CellFormat note_format = s.EffectiveFormat(date_row + 1, column);
      const double width = ColumnPixels(s.ColumnWidth(column));

      const sheets::SheetKind& sheet_kind = kind == Kind::kSchool ? sheets::kSchoolCalendar : sheets::kCalendar;
      sheets::DayInput input{
          .day = first,
          .vertical = direction == 1,
          .colours = sheets::ColoursFor(1),
          .note = sheet_kind.day_note,
          .long_note_size =
              direction == 1 ? sheet_kind.long_note_size_vertical : sheet_kind.long_note_size_horizontal,
      };
      int failures = 0;
      for (std::chrono::sys_days d{first}; d <= std::chrono::sys_days{last}; d += std::chrono::days{1}) {
        input.day = Date{d};
        const sheets::DayLook look = sheets::DecideDay(input);
        workbook::CellFormat date = date_format, note = note_format;
        date.bold = date.bold || look.date_bold;
        note.bold = look.note_bold;
        note.font_size = look.note_size.value_or(note_format.font_size);
        for (const auto& [text, format] : {std::pair{look.date_text, date}, std::pair{look.note, note}}) {
          const Judgement j = Judge(text, format, width, s.RowHeight(date_row));
          if (!j.problem.empty() && ++failures <= 5) {
            ADD_FAILURE() << DateToText(Date{d}) << " \"" << text << "\" " << format.font_size << " pt: " << j.problem;
          }
          Remember(where + " (1901-2100)", text, j);
        }
      }
      EXPECT_EQ(failures, 0);
    }
  }
}

}  // namespace
}  // namespace tavo::testing
