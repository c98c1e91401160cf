#!/usr/bin/python3
"""Writes the manual page tavo(1), gzip-compressed as Debian installs it,
from the built command's own --help (tavo's and each command's), so the
page says what that command does.

    make_manpage.py TAVO OUT.gz"""
import gzip
import os
import sys

import command_help


def roff(text):
    """Text for a roff line: backslashes escaped, minus signs as \\- (so
    options copy as typed), no line starting as a request."""
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return "\\&" + text if text.startswith((".", "'")) else text


def option_term(entry):
    names = ", ".join(f"\\fB{roff(n)}\\fR" for n in entry.names)
    if entry.value:
        names += f" \\fI{entry.value}\\fR"
    return names


def entries(lines, title, items):
    if not items:
        return
    lines.append(f".PP\n{title}")
    for entry in items:
        description = entry.description
        if entry.notes:
            description += f" ({entry.notes.replace('REQUIRED', 'required').replace('Excludes:', 'excludes').replace('Needs:', 'needs')})"
        lines += [".TP", option_term(entry), roff(description)]


def preformatted(lines, footer):
    """The free text under a command's help: kept line for line."""
    if not footer:
        return
    lines += [".PP", ".nf"]
    lines += [roff(line) if line else ".sp" for line in footer]
    lines.append(".fi")


def page(tavo):
    top, commands = command_help.read_commands(tavo)
    version = command_help.version(tavo)
    chinese, _, english = top.description.partition(" / ")
    english = english.removeprefix("tavo: ")
    chinese = chinese.split("：", 1)[-1]
    lines = [
        '.\\" The manual page of tavo, written at build time from its --help.',
        f'.TH TAVO 1 "" "{roff(version)}" "User Commands"',
        ".SH NAME",
        f"tavo \\- {roff(chinese)} / {roff(english)}",
        ".SH SYNOPSIS",
    ]
    for command in commands:
        usage = command.usage.split(" ", 2)
        lines += [".PP", f"\\fBtavo {roff(command.name)}\\fR {roff(usage[2] if len(usage) > 2 else '')}".rstrip()]
    lines += [".PP", "\\fBtavo\\fR \\fB\\-\\-help\\fR | \\fB\\-\\-version\\fR", ".SH DESCRIPTION", roff(top.description)]
    preformatted(lines, [l for l in top.footer if not l.startswith("Examples:") and not l.startswith("  ")])
    lines.append(".SH COMMANDS")
    for command in commands:
        lines += [f'.SS "tavo {roff(command.name)}"', roff(command.description)]
        entries(lines, "Arguments:", command.positionals)
        entries(lines, "Options:", command.options)
        preformatted(lines, command.footer)
    lines.append(".SH OPTIONS")
    entries(lines, "Without a command:", top.options)
    statuses = {l for c in commands for l in c.footer if "exit status" in l}
    if statuses:
        lines += [".SH EXIT STATUS"] + [roff(s) for s in sorted(statuses)]
    examples = [l.strip() for l in top.footer if l.startswith("  ")]
    if examples:
        lines += [".SH EXAMPLES", ".nf"] + [roff(e) for e in examples] + [".fi"]
    lines += [".SH SEE ALSO", "\\fBsoffice\\fR(1), \\fBunopkg\\fR(1);",
              "/usr/share/doc/tavo/README.md, and the LibreOffice extension /usr/share/tavo/tavo.oxt",
              "with /usr/share/doc/tavo/libreoffice.md."]
    return "\n".join(lines) + "\n"


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    text = page(argv[1])
    out = argv[2]
    with open(out + ".tmp", "wb") as raw, gzip.GzipFile(filename="", mode="wb", fileobj=raw,
                                                         compresslevel=9, mtime=0) as packed:
        packed.write(text.encode())
    os.replace(out + ".tmp", out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
