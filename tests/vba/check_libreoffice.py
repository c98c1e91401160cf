#!/usr/bin/python3
"""An independent reader of the macro workbook: a headless LibreOffice with a
private profile whose Calc VBA import loads code and forms (Load, Executable)
opens `tavo init --macro`'s workbook; through UNO we check the Basic
library's module code, the dialog library's form (every control by name,
with caption, kind and option group) and the sheet button with its macro.

    check_libreoffice.py TAVO SOURCE_DIR

soffice is started and stopped here; every wait is bounded, and the
process is killed if it does not end."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ET

import uno
from com.sun.star.beans import PropertyValue

tavo, source = sys.argv[1], sys.argv[2]
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


XCU = """<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema">
<item oor:path="/org.openoffice.Office.Calc/Filter/Import/VBA"><prop oor:name="Load" oor:op="fuse"><value>true</value></prop></item>
<item oor:path="/org.openoffice.Office.Calc/Filter/Import/VBA"><prop oor:name="Executable" oor:op="fuse"><value>true</value></prop></item>
</oor:items>
"""

# name -> (dialog element, caption, group)
CONTROLS = {
    "txtBDate": ("textfield", None, None), "txtEDate": ("textfield", None, None),
    "optYi": ("radio", "周一", "grpWeekStart"), "optRi": ("radio", "周日", "grpWeekStart"),
    "optYu": ("radio", "有颜色", "grpColor"), "optWu": ("radio", "无颜色", "grpColor"),
    "optShu": ("radio", "竖排", "grpDirection"), "optHng": ("radio", "横排", "grpDirection"),
    "optYS1": ("radio", "样式一", "grpStyle"), "optYS2": ("radio", "样式二", "grpStyle"),
    "chkJia": ("checkbox", "标出放假与调休上班", None),
    "cmdDoXL": ("button", "生成校历表", None), "cmdDoRL": ("button", "生成日历表", None),
    "cmdEdit": ("button", "编辑信息表", None), "cmdHelp": ("button", "帮助", None),
}
LABELS = {"lblBDate": "开始日期", "lblEDate": "结束日期", "lblWeek": "每周起始", "lblColor": "颜色",
          "lblDirection": "排列方向", "lblStyle": "样式"}
DLG = "{http://openoffice.org/2000/dialog}"


def documented_dialog_code():
    text = open(os.path.join(source, "docs", "windows.md"), encoding="utf-8").read()
    return re.search(r"```vb\n(.*?)```", text, re.S).group(1)


def prop(name, value):
    p = PropertyValue()
    p.Name, p.Value = name, value
    return p


def inspect(doc):
    basic = doc.BasicLibraries
    check(basic.hasByName("VBAProject"), "no Basic library VBAProject: %r" % (basic.getElementNames(),))
    basic.loadLibrary("VBAProject")
    lib = basic.getByName("VBAProject")
    names = set(lib.getElementNames())
    check(names == {"ThisWorkbook", "Sheet1", "Sheet2", "Sheet3", "Sheet4", "Sheet5", "modTavo", "frmTavo"}, "modules: %r" % names)
    # LibreOffice puts its own "Rem Attribute" and "Option VBASupport" lines on top; the rest is ours.
    form_code = lib.getByName("frmTavo") if "frmTavo" in names else ""
    check(documented_dialog_code() in form_code.replace("\r\n", "\n"), "frmTavo code differs:\n" + form_code)
    macro = lib.getByName("modTavo") if "modTavo" in names else ""
    check("Public Sub ShowTavoDialog()\n    frmTavo.Show\nEnd Sub" in macro.replace("\r\n", "\n"),
          "modTavo code differs:\n" + macro)

    dialogs = doc.DialogLibraries
    dialogs.loadLibrary("VBAProject")
    dlib = dialogs.getByName("VBAProject")
    check(dlib.hasByName("frmTavo"), "no dialog frmTavo")
    stream = dlib.getByName("frmTavo").createInputStream()
    chunks = []
    while True:
        n, data = stream.readBytes(None, 65536)
        if n == 0:
            break
        chunks.append(bytes(data.value))
    window = ET.fromstring(b"".join(chunks))
    # The title lives only in the form's VBFrame text, in the project's code
    # page (936), as the desktop program keeps it; LibreOffice decodes that
    # text as Windows-1252 whatever the project's code page, so its title is
    # the right bytes read in the wrong code page.
    title = window.get(DLG + "title") or ""
    try:
        as_written = title.encode("cp1252").decode("cp936")
    except UnicodeError:
        as_written = title
    check("tavo 校历工具" in (title, as_written), "dialog title %r" % title)
    found = {}
    for el in window.iter():
        if el.get(DLG + "id"):
            found[el.get(DLG + "id")] = el
    for name, (kind, caption, group) in CONTROLS.items():
        el = found.get(name)
        check(el is not None, "control %s missing" % name)
        if el is None:
            continue
        check(el.tag == DLG + kind, "%s is %s, not %s" % (name, el.tag, kind))
        check(el.get(DLG + "value") == caption, "%s caption %r" % (name, el.get(DLG + "value")))
        check(el.get(DLG + "group-name") == group, "%s group %r" % (name, el.get(DLG + "group-name")))
    for name, caption in LABELS.items():
        el = found.get(name)
        check(el is not None and el.tag == DLG + "text" and el.get(DLG + "value") == caption, "label " + name)
    order = sorted(CONTROLS, key=lambda n: int(found[n].get(DLG + "tab-index")) if n in found else 99)
    check(order[:2] == ["txtBDate", "txtEDate"] and order[-5:] == ["chkJia", "cmdDoXL", "cmdDoRL", "cmdEdit", "cmdHelp"],
          "tab order %r" % order)

    sheet = doc.Sheets.getByName("使用说明")
    page = sheet.DrawPage
    check(page.Count == 1, "使用说明 has %d shapes" % page.Count)
    if page.Count == 1:
        model = page.getByIndex(0).Control
        check(model.Label == "打开校历对话框", "button caption %r" % model.Label)
        form = page.Forms.getByIndex(0)
        events = [(e.EventMethod, e.ScriptCode) for i in range(form.Count) for e in form.getScriptEvents(i)]
        check(any(m == "actionPerformed" and "VBAProject.modTavo.ShowTavoDialog" in code for m, code in events),
              "button macro %r" % events)
    print("modules:", sorted(names), "controls:", len(found))


def main():
    work = tempfile.mkdtemp(prefix="tavo-lo-")
    proc = None
    try:
        book = os.path.join(work, "校历.xlsm")
        run = subprocess.run([tavo, "init", "--macro", book], capture_output=True, text=True, timeout=60)
        check(run.returncode == 0, "tavo init --macro: " + run.stderr)
        profile = os.path.join(work, "profile")
        os.makedirs(os.path.join(profile, "user"))
        open(os.path.join(profile, "user", "registrymodifications.xcu"), "w").write(XCU)
        pipe = "tavo_vba_%d" % os.getpid()
        proc = subprocess.Popen(["soffice", "--headless", "--invisible", "--norestore", "--nologo",
                                 "--nodefault", "-env:UserInstallation=" + uno.systemPathToFileUrl(profile),
                                 "--accept=pipe,name=%s;urp;" % pipe],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
        ctx = None
        deadline = time.time() + 90
        while ctx is None and time.time() < deadline and proc.poll() is None:
            try:
                ctx = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
            except Exception:
                time.sleep(0.25)
        if ctx is None:
            print("FAIL\nLibreOffice did not answer within 90 s")
            return 1
        desktop = ctx.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", ctx)
        doc = desktop.loadComponentFromURL(uno.systemPathToFileUrl(book), "_blank", 0,
                                           (prop("Hidden", True), prop("MacroExecutionMode", 0)))
        check(doc is not None, "LibreOffice did not open the workbook")
        if doc is not None:
            inspect(doc)
            doc.close(True)
        try:
            desktop.terminate()
        except Exception:
            pass  # the bridge goes away as soffice quits
    finally:
        if proc is not None:
            try:
                proc.wait(timeout=30)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait(timeout=10)
        shutil.rmtree(work, ignore_errors=True)
    if failures:
        print("FAIL\n" + "\n".join(failures))
        return 1
    print("OK")
    return 0


sys.exit(main())
