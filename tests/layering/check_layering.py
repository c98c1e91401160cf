"""The floors of docs/ARCHITECTURE.md held against the code: every
#include "..." of the product's sources and every target_link_libraries of
their CMakeLists.txt must reach only a floor the including folder may use,
or a crossing the document lists; a listed crossing no longer used fails
too, and so does a library the document names that its folder does not
define.
    python3 tests/layering/check_layering.py SOURCE_DIR"""
import os
import re
import sys

ROW = re.compile(r"^\|(.*)\|\s*$")
CODE = re.compile(r"`([^`]+)`")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
LINK = re.compile(r"target_link_libraries\s*\(\s*([A-Za-z0-9_]+)([^)]*)\)", re.S)
LIBRARY = re.compile(r"add_(?:library|executable)\s*\(\s*([A-Za-z0-9_]+)")
SOURCES = (".cpp", ".h", ".hpp", ".cc")


def tables(text):
    """The tables of the document under each heading: heading -> rows of cells."""
    found, heading, rows = {}, None, []
    for line in text.splitlines() + ["# end"]:
        if line.startswith("#"):
            if heading and rows:
                found[heading] = rows
            heading, rows = line.lstrip("#").strip(), []
            continue
        match = ROW.match(line)
        if match and not set(line) <= set("|- "):
            rows.append([cell.strip() for cell in match.group(1).split("|")])
    return found


def read_document(path):
    found = tables(open(path, encoding="utf-8").read())
    floors_rows = found.get("Floors", [])[1:]  # below the header row
    crossing_rows = found.get("Crossings still to remove", [])[1:]
    floors, libraries = {}, {}
    for folder, library, uses in floors_rows:
        name = CODE.findall(folder)[0].rstrip("/")
        floors[name] = {u.rstrip("/") for u in CODE.findall(uses)}
        for lib in CODE.findall(library):
            libraries[lib] = name
    crossings = {(CODE.findall(a)[0].rstrip("/"), CODE.findall(b)[0].rstrip("/")) for a, b, _ in crossing_rows}
    return floors, libraries, crossings


def below(floors):
    """Each floor and everything under it (what it may use, with what those may use)."""
    reach = {}

    def walk(name, seen):
        if name in reach:
            return reach[name]
        if name in seen:
            raise SystemExit("docs/ARCHITECTURE.md: the floors go round at %s" % name)
        result = set()
        for used in floors.get(name, ()):
            result |= {used} | walk(used, seen | {name})
        reach[name] = result
        return result

    for name in floors:
        walk(name, set())
    return reach


def floor_of(path, floors):
    """The most specific floor holding a path relative to the source folder."""
    best = None
    for name in floors:
        if path == name or path.startswith(name + "/"):
            if best is None or len(name) > len(best):
                best = name
    return best


def check(root):
    floors, libraries, crossings = read_document(os.path.join(root, "docs", "ARCHITECTURE.md"))
    if not floors:
        return ["docs/ARCHITECTURE.md has no floors table"]
    reach = below(floors)
    problems, used_crossings = [], set()

    def judge(source, target, what):
        if target is None or target == source or target in reach[source]:
            return
        if (source, target) in crossings:
            used_crossings.add((source, target))
            return
        problems.append("%s: %s/ may not use %s/ (%s)" % (what, source, target, what))

    defined = {}
    for top in sorted({name.split("/")[0] for name in floors}):
        for folder, _, files in os.walk(os.path.join(root, top)):
            for name in sorted(files):
                path = os.path.relpath(os.path.join(folder, name), root)
                text = open(os.path.join(root, path), encoding="utf-8", errors="replace").read()
                if name.endswith(SOURCES):
                    source = floor_of(path, floors)
                    if source is None:
                        continue
                    for included in INCLUDE.findall(text):
                        if os.path.exists(os.path.join(root, included)):
                            judge(source, floor_of(included, floors), "%s includes %s" % (path, included))
                elif name == "CMakeLists.txt":
                    # A folder's CMakeLists.txt may define the libraries of
                    # the floors inside it (office/: office/host/, office/component/).
                    here = os.path.relpath(folder, root)
                    for lib in LIBRARY.findall(text):
                        defined[lib] = here
                    for target, rest in LINK.findall(text):
                        source = libraries.get(target) or floor_of(here, floors)
                        if source is None:
                            continue
                        for lib in re.findall(r"[A-Za-z0-9_:]+", rest):
                            if lib in libraries:
                                judge(source, libraries[lib], "%s links %s to %s" % (path, target, lib))

    for lib, folder in sorted(libraries.items()):
        home = defined.get(lib)
        if home is None or not (folder == home or folder.startswith(home + "/")):
            problems.append("docs/ARCHITECTURE.md names %s for %s/, which does not define it" % (lib, folder))
    for source, target in sorted(crossings - used_crossings):
        problems.append("the crossing %s/ -> %s/ is gone: take it out of docs/ARCHITECTURE.md" % (source, target))
    return problems


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "."
    problems = check(root)
    for problem in problems:
        print("FAIL: " + problem)
    if problems:
        return 1
    floors, _, crossings = read_document(os.path.join(root, "docs", "ARCHITECTURE.md"))
    print("layering: %d floors as docs/ARCHITECTURE.md states them, %d crossings still to remove"
          % (len(floors), len(crossings)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
