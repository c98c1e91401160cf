#!/usr/bin/python3
"""Writes tavo's bash completion from the built command's own --help: the
commands, each command's options, and file names where an option or an
argument takes a file (every value but a date).

    make_completion.py TAVO OUT"""
import os
import re
import sys

import command_help

TEMPLATE = r"""# bash completion for tavo, written at build time from its --help.
_tavo() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
  local command="" word
  for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
    case $word in
      @COMMAND_PATTERN@) command=$word; break ;;
    esac
  done
  case $command:$prev in
@NO_COMPLETION@
@FILE_VALUES@
  esac
  local options
  case $command in
@OPTIONS@
  esac
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
  elif [[ -z $command ]]; then
    COMPREPLY=($(compgen -W "@COMMANDS@" -- "$cur"))
  elif [[ $command != @DATE_COMMANDS@ ]]; then
    COMPREPLY=($(compgen -f -- "$cur"))
  fi
}
complete -o filenames -F _tavo tavo
"""


def takes_date(entry):
    """A value whose help gives a date as its example (e.g. 2024-9-1)."""
    return re.search(r"\b\d{4}-\d{1,2}-\d{1,2}\b", entry.description) is not None


def script(tavo):
    top, commands = command_help.read_commands(tavo)
    names = [c.name for c in commands]
    dates, files, options = [], [], []
    for command in [top] + commands:
        for entry in command.options:
            if entry.value:
                pattern = "|".join(f"{command.name}:{n}" for n in entry.names)
                (dates if takes_date(entry) else files).append(pattern)
        words = " ".join(n for e in command.options for n in e.names if n.startswith("--"))
        label = command.name or '""'
        options.append(f'    {label}) options="{words}" ;;')
    # Commands whose arguments are all dates complete no file names.
    date_commands = [c.name for c in commands if c.positionals and all(takes_date(p) for p in c.positionals)]
    no_completion = f"    {'|'.join(dates)}) COMPREPLY=(); return ;;" if dates else ""
    file_values = f"    {'|'.join(files)}) COMPREPLY=($(compgen -f -- \"$cur\")); return ;;" if files else ""
    return (TEMPLATE.replace("@COMMAND_PATTERN@", "|".join(names)).replace("@COMMANDS@", " ".join(names))
            .replace("@NO_COMPLETION@", no_completion).replace("@FILE_VALUES@", file_values)
            .replace("@OPTIONS@", "\n".join(options))
            .replace("@DATE_COMMANDS@", "@(" + "|".join(date_commands or ["-"]) + ")"))


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    text = script(argv[1])
    with open(argv[2] + ".tmp", "w", encoding="utf-8") as out:
        out.write(text)
    os.replace(argv[2] + ".tmp", argv[2])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
