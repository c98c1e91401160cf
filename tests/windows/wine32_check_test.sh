#!/usr/bin/env bash
# The 32-bit Wine check against loaders of every kind, whatever this
# machine's kernel runs: a file the kernel refuses to execute (a genuine
# exec-format error), no loader at all, a loader that starts, and loaders
# that fail otherwise, even printing the words of an exec-format error.
#   wine32_check_test.sh
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fails=0

# An ELF header for no machine: execve() answers ENOEXEC on every kernel.
printf '\177ELF\001\001\001\000' >"$work/foreign"
head -c 60 /dev/zero >>"$work/foreign"
printf '#!/bin/sh\necho "wine-8.0 (Debian 8.0~repack-4)"\n' >"$work/starts"
printf '#!/bin/sh\necho "wine: error while loading shared libraries: libc.so.6" >&2\nexit 127\n' >"$work/broken"
printf '#!/bin/sh\necho "wine: could not exec wine-preloader: Exec format error" >&2\nexit 1\n' >"$work/says-enoexec"
chmod +x "$work"/*
printf 'The package archive did not deliver wine32:i386 when scripts/setup.sh asked for it.\napt-get update: E: Failed to fetch binary-i386/Packages.xz  File has unexpected size\napt-get install wine32:i386: E: Unable to correct problems, you have held broken packages.\n' >"$work/refused.txt"
: >"$work/empty-record.txt"

# loader | the kernel's i386 probe | setup's record of a refused wine32 | expected status | text the output must contain
# (the probe is run only when the loader is missing: "starts" stands for a
# kernel that runs i386 programs, "foreign" for one that refuses them)
cases=(
  "foreign|starts|-|77|SKIP: this machine's kernel cannot execute i386 programs"
  "missing|starts|-|1|apt-get install wine32:i386"
  "missing|foreign|-|77|SKIP: this machine's kernel cannot execute i386 programs (a minimal i386 program"
  "starts|foreign|-|0|"
  "broken|starts|-|1|error while loading shared libraries"
  "says-enoexec|starts|-|1|does not start (exit status 1)"
  # The archive refused the package when setup tried: a skip that says apt's words.
  "missing|starts|refused.txt|77|SKIP: the package archive refused wine32:i386"
  "missing|starts|refused.txt|77|File has unexpected size E: Unable to correct problems"
  "missing|foreign|refused.txt|77|SKIP: this machine's kernel cannot execute i386 programs"
  # A record setup never wrote, or wrote empty, is no reason: the hint.
  "missing|starts|no-record.txt|1|apt-get install wine32:i386"
  "missing|starts|empty-record.txt|1|apt-get install wine32:i386"
  # A loader that is there but broken is not excused by an old record.
  "broken|starts|refused.txt|1|error while loading shared libraries"
)
for case in "${cases[@]}"; do
  IFS='|' read -r loader probe record expected text <<<"$case"
  refused=""
  [[ $record != - ]] && refused="$work/$record"
  out=$(TAVO_WINE32_REFUSED="$refused" TAVO_WINE32_LOADER="$work/$loader" TAVO_I386_PROBE="$work/$probe" "$here/wine32_loader_check.sh" 2>&1)
  status=$?
  if ((status != expected)) || [[ -n $text && $out != *"$text"* ]]; then
    echo "FAIL: loader $loader, probe $probe, record $record: status $status (expected $expected), output: $out"
    fails=$((fails + 1))
  fi
done

# The callers pass the skip on without starting Wine: the prefix and the
# program named here do not exist.
for check in "check_32bit_wine.sh $work/no-prefix $work/no-probe.exe" \
             "run_32bit_in_wine.sh $work/no-prefix 10 WINE-TEST-OK $work/no-program.exe"; do
  out=$(TAVO_WINE32_LOADER="$work/foreign" $here/$check 2>&1)
  status=$?
  if ((status != 77)) || [[ $out != SKIP:* ]] || [[ -e $work/no-prefix ]]; then
    echo "FAIL: ${check%% *} with a refused loader: status $status, output: $out"
    fails=$((fails + 1))
  fi
done
# A missing Wine half stays a failure with the hint where the kernel runs i386.
out=$(TAVO_WINE32_LOADER="$work/missing" TAVO_I386_PROBE="$work/starts" "$here/check_32bit_wine.sh" "$work/no-prefix" "$work/no-probe.exe" 2>&1)
status=$?
if ((status != 1)) || [[ $out != *"apt-get install wine32:i386"* ]]; then
  echo "FAIL: check_32bit_wine.sh without a loader: status $status, output: $out"
  fails=$((fails + 1))
fi

if ((fails)); then
  echo "$fails case(s) failed"
  exit 1
fi
echo "the 32-bit Wine check: $((${#cases[@]} + 3)) cases"
