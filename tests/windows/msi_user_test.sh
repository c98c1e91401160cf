#!/usr/bin/env bash
# The per-user installer, as a teacher without administrator rights runs it,
# in a fresh Wine prefix of its own. Wine runs every program with full
# rights, so "without elevation" is checked in the package itself: it asks
# for none (summary information), sets no ALLUSERS, writes every registry
# row under HKCU\Software\Classes and every folder under the user's local
# application data. Then: an older version, the current one over it, the
# current one again, a refused downgrade, a refused ALLUSERS=1; the files in the user's programs
# folder and none in Program Files; a 64-bit (and, where this Wine runs
# 32-bit programs, a 32-bit) client creates tavo.myxl by ProgID from the
# user's registration; uninstall leaves no row and no folder.
#   msi_user_test.sh PREFIX USER.msi VERSION OLDER-USER.msi OLDER-VERSION UPGRADE-CODE
#                    probe32.exe client32.exe client64.exe [HOST-WORKBOOK.xlsm]
# With TAVO_HELP_DOC set (the build made help.doc), the package must carry it
# beside both DLLs.
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

step "the package asks for no elevation and installs into the user's profile only"
for table in Property Registry Directory; do
  msiinfo export "$msi" "$table" >/dev/null || fail "msiinfo cannot read the $table table of $msi"
done
word_count=$(msiinfo suminfo "$msi" | sed -n 's/^Source: \([0-9]*\).*/\1/p')
((word_count & 8)) || fail "summary word count $word_count lacks 'no elevation needed' (8)"
! msiinfo export "$msi" Property | grep '^ALLUSERS' >/dev/null || fail "the per-user package sets ALLUSERS"
rows=$(msiinfo export "$msi" Registry | tail -n +4)
[[ -n $rows ]] || fail "no registry rows"
while IFS=$'\t' read -r _ root key _; do
  [[ $root == 1 && $key == 'Software\Classes\'* ]] || fail "registry row outside HKCU\\Software\\Classes: root $root $key"
done <<<"$rows"
top=$(msiinfo export "$msi" Directory | awk -F'\t' 'NR > 3 && $2 == "TARGETDIR" {print $1}')
[[ $top == LocalAppDataFolder ]] || fail "folders under '$top', not the user's local application data"

step "the help document is in the package, beside each tavo.dll"
if [[ -n ${TAVO_HELP_DOC:-} ]]; then
  help_rows=$(msiinfo export "$msi" File | awk -F'\t' 'NR > 3 && $3 ~ /(^|\|)help\.doc$/ {print $2}' | sort | tr '\n' ' ')
  [[ $help_rows == "Help32 Help64 " ]] || fail "help.doc rows of the File table: '$help_rows', not one per tavo.dll"
fi

wine_run 180 --init || exit 1
# The 32-bit client is left out where the kernel runs no i386 program or the
# archive refused wine32:i386 (the check's SKIP line says why); any other
# trouble is a failure, and the 64-bit half is still checked.
runs32=0
check32=$("$here/check_32bit_wine.sh" "$prefix" "$probe32" 2>&1)
case $? in
  0) runs32=1 ;;
  77) echo "SKIP: the per-user installer test's 32-bit client: ${check32#SKIP: }" ;;
  *) echo "$check32"; fail "32-bit programs do not run under this Wine (above)" ;;
esac
local_appdata=$(find "$prefix/drive_c/users" -mindepth 3 -maxdepth 3 -path '*/AppData/Local' ! -path '*/Public/*' | head -1)
user_programs="$local_appdata/Programs/tavo"

step "install $older_version for this user"
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

step "install $version with ALLUSERS=1 (refused: the per-machine package does that)"
if msiexec /i "$(windows_path "$msi")" /qn ALLUSERS=1 >/dev/null 2>&1; then
  fail "the per-user package installed with ALLUSERS=1"
fi
products 1 "$version" || fail "$version still the one product after the refused ALLUSERS=1"

step "files in $user_programs"
for f in "$user_programs/tavo.dll" "$user_programs/x86/tavo.dll" "$user_programs/windows.md.txt"; do
  [[ -f $f ]] || fail "missing $f"
done
cmp -s "$user_programs/windows.md.txt" "$here/../../docs/windows.md" || fail "windows.md.txt is not docs/windows.md"
if [[ -n ${TAVO_HELP_DOC:-} ]]; then
  for d in "$user_programs" "$user_programs/x86"; do
    cmp -s "$d/help.doc" "$TAVO_HELP_DOC" || fail "help.doc is missing from $d or not $TAVO_HELP_DOC"
  done
fi
if [[ -n $workbook ]]; then
  cmp -s "$user_programs/tavo.xlsm" "$workbook" || fail "tavo.xlsm is missing or not the host workbook $workbook"
fi
for d in "$prefix/drive_c/Program Files/tavo" "$prefix/drive_c/Program Files (x86)/tavo"; do
  [[ ! -e $d ]] || fail "the per-user package wrote $d"
done

step "64-bit and 32-bit hosts of this user"
client "$client64" installed-user || fail "the 64-bit view after installing"
if ((runs32)); then
  client "$client32" installed-user || fail "the 32-bit view after installing"
fi

step "uninstall"
msiexec /x "$(windows_path "$msi")" /qn || fail "uninstalling"
client "$client64" removed || fail "the 64-bit view after uninstalling"
if ((runs32)); then
  client "$client32" removed || fail "the 32-bit view after uninstalling"
fi
products 0 || fail "no product left after uninstalling"
[[ ! -e $user_programs ]] || fail "left behind: $user_programs ($(find "$user_programs" | tr '\n' ' '))"

if ((failures > 0)); then
  echo "$failures step(s) failed"
  exit 1
fi
echo "WINE-TEST-OK"
