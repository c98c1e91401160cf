"""Benchmark, not a test: the 20-year builds and a one-term build (made three
times over) inside LibreOffice through tavo.myxl, each build command timed
on its own, beside the same sessions on the embedded workbook.
    /usr/bin/python3 tests/office/office_bench.py --soffice soffice --unopkg unopkg \\
        --oxt build/tavo.oxt --reference build/tests/office/office_reference --work /tmp/tavo-bench"""
import os
import sys
import time

import office_harness as h
import office_session_test as sessions

BUILDS = ("cmdDoXL", "cmdDoRL")


def replay_timed(office, host, caption, steps):
    """The session's steps as the decisive test replays them; the seconds of each build."""
    doc = office.load(host)
    component = office.create("tavo.myxl", "record")
    dialog = office.dialog_model(caption, sessions.TEXTS, sessions.OPTIONS)
    seconds = []
    for step in steps:
        if step["control"]:
            control = dialog.getByName(step["control"])
            value = step["value"]
            if step["control"] in sessions.OPTIONS:
                control.State = 1 if value.get("bool") else 0
            else:
                control.Text = value.get("text", "")
        if step["event"]:
            started = time.monotonic()
            component.MyFun(doc, dialog, step["event"])
            if step["event"] in BUILDS:
                seconds.append(time.monotonic() - started)
    return doc, component, seconds


def main():
    args = h.arguments()
    office = h.Office(args)
    folder, host, spec = h.reference_sessions(args, office)
    embedded = dict(line.split("\t") for line in h.reference(args, "bench").splitlines())
    print("load average %s" % " ".join(open("/proc/loadavg").read().split()[:3]))
    with office:
        for session in spec["bench"]:
            doc, component, seconds = replay_timed(office, host, spec["caption"], session["steps"])
            sheet = doc.CurrentController.ActiveSheet
            print("%-26s LibreOffice %s s   embedded %s   (%s, boxes %s)" % (
                session["name"], " ".join("%.2f" % s for s in seconds), embedded[session["name"]], sheet.Name,
                list(component.RecordedBoxes())))
            doc.close(True)
    print("load average %s" % " ".join(open("/proc/loadavg").read().split()[:3]))


if __name__ == "__main__":
    sys.path.insert(0, os.path.dirname(__file__))
    main()
