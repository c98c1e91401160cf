#!/bin/bash
# Characterisation: what the command writes today, byte for byte, kept as
# fixtures so that a change of structure can show it changed nothing: every
# day 1900-2100 (`tavo days`), every holiday year, the host workbooks `init`
# writes (plain, --macro, --into a user's workbook), both sheets in every
# direction, style, colour, week start and holiday-mark setting over a term
# and over 20 years, and the iCalendar feed. The clock is fixed
# (SOURCE_DATE_EPOCH, 2026-09-21 in UTC): `init` fills in the current or
# coming term, and the feed stamps its events with the time of writing.
#
# Usage: characterisation.sh <path-to-tavo> <source-dir> [--update]
# --update writes the fixtures anew; do it only for a change meant to alter
# the output, and say so in the commit.
set -u
tavo=$1
source_dir=$2
update=${3:-}
fixtures=$source_dir/tests/fixtures/characterisation
export SOURCE_DATE_EPOCH=1790000000 TZ=UTC
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

run() {
  "$@" >"$work/run.log" 2>&1 || { fail "$* exited $?: $(tail -3 "$work/run.log")"; return 1; }
}

# Every output is named by what made it; its digest goes to the manifest.
outputs=$work/outputs
mkdir -p "$outputs"

"$tavo" days 1900-1-1 2100-12-31 >"$work/days.tsv" || fail "tavo days 1900-1-1 2100-12-31 exited $?"
for year in $(seq 2004 2026); do
  "$tavo" holidays "$year" >>"$outputs/holidays.txt" || fail "tavo holidays $year exited $?"
done

run "$tavo" init "$outputs/init.xlsx"
run "$tavo" init --macro "$outputs/init-macro.xlsm"
# A workbook of the school's own, as another program wrote it (kept as bytes).
cp "$fixtures/plan.xlsx" "$work/user.xlsx"
run "$tavo" init --into "$work/user.xlsx" -o "$outputs/init-into.xlsx"

# build SHEET NAME RANGE... OPTIONS...: the sheet built in a fresh host workbook.
build() {
  local sheet=$1 name=$2
  shift 2
  cp "$outputs/init.xlsx" "$work/host.xlsx"
  run "$tavo" "$sheet" -w "$work/host.xlsx" "$@" -o "$outputs/$name.xlsx"
}

for sheet in school calendar; do
  for direction in vertical horizontal; do
    for style in style1 style2; do
      for colour in color no-color; do
        for week in monday sunday; do
          for marks in holidays no-holidays; do
            build "$sheet" "$sheet-term-$direction-$style-$colour-$week-$marks" --start 2024-9-1 --end 2025-1-19 \
              "--$direction" "--$style" "--$colour" "--$week" "--$marks"
          done
        done
      done
    done
    build "$sheet" "$sheet-20-years-$direction" --start 2026-1-1 --end 2045-12-31 "--$direction" --style1 --color \
      --monday --holidays
  done
done

cp "$outputs/school-term-vertical-style1-color-monday-holidays.xlsx" "$work/feed.xlsx"
run "$tavo" ics -w "$work/feed.xlsx" -o "$outputs/feed.ics"

(cd "$outputs" && sha256sum -- * | LC_ALL=C sort -k2) >"$work/outputs.sha256"

if [[ $update == --update ]]; then
  mkdir -p "$fixtures"
  gzip -9 -n -c "$work/days.tsv" >"$fixtures/days-1900-2100.tsv.gz"
  cp "$work/outputs.sha256" "$fixtures/outputs.sha256"
  echo "characterisation: fixtures written to $fixtures ($(wc -l <"$fixtures/outputs.sha256") outputs)"
  exit "$((failures > 0))"
fi

if ! gzip -dc "$fixtures/days-1900-2100.tsv.gz" | cmp -s - "$work/days.tsv"; then
  fail "tavo days 1900-1-1 2100-12-31 differs from the fixture:"
  gzip -dc "$fixtures/days-1900-2100.tsv.gz" | diff - "$work/days.tsv" | head -10 >&2
fi
if ! cmp -s "$fixtures/outputs.sha256" "$work/outputs.sha256"; then
  fail "outputs differ from the fixture (< fixture, > now):"
  diff "$fixtures/outputs.sha256" "$work/outputs.sha256" | grep '^[<>]' | head -20 >&2
fi

if [[ $failures -gt 0 ]]; then
  echo "characterisation: $failures failure(s)"
  exit 1
fi
echo "characterisation: every day 1900-2100 and $(wc -l <"$work/outputs.sha256") outputs as before"
