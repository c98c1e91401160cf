#!/usr/bin/python3
"""`tavo init --macro` as users run it: the .xlsm's VBA project opens in
python3-olefile with the streams a host expects, and every XML part is valid
against the transitional schemas (jing).

    check_macro_workbook.py TAVO SOURCE_DIR [SCHEMA_DIR]

Markup compatibility: the sheet button's <controls> is wrapped, as the
desktop host writes it, in mc:AlternateContent requiring the 2010
extensions (x14); the schemas know neither, so the parts are validated as a
consumer of the transitional schemas sees them, with the choices it does not
understand removed. The VML schema includes WordprocessingML, absent here,
for text boxes of Word documents only: it is validated with that one
pattern left open."""
import os
import re
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
    expected = ["PROJECT", "PROJECTwm", "VBA/Sheet1", "VBA/Sheet2", "VBA/Sheet3", "VBA/ThisWorkbook",
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
    check(ole.getclsid("frmTavo").upper() == "C62A69F0-16DC-11CE-9E98-00AA00574A4F", "form storage CLSID")
    ole.close()

    # The package seen by a consumer that understands no extension.
    plain = os.path.join(tmp, "plain.xlsm")
    alternate = re.compile(rb"<mc:AlternateContent\b.*?</mc:Choice></mc:AlternateContent></controls>"
                           rb"</mc:Choice></mc:AlternateContent>", re.S)
    with zipfile.ZipFile(plain, "w") as z:
        for name, data in parts.items():
            if name.endswith(".xml") and b"mc:AlternateContent" in data:
                data, n = alternate.subn(b"", data)
                check(n == 1 and b"mc:" not in data, "unexpected markup compatibility in " + name)
            z.writestr(name, data)
    checker = os.path.join(source, "tests", "schema", "check_package.py")
    schema_run = subprocess.run(["/usr/bin/python3", checker, schemas, plain], capture_output=True, text=True,
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
