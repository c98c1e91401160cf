#!/usr/bin/env bash
# tavo's bash completion as bash runs it after a Tab: the words typed so far
# and the candidates that must (or must not) be offered.
#   completion_check.sh COMPLETION-FILE
set -uo pipefail
# shellcheck disable=SC1090
source "$1" || exit 1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
touch "$work/学校.xlsx" "$work/plan.xlsm"
cd "$work"
fails=0
# words typed (the last one is being completed) | offered | not offered
cases=(
  "tavo |init school calendar settings day days|--start"
  "tavo sch|school|calendar"
  "tavo --|--help --version|--start"
  "tavo school --|--workbook --start --end --horizontal --style2 --no-color --output --pdf --force|--into --macro"
  "tavo school --st|--start --style1 --style2|--end"
  "tavo calendar -w |学校.xlsx plan.xlsm|--start"
  "tavo school --horizontal --pdf |学校.xlsx|--style1"
  "tavo init --|--into --macro --output|--start"
  "tavo day --|--help|--start"
  "tavo settings --|--workbook --output --force|--pdf"
  "tavo school -o |学校.xlsx plan.xlsm|--start"
  "tavo school --start ||学校.xlsx --end"
  "tavo days 2024-9-1 ||学校.xlsx"
  "tavo init |学校.xlsx|school"
  "tavo i|init ics|school"
  "tavo ics --|--workbook --start --end --output --festivals|--pdf --horizontal --force"
  "tavo ics -w |学校.xlsx plan.xlsm|--start"
)
for case in "${cases[@]}"; do
  IFS='|' read -r typed offered absent <<<"$case"
  read -r -a COMP_WORDS <<<"$typed"
  [[ $typed == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE=$typed COMP_POINT=${#typed}
  COMPREPLY=()
  complete -p tavo >/dev/null 2>&1 || { echo "FAIL: no completion registered for tavo"; exit 1; }
  function=$(complete -p tavo | sed -n 's/.*-F \([^ ]*\).*/\1/p')
  "$function" tavo "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  got=" ${COMPREPLY[*]} "
  for word in $offered; do
    [[ $got == *" $word "* ]] || { echo "FAIL: '$typed' does not offer $word (offers:$got)"; fails=$((fails + 1)); }
  done
  for word in $absent; do
    [[ $got != *" $word "* ]] || { echo "FAIL: '$typed' offers $word"; fails=$((fails + 1)); }
  done
done
((fails == 0)) && echo "completion: ${#cases[@]} cases"
((fails == 0))
