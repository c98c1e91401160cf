#!/usr/bin/env bash
# Workbooks as users bring them: date cells and formulas written by other
# tools, the host sheets added to a workbook they already have, .xls and
# .ods read through LibreOffice, and workbooks another program has open.
source "$(dirname "$0")/harness.bash"

"$tavo" init host.xlsx >/dev/null || fail "init"

# A host workbook as openpyxl writes one: dates in B2/C2 and in a remark,
# formulas without a cached value in 信息表.
$py - <<'PY'
import datetime
from openpyxl import load_workbook
wb = load_workbook("host.xlsx")
dtb = wb["DTB"]
dtb["B2"] = datetime.datetime(2024, 9, 2); dtb["B2"].number_format = "yyyy/m/d"
dtb["C2"] = datetime.datetime(2025, 1, 19); dtb["C2"].number_format = "yyyy\"年\"m\"月\"d\"日\""
info = wb["信息表"]
info["B3"] = datetime.datetime(2024, 9, 1); info["B3"].number_format = "yyyy/m/d"
info["B4"] = "=1/0"
info["C3"] = '="说明"&"行"'
wb.save("dates.xlsx")
PY
expect_status 0 "settings of date cells" "$tavo" settings -w dates.xlsx
grep -q "2024/9/2" out.txt || fail "settings shows B2 as $(head -2 out.txt | tail -1)"
expect_status 0 "build from date cells" "$tavo" school -w dates.xlsx -o built.xlsx
$py - <<'PY' || fail "dates after the build"
import datetime
from openpyxl import load_workbook
wb = load_workbook("built.xlsx")
dtb = wb["DTB"]
assert dtb["B2"].value == datetime.datetime(2024, 9, 2), dtb["B2"].value
assert dtb["B2"].is_date and dtb["C2"].is_date
sheet = wb["校历表"]
remarks = [c for row in sheet.iter_rows(min_row=3, max_row=3) for c in row if c.value is not None]
remark = remarks[-1]
assert remark.value == datetime.datetime(2024, 9, 1) and remark.is_date, (remark.value, remark.number_format)
PY

# The host sheets added to a workbook the user keeps: in place, to -o, refused when present.
$py - <<'PY'
from openpyxl import Workbook
wb = Workbook(); wb.active.title = "教学计划"; wb.active["A1"] = "第一周"; wb.save("plan.xlsx")
PY
cp plan.xlsx plan-before.xlsx
expect_status 0 "init --into -o" "$tavo" init --into plan.xlsx -o plan-host.xlsx
cmp -s plan.xlsx plan-before.xlsx || fail "init --into -o changed its input"
expect_status 0 "init --into in place" "$tavo" init --into plan.xlsx
$py - <<'PY' || fail "sheets after init --into"
from openpyxl import load_workbook
for name in ("plan.xlsx", "plan-host.xlsx"):
    wb = load_workbook(name)
    assert wb.sheetnames == ["教学计划", "信息表", "DTB", "节假日", "校历事项"], wb.sheetnames
    assert wb["教学计划"]["A1"].value == "第一周"
PY
cp plan.xlsx plan-twice.xlsx
expect_status 2 "init --into refuses a workbook with DTB" "$tavo" init --into plan.xlsx
grep -q "已有工作表" err.txt || fail "refusal message: $(cat err.txt)"
cmp -s plan.xlsx plan-twice.xlsx || fail "a refused init --into changed the workbook"
expect_status 0 "build in the added sheets" "$tavo" school -w plan.xlsx

# Workbooks another program has open are not written without --force.
cp host.xlsx open.xlsx
cp open.xlsx open-before.xlsx
for lock in ".~lock.open.xlsx#" "~\$open.xlsx"; do
  touch "$lock"
  expect_status 2 "build over $lock" "$tavo" school -w open.xlsx
  grep -q -- "--force" err.txt || fail "lock message: $(cat err.txt)"
  [[ $(wc -l <err.txt) == 1 ]] || fail "lock: one line wanted: $(cat err.txt)"
  expect_status 2 "output onto $lock" "$tavo" calendar -w host.xlsx -o open.xlsx
  cmp -s open.xlsx open-before.xlsx || fail "$lock: the open workbook was written"
  rm -f "$lock"
done
touch ".~lock.open.xlsx#"
expect_status 0 "--force" "$tavo" school -w open.xlsx --force
rm -f ".~lock.open.xlsx#"

# .xls and .ods come in through LibreOffice and go out as .xlsx only.
if have_soffice "the .xls and .ods checks"; then
  soffice --headless --norestore -env:UserInstallation="file://$work/profile" \
    --convert-to ods --outdir . dates.xlsx >/dev/null 2>&1
  soffice --headless --norestore -env:UserInstallation="file://$work/profile" \
    --convert-to xls --outdir . dates.xlsx >/dev/null 2>&1
  for foreign in dates.ods dates.xls; do
    [[ -s $foreign ]] || { fail "LibreOffice made no $foreign"; continue; }
    cp "$foreign" "$foreign.orig"
    expect_status 64 "$foreign without -o" "$tavo" school -w "$foreign"
    grep -q -- "-o NAME.xlsx" err.txt || fail "$foreign message: $(cat err.txt)"
    expect_status 64 "$foreign onto itself" "$tavo" school -w "$foreign" -o "$foreign"
    expect_status 0 "$foreign to .xlsx" "$tavo" school -w "$foreign" -o "from-$foreign.xlsx"
    cmp -s "$foreign" "$foreign.orig" || fail "$foreign was written"
    $py -c "
from openpyxl import load_workbook
wb = load_workbook('from-$foreign.xlsx')
assert '校历表' in wb.sheetnames and 'DTB' in wb.sheetnames, wb.sheetnames
" || fail "from-$foreign.xlsx read back"
  done
  printf 'not a workbook' > broken.xls
  expect_status 2 "a damaged .xls" "$tavo" school -w broken.xls -o broken.xlsx
  grep -q "(321)" err.txt || fail "damaged .xls message: $(cat err.txt)"
  [[ -e broken.xlsx ]] && fail "a damaged .xls wrote an output"
fi

finish "user workbook forms"
