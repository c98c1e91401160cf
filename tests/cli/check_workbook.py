#!/usr/bin/python3
"""Reads a workbook tavo built with an independent reader (openpyxl) and
checks the generated sheet's merges, fonts, fills, widths, frozen panes and
print titles. Usage: check_workbook.py FILE school|calendar vertical|horizontal 1|2"""
import sys

from openpyxl import load_workbook

path, kind, direction, style = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
name = "校历表" if kind == "school" else "日历表"
wb = load_workbook(path)
failures = []


def width_of(ws, letter):
    """The file width of a column, also when a <col> element covers a run."""
    from openpyxl.utils import column_index_from_string
    index = column_index_from_string(letter)
    for dim in ws.column_dimensions.values():
        if dim.min and dim.max and dim.min <= index <= dim.max and dim.width:
            return dim.width
    return None


def check(condition, what):
    if not condition:
        failures.append(what)


check(name in wb.sheetnames, f"sheet {name} missing: {wb.sheetnames}")
ws = wb[name]
merges = {str(r) for r in ws.merged_cells.ranges}
vertical = direction == "vertical"

# Frozen header: two rows in the vertical layout, two columns across.
check(ws.freeze_panes == ("A3" if vertical else "C1"), f"freeze panes {ws.freeze_panes}")
# Rows 1 and 2 repeat on every printed page.
titles = ws.print_title_rows or ""
check(titles.replace("$", "") == "1:2", f"print titles {titles!r}")
# The title row is merged from B1 across the grid and set large and bold.
title_merge = [m for m in merges if m.startswith("B1:")]
check(len(title_merge) == 1, f"title merge {title_merge}")
check(ws["B1"].font.sz == 18 and ws["B1"].font.b, f"title font {ws['B1'].font.sz} {ws['B1'].font.b}")

if vertical:
    label_col = "B" if style == 1 else "C"
    check(f"{label_col}3:{label_col}4" in merges, f"week label merge {label_col}3:{label_col}4 missing")
    header = ws["B2"]
    check(header.font.b, "header not bold")
    check(header.font.sz == (16 if kind == "school" else 14), f"header size {header.font.sz}")
    # Fill 37 of the palette is indexed colour 44 in the file.
    check(header.fill.fgColor.indexed == 44, f"header fill {header.fill.fgColor.indexed}")
    first_day_col = "C" if style == 1 else "D"
    width = width_of(ws, first_day_col)
    expected = 8 if kind == "school" else 11
    # The file stores pixels in digits: 8 characters = 61 px = 8.7109375.
    check(width == expected + 0.7109375, f"day column width {width}")
    # Below one character the host spreads the width over digit and padding:
    # 0.38 characters = 5 px = 0.7109375.
    check(width_of(ws, "A") == 0.7109375, f"column A width {width_of(ws, 'A')}")
else:
    check("B5:B6" in merges or "B4:B5" in merges, f"weekday merge missing: {sorted(merges)[:5]}")
    label = ws["B4"] if style == 1 else ws["B5"]
    check(label.font.b, "weekday label not bold")
    check(label.fill.fgColor.indexed == 22, f"weekday fill {label.fill.fgColor.indexed}")
    width = width_of(ws, "D")
    check(width is not None and abs(width - 7.7) < 0.5, f"week column width {width}")
    check(width_of(ws, "A") == 0.28515625, f"column A width {width_of(ws, 'A')}")  # 0.2 = 2 px

if failures:
    print(f"FAIL {path} {kind} {direction} style {style}:")
    for f in failures:
        print("  " + f)
    sys.exit(1)
print(f"ok {kind} {direction} style {style}")
