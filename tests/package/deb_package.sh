#!/usr/bin/env bash
# The Debian package as a school's IT gets it, made by CPack from this build:
# lintian finds no error (its warnings are listed), and unpacked into a
# scratch root with dpkg-deb -x, the command runs, the manual page reads with
# man -l, the completion completes, the documents and the fontconfig alias
# are where Debian keeps them.
#   deb_package.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
build=$(cd "$1" && pwd)
src=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

if ! cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  exit 1
fi
debs=("$work"/out/tavo_*_"$(dpkg --print-architecture)".deb)
[[ -f ${debs[0]} ]] || { cat "$work/cpack.log"; echo "FAIL: no .deb written"; exit 1; }
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# lintian: errors fail the test; the warnings and notes are shown.
lintian --allow-root --no-tag-display-limit "$deb" >"$work/lintian.txt" 2>&1
grep -v '^N:' "$work/lintian.txt" | grep -E '^[EWI]:' | sed 's/^/lintian: /'
grep -q '^E:' "$work/lintian.txt" && fail "lintian reports errors"

# Fields: the libraries from dpkg-shlibdeps, LibreOffice and fonts recommended only.
depends=$(dpkg-deb -f "$deb" Depends)
recommends=$(dpkg-deb -f "$deb" Recommends)
for lib in libc6 libstdc++6 libzip4 libpugixml1v5; do
  [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
[[ $depends != *libreoffice* && $depends != *fonts-* ]] || fail "Depends names LibreOffice or fonts: $depends"
for p in libreoffice-calc fonts-noto-cjk; do
  [[ $recommends == *"$p"* ]] || fail "Recommends lacks $p: $recommends"
done

root=$work/root
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
tavo=$root/usr/bin/tavo
[[ $("$tavo" --version) == "tavo $version" ]] || fail "tavo --version: $("$tavo" --version 2>&1), package $version"
mkdir "$work/run"
if (cd "$work/run" && "$tavo" school -o "$work/run/校历.xlsx" >"$work/school.log" 2>&1); then
  unzip -l "$work/run/校历.xlsx" 2>/dev/null | grep 'xl/workbook.xml' >/dev/null || fail "tavo school wrote no workbook"
else
  fail "tavo school: $(cat "$work/school.log")"
fi

# The manual page: groff warnings are failures; it names every command.
page=$root/usr/share/man/man1/tavo.1.gz
if ! MANWIDTH=100 man --warnings -l -P cat "$page" >"$work/man.txt" 2>"$work/man.err" || [[ -s $work/man.err ]]; then
  fail "man -l $page: $(head -c 500 "$work/man.err")"
fi
grep -qE '^ +tavo +- ' "$work/man.txt" || fail "the manual page has no NAME line"
for word in SYNOPSIS "tavo school" "tavo calendar" "tavo init" "tavo settings" "tavo day" "tavo days" \
            "--horizontal" "--pdf" "EXIT STATUS"; do
  grep -qF -- "$word" "$work/man.txt" || fail "the manual page lacks \"$word\""
done

# Every option any command's --help names is in the page and is completed.
for command in init school calendar settings day days; do
  for option in $("$tavo" "$command" --help | grep -oE -- '--[a-z][a-z0-9-]*' | sort -u); do
    grep -qF -- "$option" "$work/man.txt" || fail "the manual page lacks $command's $option"
    grep -qE -- "^ +$command\) options=\".*$option( |\")" "$root/usr/share/bash-completion/completions/tavo" ||
      fail "the completion lacks $command's $option"
  done
done

# The completion: commands, then each command's options, files after -w.
"$here/completion_check.sh" "$root/usr/share/bash-completion/completions/tavo" || fail "bash completion"

doc=$root/usr/share/doc/tavo
for f in copyright changelog.gz README.md libreoffice.md windows.md; do
  [[ -f $doc/$f ]] || fail "missing $doc/$f"
done
alias=/usr/share/fontconfig/conf.avail/65-tavo-simsun.conf
cmp -s "$root$alias" "$src/packaging/fontconfig/65-tavo-simsun.conf" || fail "the fontconfig alias is not in conf.avail"
[[ $(readlink "$root/etc/fonts/conf.d/65-tavo-simsun.conf") == "$alias" ]] || fail "no link to the alias in /etc/fonts/conf.d"
if [[ -f $build/tavo.oxt ]]; then
  cmp -s "$root/usr/share/tavo/tavo.oxt" "$build/tavo.oxt" || fail "/usr/share/tavo/tavo.oxt is not the built extension"
fi
if [[ -f $build/help.doc ]]; then
  cmp -s "$root/usr/share/tavo/help.doc" "$build/help.doc" || fail "/usr/share/tavo/help.doc is not the built help document"
fi
# Nothing outside the places above.
unexpected=$(cd "$root" && find . ! -type d | sed 's|^\.||' | grep -v -E \
  '^/usr/bin/tavo$|^/usr/share/(man/man1/tavo\.1\.gz|bash-completion/completions/tavo|doc/tavo/.*|tavo/tavo\.oxt|tavo/help\.doc|fontconfig/conf\.avail/65-tavo-simsun\.conf)$|^/etc/fonts/conf\.d/65-tavo-simsun\.conf$')
[[ -z $unexpected ]] || fail "unexpected files: $unexpected"

if ((fails)); then
  echo "$fails failure(s)"
  exit 1
fi
echo "the package: lintian without errors, $(cd "$root" && find . ! -type d | wc -l) files, the command, manual page and completion work"
