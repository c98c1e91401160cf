"""tavo's commands and options as its own --help prints them (CLI11's
layout), for the manual page and the bash completion made from them.

A help text is a description line, a "Usage:" line, sections ("Options:",
"Positionals:", "Subcommands:") of entries whose description starts at
column 30 (on the next line when the names are longer), and a free footer."""
import re
import subprocess
from dataclasses import dataclass, field

DESCRIPTION_COLUMN = 30
SECTIONS = ("Options:", "Positionals:", "Subcommands:")


@dataclass
class Entry:
    names: list          # ["-w", "--workbook"], ["FILE"] or ["school"]
    value: str = ""      # TEXT, INT... for an option that takes a value
    notes: str = ""      # REQUIRED, Excludes: ..., Needs: ...
    description: str = ""


@dataclass
class Command:
    name: str            # "" for tavo itself
    description: str
    usage: str
    options: list = field(default_factory=list)
    positionals: list = field(default_factory=list)
    subcommands: list = field(default_factory=list)
    footer: list = field(default_factory=list)


def help_text(tavo, *words):
    run = subprocess.run([tavo, *words, "--help"], capture_output=True, text=True, timeout=60,
                         env={"LC_ALL": "C.UTF-8", "PATH": "/usr/bin:/bin"})
    if run.returncode != 0:
        raise RuntimeError(f"{tavo} {' '.join(words)} --help failed: {run.stderr}")
    return run.stdout


def parse_entry(left, description):
    tokens = left.split()
    entry = Entry(names=[n for n in tokens[0].split(",") if n], description=description)
    rest = tokens[1:]
    if rest and re.fullmatch(r"[A-Z]+", rest[0]) and rest[0] != "REQUIRED":
        entry.value = rest.pop(0)
    entry.notes = " ".join(rest)
    return entry


def parse(name, text):
    lines = text.rstrip("\n").split("\n")
    command = Command(name=name, description=lines[0].strip(), usage="")
    section = None
    for line in lines[1:]:
        if line.startswith("Usage: "):
            command.usage = line[len("Usage: "):].strip()
            continue
        if line in SECTIONS:
            section = {"Options:": command.options, "Positionals:": command.positionals,
                       "Subcommands:": command.subcommands}[line]
            continue
        if section is not None and line.startswith("  ") and not line.startswith(" " * DESCRIPTION_COLUMN):
            left, description = line[2:DESCRIPTION_COLUMN], line[DESCRIPTION_COLUMN:]
            if len(line) > DESCRIPTION_COLUMN and line[DESCRIPTION_COLUMN - 1] != " ":
                left, description = line[2:], ""  # names too long: the description follows
            section.append(parse_entry(left, description.strip()))
            continue
        if section is not None and line.startswith(" " * DESCRIPTION_COLUMN) and section:
            entry = section[-1]
            entry.description = (entry.description + " " + line.strip()).strip()
            continue
        if not line.strip():
            # A blank line ends a section; inside the footer it stays.
            if section is None and command.footer:
                command.footer.append("")
            section = None
            continue
        section = None
        command.footer.append(line.rstrip())
    while command.footer and not command.footer[-1]:
        command.footer.pop()
    return command


def read_commands(tavo):
    """tavo itself, then each of its commands in the order --help lists them."""
    top = parse("", help_text(tavo))
    return top, [parse(entry.names[0], help_text(tavo, entry.names[0])) for entry in top.subcommands]


def version(tavo):
    run = subprocess.run([tavo, "--version"], capture_output=True, text=True, timeout=60)
    return run.stdout.strip()
