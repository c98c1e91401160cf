"""One look in Calc: for every calendar session of the decisive test, the
sheet the extension builds and the sheet of the workbook the command saves
for the same session, opened in the same office (the extension installed),
have the same column widths and row heights within 2 % and the same face
(宋体, drawn with the Song face the extension's font rule gives it), and
print to the same number of pages with the same fonts. The extension's
sheet saved by Calc as .xlsx carries the command's column widths, which the
desktop host reads. And a build made by the extension inside the command's
workbook keeps the command's widths and heights."""
import os
import posixpath
import re
import shutil
import sys
import zipfile
import xml.etree.ElementTree as ET

import office_harness as h
from office_session_test import replay

SHEETS = ("校历表", "日历表")
TOLERANCE = 0.02
TWIP_MM100 = 2  # a twip of rounding, which 2 % of a 2-pixel column is less than
SONG_FACE = "Noto Serif CJK SC"
SONG_FACE_IN_PDF = b"NotoSerifCJK"


def extent(sheet):
    cursor = sheet.createCursor()
    cursor.gotoEndOfUsedArea(False)
    end = cursor.RangeAddress
    # One column past the grid: the narrow margin column after it.
    return end.EndRow + 1, end.EndColumn + 2


def layout(doc, name, rows, columns):
    """Widths, heights (1/100 mm) and the faces of the written cells."""
    sheet = doc.Sheets.getByName(name)
    widths = [sheet.Columns.getByIndex(c).Width for c in range(columns)]
    heights = [sheet.Rows.getByIndex(r).Height for r in range(rows)]
    faces = {}
    cells = sheet.queryContentCells(1 | 4 | 16).Cells.createEnumeration()  # values, texts, formulas
    while cells.hasMoreElements():
        cell = cells.nextElement()
        face = tuple(cell.getPropertyValues(("CharFontName", "CharFontNameAsian")))
        faces.setdefault(face, cell.AbsoluteName)
    return widths, heights, faces


def close(a, b):
    return abs(a - b) <= max(TOLERANCE * max(a, b), TWIP_MM100)


def differences(what, expected, actual):
    out = []
    for i, (e, a) in enumerate(zip(expected, actual)):
        if not close(e, a):
            out.append("%s %d: %d against %d (1/100 mm)" % (what, i + 1, e, a))
    return out


def compare(label, command, extension):
    problems = differences("column", command[0], extension[0])
    problems += differences("row", command[1], extension[1])
    for faces, whose in ((command[2], "command"), (extension[2], "extension")):
        for face, cell in faces.items():
            if face != ("宋体", "宋体"):
                problems.append("%s's %s has the face %s / %s" % (whose, cell, face[0], face[1]))
    for p in problems[:20]:
        print("  %s: %s" % (label, p))
    return bool(problems)


def printed(doc, sheet, path):
    """Pages and font names of the sheet printed alone to PDF. Calc writes
    page and font dictionaries as plain objects."""
    for name in doc.Sheets.ElementNames:
        if name != sheet:
            doc.Sheets.getByName(name).IsVisible = False
    doc.storeToURL(h.file_url(path), (h.prop("FilterName", "calc_pdf_Export"),))
    data = open(path, "rb").read()
    pages = len(re.findall(rb"/Type\s*/Page\b(?!s)", data))
    fonts = {re.sub(rb"^[A-Z]{6}\+", b"", f) for f in re.findall(rb"/BaseFont\s*/([^\s/<>\[\]()]+)", data)}
    return pages, sorted(fonts)


def compare_print(label, command, extension):
    problems = []
    if command != extension:
        problems.append("printed %s against %s" % (command, extension))
    if not command[1] or not all(SONG_FACE_IN_PDF in f for f in command[1]):
        problems.append("fonts in print: %s" % command[1])
    for p in problems:
        print("  %s: %s" % (label, p))
    return bool(problems)


MAIN = "{http://schemas.openxmlformats.org/spreadsheetml/2006/main}"
REL = "{http://schemas.openxmlformats.org/officeDocument/2006/relationships}"


def file_widths(path, sheet, columns):
    """The widths (characters, as the file stores them) of the first
    `columns` columns of a sheet of an .xlsx; None where the file has none."""
    with zipfile.ZipFile(path) as z:
        book = ET.fromstring(z.read("xl/workbook.xml"))
        rid = next(s.get(REL + "id") for s in book.iter(MAIN + "sheet") if s.get("name") == sheet)
        rels = ET.fromstring(z.read("xl/_rels/workbook.xml.rels"))
        target = next(r.get("Target") for r in rels if r.get("Id") == rid)
        # Targets are relative to xl/ unless they start at the package's root.
        name = target[1:] if target.startswith("/") else posixpath.normpath(posixpath.join("xl", target))
        part = ET.fromstring(z.read(name))
    widths = [None] * columns
    for col in part.iter(MAIN + "col"):
        for c in range(int(col.get("min")), min(int(col.get("max")), columns) + 1):
            widths[c - 1] = float(col.get("width"))
    return widths


def compare_saved(label, command_path, doc, sheet, path, columns):
    doc.storeToURL(h.file_url(path), (h.prop("FilterName", "Calc Office Open XML"),))
    expected = file_widths(command_path, sheet, columns)
    actual = file_widths(path, sheet, columns)
    problems = ["column %d: %s against %s" % (c + 1, e, a) for c, (e, a) in enumerate(zip(expected, actual))
                if e is not None and (a is None or abs(e - a) > TOLERANCE * e)]
    for p in problems[:10]:
        print("  %s, saved by Calc: %s" % (label, p))
    return bool(problems)


def song_face_in_force(office):
    """宋体 measures as the Song face: the extension's font rule is in force."""
    doc = office.desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0, (h.prop("Hidden", True),))
    try:
        from com.sun.star.awt import FontDescriptor

        def metrics(name):
            font = FontDescriptor()
            font.Name = name
            font.Height = 220
            measured = doc.ReferenceDevice.getFont(font)
            return [measured.getCharWidth(c) for c in "0123456789国"], measured.getFontMetric().Ascent

        return metrics("宋体") == metrics(SONG_FACE)
    finally:
        doc.close(True)


def main():
    args = h.arguments()
    office = h.Office(args)
    folder, host, spec = h.reference_sessions(args, office)
    failures = 0
    compared = 0
    with office:
        if not song_face_in_force(office):
            print("宋体 does not resolve to %s in the office with the extension" % SONG_FACE)
            failures += 1
        for session in spec["sessions"]:
            name = session["name"]
            saved = os.path.join(folder, name + ".xlsx")
            command_doc = office.load(saved, hidden=True)
            built, _ = replay(office, host, spec["caption"], session["steps"], session.get("items", ()))
            # The same session again, inside the workbook the command saved.
            inside_path = os.path.join(office.work, name + "-rebuilt.xlsx")
            shutil.copy(saved, inside_path)
            inside, _ = replay(office, inside_path, spec["caption"], session["steps"])
            for sheet in SHEETS:
                present = [d.Sheets.hasByName(sheet) for d in (command_doc, built, inside)]
                if not any(present):
                    continue
                if not all(present):
                    print("%s: %s is in %s" % (name, sheet, present))
                    failures += 1
                    continue
                compared += 1
                # Formats may reach a row or column further in one than in the other.
                ends = [extent(d.Sheets.getByName(sheet)) for d in (command_doc, built, inside)]
                box = (max(e[0] for e in ends), max(e[1] for e in ends))
                command = layout(command_doc, sheet, *box)
                extension = layout(built, sheet, *box)
                rebuilt = layout(inside, sheet, *box)
                failures += compare("%s %s, extension" % (name, sheet), command, extension)
                failures += compare("%s %s, rebuilt in the command's workbook" % (name, sheet), command, rebuilt)
                print("%s %s: columns B, C %s mm/100 from the command, %s from the extension, %s rebuilt" % (
                    name, sheet, command[0][1:3], extension[0][1:3], rebuilt[0][1:3]))
                failures += compare_saved("%s %s" % (name, sheet), saved, built, sheet,
                                          os.path.join(office.work, "%s-%s-saved.xlsx" % (name, sheet)), box[1])
                pdfs = [os.path.join(office.work, "%s-%s-%s.pdf" % (name, sheet, who)) for who in ("command", "extension")]
                failures += compare_print("%s %s" % (name, sheet), printed(command_doc, sheet, pdfs[0]),
                                          printed(built, sheet, pdfs[1]))
            for doc in (command_doc, built, inside):
                doc.close(True)
    if compared == 0:
        h.fail("no sheet was compared")
    if failures:
        h.fail("%d comparisons differ" % failures)
    print("%d sheets alike in Calc" % compared)


if __name__ == "__main__":
    sys.path.insert(0, os.path.dirname(__file__))
    main()
