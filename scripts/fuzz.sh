#!/usr/bin/env bash
# Builds the .xlsx reader's libFuzzer target with clang in build-fuzz and
# runs it for a bounded time (default 60 s) over a seed corpus of workbooks
# our own writer makes (the xlsx tests' fixtures, written by the test
# program when TAVO_FUZZ_SEEDS names a folder).
#   scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
dir=build-fuzz
cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DTAVO_FUZZ=ON -DTAVO_BENCHMARKS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" --target tavo_xlsx_fuzz tavo_xlsx_tests -j"$(nproc)"
seeds="$dir/fuzz-seeds"
corpus="$dir/fuzz-corpus"
rm -rf "$seeds"
mkdir -p "$seeds" "$corpus"
TAVO_FUZZ_SEEDS="$PWD/$seeds" "$dir/tests/tavo_xlsx_tests" --gtest_filter='FuzzSeeds.*' >/dev/null
# Seeds of the part-replacing form: a selector byte, then a part's text.
printf '\001<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheets><sheet name="DTB" sheetId="1" r:id="rId1"/></sheets></workbook>' >"$seeds/part-workbook"
printf '\006<worksheet><sheetData><row r="2"><c r="B2" t="s"><v>0</v></c><c r="D2"><v>1</v></c></row></sheetData></worksheet>' >"$seeds/part-sheet"
printf '\003<styleSheet><colors><indexedColors><rgbColor rgb="00FF0000"/></indexedColors></colors><cellXfs><xf quotePrefix="1"/></cellXfs></styleSheet>' >"$seeds/part-styles"
echo "seeds: $(ls "$seeds" | wc -l) files"
"$dir/workbook/xlsx/tavo_xlsx_fuzz" -max_total_time="$seconds" -max_len=200000 -rss_limit_mb=2048 \
  -timeout=10 "$corpus" "$seeds"
