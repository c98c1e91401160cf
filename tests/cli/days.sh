#!/bin/bash
# `tavo day` and `tavo days`: known rows, the full range, and the refusals.
# Usage: days.sh <path-to-tavo> <source-dir>
set -u
tavo=$1
failures=0
tab=$'\t'
header="date${tab}lunar_month${tab}lunar_day${tab}month_number${tab}day_number${tab}solar_term${tab}school_note${tab}calendar_note${tab}holiday${tab}holiday_status"
days_header="date${tab}lunar_month${tab}lunar_day${tab}month_number${tab}day_number${tab}solar_term${tab}school_note${tab}calendar_note${tab}holiday"

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# expect_row DATE-ARGUMENT EXPECTED-ROW
expect_row() {
  local out
  out=$("$tavo" day "$1") || { fail "tavo day $1 exited $?"; return; }
  [[ $(sed -n 1p <<<"$out") == "$header" ]] || fail "tavo day $1: header is '$(sed -n 1p <<<"$out")'"
  [[ $(sed -n 2p <<<"$out") == "$2" ]] || fail "tavo day $1: got '$(sed -n 2p <<<"$out")', want '$2'"
  [[ $(wc -l <<<"$out") -eq 2 ]] || fail "tavo day $1: more than one row"
}

row() { local IFS=$'\t'; echo "$*"; }

# `tavo day` ends with the holiday mark and its status: 休/班 and "放假 春节".
expect_row 1900-01-01 "$(row 1900-01-01 十二月 初一 12 1 '' 元旦 元旦 '' '')"
expect_row 1900-01-06 "$(row 1900-01-06 十二月 初六 12 6 小寒 '' '' '' '')"
expect_row 1900-01-30 "$(row 1900-01-30 十二月 三十 12 30 '' 除夕 除夕 '' '')"
expect_row 2013-2-9 "$(row 2013-02-09 十二月 廿九 12 29 '' 除夕 除夕 休 '放假 春节')"
expect_row 2013/2/14 "$(row 2013-02-14 正月 初五 1 5 '' '' 情人节 休 '放假 春节')"
expect_row 2013年4月4日 "$(row 2013-04-04 二月 廿四 2 24 清明节 '' '' 休 '放假 清明节')"
expect_row " 2020-05-23 " "$(row 2020-05-23 闰四月 初一 -4 -1 '' '' '' '' '')"
expect_row 2001.10.01 "$(row 2001-10-01 八月 十五 8 15 '' 国庆节中秋节 国庆节中秋节 '' '')"
expect_row 2026-06-05 "$(row 2026-06-05 四月 二十 4 20 芒种 '' '' '' '')"
expect_row 2026-07-23 "$(row 2026-07-23 六月 初十 6 10 大暑 '' '' '' '')"
expect_row 2100-12-31 "$(row 2100-12-31 十二月 初一 12 1 '' '' '' '' '')"
expect_row 2024-9-29 "$(row 2024-09-29 八月 廿七 8 27 '' '' '' 班 '调休上班 国庆节')"
expect_row 2015-9-3 "$(row 2015-09-03 七月 廿一 7 21 '' '' '' 休 '放假 抗战胜利70周年纪念日')"

# The whole range: one row per day, the same rows as `tavo day`.
all=$("$tavo" days 1900-01-01 2100-12-31) || fail "tavo days over the full range exited $?"
lines=$(wc -l <<<"$all")
[[ $lines -eq 73415 ]] || fail "full range gave $lines lines, want 73415"
[[ $(grep -c '^2026-07-23	' <<<"$all") -eq 1 ]] || fail "full range lacks 2026-07-23"
[[ $(sed -n 1p <<<"$all") == "$days_header" ]] || fail "tavo days: header is '$(sed -n 1p <<<"$all")'"
[[ $(grep '^2026-07-23	' <<<"$all") == "$(row 2026-07-23 六月 初十 6 10 大暑 '' '' '')" ]] ||
  fail "full range row of 2026-07-23 differs from tavo day"
[[ $(awk -F'\t' 'NF != 9' <<<"$all" | wc -l) -eq 0 ]] || fail "some rows do not have 9 fields"
# The holiday column: every built-in day, and nothing outside 2004-2026.
[[ $(cut -f9 <<<"$all" | grep -c '^休$') -eq 615 ]] || fail "days off: $(cut -f9 <<<"$all" | grep -c "^休$"), want 615"
[[ $(cut -f9 <<<"$all" | grep -c '^班$') -eq 151 ]] || fail "make-up days: $(cut -f9 <<<"$all" | grep -c "^班$"), want 151"
[[ $(grep -P '^(19|20(0[0-3]|2[7-9]|[3-9]))' <<<"$all" | cut -f9 | grep -vc '^$') -eq 0 ]] ||
  fail "marks outside the built-in years"

# `tavo holidays`: the years known, a year's rows, a year without a schedule.
out=$("$tavo" holidays) || fail "tavo holidays exited $?"
grep -q "2004–2026" <<<"$out" || fail "tavo holidays does not name 2004–2026: $out"
out=$("$tavo" holidays 2024) || fail "tavo holidays 2024 exited $?"
grep -q "^2024-09-29${tab}班${tab}调休上班${tab}国庆节$" <<<"$out" || fail "tavo holidays 2024 lacks 9.29"
[[ $(grep -c "${tab}休${tab}" <<<"$out") -eq 28 ]] || fail "2024 days off: $(grep -c "${tab}休${tab}" <<<"$out")"
err=$("$tavo" holidays 2030 2>&1 >/dev/null) || fail "tavo holidays 2030 exited $?"
grep -q "2030" <<<"$err" || fail "tavo holidays 2030 says nothing about the missing year"
expect_refusal holidays 2101
[[ $(cut -f6 <<<"$all" | grep -vc '^$') -eq $((201 * 24 + 1)) ]] || fail "solar-term count is not 24 a year"

# Refusals: one line on stderr, nothing on stdout, exit 64.
expect_refusal() {
  local out err status
  err=$(mktemp)
  out=$("$tavo" "$@" 2>"$err")
  status=$?
  [[ $status -eq 64 ]] || fail "tavo $*: exit $status, want 64"
  [[ -z $out ]] || fail "tavo $*: wrote to stdout"
  [[ $(wc -l <"$err") -ge 1 ]] || fail "tavo $*: no message on stderr"
  rm -f "$err"
}
expect_one_line_refusal() {
  local err
  err=$("$tavo" "$@" 2>&1 >/dev/null)
  [[ $(wc -l <<<"$err") -eq 1 ]] || fail "tavo $*: message is not one line: $err"
  expect_refusal "$@"
}

expect_one_line_refusal day 2023-02-29
expect_one_line_refusal day notadate
expect_one_line_refusal day ""
expect_one_line_refusal day $'2013-1-1\nx'
expect_one_line_refusal day 1899-12-31
expect_one_line_refusal day 2101-01-01
expect_one_line_refusal days 2013-02-10 2013-02-01
expect_one_line_refusal days 2013-02-01 2013-13-01
expect_refusal day
expect_refusal days 2013-01-01
expect_refusal day 2013-01-01 2013-01-02
expect_refusal nosuchcommand

"$tavo" --help | grep 'tavo day' >/dev/null || fail "--help shows no example"
"$tavo" days --help | grep 'FROM' >/dev/null || fail "days --help does not name FROM"

if [[ $failures -ne 0 ]]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "tavo day/days: all checks passed"
