#!/usr/bin/env bash
# The package installed for real, as IT installs it: apt-get install of the
# .deb; a school calendar and its PDF from the tavo on PATH, in an empty
# folder; the manual page and the completion where the system looks for them;
# then apt-get remove, and nothing of the package is left. Needs root (or
# sudo) and a machine where tavo is not installed otherwise.
#   install_test.sh PACKAGE.deb
set -uo pipefail
deb=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
installed() { dpkg-query -W -f='${Status}' tavo 2>/dev/null | grep 'ok installed' >/dev/null; }
if installed; then
  echo "FAIL: tavo is installed on this machine already; remove it first (apt-get remove tavo)"
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

echo "== apt-get install $deb"
# Its recommendations are what scripts/setup.sh installed already.
if ! DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends "$deb" >"$work/apt.log" 2>&1; then
  cat "$work/apt.log"
  echo "FAIL: apt-get install"
  exit 1
fi
dpkg -L tavo >"$work/files.txt"
# What the package owns: every file and link, and its own folders.
while read -r path; do
  if [[ -L $path || ! -d $path ]] || [[ $path == */tavo ]]; then echo "$path"; fi
done <"$work/files.txt" >"$work/owned.txt"

[[ $(command -v tavo) == /usr/bin/tavo ]] || fail "tavo on PATH is $(command -v tavo)"
mkdir "$work/empty"
if (cd "$work/empty" && tavo school --pdf 校历.pdf >"$work/school.log" 2>&1); then
  [[ -s $work/empty/校历.xlsx ]] || fail "no 校历.xlsx in the empty folder"
  [[ $(head -c 5 "$work/empty/校历.pdf" 2>/dev/null) == "%PDF-" ]] || fail "no 校历.pdf in the empty folder"
  echo "tavo school --pdf: $(ls "$work/empty" | tr '\n' ' ')"
else
  fail "tavo school --pdf: $(cat "$work/school.log")"
fi
# The installed command finds its help document and puts it beside a new workbook.
if grep -qx /usr/share/tavo/help.doc "$work/files.txt"; then
  (cd "$work/empty" && tavo init 新.xlsx >/dev/null 2>&1) || fail "tavo init in the empty folder"
  cmp -s "$work/empty/help.doc" /usr/share/tavo/help.doc || fail "tavo init did not place /usr/share/tavo/help.doc beside the workbook"
fi
[[ $(man -w tavo 2>/dev/null) == /usr/share/man/man1/tavo.1.gz ]] || fail "man -w tavo: $(man -w tavo 2>&1)"
man -P cat tavo 2>/dev/null | grep 'tavo school' >/dev/null || fail "man tavo does not show the page"
"$here/completion_check.sh" /usr/share/bash-completion/completions/tavo || fail "the installed completion"
if fc-list 2>/dev/null | grep 'Noto Serif CJK SC' >/dev/null; then
  [[ $(fc-match -f '%{family[0]}' 宋体) == "Noto Serif CJK SC" ]] || fail "fc-match 宋体: $(fc-match 宋体)"
fi

echo "== apt-get remove tavo"
DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq -o DPkg::Lock::Timeout=600 tavo >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get remove"; }
# A package with no configuration files of its own leaves no trace to purge.
if dpkg-query -W -f='${Status}' tavo 2>/dev/null | grep 'config-files' >/dev/null; then
  fail "configuration files left after remove: $(dpkg-query -W -f='${Conffiles}' tavo)"
  $sudo apt-get purge -y -qq -o DPkg::Lock::Timeout=600 tavo >/dev/null 2>&1
fi
installed && fail "tavo still installed"
left=0
while read -r path; do
  if [[ -e $path || -L $path ]]; then fail "left behind: $path"; left=$((left + 1)); fi
done <"$work/owned.txt"
command -v tavo >/dev/null && fail "tavo still on PATH: $(command -v tavo)"
if fc-list 2>/dev/null | grep 'Noto Serif CJK SC' >/dev/null; then
  [[ $(fc-match -f '%{family[0]}' 宋体) != "Noto Serif CJK SC" ]] || fail "the 宋体 alias is still active"
fi

if ((fails)); then
  echo "$fails failure(s)"
  exit 1
fi
echo "installed and removed: $(wc -l <"$work/owned.txt") paths of the package, none left"
