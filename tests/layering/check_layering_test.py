"""The layering check on small made-up trees: what it lets through and what
it catches (an include or a link upward or sideways, a crossing gone, a
library the document names but no folder defines)."""
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_layering  # noqa: E402

DOCUMENT = """# Architecture

## Floors

| Folder | Library | May use |
|---|---|---|
| `base/` | `lib_base` | |
| `mid/` | `lib_mid` | `base/` |
| `hosts/a/` | `lib_a` | `mid/` |
| `hosts/b/` | `lib_b` | `mid/` |
| `top/` | `lib_top` | `hosts/a/` `hosts/b/` |

## Crossings still to remove

| From | To | What |
|---|---|---|
%s
"""

CLEAN = {
    "base/one.h": "#pragma once\n#include <vector>\n",
    "base/CMakeLists.txt": "add_library(lib_base STATIC one.cpp)\n",
    "mid/two.cpp": '#include "mid/two.h"\n#include "base/one.h"\n',
    "mid/two.h": "#pragma once\n",
    "mid/CMakeLists.txt": "add_library(lib_mid STATIC two.cpp)\ntarget_link_libraries(lib_mid PUBLIC lib_base)\n",
    "hosts/CMakeLists.txt": "add_library(lib_a STATIC a/a.cpp)\nadd_library(lib_b STATIC b/b.cpp)\n"
                            "target_link_libraries(lib_a PUBLIC lib_mid)\n",
    "hosts/a/a.cpp": '#include "base/one.h"\n',  # two floors down: allowed
    "hosts/b/b.cpp": '#include "mid/two.h"\n',
    "top/main.cpp": '#include "hosts/a/a.cpp"\n#include "hosts/b/b.cpp"\n#include "nowhere/x.h"\n',
    "top/CMakeLists.txt": "add_executable(lib_top main.cpp)\ntarget_link_libraries(lib_top PRIVATE lib_a lib_b zip)\n",
}


def problems(changes, crossings=""):
    with tempfile.TemporaryDirectory() as root:
        files = dict(CLEAN, **changes)
        files["docs/ARCHITECTURE.md"] = DOCUMENT % crossings
        for path, text in files.items():
            if text is None:
                continue
            os.makedirs(os.path.dirname(os.path.join(root, path)), exist_ok=True)
            with open(os.path.join(root, path), "w", encoding="utf-8") as out:
                out.write(text)
        return check_layering.check(root)


CASES = [
    ("a clean tree", {}, "", []),
    ("an include upward", {"base/one.h": '#include "mid/two.h"\n'}, "", ["base/ may not use mid/"]),
    ("a host including a host", {"hosts/a/a.cpp": '#include "hosts/b/b.cpp"\n'}, "",
     ["hosts/a/ may not use hosts/b/"]),
    ("a link upward", {"mid/CMakeLists.txt": "add_library(lib_mid STATIC two.cpp)\n"
                                             "target_link_libraries(lib_mid PUBLIC lib_base lib_top)\n"},
     "", ["mid/ may not use top/"]),
    ("a crossing listed and used", {"hosts/a/a.cpp": '#include "hosts/b/b.cpp"\n'},
     "| `hosts/a/` | `hosts/b/` | for now |", []),
    ("a crossing listed but gone", {}, "| `hosts/a/` | `hosts/b/` | for now |",
     ["the crossing hosts/a/ -> hosts/b/ is gone"]),
    ("a library no folder defines", {"base/CMakeLists.txt": ""}, "", ["names lib_base for base/"]),
]


def main():
    failures = 0
    for name, changes, crossings, expected in CASES:
        found = problems(changes, crossings)
        ok = len(found) == len(expected) and all(any(e in f for f in found) for e in expected)
        print("%s %s%s" % ("ok  " if ok else "FAIL", name, "" if ok else ": %s" % found))
        failures += not ok
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
