#include "session_facts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace tavo::officetest {
namespace {

using namespace workbook;

constexpr const char* kGenerated[] = {"校历表", "日历表"};

std::string Hex(std::int32_t host_colour) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", host_colour & 0xFF, (host_colour >> 8) & 0xFF,
                (host_colour >> 16) & 0xFF);
  return text;
}

std::string OneLine(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\n' ? std::string("\\n") : std::string(1, c);
  return out;
}

std::string Value(const host::Variant& v) {
  if (v.IsEmpty()) return "empty";
  if (v.IsBool()) return v.Bool() ? "bool True" : "bool False";
  if (v.IsDate()) return "date " + host::NumberToText(v.DateSerial());
  if (v.IsNumber()) return "number " + host::NumberToText(v.Number());
  if (v.IsError()) return "error " + std::to_string(v.ErrorCode());
  return "text " + OneLine(v.Text());
}

std::string Points(double points, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return host::NumberToText(std::round(points * scale) / scale);
}

const char* Horizontal(int h) {
  switch (h) {
    case -4131: return "left";
    case -4108: return "center";
    case -4152: return "right";
    case -4130: return "justify";
    case 5: return "fill";
    default: return "general";
  }
}

const char* Vertical(int v) {
  switch (v) {
    case -4160: return "top";
    case -4108: return "center";
    case -4130: return "justify";
    default: return "bottom";
  }
}

int ColumnPixels(double characters) {
  if (characters <= 0) return 0;
  if (characters < 1) return static_cast<int>(std::lround(characters * 12));
  return static_cast<int>(std::lround(characters * 7)) + 5;
}

const Cell* Find(const Worksheet& s, std::int32_t row, std::int32_t column) { return s.cells.Find(row, column); }

bool Edge(const Worksheet& s, std::int32_t row, std::int32_t column, int side) {
  if (row < 1 || column < 1) return false;
  return s.EffectiveFormat(row, column).borders[side] != kLineNoneStyle;
}

// Drawn when this cell or the one across the edge has the line.
bool Drawn(const Worksheet& s, std::int32_t row, std::int32_t column, int side) {
  switch (side) {
    case kSideLeft: return Edge(s, row, column, kSideLeft) || Edge(s, row, column - 1, kSideRight);
    case kSideTop: return Edge(s, row, column, kSideTop) || Edge(s, row - 1, column, kSideBottom);
    case kSideRight: return Edge(s, row, column, kSideRight) || Edge(s, row, column + 1, kSideLeft);
    default: return Edge(s, row, column, kSideBottom) || Edge(s, row + 1, column, kSideTop);
  }
}

void GeneratedSheet(const Worksheet& s, const WorkbookModel& model, bool active, std::vector<std::string>& lines) {
  auto add = [&](const std::string& line) { lines.push_back("[" + s.name + "] " + line); };
  std::int32_t last_row = 0, last_column = 0;       // cells with a value
  std::int32_t box_rows = 0, box_columns = 0;       // cells with an entry
  for (std::int32_t row = 1; row < s.cells.RowLimit(); ++row) {
    for (const Cell& cell : s.cells.Row(row)) {
      box_rows = std::max(box_rows, row);
      box_columns = std::max(box_columns, cell.column);
      if (!cell.value.IsEmpty()) {
        last_row = std::max(last_row, row);
        last_column = std::max(last_column, cell.column);
      }
    }
  }
  add("extent " + std::to_string(last_row) + " " + std::to_string(last_column));
  add("box " + std::to_string(box_rows) + " " + std::to_string(box_columns));
  auto colour = [&](int index) { return index == 0 ? std::string("auto") : Hex(model.palette[index - 1]); };
  for (std::int32_t row = 1; row <= box_rows; ++row) {
    for (std::int32_t column = 1; column <= box_columns; ++column) {
      const Cell* cell = Find(s, row, column);
      const CellFormat& f = s.EffectiveFormat(row, column);
      std::ostringstream out;
      out << "cell " << row << "," << column << " " << Value(cell ? cell->value : host::Variant()) << " | size "
          << host::NumberToText(f.font_size) << " bold " << f.bold << " wrap " << f.wrap << " shrink " << f.shrink << " font "
          << colour(f.font_color) << " fill " << (f.fill_color == 0 ? std::string("none") : Hex(model.palette[f.fill_color - 1]))
          << " borders " << Drawn(s, row, column, kSideLeft) << Drawn(s, row, column, kSideTop)
          << Drawn(s, row, column, kSideRight) << Drawn(s, row, column, kSideBottom) << " h " << Horizontal(f.horizontal)
          << " v " << Vertical(f.vertical);
      add(out.str());
    }
  }
  for (std::int32_t row = 1; row <= box_rows; ++row) add("row " + std::to_string(row) + " height " + Points(s.RowHeight(row), 2));
  for (std::int32_t c = 1; c <= box_columns; ++c)
    add("column " + std::to_string(c) + " width " + std::to_string(ColumnPixels(s.ColumnWidth(c))));
  std::vector<std::string> merges;
  for (const Area& a : s.merges.Areas())
    merges.push_back("merge " + std::to_string(a.top) + "," + std::to_string(a.left) + ":" + std::to_string(a.bottom) +
                     "," + std::to_string(a.right));
  std::sort(merges.begin(), merges.end());
  for (const std::string& m : merges) add(m);
  if (active) {
    const WindowState& w = s.window;
    add(w.freeze_panes ? "frozen " + std::to_string(w.split_row) + " " + std::to_string(w.split_column) : "frozen none");
    // The first cell shown, and the first of the scrolling pane after the split.
    add("view from " + std::to_string(w.scroll_row) + " " + std::to_string(w.scroll_column) + ", scrolling from " +
        std::to_string(w.scroll_row + (w.freeze_panes ? w.split_row : 0)) + " " +
        std::to_string(w.scroll_column + (w.freeze_panes ? w.split_column : 0)));
  }
  const PageSetup& p = s.page_setup;
  add("titles '" + p.print_title_rows + "'");
  std::ostringstream page;
  page << "page margins " << Points(p.top_margin, 1) << " " << Points(p.bottom_margin, 1) << " "
       << Points(p.left_margin, 1) << " " << Points(p.right_margin, 1) << " " << Points(p.header_margin, 1) << " "
       << Points(p.footer_margin, 1) << " orientation " << p.orientation << " paper " << p.paper_size << " zoom "
       << (p.fit_to_page ? std::string("fit") : std::to_string(p.zoom)) << " centred " << p.center_horizontally
       << " footer '" << OneLine(p.center_footer) << "'";
  add(page.str());
  int n = 0;
  for (const TextBoxShape& t : s.shapes) {
    const int entry = t.fill_scheme_color - 7;
    std::ostringstream out;
    out << "shape " << ++n << " '" << OneLine(t.text) << "' " << t.font_name << " " << host::NumberToText(t.font_size)
        << " bold " << t.bold << " at " << std::lround(t.left) << "," << std::lround(t.top) << " colour "
        << (entry >= 1 && entry <= 56 ? Hex(model.palette[entry - 1]) : std::string("000000")) << " transparency "
        << std::lround((t.fill_visible ? t.fill_transparency : 1) * 100) << " line " << t.line_visible << " placement "
        << (t.placement == 1 ? "size" : t.placement == 2 ? "move" : "free");
    add(out.str());
  }
}

}  // namespace

std::vector<std::string> WorkbookFacts(const WorkbookModel& model) {
  std::vector<std::string> lines;
  std::string order = "sheets";
  for (const Worksheet& s : model.sheets) order += " " + s.name;
  lines.push_back(order);
  const std::string active = model.active_sheet < model.sheets.size() ? model.sheets[model.active_sheet].name : "-";
  lines.push_back("active " + active);
  for (std::size_t i = 0; i < model.palette.size(); ++i)
    lines.push_back("palette " + std::to_string(i + 1) + " " + Hex(model.palette[i]));
  for (const Worksheet& s : model.sheets) {
    if (s.name == "DTB") {
      for (std::int32_t row = 1; row <= 10 && row < s.cells.RowLimit(); ++row)
        for (const Cell& cell : s.cells.Row(row))
          if (!cell.value.IsEmpty() && cell.column <= 30)
            lines.push_back("[DTB] " + std::to_string(row) + "," + std::to_string(cell.column) + " " + Value(cell.value));
    }
    for (const char* name : kGenerated)
      if (s.name == name) GeneratedSheet(s, model, s.name == active, lines);
  }
  return lines;
}

}  // namespace tavo::officetest
