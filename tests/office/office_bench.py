"""Benchmark, not a test: the 20-year builds inside LibreOffice through
tavo.myxl, beside the same builds on the embedded workbook.
    /usr/bin/python3 tests/office/office_bench.py --soffice soffice --unopkg unopkg \\
        --oxt build/tavo.oxt --reference build/tests/office/office_reference --work /tmp/tavo-bench"""
import os
import sys
import time

import office_harness as h
import office_session_test as sessions


def main():
    args = h.arguments()
    office = h.Office(args)
    folder, host, spec = h.reference_sessions(args, office)
    embedded = dict(line.split("\t") for line in h.reference(args, "bench").splitlines())
    with office:
        for session in spec["bench"]:
            started = time.monotonic()
            doc, component = sessions.replay(office, host, spec["caption"], session["steps"])
            seconds = time.monotonic() - started
            sheet = doc.CurrentController.ActiveSheet
            print("%-28s LibreOffice %7.1f s   embedded %s   (%s, boxes %s)" % (
                session["name"], seconds, embedded[session["name"]], sheet.Name, list(component.RecordedBoxes())))
            doc.close(True)


if __name__ == "__main__":
    sys.path.insert(0, os.path.dirname(__file__))
    main()
