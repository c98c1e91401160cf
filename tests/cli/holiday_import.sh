#!/usr/bin/env bash
# `tavo holidays --import NOTICE -w WORKBOOK` end to end: every State Council
# notice since 2004, as its text and as a saved web page, imported into a new
# host workbook gives exactly that year's built-in days; importing again
# replaces that notice's rows only; a notice it cannot read, and a bad
# notice pasted into 节假日 G2, are refused with the line at fault and leave
# the workbook's bytes as they were.
source "$(dirname "$0")/harness.bash" "$@"
notices="$src/tests/fixtures/holiday-notices"
made_up="$src/tests/fixtures/made-up-notices/2027.txt"  # not an official notice: a year none covers

# page TEXT HTML: the notice as the government's page shows it, saved from the
# browser: a head with its title, style sheet and script, navigation, the
# notice in div.pages_content a paragraph an item (a line broken inside one
# goes on after <br/>), indented with &nbsp;, quotes as references, a footer.
page() {
  "$py" - "$1" "$2" <<'PY'
import html, sys
text = open(sys.argv[1], encoding="utf-8").read()
paragraphs, current = [], []
for line in text.split("\n"):
    starts = line.startswith("http") or line[:2] in ("一、", "二、", "三、", "四、", "五、", "六、", "七、", "八、", "九、")
    if not line.strip() or starts:
        if current:
            paragraphs.append(current)
        current = [line] if line.strip() else []
    else:
        current.append(line)
if current:
    paragraphs.append(current)
def encode(line):
    return html.escape(line, quote=False).replace("“", "&ldquo;").replace("”", "&rdquo;")
body = "\n".join('<p style="text-indent:2em">&nbsp;&nbsp;' + "<br/>\n".join(encode(l) for l in p) + "</p>"
                 for p in paragraphs)
with open(sys.argv[2], "w", encoding="utf-8") as out:
    out.write("""<!DOCTYPE html>
<html lang="zh-CN"><head><meta charset=utf-8>
<title>国务院办公厅关于部分节假日安排的通知_国务院文件_中国政府网</title>
<style>.pages_content p { line-height: 2; } a > b { color: #333 }</style>
<script type="text/javascript">var first = "<p>一、元旦：1月1日放假。</p>"; if (a < b && b > c) { go(); }</script>
</head><body>
<div class="header"><a href="/">首页</a> | <a href="/zhengce/">政策</a> &gt; 国务院文件</div>
<div class="pages_content" id="UCAP-CONTENT">
""" + body + """
</div>
<div class="footer">版权所有：中国政府网&nbsp;&nbsp;|&nbsp;&nbsp;主办单位：国务院办公厅<br/>京ICP备05070218号</div>
</body></html>
""")
PY
}

# rows FILE YEAR: the 节假日 rows imported from that year's notice, as `tavo holidays` lists days.
rows() {
  "$py" - "$@" <<'PY'
import openpyxl, sys
ws = openpyxl.load_workbook(sys.argv[1])["节假日"]
print("date\tholiday\tstatus\tname")
for date, mark, name, source in ws.iter_rows(min_row=2, max_col=4, values_only=True):
    if source == sys.argv[2] + "年国务院通知":
        print(f"{date:%Y-%m-%d}\t{mark}\t{'放假' if mark == '休' else '调休上班'}\t{name or ''}")
PY
}

expect_status 0 "init" "$tavo" init new.xlsx

# Every notice, as text and as a page: the rows say what the notice says, and
# the year's schedule is the built-in one. The 2015 supplementary notice
# names no holiday, so its four days read with an empty name.
for file in "$notices"/20*.txt; do
  name=$(basename "$file" .txt)
  year=${name%-full}
  page "$file" "$name.html"
  for notice in "$file" "$name.html"; do
    what="$(basename "$notice")"
    cp new.xlsx w.xlsx
    "$tavo" holidays "$year" -w w.xlsx >before.txt
    # The whole notice names its year in its title; the items alone need YEAR.
    if [[ $name == *-full ]]; then args=(); else args=("$year"); fi
    expect_status 0 "import $what" "$tavo" holidays "${args[@]}" --import "$notice" -w w.xlsx
    cp out.txt printed.txt
    grep -q "^注意: ${year}年通知的 $(($(wc -l <printed.txt) - 1)) 天写入“节假日”第2–" err.txt ||
      fail "$what: no line saying what was written: $(cat err.txt)"
    rows w.xlsx "$year" >imported.txt
    diff printed.txt imported.txt >/dev/null || fail "$what: the rows are not the days printed: $(diff printed.txt imported.txt | head -5)"
    "$tavo" holidays "$year" -w w.xlsx >after.txt
    if [[ $year == 2015 ]]; then
      sed -i 's/^\(2015-09-0[3-6]\t.*\t\)抗战胜利70周年纪念日$/\1/' before.txt
    fi
    diff before.txt after.txt >/dev/null || fail "$what: the year's schedule changed: $(diff before.txt after.txt | head -5)"
  done
done

# A notice for a year none covers adds its days; the school's own rows and
# another year's imported rows stay, and keep winning; importing the same
# notice again changes no byte, a revised one replaces that year's rows only.
"$py" - <<'PY'
import datetime, openpyxl
wb = openpyxl.load_workbook("new.xlsx")
ws = wb["节假日"]
ws.append([datetime.datetime(2027, 10, 8), "休", "校庆"])
ws.append(["2027-10-9", None, None])  # the school works no make-up day
wb.save("school.xlsx")
PY
expect_status 0 "import 2026" "$tavo" holidays --import "$notices/2026-full.txt" -w school.xlsx
expect_status 0 "import 2027" "$tavo" holidays --import "$made_up" -w school.xlsx
[[ $(wc -l <out.txt) == 34 ]] || fail "the 2027 notice printed $(wc -l <out.txt) lines"
expect_status 0 "holidays 2027" "$tavo" holidays 2027 -w school.xlsx
grep -q $'^2027-10-08\t休\t放假\t校庆$' out.txt || fail "the school's 10.8 lost: $(grep 10-08 out.txt)"
grep -q '^2027-10-09' out.txt && fail "the school's 10.9 lost to the notice"
grep -q $'^2027-10-01\t休\t放假\t国庆节$' out.txt || fail "no 2027 国庆节 from the notice"
cp school.xlsx school-once.xlsx
expect_status 0 "import 2027 again" "$tavo" holidays --import "$made_up" -w school.xlsx
cmp -s school.xlsx school-once.xlsx || fail "importing the same notice again changed the workbook"
grep -q "已在" err.txt || fail "no line saying nothing changed: $(cat err.txt)"
# The revised notice: 国庆节 without its make-up days.
grep -v "^七、" "$made_up" >revised.txt
echo "七、国庆节：10月1日（周五）至7日（周四）放假，共7天。" >>revised.txt
expect_status 0 "import the revised 2027" "$tavo" holidays --import revised.txt -w school.xlsx
grep -q "替换了上次导入的 33 行" err.txt || fail "the replaced rows are not counted: $(cat err.txt)"
"$py" - <<'PY' || fail "the revised import"
import openpyxl
ws = openpyxl.load_workbook("school.xlsx")["节假日"]
rows = [r for r in ws.iter_rows(min_row=2, max_col=4, values_only=True) if any(r)]
sources = [r[3] for r in rows]
assert rows[0][2] == "校庆" and rows[1][1] is None and rows[1][3] is None, rows[:2]
assert sources.count("2026年国务院通知") == 39, sources.count("2026年国务院通知")
assert sources.count("2027年国务院通知") == 31, sources.count("2027年国务院通知")
assert len(rows) == 2 + 39 + 31, len(rows)
assert ws["D1"].value == "来源" and ws["G1"].value == "粘贴放假通知"
PY

# What cannot be read in full is refused: exit 1, the line named, no byte changed.
cp new.xlsx bad.xlsx
cp bad.xlsx bad-before.xlsx
head -c 1000 "$notices/2026-full.txt" >cut.txt  # stops inside 国庆节's item
sed 's/10月1日（周四）至7日/10月1日（周四至7日/' "$notices/2026-full.txt" >garbled.txt
sed 's/2月15日（农历腊月二十八、周日）/2月51日（农历腊月二十八、周日）/' "$notices/2026-full.txt" >mistyped.txt
grep -v "^六、" "$notices/2026-full.txt" >lacking.txt  # the opening lists 中秋节
iconv -f UTF-8 -t GB18030 "$notices/2026-full.txt" >gbk.txt
page cut.txt cut.html
printf '一、元旦：1月1日放假。\n' >untitled.txt
for case in "cut.txt:第19行:没有写完" "cut.html:第21行:网页中的文字" "garbled.txt:第19行:括号没有闭合" \
            "mistyped.txt:第9行:2月51日" "lacking.txt:第18行:中秋节没有条目" "gbk.txt:第1行:UTF-8"; do
  IFS=: read -r file line words <<<"$case"
  expect_status 1 "refuse $file" "$tavo" holidays --import "$file" -w bad.xlsx
  grep -q "^提示: 放假通知 $file" err.txt && grep -q "$line" err.txt && grep -q "$words" err.txt ||
    fail "$file: the message does not name $line and $words: $(cat err.txt)"
  [[ ! -s out.txt ]] || fail "$file: days were printed for a refused notice"
  cmp -s bad.xlsx bad-before.xlsx || fail "$file: a refused notice changed the workbook"
done
expect_status 64 "no year anywhere" "$tavo" holidays --import untitled.txt -w bad.xlsx
grep -q "看不出是哪一年" err.txt || fail "no year: $(cat err.txt)"
expect_status 1 "the title against YEAR" "$tavo" holidays 2025 --import "$notices/2026-full.txt" -w bad.xlsx
grep -q "不是2025年" err.txt || fail "title against YEAR: $(cat err.txt)"
expect_status 64 "--import needs -w" "$tavo" holidays --import "$notices/2026-full.txt"
expect_status 64 "a missing notice file" "$tavo" holidays --import missing.txt -w bad.xlsx
cmp -s bad.xlsx bad-before.xlsx || fail "a refused run changed the workbook"
expect_status 64 "an .ods is not written in place" "$tavo" holidays --import "$made_up" -w bad.ods
touch .~lock.bad.xlsx#
expect_status 2 "open in LibreOffice" "$tavo" holidays --import "$made_up" -w bad.xlsx
cmp -s bad.xlsx bad-before.xlsx || fail "a workbook held open was written"
rm .~lock.bad.xlsx#

# A workbook without 节假日 gets the sheet with its headings; its own sheets stay.
"$py" - <<'PY'
import openpyxl
wb = openpyxl.Workbook(); wb.active.title = "教学计划"; wb.active["A1"] = "第一周"; wb.save("plain.xlsx")
PY
expect_status 0 "import into a workbook without 节假日" "$tavo" holidays --import "$made_up" -w plain.xlsx
"$py" - <<'PY' || fail "the 节假日 sheet made by an import"
import openpyxl
wb = openpyxl.load_workbook("plain.xlsx")
assert wb.sheetnames == ["教学计划", "节假日"], wb.sheetnames
assert wb["教学计划"]["A1"].value == "第一周"
ws = wb["节假日"]
assert [ws.cell(1, c).value for c in (1, 2, 3, 4)] == ["日期", "类型", "名称", "来源"]
assert "G2" in ws["E1"].value and ws["G1"].value == "粘贴放假通知"
assert ws["A2"].value.year == 2027 and ws["D2"].value == "2027年国务院通知" and ws.max_row == 34
PY

# The notice pasted into 节假日 G2, whole or a line a cell, marks the build;
# a bad one stops it with exit 1, naming the cell and the line, and no byte changes.
"$py" - "$made_up" <<'PY'
import openpyxl, sys
text = open(sys.argv[1], encoding="utf-8").read()
wb = openpyxl.load_workbook("new.xlsx"); wb["节假日"]["G2"] = text; wb.save("pasted-whole.xlsx")
wb = openpyxl.load_workbook("new.xlsx")
for i, line in enumerate(text.split("\n")):
    wb["节假日"].cell(2 + i, 7, line or None)
wb.save("pasted-lines.xlsx")
wb = openpyxl.load_workbook("new.xlsx")
wb["节假日"]["G2"] = text.replace("10月1日（周五）至7日（周四）", "10月1日（周五至7日（周四）")
wb.save("pasted-bad.xlsx")
PY
for book in pasted-whole.xlsx pasted-lines.xlsx; do
  expect_status 0 "holidays 2027 of $book" "$tavo" holidays 2027 -w "$book"
  [[ $(grep -c '^2027-' out.txt) == 33 ]] || fail "$book: $(grep -c '^2027-' out.txt) days of 2027"
  # 2027-9-1 is a Wednesday: the week of 9.27-10.3 is row 11, 10.1 its Friday G11; 9.26 (Sun) is I9.
  expect_status 0 "school of $book" "$tavo" school -w "$book" --start 2027-9-1 --end 2028-1-16 -o "built-$book"
  "$py" - "built-$book" <<'PY' || fail "$book: the build does not mark the pasted notice's days"
import openpyxl, sys
ws = openpyxl.load_workbook(sys.argv[1])["校历表"]
assert ws["I9"].value == "26班" and ws["G11"].value == "10.1休", (ws["I9"].value, ws["G11"].value)
PY
done
cp pasted-bad.xlsx pasted-bad-before.xlsx
expect_status 1 "a bad pasted notice" "$tavo" school -w pasted-bad.xlsx --start 2027-9-1 --end 2028-1-16
grep -q "^提示: “节假日”工作表 G2 中粘贴的放假通知读不通：第19行“七、国庆节" err.txt || fail "bad pasted notice: $(cat err.txt)"
cmp -s pasted-bad.xlsx pasted-bad-before.xlsx || fail "a bad pasted notice still wrote the workbook"
expect_status 1 "import beside a bad pasted notice" "$tavo" holidays --import "$notices/2026-full.txt" -w pasted-bad.xlsx
cmp -s pasted-bad.xlsx pasted-bad-before.xlsx || fail "an import beside a bad pasted notice wrote the workbook"

finish holiday_import
