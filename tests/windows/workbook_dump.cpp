#include "workbook_dump.h"

#include <sstream>
#include <string>

namespace tavo::wintest {
namespace {

using namespace workbook;

// Line feeds inside texts are written as \n so each fact stays one line.
std::string OneLine(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      out += c;
    }
  }
  return out;
}

std::string Value(const host::Variant& v) {
  if (v.IsEmpty()) return "empty";
  if (v.IsBool()) return v.Bool() ? "bool True" : "bool False";
  if (v.IsNumber()) return "number " + host::NumberToText(v.Number());
  // Kept apart from numbers and texts, so a date that came back as its
  // serial or its text is a difference.
  if (v.IsDate()) return "date " + host::NumberToText(v.DateSerial());
  if (v.IsError()) return "error " + std::to_string(v.ErrorCode());
  return "text " + OneLine(v.Text());
}

std::string Format(const CellFormat& f) {
  std::ostringstream out;
  out << "size " << host::NumberToText(f.font_size) << " bold " << f.bold << " wrap " << f.wrap << " shrink " << f.shrink << " font "
      << f.font_color << " fill " << f.fill_color << " h " << f.horizontal << " v " << f.vertical << " borders "
      << f.borders[0] << "," << f.borders[1] << "," << f.borders[2] << "," << f.borders[3];
  return out.str();
}

void DumpSheet(const Worksheet& s, const WorkbookModel& model, std::vector<std::string>& lines) {
  auto add = [&](const std::string& line) { lines.push_back("[" + s.name + "] " + line); };
  add("visible " + std::to_string(s.visible));
  add("sheet format " + Format(s.sheet_format));
  for (const auto& [row, f] : s.row_formats) add("row " + std::to_string(row) + " format " + Format(f));
  for (const auto& [column, f] : s.column_formats) add("column " + std::to_string(column) + " format " + Format(f));
  add("default height " + host::NumberToText(s.default_row_height) + " width " +
      host::NumberToText(s.default_column_width));
  for (const auto& [row, h] : s.row_heights) add("row " + std::to_string(row) + " height " + host::NumberToText(h));
  for (const auto& [c, w] : s.column_widths) add("column " + std::to_string(c) + " width " + host::NumberToText(w));
  for (std::int32_t row = 1; row < s.cells.RowLimit(); ++row) {
    for (const Cell& cell : s.cells.Row(row)) {
      add("R" + std::to_string(row) + "C" + std::to_string(cell.column) + " " + Value(cell.value) +
          (cell.quote_prefix ? " quoted" : "") + " | " + Format(cell.format));
    }
  }
  for (const Area& a : s.merges.Areas()) {
    add("merge " + std::to_string(a.top) + "," + std::to_string(a.left) + ":" + std::to_string(a.bottom) + "," +
        std::to_string(a.right));
  }
  for (const TextBoxShape& t : s.shapes) {
    std::ostringstream out;
    out << "shape " << t.id << " '" << OneLine(t.text) << "' " << t.font_name << " " << host::NumberToText(t.font_size)
        << " bold " << t.bold << " italic " << t.italic << " at " << host::NumberToText(t.left) << ","
        << host::NumberToText(t.top) << " preset " << t.preset << " placement " << t.placement << " fill "
        << t.fill_visible << t.fill_solid << " scheme " << t.fill_scheme_color << " transparency "
        << host::NumberToText(t.fill_transparency) << " line " << t.line_visible;
    add(out.str());
  }
  const PageSetup& p = s.page_setup;
  std::ostringstream page;
  page << "page margins " << host::NumberToText(p.top_margin) << " " << host::NumberToText(p.bottom_margin) << " "
       << host::NumberToText(p.left_margin) << " " << host::NumberToText(p.right_margin) << " "
       << host::NumberToText(p.header_margin) << " " << host::NumberToText(p.footer_margin) << " orientation "
       << p.orientation << " paper " << p.paper_size << " fit " << p.fit_to_page << " zoom " << p.zoom << " "
       << p.fit_wide << "x" << p.fit_tall << " footer '" << OneLine(p.center_footer) << "' centred "
       << p.center_horizontally << " titles '" << p.print_title_rows << "'";
  add(page.str());
  const WindowState& w = s.window;
  add("window split " + std::to_string(w.split_row) + "," + std::to_string(w.split_column) + " frozen " +
      std::to_string(w.freeze_panes) + " scroll " + std::to_string(w.scroll_row) + "," +
      std::to_string(w.scroll_column));
  if (model.selection.sheet_id == s.id) add("selected shape " + std::to_string(model.selection.shape_id));
}

}  // namespace

std::vector<std::string> DumpWorkbook(const WorkbookModel& model) {
  std::vector<std::string> lines;
  std::string order = "sheets";
  for (const Worksheet& s : model.sheets) order += " " + s.name;
  lines.push_back(order);
  lines.push_back("active " + (model.active_sheet < model.sheets.size() ? model.sheets[model.active_sheet].name : "-"));
  std::string palette = "palette";
  for (std::int32_t c : model.palette) palette += " " + std::to_string(c);
  lines.push_back(palette);
  lines.push_back("screen updating " + std::to_string(model.screen_updating) + " alerts " +
                  std::to_string(model.display_alerts));
  for (const Worksheet& s : model.sheets) DumpSheet(s, model, lines);
  return lines;
}

}  // namespace tavo::wintest
