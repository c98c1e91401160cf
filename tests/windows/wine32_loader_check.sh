#!/usr/bin/env bash
# Wine hands every 32-bit Windows program to its 32-bit loader, an i386
# Linux program. Runs that loader once and tells apart why 32-bit programs
# could not run:
#   0   the loader starts (whether a program then runs is the caller's test);
#   77  the kernel refuses to execute i386 programs ("Exec format error"):
#       nothing 32-bit can run on this machine, the 32-bit tests skip;
#   1   the loader is missing (wine32 not installed: the install hint) or
#       fails in another way (its output).
#   wine32_loader_check.sh
# TAVO_WINE32_LOADER names another loader file; only the test of this check
# sets it, to run the decision against loaders of each kind.
set -uo pipefail
loader=${TAVO_WINE32_LOADER:-/usr/lib/wine/wine}

install_hint() {
  cat >&2 <<'MESSAGE'
Install Wine's 32-bit half:
    dpkg --add-architecture i386 && apt-get update && apt-get install wine32:i386
(scripts/setup.sh does this with TAVO_WITH_WINDOWS=1).
MESSAGE
}

if [[ ! -e $loader ]]; then
  echo "Wine's 32-bit loader $loader is missing: wine32 is not installed, so the 32-bit tavo.dll cannot be tested." >&2
  install_hint
  exit 1
fi
out=$(LC_ALL=C "$loader" --version 2>&1)
status=$?
if ((status == 0)); then
  exit 0
fi
# 126 is the shell's "found but could not execute"; the kernel's reason follows.
if ((status == 126)) && grep -q 'Exec format error' <<<"$out"; then
  echo "SKIP: this machine's kernel cannot execute i386 programs ($loader: Exec format error), so no 32-bit" \
       "Windows program runs under Wine here; the 32-bit tests are skipped."
  exit 77
fi
echo "Wine's 32-bit loader $loader does not start (exit status $status):" >&2
echo "$out" >&2
install_hint
exit 1
