#!/usr/bin/env bash
# Wine hands every 32-bit Windows program to its 32-bit loader, an i386
# Linux program. Runs that loader once and tells apart why 32-bit programs
# could not run:
#   0   the loader starts (whether a program then runs is the caller's test);
#   77  the kernel refuses to execute i386 programs ("Exec format error"):
#       nothing 32-bit can run on this machine, the 32-bit tests skip;
#   77  also when the loader is missing because the package archive refused
#       wine32:i386 when scripts/setup.sh asked for it (the record that
#       TAVO_WINE32_REFUSED names, written by setup, says why);
#   1   the loader is missing although setup never tried (the install hint),
#       or it fails in another way (its output).
#   wine32_loader_check.sh
# TAVO_WINE32_LOADER names another loader file; only the test of this check
# sets it, to run the decision against loaders of each kind.
set -uo pipefail
loader=${TAVO_WINE32_LOADER:-/usr/lib/wine/wine}

install_hint() {
  cat >&2 <<'MESSAGE'
Install Wine's 32-bit half:
    dpkg --add-architecture i386 && apt-get update && apt-get install wine32:i386
(scripts/setup.sh does this with TAVO_WITH_WINDOWS=1, and records it when the
package archive refuses; a refusal with unmet dependencies means the archive's
i386 index is mid-sync: run scripts/setup.sh again later).
MESSAGE
}

# Without the loader, whether the kernel would run it at all decides: a
# machine that executes no i386 program skips, however Wine is installed.
# The probe is the smallest i386 Linux program (exit(0) through int 0x80):
# an ELF header, one loadable segment and nine bytes of code.
# TAVO_I386_PROBE names another probe file, for the test of this check.
kernel_refuses_i386() {
  local probe=${TAVO_I386_PROBE:-}
  if [[ -z $probe ]]; then
    probe=$(mktemp) || return 1
    printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'`
      `'\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000'`
      `'\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000'`
      `'\000\000\000\000'`
      `'\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010'`
      `'\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000'`
      `'\270\001\000\000\000\061\333\315\200' >"$probe"
    chmod +x "$probe"
  fi
  local out
  out=$(LC_ALL=C "$probe" 2>&1)
  local status=$?
  [[ -z ${TAVO_I386_PROBE:-} ]] && rm -f "$probe"
  ((status == 126)) && grep -q 'Exec format error' <<<"$out"
}

if [[ ! -e $loader ]]; then
  if kernel_refuses_i386; then
    echo "SKIP: this machine's kernel cannot execute i386 programs (a minimal i386 program: Exec format error)," \
         "so no 32-bit Windows program runs under Wine here, installed or not; the 32-bit tests are skipped."
    exit 77
  fi
  record=${TAVO_WINE32_REFUSED:-}
  if [[ -n $record && -s $record ]]; then
    echo "SKIP: the package archive refused wine32:i386 when scripts/setup.sh asked for it, so no 32-bit" \
         "Windows program runs under Wine here; the 32-bit tests are skipped. apt said:" \
         "$(sed -n 's/^apt-get \(update\|install [^ ]*\): //p' "$record" | sed 's/ *\[IP:[^]]*\]//' | paste -sd' ' -) (all of it in $record)"
    exit 77
  fi
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
