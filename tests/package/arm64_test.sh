#!/usr/bin/env bash
# The arm64 package as an arm64 信创 machine gets it: lintian finds no error,
# it is of arm64 and depends on the package of every library its command
# needs; that command, run under qemu-user-static, gives the same text and
# writes the same workbook parts as this machine's own build.
#   arm64_test.sh tavo_<version>_arm64.deb NATIVE-TAVO
set -uo pipefail
deb=$(realpath "$1")
native=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }
hint="install them with: TAVO_WITH_ARM64=1 scripts/setup.sh"

qemu=$(command -v qemu-aarch64-static) || { echo "qemu-aarch64-static is missing; $hint" >&2; exit 1; }
readelf=$(command -v aarch64-linux-gnu-readelf) || { echo "the arm64 binutils are missing; $hint" >&2; exit 1; }

echo "== lintian"
lintian --fail-on error "$deb" 2>&1 | grep -v 'running with root privileges' || true
lintian --fail-on error "$deb" >/dev/null 2>&1 || fail "lintian reports errors in $deb"

echo "== architecture and library dependencies"
[[ $(dpkg-deb -f "$deb" Architecture) == arm64 ]] || fail "Architecture: $(dpkg-deb -f "$deb" Architecture)"
dpkg-deb -x "$deb" "$work/root"
tavo="$work/root/usr/bin/tavo"
[[ -x $tavo ]] || { fail "no usr/bin/tavo in the package"; exit 1; }
"$readelf" -h "$tavo" | grep 'Machine:.*AArch64' >/dev/null || fail "usr/bin/tavo is not an AArch64 program"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
depended=$(sed 's/([^)]*)//g; s/[,|]/ /g' <<<"$depends" | xargs)  # the package names alone
# Each library the command needs, found where the arm64 libraries are, belongs
# to a package the control file names.
while read -r lib; do
  path=""
  for d in /lib/aarch64-linux-gnu /usr/lib/aarch64-linux-gnu; do
    [[ -e $d/$lib ]] && { path=$d/$lib; break; }
  done
  [[ -n $path ]] || { fail "$lib: not among the arm64 libraries on this machine"; continue; }
  owner=$(dpkg -S "$(realpath "$path")" 2>/dev/null | head -n1 | cut -d: -f1)
  [[ -n $owner ]] || owner=$(dpkg -S "$path" 2>/dev/null | head -n1 | cut -d: -f1)
  [[ -n $owner ]] || { fail "$lib: no package owns $path"; continue; }
  [[ " $depended " == *" $owner "* ]] || fail "$lib ($owner) is not in Depends: $depends"
done < <("$readelf" -d "$tavo" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')

echo "== the arm64 command under qemu against this machine's"
arm() { "$qemu" "$tavo" "$@"; }
same_text() {  # description, then the command's arguments
  local what=$1
  shift
  "$native" "$@" >"$work/native.txt" 2>&1
  local native_status=$?
  arm "$@" >"$work/arm64.txt" 2>&1
  local arm_status=$?
  if ((native_status != arm_status)); then
    fail "$what: exit $arm_status under qemu, $native_status here ($(head -c 300 "$work/arm64.txt"))"
  elif ! cmp -s "$work/native.txt" "$work/arm64.txt"; then
    fail "$what: different text"
    diff "$work/native.txt" "$work/arm64.txt" | head -n 10
  else
    echo "$what: the same $(wc -l <"$work/native.txt") lines"
  fi
}
same_text "tavo days over a year" days 2024-9-1 2025-8-31
same_text "tavo holidays 2026" holidays 2026
same_text "tavo day" day 2025-10-6
same_text "tavo --version" --version

# A new workbook and a school calendar in it, each written by both; the
# parts compared byte for byte, save the workbook's times of writing.
for build in native arm64; do
  mkdir "$work/$build-out"
  run=("$native")
  [[ $build == arm64 ]] && run=("$qemu" "$tavo")
  (cd "$work/$build-out" &&
    "${run[@]}" init 学校.xlsx >/dev/null &&
    "${run[@]}" school -w 学校.xlsx --start 2024-9-1 --end 2025-1-19 >/dev/null &&
    "${run[@]}" calendar -w 学校.xlsx --horizontal -o 日历.xlsx --start 2025-1-1 --end 2025-12-31 >/dev/null) ||
    fail "$build: init, school or calendar failed"
done
for book in 学校.xlsx 日历.xlsx; do
  for build in native arm64; do
    mkdir -p "$work/$build-parts/$book"
    unzip -q -o "$work/$build-out/$book" -d "$work/$build-parts/$book" 2>/dev/null || fail "$build: $book does not unzip"
    core="$work/$build-parts/$book/docProps/core.xml"
    [[ -f $core ]] && sed -i -E 's#<(dcterms:(created|modified))([^>]*)>[^<]*<#<\1\3>TIME<#g' "$core"
  done
  parts=$(cd "$work/native-parts/$book" && find . -type f | sort)
  [[ $parts == "$(cd "$work/arm64-parts/$book" && find . -type f | sort)" ]] || fail "$book: different parts"
  differing=0
  while read -r part; do
    cmp -s "$work/native-parts/$book/$part" "$work/arm64-parts/$book/$part" || { fail "$book: $part differs"; differing=1; }
  done <<<"$parts"
  ((differing)) || echo "$book: the same $(wc -l <<<"$parts") parts"
done

if ((fails)); then
  echo "$fails failure(s)"
  exit 1
fi
echo "the arm64 package: all passed"
