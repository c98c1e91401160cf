#!/usr/bin/env bash
# The workbook commands end to end: builds read back by an independent
# reader, exit statuses, refusals that leave files untouched, and a user's
# own parts kept byte for byte across rebuilds.
source "$(dirname "$0")/harness.bash"

# A new host workbook, then every layout of both sheets, each checked by openpyxl.
expect_status 0 "init" "$tavo" init host.xlsx
expect_status 64 "init refuses to overwrite" "$tavo" init host.xlsx
for kind in school calendar; do
  for direction in vertical horizontal; do
    for style in 1 2; do
      out="$kind-$direction-$style.xlsx"
      expect_status 0 "$kind $direction $style" "$tavo" "$kind" -w host.xlsx -o "$out" \
        --start 2024-9-1 --end 2025-1-19 "--$direction" "--style$style"
      $py "$src/tests/cli/check_workbook.py" "$out" "$kind" "$direction" "$style" || fail "$out read back"
    done
  done
done

# Validation messages stop the build with status 1 and write nothing.
cp host.xlsx before.xlsx
expect_status 1 "end before start" "$tavo" school -w host.xlsx --start 2024-9-1 --end 2024-8-1
grep -q "提示: 结束日期 应大于 开始日期！" err.txt || fail "end-before-start message: $(cat err.txt)"
cmp -s host.xlsx before.xlsx || fail "a refused build changed the workbook"
expect_status 1 "start out of range" "$tavo" school -w host.xlsx --start 1900-12-31 --end 1901-1-5
cmp -s host.xlsx before.xlsx || fail "a refused build changed the workbook"

# An error box (no DTB) gives status 2 and writes nothing.
$py - <<'PY'
from openpyxl import Workbook
wb = Workbook(); wb.active.title = "其他"; wb.save("nodtb.xlsx")
PY
cp nodtb.xlsx nodtb-before.xlsx
expect_status 2 "missing DTB" "$tavo" school -w nodtb.xlsx
grep -q "^错误: tavo：(9)" err.txt || fail "missing DTB message: $(cat err.txt)"
cmp -s nodtb.xlsx nodtb-before.xlsx || fail "a failed build changed the workbook"

# Text where DTB expects a number, and a workbook without 信息表: the error
# box of the component, status 2, nothing written.
$py - <<'PY'
from openpyxl import load_workbook
wb = load_workbook("host.xlsx"); wb["DTB"]["D2"] = "周一"; wb.save("textoption.xlsx")
wb = load_workbook("host.xlsx"); del wb["信息表"]; wb.save("noinfo.xlsx")
PY
for bad in textoption.xlsx noinfo.xlsx; do
  cp "$bad" "$bad.orig"
  expect_status 2 "$bad" "$tavo" school -w "$bad"
  grep -q "^错误: tavo：(" err.txt || fail "$bad message: $(cat err.txt)"
  cmp -s "$bad" "$bad.orig" || fail "$bad was changed"
done

# Bad files: each one message, status 2, the file untouched.
echo "not a zip" > notzip.xlsx
head -c 2000 host.xlsx > truncated.xlsx
mkdir folder.xlsx
for bad in notzip.xlsx truncated.xlsx missing.xlsx folder.xlsx; do
  [[ -e $bad && ! -d $bad ]] && cp "$bad" "$bad.orig"
  expect_status 2 "bad workbook $bad" "$tavo" school -w "$bad"
  [[ $(wc -l <err.txt) == 1 ]] || fail "$bad: wanted one message, got: $(cat err.txt)"
  [[ -e $bad.orig ]] && { cmp -s "$bad" "$bad.orig" || fail "$bad was changed"; }
done
expect_status 2 "output folder missing" "$tavo" school -w host.xlsx -o nowhere/out.xlsx
expect_status 2 "output is a folder" "$tavo" school -w host.xlsx -o folder.xlsx

# The user's own sheets, formula, chart and picture survive two rebuilds byte for byte.
for fixture in user-workbook.xlsx user-workbook-shared-strings.xlsx; do
  cp "$src/tests/fixtures/$fixture" user.xlsx
  expect_status 0 "rebuild 1 of $fixture" "$tavo" school -w user.xlsx
  expect_status 0 "rebuild 2 of $fixture" "$tavo" school -w user.xlsx --horizontal
  expect_status 0 "calendar in $fixture" "$tavo" calendar -w user.xlsx
  $py - "$src/tests/fixtures/$fixture" user.xlsx <<'PY' || fail "user parts changed in $fixture"
import sys, zipfile
before, after = zipfile.ZipFile(sys.argv[1]), zipfile.ZipFile(sys.argv[2])
kept = [n for n in before.namelist()
        if n.startswith(("xl/charts/", "xl/media/", "xl/drawings/", "xl/theme/"))
        or n in ("xl/worksheets/sheet3.xml", "xl/worksheets/sheet4.xml",
                 "xl/worksheets/_rels/sheet3.xml.rels", "xl/worksheets/_rels/sheet4.xml.rels")]
bad = [n for n in kept if n not in after.namelist() or before.read(n) != after.read(n)]
if bad:
    print("changed or lost:", bad); sys.exit(1)
from openpyxl import load_workbook
wb = load_workbook(sys.argv[2])
for name in ("DTB", "信息表", "课表", "校徽", "校历表", "日历表"):
    assert name in wb.sheetnames, (name, wb.sheetnames)
assert wb["课表"]["G2"].value == "=SUM(B2:F2)", wb["课表"]["G2"].value
PY
done

# One PDF through LibreOffice.
if have_soffice "the PDF check"; then
  expect_status 0 "pdf" "$tavo" school -w host.xlsx -o pdf.xlsx --pdf out.pdf
  head -c 5 out.pdf | grep "%PDF-" >/dev/null || fail "out.pdf is not a PDF"
fi

finish "workbook commands"
