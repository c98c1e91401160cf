#!/usr/bin/env bash
# Times the tavo command from process start to saved .xlsx: the median of
# several runs per case, with the size of the file written.
#   bench/cli_bench.sh [path-to-tavo] [runs]
set -euo pipefail
tavo="$(realpath "${1:-build/tavo}")"
runs="${2:-9}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$tavo" init host.xlsx >/dev/null

median_ms() {  # command...
  local times=()
  for ((i = 0; i < runs; i++)); do
    local t0 t1
    t0=$(date +%s%N)
    "$@" >/dev/null
    t1=$(date +%s%N)
    times+=($(((t1 - t0) / 1000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {printf "%.1f", a[int((NR+1)/2)]/1000}'
}

printf '%-10s %-11s %-24s %10s %10s\n' command direction range "median ms" "size KB"
for cmd in school calendar; do
  for direction in vertical horizontal; do
    for range in "2024-9-1 2025-1-19" "2000-1-1 2020-12-31"; do
      set -- $range
      ms=$(median_ms "$tavo" "$cmd" -w host.xlsx -o out.xlsx --start "$1" --end "$2" "--$direction")
      kb=$(( $(stat -c %s out.xlsx) / 1024 ))
      printf '%-10s %-11s %-24s %10s %10s\n' "$cmd" "$direction" "$1..$2" "$ms" "$kb"
    done
  done
done
