"""The decisive test of the LibreOffice component: every calendar session of
the Windows late-binding test replayed in LibreOffice through tavo.myxl with
a dialog model, on the same host workbook, and the document read back
through UNO compared line by line with the embedded workbook's build of the
same session. A difference fails the test unless it is one of the known
ones below, each of which docs/libreoffice.md explains; all are printed."""
import os
import re
import sys
import time

import office_harness as h
import office_facts

# (fact pattern, expected LibreOffice pattern or None for any, cause). Each
# is a LibreOffice behaviour that differs from the desktop host's.
KNOWN = [
]

TEXTS = ("txtBDate", "txtEDate")
OPTIONS = ("optYi", "optRi", "optYu", "optWu", "optShu", "optHng", "optYS1", "optYS2", "chkJia")


def boxes_of(lines):
    sizes = {}
    for line in lines:
        m = re.match(r"\[(\S+)\] box (\d+) (\d+)$", line)
        if m:
            sizes[m.group(1)] = (int(m.group(2)), int(m.group(3)))
    return sizes


def replay(office, host, caption, steps, items=()):
    doc = office.load(host)
    # The school's items, as the embedded side writes them: texts from A2 on.
    for r, row in enumerate(items, start=1):
        for c, text in enumerate(row):
            if text:
                doc.Sheets.getByName("校历事项").getCellByPosition(c, r).String = text
    component = office.create("tavo.myxl", "record")
    dialog = office.dialog_model(caption, TEXTS, OPTIONS)
    for step in steps:
        if step["control"]:
            control = dialog.getByName(step["control"])
            value = step["value"]
            if step["control"] in OPTIONS:
                control.State = 1 if value.get("bool") else 0
            else:
                control.Text = value.get("text", "")
        if step["event"]:
            component.MyFun(doc, dialog, step["event"])
    return doc, component


def compare(name, expected, actual):
    """Differences as (expected line, actual line); known ones marked."""
    unknown, known = [], []
    exp = [l for l in expected if not l.startswith("box ")]
    for i in range(max(len(exp), len(actual))):
        e = exp[i] if i < len(exp) else "<none>"
        a = actual[i] if i < len(actual) else "<none>"
        if e == a:
            continue
        cause = next((c for p, q, c in KNOWN if re.search(p, e) and (q is None or re.search(q, a))), None)
        (known if cause else unknown).append((e, a, cause))
    return unknown, known


def main():
    args = h.arguments()
    office = h.Office(args)
    folder, host, spec = h.reference_sessions(args, office)
    default_palette = open(os.path.join(folder, "default-palette.txt")).read().split()
    failures = 0
    with office:
        for session in spec["sessions"]:
            name = session["name"]
            expected = open(os.path.join(folder, name + ".facts"), encoding="utf-8").read().splitlines()
            started = time.monotonic()
            doc, component = replay(office, host, spec["caption"], session["steps"], session.get("items", ()))
            built = time.monotonic() - started
            actual = office_facts.document_facts(doc, boxes_of(expected), default_palette)
            with open(os.path.join(office.work, name + ".office"), "w", encoding="utf-8") as out:
                out.write("\n".join(actual) + "\n")
            boxes = ["box " + b for b in component.RecordedBoxes()]
            expected_boxes = [l for l in expected if l.startswith("box ")]
            unknown, known = compare(name, expected, actual)
            print("%s: %d facts, built in %.2f s, %d known differences, %d unknown" % (
                name, len(actual), built, len(known), len(unknown)))
            for e, a, cause in known:
                print("  known (%s):\n    embedded: %s\n    office:   %s" % (cause, e, a))
            for e, a, _ in unknown[:40]:
                print("  DIFFERENT\n    embedded: %s\n    office:   %s" % (e, a))
            if boxes != expected_boxes:
                print("  BOXES differ:\n    embedded: %s\n    office:   %s" % (expected_boxes, boxes))
                failures += 1
            failures += bool(unknown)
            if doc.hasControllersLocked():
                print("  the document's controllers were left locked")
                failures += 1
            doc.close(True)
    if failures:
        h.fail("%d sessions differ" % failures)
    print("all sessions match")


if __name__ == "__main__":
    sys.path.insert(0, os.path.dirname(__file__))
    main()
