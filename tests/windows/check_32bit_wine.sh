#!/usr/bin/env bash
# Runs a 32-bit probe program in the test prefix and, when it cannot run,
# says why instead of letting every 32-bit test fail with Wine's own loader
# messages: exit 77 (skip) when the kernel cannot execute i386 programs,
# 1 with what to install when Wine's 32-bit half is missing or broken.
#   check_32bit_wine.sh PREFIX probe32.exe
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/wine32_loader_check.sh"
status=$?
((status == 0)) || exit $status
if "$here/run_in_wine.sh" "$1" 60 WINE-TEST-OK "$2"; then exit 0; fi
cat >&2 <<'MESSAGE'
32-bit Windows programs do not run under this Wine, although its 32-bit
loader starts, so the 32-bit tavo.dll cannot be tested. Install Wine's
32-bit half with its libraries:
    dpkg --add-architecture i386 && apt-get update && apt-get install wine32:i386
(scripts/setup.sh does this with TAVO_WITH_WINDOWS=1).
MESSAGE
exit 1
