#!/usr/bin/env bash
# What a school office prints from a new workbook: a term of the school
# calendar and a half-year of the calendar each on one A4 page, in all four
# layouts (direction x style), rendered by LibreOffice from the command's
# own file; a two-year range goes on over more pages. The saved sheet of a
# horizontal layout freezes columns A..B and opens at A1; a vertical one
# freezes rows 1..2.
source "$(dirname "$0")/harness.bash"

# Without LibreOffice nothing prints: a skip where it was left out on purpose
# (TAVO_WITH_PDF=0), otherwise a failure with the install hint. With it,
# pdfinfo comes from the same setup, so its absence is a failure.
if ! have_soffice "page counts"; then
  ((fails)) && exit 1
  exit 77
fi
if ! command -v pdfinfo >/dev/null; then
  echo "page counts: pdfinfo is missing; install it with: apt-get install poppler-utils (scripts/setup.sh does)" >&2
  exit 1
fi

pages() { pdfinfo "$1" 2>/dev/null | awk '/^Pages:/ {print $2}'; }

# kind start end wanted-pages: wanted "1" or "more" (at least two)
# (each build and print takes LibreOffice most of a minute: the longest
# term and the longest half-year stand for the shorter ones)
cases=(
  "school 2024-9-1 2025-1-31 1"      # an autumn term, 23 week columns from Monday
  "calendar 2025-7-1 2025-12-31 1"   # the longer half-year, 27 weeks
  "school 2024-9-1 2026-8-31 more"   # two years
)

# The pane of the built sheet in a saved workbook: "xSplit ySplit topLeftCell"
# of its frozen pane and the sheet view's own topLeftCell (A1 when absent).
pane_of() {  # workbook sheet-name
  "$py" - "$1" "$2" <<'PY'
import re, sys, zipfile
book, name = sys.argv[1], sys.argv[2]
z = zipfile.ZipFile(book)
wb = z.read("xl/workbook.xml").decode()
rels = z.read("xl/_rels/workbook.xml.rels").decode()
rid = re.search(r'<sheet [^>]*name="%s"[^>]*r:id="([^"]+)"' % re.escape(name), wb).group(1)
target = re.search(r'<Relationship [^>]*Id="%s"[^>]*Target="([^"]+)"' % rid, rels)
if not target:
    target = re.search(r'<Relationship [^>]*Target="([^"]+)"[^>]*Id="%s"' % rid, rels)
path = target.group(1).lstrip("/")
path = path if path.startswith("xl/") else "xl/" + path
sheet = z.read(path).decode()
view = re.search(r"<sheetView\b[^>]*>", sheet).group(0)
top = re.search(r'topLeftCell="([A-Z]+[0-9]+)"', view)
pane = re.search(r"<pane\b[^>]*/>", sheet)
if not pane or 'state="frozen"' not in pane.group(0):
    print("none", top.group(1) if top else "A1")
    sys.exit()
get = lambda a, d: (re.search(r'%s="([^"]+)"' % a, pane.group(0)) or [None, d])[1]
print(get("xSplit", "0"), get("ySplit", "0"), get("topLeftCell", "A1"), top.group(1) if top else "A1")
PY
}

for c in "${cases[@]}"; do
  read -r kind start end wanted <<<"$c"
  for direction in vertical horizontal; do
    for style in style1 style2; do
      name="$kind-$start-$direction-$style"
      # Only the one-page cases need every layout; the long range one of each direction.
      [[ $wanted == more && $style == style2 ]] && continue
      rm -f out.xlsx out.pdf
      before=$fails
      expect_status 0 "$name" "$tavo" "$kind" --start "$start" --end "$end" "--$direction" "--$style" \
        -o out.xlsx --pdf out.pdf
      ((fails == before)) || continue
      n=$(pages out.pdf)
      if [[ $wanted == 1 ]]; then
        [[ $n == 1 ]] || fail "$name prints on ${n:-no} pages, wanted one"
      else
        [[ -n $n && $n -ge 2 ]] || fail "$name prints on ${n:-no} pages, wanted more than one"
      fi
      [[ $kind == school ]] && sheet=校历表 || sheet=日历表
      pane=$(pane_of out.xlsx "$sheet")
      if [[ $direction == horizontal ]]; then
        [[ $pane == "2 0 C1 A1" ]] || fail "$name: pane '$pane', wanted columns A..B frozen, view from A1"
      else
        [[ $pane == "0 2 A3 A1" ]] || fail "$name: pane '$pane', wanted rows 1..2 frozen, view from A1"
      fi
    done
  done
done

finish "page counts"
