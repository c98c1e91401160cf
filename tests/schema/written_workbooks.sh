#!/usr/bin/env bash
# Every kind of workbook the command writes, held against the ECMA-376
# transitional schemas: the built-in workbook, both builders in every
# direction, style and colour, rebuilds inside users' workbooks (the
# fixtures, and one whose dates and formulas another tool wrote), and the
# host sheets added to a workbook. The desktop host is stricter than
# LibreOffice and openpyxl: it offers to "repair" a file whose elements are
# out of order.
#   written_workbooks.sh TAVO SOURCE_DIR [SCHEMA_DIR]
set -uo pipefail
tavo="$1"
src="$2"
schemas="${3:-$src/third_party/ooxml-schemas}"
py=/usr/bin/python3
command -v jing >/dev/null || { echo "jing is not installed (apt-get install jing)"; exit 1; }
[[ -f $schemas/SpreadsheetML_Worksheet.rnc ]] || { echo "no schemas in $schemas"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fails=0
run() { "$@" >/dev/null 2>err.txt || { echo "FAIL: $* ($(head -c 300 err.txt))"; fails=$((fails + 1)); }; }

run "$tavo" init host.xlsx
for kind in school calendar; do
  for direction in vertical horizontal; do
    for style in 1 2; do
      for colour in color no-color; do
        run "$tavo" "$kind" -w host.xlsx -o "$kind-$direction-$style-$colour.xlsx" \
          --start 2024-9-1 --end 2025-1-19 "--$direction" "--style$style" "--$colour"
      done
    done
  done
done
# Rebuilt in place twice: the old sheet deleted, its page setup kept.
cp host.xlsx rebuilt.xlsx
run "$tavo" school -w rebuilt.xlsx --horizontal
run "$tavo" school -w rebuilt.xlsx --style2
for fixture in user-workbook.xlsx user-workbook-shared-strings.xlsx; do
  cp "$src/tests/fixtures/$fixture" "user-$fixture"
  run "$tavo" school -w "user-$fixture" --start 2024-9-1 --end 2025-1-19
  run "$tavo" calendar -w "user-$fixture" --horizontal
done
$py - <<'PY'
import datetime
from openpyxl import Workbook, load_workbook
wb = load_workbook("host.xlsx")
wb["DTB"]["B2"] = datetime.datetime(2024, 9, 2)
wb["信息表"]["B3"] = datetime.datetime(2024, 9, 1)
wb["信息表"]["B4"] = "=1/0"
wb.save("dates.xlsx")
wb = Workbook(); wb.active.title = "教学计划"; wb.save("plan.xlsx")
PY
run "$tavo" school -w dates.xlsx -o dates-built.xlsx --start 2024-9-2
run "$tavo" init --into plan.xlsx -o plan-host.xlsx
run "$tavo" calendar -w plan-host.xlsx
# The macro workbook, where the command makes one.
if "$tavo" init --help 2>/dev/null | grep -- "--macro" >/dev/null; then
  run "$tavo" init --macro host.xlsm
fi

ls ./*.xlsx ./*.xlsm 2>/dev/null | grep -v -e '^./user-' -e '^./dates.xlsx$' -e '^./plan.xlsx$' >written.txt
# The fixtures and openpyxl's files are checked only after tavo wrote into them.
ls ./user-*.xlsx >>written.txt
if ! xargs "$py" "$src/tests/schema/check_package.py" "$schemas" <written.txt; then
  fails=$((fails + 1))
fi
if ((fails)); then
  echo "$fails failure(s)"
  exit 1
fi
echo "written workbooks: $(wc -l <written.txt) packages valid"
