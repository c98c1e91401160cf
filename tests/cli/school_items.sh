#!/usr/bin/env bash
# The school's own items through the command: a university's autumn term from
# its 校历事项 rows (registration, an autumn break without classes, a make-up
# Saturday on Wednesday's timetable, mid-term and final exams, the winter
# vacation) builds with its marks, week labels and remarks; a malformed row
# stops the build and leaves the file as it was; the feed carries the items
# and --only keeps just the kinds asked for; a school year of two terms
# prints on one page in every layout.
source "$(dirname "$0")/harness.bash"

"$tavo" init w.xlsx >/dev/null || fail "init"
$py - <<'PY' || fail "filling 校历事项"
import openpyxl
wb = openpyxl.load_workbook("w.xlsx")
assert "校历事项" in wb.sheetnames, wb.sheetnames
ws = wb["校历事项"]
assert [c.value for c in ws[1][:6]] == ["开始", "结束", "类别", "事项", "起始周次", "对象"]
rows = [("2025-9-1", "2026-1-18", "学期", "第一学期", None, None),
        ("2025-9-1", None, "报到", "报到注册", None, None),
        ("2025-9-28", "2025-10-5", "停课", "秋假", None, None),
        ("2025-10-11", None, "调课", "按周三课表", None, None),
        ("2025-11-3", "2025-11-7", "考试", "期中考试", None, None),
        ("2026-1-12", "2026-1-16", "考试", "期末考试", None, None),
        ("2026-1-19", "2026-2-22", "假期", "寒假", None, None),
        ("2026-3-2", "2026-7-12", "学期", "第二学期", 0, None),
        ("2026-7-13", "2026-8-31", "假期", "暑假", None, None)]
for r, row in enumerate(rows, start=2):
    for c, v in enumerate(row, start=1):
        if v is not None:
            ws.cell(r, c, v)
wb.save("w.xlsx")
PY

expect_status 0 "the autumn term" "$tavo" school -w w.xlsx --start 2025-9-1 --end 2026-2-22 --holidays --monday \
  --vertical --style1 --color -o term.xlsx
$py - <<'PY' || fail "the autumn term's sheet"
import openpyxl
ws = openpyxl.load_workbook("term.xlsx")["校历表"]
def week(n):  # label and remark of grid week n
    return ws.cell(2 * n + 1, 2).value, ws.cell(2 * n + 1, 10).value
assert week(1)[0] == "第1周", week(1)
assert "报到注册 9.1" in week(1)[1], week(1)
assert week(5) == ("第5周", "国庆节、中秋节 10.1–10.8 放假\n9.28、10.11（按周三课表）上班\n秋假 9.28–10.5"), week(5)
assert week(20)[0] == "第20周" and "期末考试 1.12–1.16" in week(20)[1], week(20)
assert week(21) == ("寒假", "寒假 1.19–2.22"), week(21)
# 9.28 (a national make-up Sunday inside the break) is off; 10.11 a school day.
assert ws.cell(9, 9).value == "28休", ws.cell(9, 9).value
assert ws.cell(13, 8).value == "11班", ws.cell(13, 8).value
assert ws.cell(21, 3).value == "3考", ws.cell(21, 3).value
PY

cp w.xlsx bad.xlsx
$py -c 'import openpyxl; wb = openpyxl.load_workbook("bad.xlsx"); wb["校历事项"]["C6"] = "考式"; wb.save("bad.xlsx")'
cp bad.xlsx bad-before.xlsx
expect_status 1 "a row of an unknown category" "$tavo" school -w bad.xlsx
grep -q "“校历事项”工作表第6行：C 列“考式”不是类别" err.txt || fail "the notice names the row: $(cat err.txt)"
cmp -s bad.xlsx bad-before.xlsx || fail "a stopped build changed the workbook"

expect_status 0 "the feed" "$tavo" ics -w w.xlsx --start 2025-9-1 --end 2026-2-22 -o all.ics
grep -q "CATEGORIES:停课" all.ics && grep -q "SUMMARY:按周三课表上课" all.ics || fail "the items are not in the feed"
expect_status 0 "--only" "$tavo" ics -w w.xlsx --start 2025-9-1 --end 2026-2-22 --only 考试,假期 -o exams.ics
[[ $(grep -c '^BEGIN:VEVENT' exams.ics) == 3 ]] || fail "--only 考试,假期: $(grep -c '^BEGIN:VEVENT' exams.ics) events"
[[ $(grep '^CATEGORIES' exams.ics | tr -d '\r' | sort -u | tr '\n' ' ') == "CATEGORIES:假期 CATEGORIES:考试 " ]] || fail "--only kinds"
# The same item keeps its UID whatever else the feed holds.
uid() { $py -c 'import sys; t=open(sys.argv[1], newline="").read().replace("\r\n ", "")
print([e for e in t.split("BEGIN:VEVENT") if "SUMMARY:期末考试" in e and "CATEGORIES:考试" in e][0].split("UID:")[1].split("\r")[0])' "$1"; }
[[ $(uid all.ics) == "$(uid exams.ics)" ]] || fail "the exam's UID changed with --only"
expect_status 64 "an unknown kind" "$tavo" ics -w w.xlsx --only exams

# A school year on one page, in every layout.
if have_soffice "one-page school year"; then
  for layout in "--vertical --style1" "--vertical --style2" "--horizontal --style1" "--horizontal --style2"; do
    # shellcheck disable=SC2086
    expect_status 0 "school year $layout" "$tavo" school -w w.xlsx --start 2025-9-1 --end 2026-7-12 --holidays \
      $layout -o year.xlsx --pdf year.pdf
    pages=$(pdfinfo year.pdf 2>/dev/null | awk '/^Pages:/ {print $2}')
    [[ $pages == 1 ]] || fail "school year $layout prints on $pages pages"
  done
fi
finish "school items"
