#include "workbook/xlsx/sheet_writer.h"

#include <cstdio>
#include <set>

#include "workbook/xlsx/cell_ref.h"
#include "workbook/xlsx/number_formats.h"
#include "workbook/xlsx/opc_names.h"
#include "host/sheet_units.h"
#include "workbook/xlsx/xml_part.h"

namespace tavo::xlsx {
namespace {

using workbook::CellFormat;
using workbook::Worksheet;

std::string Num(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

std::string Attr(const char* name, const std::string& value) {
  return std::string(" ") + name + "=\"" + XmlEscape(value) + "\"";
}

bool NeedsPreserve(const std::string& text) {
  if (text.empty()) return false;
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  return blank(text.front()) || blank(text.back()) || text.find('\n') != std::string::npos;
}

void WriteCell(std::string& out, std::int32_t row, const workbook::Cell& cell, StyleRegistry& styles) {
  CellFormat format = cell.format;
  const bool is_text = cell.value.IsText();
  if (is_text && cell.value.Text().find('\n') != std::string::npos) {
    format.wrap = true;  // otherwise the lines show as one
    format.source_style = -1;
  }
  std::uint32_t style = styles.IndexOf(format, cell.quote_prefix && is_text);
  out += "<c r=\"" + CellName(row, cell.column) + "\"";
  if (style != 0) out += " s=\"" + std::to_string(style) + "\"";
  if (cell.value.IsEmpty()) {
    out += "/>";
  } else if (cell.value.IsNumber()) {
    out += "><v>" + host::NumberToText(cell.value.Number()) + "</v></c>";
  } else if (cell.value.IsBool()) {
    out += std::string(" t=\"b\"><v>") + (cell.value.Bool() ? "1" : "0") + "</v></c>";
  } else if (cell.value.IsDate()) {
    out += "><v>" + host::NumberToText(DateToFileSerial(cell.value.DateSerial())) + "</v></c>";
  } else if (cell.value.IsError()) {
    const char* text = host::CellErrorText(cell.value.ErrorCode());
    out += std::string(" t=\"e\"><v>") + (text ? text : "#VALUE!") + "</v></c>";
  } else {
    std::string text = XmlSafeText(cell.value.Text());
    out += " t=\"inlineStr\"><is><t";
    if (NeedsPreserve(text)) out += " xml:space=\"preserve\"";
    out += ">" + XmlEscape(text) + "</t></is></c>";
  }
}

// Runs of equal columns for <cols>.
struct ColumnRun {
  std::int32_t first, last;
  double width;  // characters
  bool custom_width;
  std::uint32_t style;
};

std::vector<ColumnRun> ColumnRuns(const Worksheet& sheet, std::int32_t column_count,
                                  StyleRegistry& styles) {
  std::set<std::int32_t> special;
  for (const auto& [column, width] : sheet.column_widths) special.insert(column);
  for (const auto& [column, format] : sheet.column_formats) special.insert(column);
  const bool sheet_styled = !(sheet.sheet_format == CellFormat{});
  std::uint32_t sheet_style = sheet_styled ? styles.IndexOf(sheet.sheet_format, false) : 0;
  std::int32_t last = sheet_styled ? column_count : (special.empty() ? 0 : *special.rbegin());
  std::vector<ColumnRun> runs;
  for (std::int32_t column = 1; column <= last; ++column) {
    if (!sheet_styled && !special.count(column)) continue;
    auto width_it = sheet.column_widths.find(column);
    auto format_it = sheet.column_formats.find(column);
    ColumnRun run{column, column,
                  width_it != sheet.column_widths.end() ? width_it->second
                                                       : sheet.default_column_width,
                  width_it != sheet.column_widths.end(),
                  format_it != sheet.column_formats.end() ? styles.IndexOf(format_it->second, false)
                                                          : sheet_style};
    if (!runs.empty() && runs.back().last == column - 1 && runs.back().width == run.width &&
        runs.back().custom_width == run.custom_width && runs.back().style == run.style) {
      runs.back().last = column;
    } else {
      runs.push_back(run);
    }
    // Past the last special column every column is alike: one run to the end.
    if (special.empty() || column > *special.rbegin()) {
      runs.back().last = last;
      break;
    }
  }
  return runs;
}

std::string SheetViews(const Worksheet& sheet, const SheetWriteOptions& options) {
  const workbook::WindowState& w = sheet.window;
  std::string out = "<sheetViews><sheetView";
  if (options.tab_selected) out += " tabSelected=\"1\"";
  if (w.scroll_row > 1 || w.scroll_column > 1) {
    out += Attr("topLeftCell", CellName(std::max(1, w.scroll_row), std::max(1, w.scroll_column)));
  }
  out += " workbookViewId=\"0\">";
  if (w.freeze_panes && (w.split_row > 0 || w.split_column > 0)) {
    const char* pane = w.split_row > 0 && w.split_column > 0 ? "bottomRight"
                       : w.split_row > 0                       ? "bottomLeft"
                                                               : "topRight";
    std::string top_left =
        CellName(std::max(1, w.scroll_row) + w.split_row, std::max(1, w.scroll_column) + w.split_column);
    out += "<pane";
    if (w.split_column > 0) out += " xSplit=\"" + std::to_string(w.split_column) + "\"";
    if (w.split_row > 0) out += " ySplit=\"" + std::to_string(w.split_row) + "\"";
    out += Attr("topLeftCell", top_left) + Attr("activePane", pane) + " state=\"frozen\"/>";
    out += "<selection" + Attr("pane", pane) + Attr("activeCell", top_left) + Attr("sqref", top_left) + "/>";
  }
  out += "</sheetView></sheetViews>";
  return out;
}

std::string PageSetupXml(const workbook::PageSetup& p) {
  std::string out;
  if (p.center_horizontally) out += "<printOptions horizontalCentered=\"1\"/>";
  out += "<pageMargins left=\"" + Num(p.left_margin / 72) + "\" right=\"" + Num(p.right_margin / 72) +
         "\" top=\"" + Num(p.top_margin / 72) + "\" bottom=\"" + Num(p.bottom_margin / 72) +
         "\" header=\"" + Num(p.header_margin / 72) + "\" footer=\"" + Num(p.footer_margin / 72) +
         "\"/>";
  out += "<pageSetup paperSize=\"" + std::to_string(p.paper_size) + "\"";
  if (p.fit_to_page) {
    out += " fitToWidth=\"" + std::to_string(p.fit_wide) + "\" fitToHeight=\"" +
           std::to_string(p.fit_tall) + "\"";
  } else {
    out += " scale=\"" + std::to_string(p.zoom) + "\"";
  }
  out += std::string(" orientation=\"") + (p.orientation == 2 ? "landscape" : "portrait") + "\"/>";
  if (!p.center_footer.empty()) {
    out += "<headerFooter><oddFooter>" + XmlEscape(XmlSafeText("&C" + p.center_footer)) +
           "</oddFooter></headerFooter>";
  }
  return out;
}

}  // namespace

std::string XmlSafeText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x20 && c != '\t' && c != '\n' && c != '\r') continue;
    out += c;
  }
  return out;
}

std::string WriteSheetPart(const Worksheet& sheet, std::int32_t column_count, StyleRegistry& styles,
                           const SheetWriteOptions& options) {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
      "<worksheet xmlns=\"" + std::string(ns::kMain) + "\" xmlns:r=\"" + ns::kRel + "\">";
  if (sheet.page_setup.fit_to_page) out += "<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr>";

  std::int32_t max_row = 0, max_column = 0;
  for (std::int32_t r = 1; r < sheet.cells.RowLimit(); ++r) {
    const auto& row = sheet.cells.Row(r);
    if (row.empty()) continue;
    max_row = r;
    max_column = std::max(max_column, row.back().column);
  }
  out += "<dimension ref=\"" +
         (max_row == 0 ? std::string("A1") : "A1:" + CellName(max_row, std::max(1, max_column))) +
         "\"/>";
  out += SheetViews(sheet, options);

  out += "<sheetFormatPr";
  if (sheet.default_column_width != workbook::kDefaultColumnWidth) {
    out += " defaultColWidth=\"" + Num(host::FileColumnWidth(sheet.default_column_width)) + "\"";
  }
  out += " defaultRowHeight=\"" + Num(sheet.default_row_height) + "\"";
  if (sheet.default_row_height != workbook::kDefaultRowHeight) out += " customHeight=\"1\"";
  out += "/>";

  std::vector<ColumnRun> runs = ColumnRuns(sheet, column_count, styles);
  if (!runs.empty()) {
    out += "<cols>";
    for (const ColumnRun& run : runs) {
      out += "<col min=\"" + std::to_string(run.first) + "\" max=\"" + std::to_string(run.last) +
             "\" width=\"" + Num(host::FileColumnWidth(run.width)) + "\"";
      if (run.style != 0) out += " style=\"" + std::to_string(run.style) + "\"";
      if (run.custom_width) out += " customWidth=\"1\"";
      out += "/>";
    }
    out += "</cols>";
  }

  out += "<sheetData>";
  std::set<std::int32_t> rows;
  for (std::int32_t r = 1; r < sheet.cells.RowLimit(); ++r) {
    if (!sheet.cells.Row(r).empty()) rows.insert(r);
  }
  for (const auto& [r, height] : sheet.row_heights) rows.insert(r);
  for (const auto& [r, format] : sheet.row_formats) rows.insert(r);
  for (std::int32_t r : rows) {
    out += "<row r=\"" + std::to_string(r) + "\"";
    if (auto it = sheet.row_formats.find(r); it != sheet.row_formats.end()) {
      std::uint32_t style = styles.IndexOf(it->second, false);
      out += " s=\"" + std::to_string(style) + "\" customFormat=\"1\"";
    }
    if (auto it = sheet.row_heights.find(r); it != sheet.row_heights.end()) {
      out += " ht=\"" + Num(it->second) + "\" customHeight=\"1\"";
    } else if (sheet.default_row_height != workbook::kDefaultRowHeight) {
      out += " ht=\"" + Num(sheet.default_row_height) + "\" customHeight=\"1\"";
    }
    static const std::vector<workbook::Cell> kNoCells;
    const auto& cells = r < sheet.cells.RowLimit() ? sheet.cells.Row(r) : kNoCells;
    if (cells.empty()) {
      out += "/>";
      continue;
    }
    out += ">";
    for (const workbook::Cell& cell : cells) WriteCell(out, r, cell, styles);
    out += "</row>";
  }
  out += "</sheetData>";

  const auto& merges = sheet.merges.Areas();
  if (!merges.empty()) {
    out += "<mergeCells count=\"" + std::to_string(merges.size()) + "\">";
    for (const workbook::Area& a : merges) {
      out += "<mergeCell ref=\"" + CellName(a.top, a.left) + ":" + CellName(a.bottom, a.right) + "\"/>";
    }
    out += "</mergeCells>";
  }
  out += PageSetupXml(sheet.page_setup);
  if (!options.drawing_rel_id.empty()) out += "<drawing" + Attr("r:id", options.drawing_rel_id) + "/>";
  out += "</worksheet>";
  return out;
}

}  // namespace tavo::xlsx
