#!/usr/bin/env bash
# Runs one Windows program under Wine in the build's private prefix, without
# a display, and passes only when the program exits 0 AND printed the
# expected closing line (Wine can exit 0 without having run anything).
#   run_in_wine.sh PREFIX SECONDS EXPECTED-LINE-REGEX program.exe [args...]
#   run_in_wine.sh PREFIX SECONDS --init        (create the prefix)
#   run_in_wine.sh PREFIX SECONDS --exit-status program.exe [args...]
#                          (a system program that prints nothing, such as
#                          msiexec /qn: its exit status alone decides)
set -uo pipefail
prefix=$1 seconds=$2 expected=$3
shift 3
# winedbg disabled: a crashing program ends at once instead of waiting in the debugger.
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d" DISPLAY=
unset WAYLAND_DISPLAY
wine=$(command -v wine64 || command -v wine)
[[ -x /usr/lib/wine/wine64 ]] && wine=/usr/lib/wine/wine64

stop_server() { wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1 || true; }
trap stop_server EXIT

if [[ $expected == --init ]]; then
  rm -rf "$prefix"
  mkdir -p "$(dirname "$prefix")"
  # The null display driver goes into the registry before any windowed
  # program runs; the server restart makes the next program read it.
  timeout --kill-after=10 "$seconds" "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  stop_server
  timeout --kill-after=10 "$seconds" "$wine" reg query 'HKCU\Software\Wine\Drivers' /v Graphics 2>/dev/null \
    | tr -d '\r' | grep 'Graphics.*null' >/dev/null && echo "wine prefix ready: $prefix" && exit 0
  echo "could not set up the wine prefix $prefix" >&2
  exit 1
fi

out=$(mktemp)
timeout --kill-after=10 "$seconds" "$wine" "$@" >"$out" 2>&1
status=$?
tr -d '\r' <"$out"
ok=0
if [[ $expected == --exit-status ]]; then
  ok=1
else
  tr -d '\r' <"$out" | grep -Eq "^($expected)\$" && ok=1
fi
rm -f "$out"
if ((status == 124 || status == 137)); then echo "timed out after ${seconds}s" >&2; exit 1; fi
if ((status != 0)); then echo "exit status $status" >&2; exit 1; fi
if ((ok == 0)); then echo "missing the closing line /$expected/" >&2; exit 1; fi
exit 0
