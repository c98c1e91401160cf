#!/usr/bin/env bash
# The built help.doc is a Word 97 document that LibreOffice opens: printed to
# PDF again, it has pages and says what the dialog's controls, the sheets
# 信息表 and DTB, the holiday marks and printing are.
#   help_doc_opens.sh HELP.DOC SOFFICE
set -uo pipefail
doc=$1 soffice=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

# The Word 97 format is a compound file whose first bytes are its signature.
[[ $(head -c 8 "$doc" | od -An -tx1 | tr -d ' \n') == d0cf11e0a1b11ae1 ]] || fail "$doc is not a compound file"

"$soffice" -env:UserInstallation="file://$work/profile" --headless --norestore \
  --convert-to pdf --outdir "$work" "$doc" >"$work/log" 2>&1
pdf="$work/help.pdf"
[[ -s $pdf ]] || { cat "$work/log"; fail "LibreOffice did not open $doc"; echo "$fails failure(s)"; exit 1; }
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
((pages >= 2 && pages <= 8)) || fail "$pages pages"
text=$(pdftotext -layout "$pdf" - | tr -d ' ')
for words in 校历生成器帮助 开始日期 结束日期 周一 周日 有颜色 无颜色 竖排 横排 样式一 样式二 \
             标出放假与调休上班 生成校历表 生成日历表 编辑信息表 帮助 信息表 D3 C3 B3 DTB J2 \
             节假日 页面设置 打印标题 tavoinit 文件未找到; do
  grep -qF "$words" <<<"$text" || fail "the printed help lacks '$words'"
done
if ((fails)); then
  echo "$fails failure(s)"
  exit 1
fi
echo "help.doc: $pages pages, every topic present"
