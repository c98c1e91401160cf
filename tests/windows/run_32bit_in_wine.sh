#!/usr/bin/env bash
# run_in_wine.sh for a 32-bit program: exits 77 (skip) with the reason when
# this machine's kernel cannot execute i386 programs, so each 32-bit test
# reports itself skipped instead of failed. Any other trouble with Wine's
# 32-bit half is left to the program's own run (and to the probe test).
#   run_32bit_in_wine.sh PREFIX SECONDS EXPECTED-LINE-REGEX program.exe [args...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
reason=$("$here/wine32_loader_check.sh" 2>/dev/null)
if (($? == 77)); then
  echo "$reason"
  exit 77
fi
exec "$here/run_in_wine.sh" "$@"
