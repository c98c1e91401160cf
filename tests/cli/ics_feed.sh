#!/usr/bin/env bash
# `tavo ics`: every file it writes read back with python3-icalendar; the
# weeks, remarks, days off and make-up days of autumn 2024 and spring 2026;
# stable and unique UIDs; folding and escaping; week numbers equal to the
# sheet's for both week starts; bad input refused exactly as a build refuses it.
source "$(dirname "$0")/harness.bash" "$@"

# Reads an .ics file as a calendar application would and checks the octets
# themselves: CRLF only, at most 75 octets a line, no fold inside a character.
# Prints one JSON object: name, timezone, events (uid, start, end, summary, category).
read_ics() {
  "$py" - "$1" <<'PY'
import json, sys, icalendar
raw = open(sys.argv[1], "rb").read()
assert raw.endswith(b"\r\n"), "no CRLF at the end"
assert b"\n" not in raw.replace(b"\r\n", b""), "a bare LF"
assert b"\r" not in raw.replace(b"\r\n", b""), "a bare CR"
for n, line in enumerate(raw.split(b"\r\n")[:-1], 1):
    assert len(line) <= 75, f"line {n} has {len(line)} octets"
    content = line[1:] if line.startswith(b" ") else line
    content.decode("utf-8")  # a fold inside a character would not decode
cal = icalendar.Calendar.from_ical(raw.decode("utf-8"))
events = []
for e in cal.walk("VEVENT"):
    start, end = e.decoded("DTSTART"), e.decoded("DTEND")
    assert type(start).__name__ == "date" and type(end).__name__ == "date", (start, end)
    assert e.get("DTSTAMP") is not None
    events.append({"uid": str(e["UID"]), "start": start.isoformat(), "end": end.isoformat(),
                   "summary": str(e["SUMMARY"]), "category": e.get("CATEGORIES").to_ical().decode()})
print(json.dumps({"name": str(cal["X-WR-CALNAME"]), "timezone": str(cal["X-WR-TIMEZONE"]),
                  "version": str(cal["VERSION"]), "events": events}, ensure_ascii=False))
PY
}

expect_status 0 "init" "$tavo" init t.xlsx

# Remarks as an office writes them: commas, semicolons, line feeds, a
# backslash, and a title and remark long enough to fold between characters.
"$py" - <<'PY'
import openpyxl
wb = openpyxl.load_workbook("t.xlsx")
info = wb["信息表"]
for row in range(3, 60):
    info.cell(row, 2).value = None  # the sample remarks of a new workbook
info["D3"] = "实验小学2024—2025学年度第一学期校历（教务处编制，如有变动以学校通知为准；欢迎订阅）"
info["B3"] = "开学报到,注册;领书\n下午：开学典礼"
info["B4"] = None
info["B5"] = "   "
info["B6"] = "C:\\通知 " + "秋季运动会（全校师生参加，各班提前做好准备工作）" * 3
info["B13"] = "期中考试"
info["B30"] = "第28周：在学期之外"
wb.save("r.xlsx")
PY
cp r.xlsx r-before.xlsx

expect_status 0 "autumn 2024" "$tavo" ics -w r.xlsx --start 2024-9-1 --end 2025-1-19 -o a.ics
[[ $(cat out.txt) == a.ics ]] || fail "ics names the file it wrote: $(cat out.txt)"
cmp -s r.xlsx r-before.xlsx || fail "ics changed the workbook"
read_ics a.ics >a.json || fail "a.ics does not read back"
"$py" - <<'PY' || fail "autumn 2024 events"
import json
cal = json.load(open("a.json"))
assert cal["name"].startswith("实验小学2024—2025学年度第一学期校历（教务处编制"), cal["name"]
assert cal["name"].endswith("欢迎订阅）") and cal["timezone"] == "Asia/Shanghai" and cal["version"] == "2.0"
by = lambda cat: [e for e in cal["events"] if e["category"] == cat]
weeks = by("周次")
assert [w["summary"] for w in weeks] == [f"第{n}周" for n in range(1, 22)], [w["summary"] for w in weeks]
# 2024-9-1 is a Sunday: week 1 is that day alone, week 2 starts on Monday 9-2.
assert (weeks[0]["start"], weeks[0]["end"]) == ("2024-09-01", "2024-09-02"), weeks[0]
assert (weeks[1]["start"], weeks[1]["end"]) == ("2024-09-02", "2024-09-09"), weeks[1]
assert (weeks[-1]["start"], weeks[-1]["end"]) == ("2025-01-13", "2025-01-20"), weeks[-1]
remarks = by("备注")
assert [(r["start"], r["summary"]) for r in remarks] == [
    ("2024-09-01", "开学报到,注册;领书\n下午：开学典礼"),
    ("2024-09-16", "C:\\通知 " + "秋季运动会（全校师生参加，各班提前做好准备工作）" * 3),
    ("2024-11-04", "期中考试")], remarks
off = [e["start"] for e in by("放假")]
work = [e["start"] for e in by("调休上班")]
assert off == ["2024-09-15", "2024-09-16", "2024-09-17"] + [f"2024-10-0{d}" for d in range(1, 8)] + [
    "2025-01-01"], off
assert work == ["2024-09-14", "2024-09-29", "2024-10-12"], work
assert {e["summary"] for e in by("放假") if e["start"].startswith("2024-10")} == {"国庆节 放假"}
assert all(e["end"] > e["start"] for e in cal["events"])
assert not by("节日") and not by("节气"), "festivals without --festivals"
uids = [e["uid"] for e in cal["events"]]
assert len(uids) == len(set(uids)) == 21 + 3 + 11 + 3, len(uids)
assert all(u.endswith("@tavo") for u in uids)
PY
# The escapes themselves, as RFC 5545 writes them.
tr -d '\r' <a.ics | sed -e ':a' -e 'N' -e '$!ba' -e 's/\n //g' >a.unfolded
grep -qF 'SUMMARY:开学报到\,注册\;领书\n下午：开学典礼' a.unfolded || fail "remark not escaped: $(grep -m1 开学 a.unfolded)"
grep -qF 'SUMMARY:C:\\通知 ' a.unfolded || fail "backslash not escaped"
[[ $(grep -c '^ ' a.ics) -gt 3 ]] || fail "the long title and remark were not folded"

# Made again: the same UIDs. With SOURCE_DATE_EPOCH the same octets.
expect_status 0 "again" "$tavo" ics -w r.xlsx --start 2024-9-1 --end 2025-1-19 -o b.ics
read_ics b.ics >b.json || fail "b.ics does not read back"
"$py" -c 'import json,sys; u=lambda f:[e["uid"] for e in json.load(open(f))["events"]]; sys.exit(u("a.json")!=u("b.json"))' ||
  fail "UIDs changed between two runs"
SOURCE_DATE_EPOCH=1725148800 "$tavo" ics -w r.xlsx --start 2024-9-1 --end 2025-1-19 -o c.ics >/dev/null 2>&1
SOURCE_DATE_EPOCH=1725148800 "$tavo" ics -w r.xlsx --start 2024-9-1 --end 2025-1-19 >d.ics 2>/dev/null
cmp -s c.ics d.ics || fail "the file and standard output differ"
grep -q "^DTSTAMP:20240901T000000Z" c.ics || fail "SOURCE_DATE_EPOCH not used"

# A remark edited: only that event gets a new UID.
"$py" - <<'PY'
import openpyxl
wb = openpyxl.load_workbook("r.xlsx"); wb["信息表"]["B13"] = "期中考试（语文、数学）"; wb.save("r2.xlsx")
PY
expect_status 0 "edited remark" "$tavo" ics -w r2.xlsx --start 2024-9-1 --end 2025-1-19 -o e.ics
read_ics e.ics >e.json || fail "e.ics does not read back"
"$py" - <<'PY' || fail "UIDs after an edit"
import json
a = {e["uid"]: e["summary"] for e in json.load(open("a.json"))["events"]}
e = {x["uid"]: x["summary"] for x in json.load(open("e.json"))["events"]}
assert set(a) - set(e) == {u for u, s in a.items() if s == "期中考试"}, set(a) - set(e)
assert [e[u] for u in set(e) - set(a)] == ["期中考试（语文、数学）"]
PY

# --festivals adds the notes of the days; a school calendar built with the
# marks off still lists the days off and make-up days.
expect_status 0 "no marks" "$tavo" settings -w r.xlsx --no-holidays -o off.xlsx
expect_status 0 "festivals" "$tavo" ics -w off.xlsx --start 2024-9-1 --end 2024-9-30 --festivals -o f.ics
read_ics f.ics >f.json || fail "f.ics does not read back"
"$py" - <<'PY' || fail "festivals of September 2024"
import json
ev = json.load(open("f.json"))["events"]
pick = lambda cat: [(e["start"], e["summary"]) for e in ev if e["category"] == cat]
assert pick("节日") == [("2024-09-10", "教师节"), ("2024-09-17", "中秋节")], pick("节日")
assert pick("节气") == [("2024-09-07", "白露"), ("2024-09-22", "秋分")], pick("节气")
assert len(pick("放假")) == 3 and len(pick("调休上班")) == 2, (pick("放假"), pick("调休上班"))
PY

# Spring 2026 from the dates stored in DTB by a build, starting on the last
# day of the Spring Festival break; the school's own rows count.
"$py" - <<'PY'
import openpyxl
wb = openpyxl.load_workbook("t.xlsx")
ws = wb["节假日"]
for r, row in enumerate([("2026-5-9", None, None), ("2026-6-1", "休", "校庆")], 2):
    for c, v in enumerate(row, 1):
        ws.cell(r, c, v)
wb.save("s.xlsx")
PY
expect_status 0 "store spring dates" "$tavo" settings -w s.xlsx --start 2026-2-23 --end 2026-7-12
expect_status 0 "spring 2026" "$tavo" ics -w s.xlsx -o spring.ics
read_ics spring.ics >spring.json || fail "spring.ics does not read back"
"$py" - <<'PY' || fail "spring 2026 events"
import json
ev = json.load(open("spring.json"))["events"]
pick = lambda cat: [e for e in ev if e["category"] == cat]
weeks = pick("周次")
assert len(weeks) == 20 and weeks[0]["start"] == "2026-02-23" and weeks[-1]["end"] == "2026-07-13", \
    (len(weeks), weeks[0], weeks[-1])
off = [e["start"] for e in pick("放假")]
assert off == ["2026-02-23", "2026-04-04", "2026-04-05", "2026-04-06"] + [f"2026-05-0{d}" for d in range(1, 6)] + [
    "2026-06-01", "2026-06-19", "2026-06-20", "2026-06-21"], off
# 5.9 was removed by the school's row; 2.28 stays.
assert [e["start"] for e in pick("调休上班")] == ["2026-02-28"], pick("调休上班")
assert [e["summary"] for e in pick("放假") if e["start"] == "2026-06-01"] == ["校庆 放假"]
PY

# Week numbers after a rebuild with either week start: each week event
# spans exactly the days its row of 校历表 shows.
for start in monday sunday; do
  expect_status 0 "build $start" "$tavo" school -w r.xlsx --"$start" --start 2024-9-1 --end 2025-1-19 -o "w-$start.xlsx"
  expect_status 0 "ics $start" "$tavo" ics -w "w-$start.xlsx" -o "w-$start.ics"
  read_ics "w-$start.ics" >"w-$start.json" || fail "w-$start.ics does not read back"
  "$py" - "w-$start" <<'PY' || fail "week numbers of the $start sheet"
import datetime, json, re, sys, openpyxl
name = sys.argv[1]
ws = openpyxl.load_workbook(name + ".xlsx")["校历表"]
weeks = [e for e in json.load(open(name + ".json"))["events"] if e["category"] == "周次"]
rows = [r for r in range(3, ws.max_row + 1, 2) if str(ws.cell(r, 2).value or "").startswith("第")]
assert len(rows) == len(weeks), (len(rows), len(weeks))
for r, week in zip(rows, weeks):
    assert ws.cell(r, 2).value == week["summary"], (ws.cell(r, 2).value, week["summary"])
    days = [str(ws.cell(r, c).value) for c in range(3, 10) if ws.cell(r, c).value is not None]
    first, end = datetime.date.fromisoformat(week["start"]), datetime.date.fromisoformat(week["end"])
    assert len(days) == (end - first).days, (week, days)
    day_of = lambda text: int(re.match(r"(?:\d+\.)?(\d+)", text).group(1))
    last = end - datetime.timedelta(days=1)
    assert day_of(days[0]) == first.day and day_of(days[-1]) == last.day, (week, days)
PY
done
cmp -s w-monday.ics w-sunday.ics && fail "the week start changed nothing"

# Bad input: the message and status of the build, and no file.
"$py" - <<'PY'
from openpyxl import Workbook, load_workbook
wb = Workbook(); wb.active.title = "其他"; wb.save("nodtb.xlsx")
wb = load_workbook("t.xlsx"); del wb["信息表"]; wb.save("noinfo.xlsx")
wb = load_workbook("t.xlsx"); wb["节假日"]["A2"] = "2026-5-1"; wb["节假日"]["B2"] = "放"; wb.save("badrow.xlsx")
PY
same_as_build() {  # description status workbook [date options...]
  local what=$1 status=$2 workbook=$3
  shift 3
  expect_status "$status" "school: $what" "$tavo" school -w "$workbook" "$@" -o built.xlsx
  mv err.txt school-err.txt
  echo keep >kept.ics
  expect_status "$status" "ics: $what" "$tavo" ics -w "$workbook" "$@" -o kept.ics
  [[ -s err.txt ]] || fail "ics: $what: no message"
  cmp -s err.txt school-err.txt || fail "ics: $what: '$(cat err.txt)' is not the build's '$(cat school-err.txt)'"
  [[ $(cat kept.ics) == keep ]] || fail "ics: $what: the output was written"
  [[ ! -s out.txt ]] || fail "ics: $what: printed $(head -c 100 out.txt)"
  expect_status "$status" "ics to stdout: $what" "$tavo" ics -w "$workbook" "$@"
  [[ ! -s out.txt ]] || fail "ics: $what: wrote to standard output"
  ls ./*.tmp-* >/dev/null 2>&1 && fail "ics: $what: a temporary file was left"
}
same_as_build "no DTB" 2 nodtb.xlsx
same_as_build "no 信息表" 2 noinfo.xlsx --start 2024-9-1 --end 2025-1-19
same_as_build "malformed 节假日 row" 1 badrow.xlsx --start 2026-3-2 --end 2026-7-12
same_as_build "end before start" 1 t.xlsx --start 2024-9-1 --end 2024-8-1
same_as_build "start before 1901" 1 t.xlsx --start 1900-12-31 --end 1901-1-5
same_as_build "over 20 years" 1 t.xlsx --start 2000-12-31 --end 2021-1-1
same_as_build "not a date" 1 t.xlsx --start 2024-2-30 --end 2024-7-1
same_as_build "missing file" 2 missing.xlsx

# The workbook itself, or any workbook, is never the output.
cp t.xlsx t-before.xlsx
for target in t.xlsx ./t.xlsx other.xlsx other.ods; do
  expect_status 64 "-o $target" "$tavo" ics -w t.xlsx -o "$target"
  [[ $(wc -l <err.txt) == 1 ]] || fail "-o $target: wanted one line: $(cat err.txt)"
done
cmp -s t.xlsx t-before.xlsx || fail "the workbook was changed"
[[ ! -e other.xlsx && ! -e other.ods ]] || fail "a workbook-named output was written"

# The new workbook's own term: done in one line.
expect_status 0 "init's term" "$tavo" ics -w t.xlsx -o term.ics
read_ics term.ics >term.json || fail "term.ics does not read back"

finish ics_feed
