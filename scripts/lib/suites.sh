# Sourced by scripts/test.sh and scripts/test-windows.sh: runs test suites one
# after another whatever each of them gives, and ends with one summary of all
# of them (suite, passed, failed, skipped, and why each skip happened).
#   suites_begin                 at the start: where the rows go
#   suite NAME -- COMMAND...     a suite that is one command: passed or failed
#   ctest_suite NAME DIR [ARGS]  ctest in DIR: its counts, its skips' reasons
#   suite_failed NAME WHY        a suite that could not run at all
#   suites_end                   the summary; returns 1 when anything failed
# A script run by another that has begun (TAVO_SUITE_ROWS set) adds its rows
# to its caller's summary and prints none of its own.

suites_begin() {
  if [[ -n ${TAVO_SUITE_ROWS:-} ]]; then
    suites_owner=0
  else
    suites_owner=1
    TAVO_SUITE_ROWS=$(mktemp)
    export TAVO_SUITE_ROWS
  fi
}

# NAME PASSED FAILED SKIPPED SECONDS [REASON...]: one row, reasons after it.
suite_row() {
  local name=$1 passed=$2 failed=$3 skipped=$4 seconds=$5
  shift 5
  printf 'suite\t%s\t%s\t%s\t%s\t%s\n' "$name" "$passed" "$failed" "$skipped" "$seconds" >>"$TAVO_SUITE_ROWS"
  local reason
  for reason in "$@"; do
    [[ -n $reason ]] && printf 'reason\t%s\t%s\n' "$name" "$reason" >>"$TAVO_SUITE_ROWS"
  done
  return 0
}

suite() {
  local name=$1
  shift
  [[ ${1:-} == -- ]] && shift
  echo "== $name"
  local started=$SECONDS log
  log=$(mktemp)
  "$@" 2>&1 | tee "$log"
  local status=${PIPESTATUS[0]}
  local reasons=()
  mapfile -t reasons < <(grep -h '^SKIP:' "$log" | sed 's/^SKIP: *//' | sort -u || true)
  rm -f "$log"
  if ((status == 0)); then
    suite_row "$name" 1 0 0 $((SECONDS - started)) "${reasons[@]}"
  elif ((status == 77)); then
    ((${#reasons[@]})) || reasons=("its script exited 77 without saying why")
    suite_row "$name" 0 0 1 $((SECONDS - started)) "${reasons[@]}"
  else
    suite_row "$name" 0 1 0 $((SECONDS - started)) "${reasons[@]}"
  fi
}

suite_failed() {
  echo "== $1: $2"
  suite_row "$1" 0 1 0 0 "did not run: $2"
}

# ctest's closing lines give the counts: "N% tests passed, F tests failed out
# of T" and, under "The following tests did not run:", one "(Skipped)" line a
# skipped test. A test that skipped, or skipped a part of itself, says why on
# a line of its output starting "SKIP:", which ctest keeps in LastTest.log.
ctest_suite() {
  local name=$1 dir=$2
  shift 2
  echo "== $name"
  local started=$SECONDS log="$dir/Testing/ctest-output.log"
  mkdir -p "$dir/Testing"
  (cd "$dir" && ctest --output-on-failure "$@") 2>&1 | tee "$log"
  local status=${PIPESTATUS[0]}
  local counts total failed skipped
  counts=$(sed -n 's/^[0-9]*% tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\)$/\1 \2/p' "$log" | tail -n1)
  if [[ -z $counts ]]; then
    suite_row "$name" 0 1 0 $((SECONDS - started)) "ctest gave no result (exit status $status)"
    return 0
  fi
  read -r failed total <<<"$counts"
  skipped=$(grep -Ec '^[[:space:]]*[0-9]+ - .* \(Skipped\)$' "$log" || true)
  if ((status != 0 && failed == 0)); then
    failed=1  # ctest failed for a reason its counts do not show
  fi
  local reasons=()
  if [[ -f $dir/Testing/Temporary/LastTest.log ]]; then
    mapfile -t reasons < <(grep -h '^SKIP:' "$dir/Testing/Temporary/LastTest.log" | sed 's/^SKIP: *//' | sort -u || true)
  fi
  suite_row "$name" $((total - failed - skipped)) "$failed" "$skipped" $((SECONDS - started)) "${reasons[@]}"
}

suites_end() {
  ((suites_owner)) || return 0
  local rows=$TAVO_SUITE_ROWS any_failed=0
  echo
  echo "== summary"
  awk -F'\t' '
    $1 == "suite" { printf "%-40s %6s passed %4s failed %4s skipped %6ss\n", $2, $3, $4, $5, $6;
                    p += $3; f += $4; s += $5 }
    END { printf "total: %d passed, %d failed, %d skipped\n", p, f, s > "/dev/stderr" }' "$rows" 2>"$rows.total"
  if grep -q '^reason' "$rows"; then
    echo "why:"
    awk -F'\t' '$1 == "reason" { printf "  %s: %s\n", $2, $3 }' "$rows"
  fi
  # The plain closing line, last.
  cat "$rows.total"
  awk -F'\t' '$1 == "suite" && $4 > 0 { bad = 1 } END { exit bad }' "$rows" || any_failed=1
  rm -f "$rows" "$rows.total"
  return $any_failed
}
