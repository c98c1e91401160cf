"""The help button inside LibreOffice: the extension carries help.doc, and
"cmdHelp" opens the copy in the document's folder when there is one, else
the extension's own copy, and shows the error box only when neither exists.
The component is created recording, so nothing is opened: it keeps the name
it would have given the desktop's default application."""
import os
import shutil
import uno
import zipfile

import office_harness as h

TEXTS = ("txtBDate", "txtEDate")
OPTIONS = ("optYi", "optRi", "optYu", "optWu", "optShu", "optHng", "optYS1", "optYS2")
failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def help_request(office, doc):
    """What one press of 帮助 does: the documents opened and the boxes shown."""
    component = office.create("tavo.myxl", "record")
    dialog = office.dialog_model("校历生成器", TEXTS, OPTIONS)
    component.MyFun(doc, dialog, "cmdHelp")
    return list(component.RecordedOpened()), list(component.RecordedBoxes())


def main():
    args = h.arguments(lambda parser: parser.add_argument("--help-doc", required=True))
    with zipfile.ZipFile(args.oxt) as oxt:
        check("help.doc" in oxt.namelist(), "the extension carries help.doc")
        with open(args.help_doc, "rb") as built:
            check(oxt.read("help.doc") == built.read(), "its help.doc is the built one")

    office = h.Office(args)
    host = os.path.join(office.work, "host.xlsx")
    h.reference(args, "host", host)
    with office:
        provider = office.context.getValueByName("/singletons/com.sun.star.deployment.PackageInformationProvider")
        folder = provider.getPackageLocation("tavo.calendar")
        installed = uno.fileUrlToSystemPath(folder + "/help.doc") if folder else ""
        check(os.path.isfile(installed), "the installed extension's folder holds help.doc: %r" % installed)

        with_copy = os.path.join(office.work, "学校")
        without_copy = os.path.join(office.work, "别处")
        for path in (with_copy, without_copy):
            os.makedirs(path)
            shutil.copy(host, os.path.join(path, "host.xlsx"))
        beside = os.path.join(with_copy, "help.doc")
        with open(beside, "wb") as f:
            f.write(b"the school's own help")

        docs = {"saved beside a copy": office.load(os.path.join(with_copy, "host.xlsx")),
                "saved without a copy": office.load(os.path.join(without_copy, "host.xlsx")),
                "never saved": office.desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0, ())}
        cases = [("saved beside a copy", [beside]),
                 ("saved without a copy", [installed]),
                 ("never saved", [installed])]
        for name, expected in cases:
            opened, boxes = help_request(office, docs[name])
            check(opened == expected and boxes == [], "%s: opens %s (%s %s)" % (name, expected, opened, boxes))

        # No copy anywhere: the one error box, and nothing opened.
        os.remove(installed)
        for name, doc in (("saved without a copy", docs["saved without a copy"]), ("never saved", docs["never saved"])):
            opened, boxes = help_request(office, doc)
            check(opened == [] and len(boxes) == 1 and boxes[0].startswith("错误|tavo：(53)文件未找到：")
                  and boxes[0].endswith("|stop"), "%s, nothing installed: one error box %s" % (name, boxes))
        opened, boxes = help_request(office, docs["never saved"])
        check("/help.doc" not in boxes[0] if boxes else False, "an unsaved document never names /help.doc")
        opened, boxes = help_request(office, docs["saved beside a copy"])
        check(opened == [beside], "the document's own copy still opens")
        for doc in docs.values():
            doc.close(True)
    if failures:
        h.fail("%d checks failed" % len(failures))


if __name__ == "__main__":
    main()
