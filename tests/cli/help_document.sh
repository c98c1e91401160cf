#!/usr/bin/env bash
# `tavo init` places the installed help.doc beside a new workbook (so the help
# button finds it in the workbook's folder), never replaces one that is
# there, and without an installed copy still writes the workbook, saying so.
source "$(dirname "$0")/harness.bash"
installed="$(dirname "$tavo")/help.doc"  # the build folder's copy, beside the command

if [[ -f $installed ]]; then
  mkdir new
  expect_status 0 "init beside the installed help" "$tavo" init new/学校.xlsx
  cmp -s new/help.doc "$installed" || fail "new/help.doc is not the installed help.doc"
  [[ ! -s err.txt ]] || fail "init with help installed printed: $(cat err.txt)"
  ls -A new | grep 'tmp' >/dev/null && fail "a temporary file was left: $(ls -A new)"

  mkdir macro
  expect_status 0 "init --macro" "$tavo" init --macro macro/校历.xlsm
  cmp -s macro/help.doc "$installed" || fail "macro/help.doc is not the installed help.doc"

  mkdir own && echo "学校自己的帮助" > own/help.doc
  expect_status 0 "init beside the school's own help" "$tavo" init own/学校.xlsx
  [[ $(cat own/help.doc) == 学校自己的帮助 ]] || fail "the school's own help.doc was replaced"

else
  echo "help.doc was not built (no LibreOffice Writer): the copying cases are left out"
fi

# A command installed without the help document: the workbook is still
# written, one notice says that no help.doc came with it.
mkdir -p bare/bin bare/out
cp "$tavo" bare/bin/tavo
expect_status 0 "init without an installed help" bare/bin/tavo init bare/out/学校.xlsx
[[ -f bare/out/学校.xlsx ]] || fail "no workbook without an installed help.doc"
[[ ! -e bare/out/help.doc ]] || fail "a help.doc appeared from nowhere"
grep -q '^注意: 未安装帮助文档 help.doc' err.txt || fail "no notice about the missing help.doc: $(cat err.txt)"

# Installed under a prefix: bin/tavo finds share/tavo/help.doc.
mkdir -p prefix/bin prefix/share/tavo prefix/out
cp "$tavo" prefix/bin/tavo
echo "installed copy" > prefix/share/tavo/help.doc
expect_status 0 "init with the prefix's copy" prefix/bin/tavo init prefix/out/学校.xlsx
cmp -s prefix/out/help.doc prefix/share/tavo/help.doc || fail "prefix/share/tavo/help.doc was not placed"

finish help_document
