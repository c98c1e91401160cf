# Sourced by the command's test scripts (run as SCRIPT TAVO SOURCE_DIR): the
# program under test, a scratch folder that is the working folder and goes
# away afterwards, and the checks with their failure count.
set -uo pipefail
tavo="$1"
src="$2"
py=/usr/bin/python3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

expect_status() {  # expected-status description command...
  local want=$1 what=$2
  shift 2
  "$@" >out.txt 2>err.txt
  local got=$?
  [[ $got == "$want" ]] || fail "$what: exit $got, wanted $want ($(head -c 300 err.txt))"
}

finish() {  # name of the script's cases
  if ((fails)); then
    echo "$fails failure(s)"
    exit 1
  fi
  echo "$1: all passed"
}
