#!/usr/bin/python3
"""`tavo init --macro` as users run it: the .xlsm's VBA project opens in
python3-olefile with the streams a host expects, and every XML part is valid
against the transitional schemas (jing).

    check_macro_workbook.py TAVO SOURCE_DIR [SCHEMA_DIR]

The compound file is also read raw, as strict readers do: storages with
start sector 0 and size 0, unused directory entries zero but for their
sibling and child ids. The sheet button is a legacy (VML) drawing only: no
markup-compatibility choices, <controls> or control-properties parts. The
VML schema includes WordprocessingML, absent here, for text boxes of Word
documents only: it is validated with that one pattern left open."""
import os
import re
import struct
import subprocess
import sys
import tempfile
import zipfile

import olefile

tavo, source = sys.argv[1], sys.argv[2]
schemas = sys.argv[3] if len(sys.argv) > 3 else os.path.join(source, "third_party", "ooxml-schemas")
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


with tempfile.TemporaryDirectory() as tmp:
    book = os.path.join(tmp, "校历.xlsm")
    run = subprocess.run([tavo, "init", "--macro", book], capture_output=True, text=True, timeout=60)
    check(run.returncode == 0, "tavo init --macro failed: " + run.stderr)
    with zipfile.ZipFile(book) as z:
        bin_path = os.path.join(tmp, "vbaProject.bin")
        with open(bin_path, "wb") as f:
            f.write(z.read("xl/vbaProject.bin"))
        parts = {n: z.read(n) for n in z.namelist()}

    ole = olefile.OleFileIO(bin_path)
    streams = sorted("/".join(e) for e in ole.listdir(streams=True, storages=False))
    expected = ["PROJECT", "PROJECTwm", "VBA/Sheet1", "VBA/Sheet2", "VBA/Sheet3", "VBA/Sheet4", "VBA/Sheet5",
                "VBA/ThisWorkbook",
                "VBA/_VBA_PROJECT", "VBA/dir", "VBA/frmTavo", "VBA/modTavo",
                "frmTavo/\x01CompObj", "frmTavo/\x03VBFrame", "frmTavo/f", "frmTavo/o"]
    check(streams == sorted(expected), "streams: %r" % streams)
    check(ole.openstream("VBA/_VBA_PROJECT").read() == b"\xcc\x61\xff\xff\x00\x01\x00",
          "_VBA_PROJECT carries more than its header")
    project = ole.openstream("PROJECT").read().decode("cp936")
    for line in ("Module=modTavo", "BaseClass=frmTavo", "Document=ThisWorkbook/&H00000000"):
        check(line in project.split("\r\n"), "PROJECT lacks " + line)
    frame = ole.openstream("frmTavo/\x03VBFrame").read().decode("cp936")
    check('Caption         =   "tavo 校历工具"' in frame, "VBFrame caption: " + frame)
    check(ole.getclsid("frmTavo") == "", "form storage CLSID %r" % ole.getclsid("frmTavo"))
    compobj = ole.openstream("frmTavo/\x01CompObj").read()
    check(len(compobj) == 97 and compobj[12:28] == bytes(16)
          and compobj.endswith(b"\xf4\x39\xb2\x71" + bytes(12)),
          "CompObj: %r" % compobj)
    ole.close()

    # The directory, raw: 128-byte entries in the chain the header names.
    raw = open(bin_path, "rb").read()
    fat_sectors = struct.unpack_from("<109I", raw, 76)[:struct.unpack_from("<I", raw, 44)[0]]
    fat = []
    for sect in fat_sectors:
        fat += struct.unpack_from("<128I", raw, 512 + sect * 512)
    directory = b""
    sect = struct.unpack_from("<I", raw, 48)[0]
    while sect != 0xFFFFFFFE:
        directory += raw[512 + sect * 512:512 + (sect + 1) * 512]
        sect = fat[sect]
    unused = bytes(68) + b"\xff" * 12 + bytes(48)
    for at in range(0, len(directory), 128):
        entry = directory[at:at + 128]
        kind = entry[66]
        start, size = struct.unpack_from("<IQ", entry, 116)
        name = entry[:struct.unpack_from("<H", entry, 64)[0]].decode("utf-16-le").rstrip("\0")
        if kind == 1:
            check(start == 0 and size == 0, "storage %s: start %#x size %d" % (name, start, size))
        elif kind == 0:
            check(entry == unused, "unused directory entry %d is not zeroed" % (at // 128))

    for name, data in parts.items():
        check(b"mc:AlternateContent" not in data and b"<controls" not in data, "controls markup in " + name)
        check("ctrlProp" not in name, "control properties part " + name)
    checker = os.path.join(source, "tests", "schema", "check_package.py")
    schema_run = subprocess.run(["/usr/bin/python3", checker, schemas, book], capture_output=True, text=True,
                                timeout=300)
    errors = [l for l in (schema_run.stdout + schema_run.stderr).splitlines()
              if "error" in l and "VML_Drawing.rnc" not in l and "wml.rnc" not in l]
    check(not errors, "schema errors:\n" + "\n".join(errors))

    # The VML part against the VML schema with the Word text-box content left open.
    rnc = open(os.path.join(schemas, "VML_Drawing.rnc"), encoding="utf-8").read()
    lines = ['namespace w = "http://schemas.openxmlformats.org/wordprocessingml/2006/main"']
    for line in rnc.splitlines():
        m = re.match(r'include "(.*)"', line)
        if m:
            if m.group(1) in ("wml.rnc", "shared-math.rnc", "dml-wordprocessingDrawing.rnc"):
                continue
            line = 'include "%s"' % os.path.join(os.path.abspath(schemas), m.group(1))
        lines.append(line)
    lines.append("w_txbxContent = element w:txbxContent { anyAttribute*, anyElement* }")
    vml_schema = os.path.join(tmp, "vml.rnc")
    open(vml_schema, "w", encoding="utf-8").write("\n".join(lines) + "\n")
    vml = os.path.join(tmp, "vmlDrawing1.vml")
    open(vml, "wb").write(parts["xl/drawings/vmlDrawing1.vml"])
    jing = subprocess.run(["jing", "-c", vml_schema, vml], capture_output=True, text=True, timeout=120)
    vml_errors = [l for l in (jing.stdout + jing.stderr).splitlines() if "error" in l]
    check(jing.returncode == 0 and not vml_errors, "VML: " + "\n".join(vml_errors))

    print("streams:", len(streams), "size of the workbook:", len(open(book, "rb").read()), "bytes")

if failures:
    print("FAIL\n" + "\n".join(failures))
    sys.exit(1)
print("OK")
