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

# LibreOffice comes with scripts/setup.sh: where it is missing a check that
# needs it fails with the install hint, unless the machine was set up without
# it on purpose (TAVO_WITH_PDF=0), where the check says it skipped.
have_soffice() {  # what needs it
  command -v soffice >/dev/null && return 0
  if [[ ${TAVO_WITH_PDF:-1} == 0 ]]; then
    echo "SKIP: $1: LibreOffice was left out (TAVO_WITH_PDF=0)"
    return 1
  fi
  fail "$1 needs LibreOffice, which is not installed; install it with: apt-get install libreoffice-calc" \
       "(scripts/setup.sh does), or set TAVO_WITH_PDF=0 to leave it out"
  return 1
}

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
