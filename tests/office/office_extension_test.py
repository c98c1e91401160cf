"""The extension around the decisive test: the error box's exact text in
LibreOffice's message box, the host sheets the menu command offers, the
menu command itself, and a built document saved as .xlsx by LibreOffice
read back by our own reader."""
import os
import subprocess
import sys

import office_harness as h

TEXTS = ("txtBDate", "txtEDate")
OPTIONS = ("optYi", "optRi", "optYu", "optWu", "optShu", "optHng", "optYS1", "optYS2")
MENU = "vnd.sun.star.script:Tavo.Dialog.OpenDialog?language=Basic&location=application"
failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def new_document(office):
    doc = office.desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0, ())
    doc.CurrentController.Frame.ContainerWindow.setVisible(True)
    return doc


def main():
    args = h.arguments()
    office = h.Office(args)
    host = os.path.join(office.work, "host.xlsx")
    h.reference(args, "host", host)
    with office:
        # A build in a document without "DTB": one error box, exactly the host's text.
        doc = new_document(office)
        component = office.create("tavo.myxl", "record")
        dialog = office.dialog_model("校历生成器", TEXTS, OPTIONS)
        dialog.getByName("txtBDate").Text = "2024-9-1"
        dialog.getByName("txtEDate").Text = "2025-1-31"
        component.MyFun(doc, dialog, "cmdDoXL")
        boxes = list(component.RecordedBoxes())
        check(boxes == ['错误|tavo：(9)下标越界：找不到名为 "DTB" 的工作表|stop'], "error box text: %s" % boxes)
        check(not doc.hasControllersLocked(), "nothing locked after a failed build")

        # The sheets the menu command offers: added after the last, nothing else changes.
        before = list(doc.Sheets.ElementNames)
        active = doc.CurrentController.ActiveSheet.Name
        added = list(component.AddHostSheets(doc))
        after = list(doc.Sheets.ElementNames)
        check(sorted(added) == sorted(["DTB", "信息表", "节假日"]) and after == before + added,
              "host sheets added: %s" % after)
        check(doc.CurrentController.ActiveSheet.Name == active, "the active sheet stays")
        check(list(component.AddHostSheets(doc)) == [], "nothing added twice")
        dtb = doc.Sheets.getByName("DTB")
        check(dtb.getCellByPosition(3, 1).Value == 1 and dtb.getCellByPosition(10, 1).Value == 36,
              "DTB carries the settings and the page-setup table")
        check(dtb.getCellByPosition(9, 1).Value == 1, "DTB J2 turns the holiday marks on")
        holidays = doc.Sheets.getByName("节假日")
        check([holidays.getCellByPosition(c, 0).String for c in range(3)] == ["日期", "类型", "名称"]
              and holidays.getCellByPosition(0, 1).String == "",
              "节假日 has its headings and no copied schedule")
        component.MyFun(doc, dialog, "cmdDoXL")
        check(doc.Sheets.hasByName("校历表") and len(component.RecordedBoxes()) == 1,
              "a build completes in the document once it has the sheets")

        # LibreOffice saves the built document as .xlsx; our reader loads it.
        saved = os.path.join(office.work, "saved.xlsx")
        doc.storeToURL(h.file_url(saved), (h.prop("FilterName", "Calc Office Open XML"),))
        loaded = subprocess.run([args.reference, "load", saved], stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                text=True, timeout=60)
        check(loaded.returncode == 0 and "校历表" in loaded.stdout.split(), "our reader loads LibreOffice's .xlsx: %s"
              % loaded.stdout.strip().replace("\n", " "))
        doc.close(True)

        # The menu entry is installed, and its command opens the dialog for
        # the current document: Initialize sets the workbook palette.
        provider = office.create("com.sun.star.configuration.ConfigurationProvider")
        node = provider.createInstanceWithArguments(
            "com.sun.star.configuration.ConfigurationAccess",
            (h.prop("nodepath", "/org.openoffice.Office.Addons/AddonUI/OfficeMenuBarMerging"),))
        check(node.hasByName("tavo.calendar"), "Tools menu entry registered")
        item = node.getByName("tavo.calendar").getByName("tools").getByName("MenuItems").getByName("open")
        check(item.URL == MENU, "the entry runs OpenDialog")
        doc = office.load(host)
        frame = doc.CurrentController.Frame
        dispatcher = office.create("com.sun.star.frame.DispatchHelper")
        dispatcher.executeDispatch(frame, MENU, "", 0, ())
        props = doc.DocumentProperties.UserDefinedProperties
        has = props.PropertySetInfo.hasPropertyByName("TavoPalette")
        check(has and props.getPropertyValue("TavoPalette").split()[14] == "DDDDDD",
              "the menu command's dialog ran Initialize")
        check(not doc.hasControllersLocked(), "nothing locked after the menu command")
        doc.close(True)
    if failures:
        h.fail("%d checks failed" % len(failures))


if __name__ == "__main__":
    sys.path.insert(0, os.path.dirname(__file__))
    main()
