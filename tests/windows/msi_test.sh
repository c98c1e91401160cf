#!/usr/bin/env bash
# The installer in a fresh Wine prefix of its own, as a school's IT would run
# it: silent install of an older version, the current one over it, the
# current one again, a refused downgrade, then a 32-bit and a 64-bit client
# each create tavo.myxl in their own registry view; silent uninstall and
# both views are clean again.
#   msi_test.sh PREFIX CURRENT.msi VERSION OLDER.msi OLDER-VERSION UPGRADE-CODE
#               probe32.exe client32.exe client64.exe [HOST-WORKBOOK.xlsm]
set -uo pipefail
prefix=$1 msi=$2 version=$3 older_msi=$4 older_version=$5 upgrade_code=$6 probe32=$7 client32=$8 client64=$9 workbook=${10:-}
here=$(cd "$(dirname "$0")" && pwd)
wine_run() { "$here/run_in_wine.sh" "$prefix" "$@"; }
failures=0
step() { echo "== $*"; }
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
msiexec() { wine_run 120 --exit-status msiexec "$@"; }
client() { local exe=$1; shift; wine_run 60 WINE-TEST-OK "$exe" "$@"; }
products() { client "$client64" products "$upgrade_code" "$@"; }
program_files="$prefix/drive_c/Program Files/tavo"
program_files_x86="$prefix/drive_c/Program Files (x86)/tavo"

wine_run 180 --init || exit 1
# A kernel that runs no i386 program leaves the 32-bit client out; the
# 32-bit DLL is still installed and its file checked.
# So does an archive that refused wine32:i386 (the check's SKIP line says
# why). Any other trouble is a failure, and the 64-bit half is still checked.
check32=$("$here/check_32bit_wine.sh" "$prefix" "$probe32" 2>&1)
case $? in
  0) client32_runs=1 ;;
  77) client32_runs=0; echo "SKIP: the per-machine installer test's 32-bit client: ${check32#SKIP: }" ;;
  *) client32_runs=0; echo "$check32"; fail "32-bit programs do not run under this Wine (above)" ;;
esac
client32() { if ((client32_runs)); then client "$client32" "$@"; else echo "skipped: the 32-bit client $*"; fi; }

step "install $older_version"
msiexec /i "$(windows_path "$older_msi")" /qn || fail "installing $older_version"
products 1 "$older_version" || fail "one product of $older_version after installing it"

step "install $version over $older_version (major upgrade)"
msiexec /i "$(windows_path "$msi")" /qn || fail "installing $version over $older_version"
products 1 "$version" || fail "one product of $version after the upgrade"

step "install $version again"
msiexec /i "$(windows_path "$msi")" /qn || fail "installing $version a second time"
products 1 "$version" || fail "one product of $version after installing it twice"

step "install $older_version over $version (refused)"
if out=$(msiexec /i "$(windows_path "$older_msi")" /qn 2>&1); then
  fail "the downgrade to $older_version was accepted"
elif ! grep -q '^exit status [0-9]' <<<"$out"; then
  echo "$out"
  fail "the downgrade did not end with an installer status"
fi
products 1 "$version" || fail "$version still the one product after the refused downgrade"

step "files"
for f in "$program_files/tavo.dll" "$program_files_x86/tavo.dll" "$program_files/windows.md.txt"; do
  [[ -f $f ]] || fail "missing $f"
done
cmp -s "$program_files/windows.md.txt" "$here/../../docs/windows.md" || fail "windows.md.txt is not docs/windows.md"
if [[ -n ${TAVO_HELP_DOC:-} ]]; then
  if command -v msiinfo >/dev/null; then
    help_rows=$(msiinfo export "$msi" File | awk -F'\t' 'NR > 3 && $3 ~ /(^|\|)help\.doc$/ {print $2}' | sort | tr '\n' ' ')
    [[ $help_rows == "Help32 Help64 " ]] || fail "help.doc rows of the File table: '$help_rows', not one per tavo.dll"
  fi
  for d in "$program_files" "$program_files_x86"; do
    cmp -s "$d/help.doc" "$TAVO_HELP_DOC" || fail "help.doc is missing from $d or not $TAVO_HELP_DOC"
  done
fi
if [[ -n $workbook ]]; then
  cmp -s "$program_files/tavo.xlsm" "$workbook" || fail "tavo.xlsm is missing or not the host workbook $workbook"
fi

step "32-bit and 64-bit hosts"
client32 installed || fail "the 32-bit view after installing"
client "$client64" installed || fail "the 64-bit view after installing"

step "uninstall"
msiexec /x "$(windows_path "$msi")" /qn || fail "uninstalling"
client32 removed || fail "the 32-bit view after uninstalling"
client "$client64" removed || fail "the 64-bit view after uninstalling"
products 0 || fail "no product left after uninstalling"
for d in "$program_files" "$program_files_x86"; do
  [[ ! -e $d ]] || fail "left behind: $d ($(ls "$d" | tr '\n' ' '))"
done

if ((failures > 0)); then
  echo "$failures step(s) failed"
  exit 1
fi
echo "WINE-TEST-OK"
