#!/usr/bin/env bash
# Holiday marks through the command and real .xlsx files: the new workbook's
# switch and sheet, marks that survive a save, --holidays/--no-holidays, a
# school's rows for a year not built in, a malformed row, `tavo holidays -w`.
source "$(dirname "$0")/harness.bash" "$@"

cell() {  # file sheet cell -> the value as openpyxl reads it
  "$py" - "$@" <<'PY'
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
v = wb[sys.argv[2]][sys.argv[3]].value
print("" if v is None else v)
PY
}

expect_status 0 "init" "$tavo" init t.xlsx
[[ $(cell t.xlsx DTB J2) == 1 ]] || fail "a new workbook turns the marks on (J2 = $(cell t.xlsx DTB J2))"
"$py" - <<'PY' || fail "节假日 sheet of a new workbook"
import openpyxl
ws = openpyxl.load_workbook("t.xlsx")["节假日"]
assert [ws.cell(1, c).value for c in (1, 2, 3)] == ["日期", "类型", "名称"]
assert "休" in ws["E1"].value and ws.max_row == 1, ws.max_row
PY

# Autumn 2024, Monday first, vertical: 9.14 (Sat) is H7, 9.15 (Sun) I7, 10.1 D13.
expect_status 0 "school with marks" "$tavo" school -w t.xlsx --start 2024-9-1 --end 2025-1-19 -o a.xlsx
"$py" - <<'PY' || fail "marks of autumn 2024"
import openpyxl
wb = openpyxl.load_workbook("a.xlsx")
ws = wb["校历表"]
assert ws["H7"].value == "14班" and ws["H7"].font.b, ws["H7"].value
assert ws["I7"].value == "15休" and ws["I7"].fill.fgColor.indexed == 38 + 7, ws["I7"].fill.fgColor  # ColorIndex n is indexed n + 7
assert ws["D13"].value == "10.1休" and ws["D14"].value == "国庆节"
assert ws["J11"].value == "国庆节 10.1–10.7 放假\n9.29、10.12上班", ws["J11"].value
assert ws["B45"].value.endswith("标“休”的日期放假，标“班”的日期调休上班"), ws["B45"].value
# What the build wrote into sheets it loaded survives the save.
assert wb["DTB"]["J2"].value == 1 and wb["DTB"]["H2"].value == 2
assert "节假日" in wb.sheetnames
PY

expect_status 0 "--no-holidays" "$tavo" school -w a.xlsx --no-holidays -o b.xlsx
[[ $(cell b.xlsx DTB J2) == 0 && $(cell b.xlsx 校历表 H7) == 14 ]] || fail "--no-holidays leaves the days unmarked"
expect_status 0 "--holidays" "$tavo" settings -w b.xlsx --holidays -o c.xlsx
[[ $(cell c.xlsx DTB J2) == 1 ]] || fail "--holidays stores J2 = 1"

# A workbook made before the marks (J2 empty) builds exactly the unmarked sheet.
"$py" - <<'PY'
import openpyxl
wb = openpyxl.load_workbook("t.xlsx"); wb["DTB"]["J2"] = None; wb.save("old.xlsx")
PY
expect_status 0 "old workbook" "$tavo" school -w old.xlsx --start 2024-9-1 --end 2025-1-19 -o old-built.xlsx
expect_status 0 "marks off" "$tavo" school -w t.xlsx --no-holidays --start 2024-9-1 --end 2025-1-19 -o off-built.xlsx
"$py" - <<'PY' || fail "J2 empty and J2 = 0 build different sheets"
import openpyxl
def facts(name):
    ws = openpyxl.load_workbook(name)["校历表"]
    return [(c.coordinate, c.value, c.font.b, c.font.sz, c.font.color and c.font.color.indexed,
             c.fill.fgColor.indexed, c.alignment.wrap_text)
            for row in ws.iter_rows() for c in row], sorted(map(str, ws.merged_cells.ranges))
assert facts("old-built.xlsx") == facts("off-built.xlsx")
PY

# The school adds the 2027 notice itself: date cells and date texts, a day
# removed, and the build marks them with no new release.
"$py" - <<'PY'
import datetime, openpyxl
wb = openpyxl.load_workbook("t.xlsx")
ws = wb["节假日"]
rows = [(datetime.datetime(2027, 10, 1), "休", "国庆节"), ("2027-10-2", "休", "国庆节"),
        ("2027/9/26", "班", "国庆节"), (None, None, None), ("2027-10-3", "休", "国庆节")]
for r, row in enumerate(rows, 2):
    for c, v in enumerate(row, 1):
        ws.cell(r, c, v)
wb.save("s.xlsx")
PY
expect_status 0 "school rows" "$tavo" school -w s.xlsx --start 2027-9-1 --end 2028-1-16 -o s-built.xlsx
grep -q "2028年" err.txt || fail "no line about 2028 on stderr: $(cat err.txt)"
"$py" - <<'PY' || fail "the school's 2027 rows"
import openpyxl
ws = openpyxl.load_workbook("s-built.xlsx")["校历表"]
# 2027-9-1 is a Wednesday: week 5 (9.27-10.3) is row 11; 9.26 (Sun) is I9.
assert ws["I9"].value == "26班", ws["I9"].value
assert ws["G11"].value == "10.1休" and ws["H11"].value == "2休" and ws["I11"].value == "3休"
assert ws["C11"].value == 27 or ws["C11"].value == "27"
PY
expect_status 0 "holidays -w" "$tavo" holidays 2027 -w s.xlsx
[[ $(grep -c "国庆节" out.txt) == 4 ]] || fail "tavo holidays 2027 -w: $(cat out.txt)"

# A malformed row names itself, stops the build (exit 1) and writes nothing.
"$py" - <<'PY'
import openpyxl
wb = openpyxl.load_workbook("s.xlsx"); wb["节假日"]["B4"] = "放"; wb.save("bad.xlsx")
PY
expect_status 1 "malformed row" "$tavo" school -w bad.xlsx --start 2027-9-1 --end 2028-1-16 -o bad-built.xlsx
grep -q "第4行" err.txt || fail "the message does not name row 4: $(cat err.txt)"
[[ ! -e bad-built.xlsx ]] || fail "a malformed row still wrote the workbook"
expect_status 1 "holidays -w malformed" "$tavo" holidays -w bad.xlsx

finish holiday_marks
