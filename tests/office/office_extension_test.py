"""The extension around the decisive test: the error box's exact text in
LibreOffice's message box, the host sheets the menu command offers, the
menu command itself, a built document saved as .xlsx by LibreOffice read
back by our own reader, the progress bar of builds, the dialog as a tool
window, and the menu entry's title in each language."""
import time
import os
import re
import subprocess
import sys
import zipfile

import uno

import office_harness as h

TEXTS = ("txtBDate", "txtEDate")
OPTIONS = ("optYi", "optRi", "optYu", "optWu", "optShu", "optHng", "optYS1", "optYS2")
MENU = "vnd.sun.star.script:Tavo.Dialog.OpenDialog?language=Basic&location=application"
BASIC = "vnd.sun.star.script:Tavo.Dialog.%s?language=Basic&location=application"
DIALOG = "vnd.sun.star.script:Tavo.TavoDialog?location=application"
# The menu entry's title by language; the dialog's title is the same name.
# The keys are free in Calc's Tools menu (Macros has M, ImageMap M too).
MENU_TITLES = {"en-US": "School Calendar Ma~ker…", "zh-CN": "校历生成器(~X)…", "zh-TW": "校历生成器(~X)…"}
failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def new_document(office):
    doc = office.desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0, ())
    doc.CurrentController.Frame.ContainerWindow.setVisible(True)
    return doc


def saved_pane(path, name):
    """The frozen pane of sheet `name` in a saved .xlsx, as "xSplit ySplit
    topLeftCell", then the cell the sheet's view opens at."""
    book = zipfile.ZipFile(path)
    workbook = book.read("xl/workbook.xml").decode()
    rels = book.read("xl/_rels/workbook.xml.rels").decode()
    rid = re.search(r'<sheet [^>]*name="%s"[^>]*r:id="([^"]+)"' % name, workbook).group(1)
    rel = next(r for r in re.findall(r"<Relationship [^>]*/>", rels) if 'Id="%s"' % rid in r)
    target = re.search(r'Target="/?(?:xl/)?([^"]+)"', rel).group(1)
    sheet = book.read("xl/" + target).decode()
    view = re.search(r"<sheetView\b[^>]*>", sheet).group(0)
    opens = re.search(r'topLeftCell="([^"]+)"', view)
    pane = re.search(r"<pane\b[^>]*/>", sheet)
    if not pane or 'state="frozen"' not in pane.group(0):
        return "none " + (opens.group(1) if opens else "A1")
    get = lambda a, d: (re.search(r'%s="([^"]+)"' % a, pane.group(0)) or [None, d])[1]
    return "%s %s %s %s" % (get("xSplit", "0"), get("ySplit", "0"), get("topLeftCell", "A1"),
                            opens.group(1) if opens else "A1")


def check_saved_panes(office, host):
    """Each direction built by the extension and saved by LibreOffice: the
    horizontal layouts freeze columns A..B, the vertical ones rows 1..2, and
    both open at A1, as the command's own file does."""
    for direction, wanted in (("optHng", "2 0 C1 A1"), ("optShu", "0 2 A3 A1")):
        doc = office.load(host)
        component = office.create("tavo.myxl", "record")
        dialog = office.dialog_model("校历生成器", TEXTS, OPTIONS)
        dialog.getByName("txtBDate").Text = "2024-9-1"
        dialog.getByName("txtEDate").Text = "2025-1-31"
        dialog.getByName(direction).State = 1
        for event in ("txtBDate", "txtEDate", direction, "cmdDoXL"):
            component.MyFun(doc, dialog, event)
        saved = os.path.join(office.work, "pane-%s.xlsx" % direction)
        doc.storeToURL(h.file_url(saved), (h.prop("FilterName", "Calc Office Open XML"),))
        doc.close(True)
        pane = saved_pane(saved, "校历表")
        check(pane == wanted, "%s saved with the pane %s (wanted %s)" % (direction, pane, wanted))


def basic(office, name, args=()):
    """Runs a Sub or Function of the extension's Basic module; its result."""
    factory = office.context.getValueByName("/singletons/com.sun.star.script.provider.theMasterScriptProviderFactory")
    script = factory.createScriptProvider("").getScript(BASIC % name)
    return script.invoke(tuple(args), (), ())[0]


def check_extension_manager(office):
    """What the Extension Manager shows of tavo: its name, description and icon."""
    manager = office.context.getValueByName("/singletons/com.sun.star.deployment.ExtensionManager")
    ours = [p for p in manager.getDeployedExtensions("user", None, None)
            if p is not None and p.getIdentifier().Value == "tavo.calendar"]
    check(len(ours) == 1, "the extension is deployed for the user once: %d" % len(ours))
    if not ours:
        return
    tavo = ours[0]
    description = tavo.getDescription()
    check("校历表" in description and len(description) > 40, "its description: %s" % description[:60])
    check(tavo.getIcon(False) is not None, "its icon")
    check(tavo.getDisplayName() in ("School Calendar Maker", "校历生成器"), "its name: %s" % tavo.getDisplayName())


def check_component_errors(office):
    """A component that cannot be created gives one message box with the
    component's kind of message, and the macro stops: no Basic runtime error."""
    missing = "tavo.no_such_component"
    text = basic(office, "ComponentMissingText", (missing,))
    check(text.startswith("tavo：(429)") and missing in text and "tavo.oxt" in text,
          "the message when the component is missing: %s" % text)
    started = time.monotonic()
    made = basic(office, "NewComponent", (missing,))
    check(made is None, "a component that cannot be created is Null after its message box (%.1f s)"
          % (time.monotonic() - started))
    made = basic(office, "NewComponent", ("tavo.myxl",))
    check(made is not None, "the installed component is created")
    check(basic(office, "ComponentFailedText", ("x",)) == "tavo：(440)组件出错：x", "the message when it fails")


def name_of(title):
    """A menu title without its key and ellipsis: the product's name."""
    return title.replace("(~X)", "").replace("~", "").rstrip("…")


def progress_moved(log, weeks, done=True, text="生成校历表…"):
    """The bar of one build: started over its weeks, moved in a few steps
    each further on, and ended where it stood: at all its weeks when the
    build is done (a failing build may have sent them all too)."""
    log = list(log)
    if len(log) < 7 or log[0] != "start|%s|%d" % (text, weeks) or not log[-1].startswith("end|"):
        return False
    steps = [int(line.split("|")[1]) for line in log[1:-1] if line.startswith("step|")]
    ended = int(log[-1].split("|")[1])
    return (len(steps) == len(log) - 2 and steps == sorted(set(steps)) and ended == steps[-1]
            and (ended == weeks or not done) and ended <= weeks)


def check_progress(office, host):
    """A build shows the bar over its weeks from its first cell to the end of
    the call, moving as its weeks reach the document, also when it fails
    half-way; a build refused by its checks shows none."""
    doc = office.load(host)
    component = office.create("tavo.myxl", "record")
    dialog = office.dialog_model("校历生成器", TEXTS, OPTIONS)
    dialog.getByName("txtBDate").Text = "2024-9-1"
    dialog.getByName("txtEDate").Text = "2025-1-31"
    component.MyFun(doc, dialog, "cmdDoXL")
    check(progress_moved(component.RecordedProgress(), 22),
          "a school calendar's bar runs over its 22 weeks in steps: %s" % list(component.RecordedProgress()))
    first = len(component.RecordedProgress())
    dialog.getByName("txtEDate").Text = "2024-8-1"
    component.MyFun(doc, dialog, "cmdDoRL")
    check(len(component.RecordedProgress()) == first and len(component.RecordedBoxes()) == 1,
          "a refused build shows no bar: %s" % list(component.RecordedProgress())[first:])
    # Without the information sheet the school calendar fails at its title row, after the grid.
    doc.Sheets.removeByName("信息表")
    dialog.getByName("txtEDate").Text = "2024-12-31"
    component.MyFun(doc, dialog, "cmdDoXL")
    progress = list(component.RecordedProgress())[first:]
    boxes = list(component.RecordedBoxes())
    check(progress_moved(progress, 18, done=False) and boxes[-1].startswith("错误|"),
          "a build failing half-way ends its bar: %s %s" % (progress, boxes[-1:]))
    sheet = doc.Sheets.getByName("校历表") if doc.Sheets.hasByName("校历表") else None
    check(sheet is not None and sheet.getCellByPosition(1, 2).String == "第1周",
          "the cells written before the failure are in the document")
    check(not doc.hasControllersLocked(), "nothing locked after a failed build")
    doc.close(True)


def check_school_items(office, host):
    """The school's items in LibreOffice: a term's 校历事项 rows number the
    weeks and mark the days as the command does; a malformed row stops the
    build with one notice naming it, and the sheet built before stays."""
    doc = office.load(host)
    items = doc.Sheets.getByName("校历事项")
    rows = [("2025-9-1", "2026-1-18", "学期", "第一学期"), ("2025-9-28", "2025-10-5", "停课", "秋假"),
            ("2025-10-11", "", "调课", "按周三课表"), ("2025-11-3", "2025-11-7", "考试", "期中考试"),
            ("2026-1-19", "2026-2-22", "假期", "寒假")]
    for r, row in enumerate(rows, start=1):
        for c, text in enumerate(row):
            if text:
                items.getCellByPosition(c, r).String = text
    component = office.create("tavo.myxl", "record")
    dialog = office.dialog_model("校历生成器", TEXTS, OPTIONS)
    dialog.getByName("txtBDate").Text = "2025-9-1"
    dialog.getByName("txtEDate").Text = "2026-2-22"
    for event in ("txtBDate", "txtEDate", "cmdDoXL"):
        component.MyFun(doc, dialog, event)
    sheet = doc.Sheets.getByName("校历表")
    cell = lambda column, row: sheet.getCellByPosition(column, row).String
    # Week n is row 2n + 1 (index 2n); B the label, J the remark.
    check((cell(1, 2), cell(1, 40), cell(1, 42)) == ("第1周", "第20周", "寒假"),
          "the weeks numbered from the term: %s %s %s" % (cell(1, 2), cell(1, 40), cell(1, 42)))
    check(cell(8, 8) == "28休" and cell(7, 12) == "11班" and cell(2, 20) == "3考",
          "the days marked: %s %s %s" % (cell(8, 8), cell(7, 12), cell(2, 20)))
    check(cell(9, 10).endswith("秋假 9.28–10.5") and "（按周三课表）" in cell(9, 12),
          "the remarks: %r %r" % (cell(9, 10), cell(9, 12)))
    items.getCellByPosition(2, 3).String = "考式"
    component.MyFun(doc, dialog, "cmdDoXL")
    boxes = list(component.RecordedBoxes())
    check(boxes[-1].startswith("提示|“校历事项”工作表第4行：C 列“考式”不是类别"), "the notice: %s" % boxes[-1:])
    check(doc.Sheets.getByName("校历表").getCellByPosition(1, 2).String == "第1周", "the sheet built before stays")
    doc.close(True)


def check_menu_titles(office):
    provider = office.create("com.sun.star.configuration.ConfigurationProvider")
    for language, title in MENU_TITLES.items():
        node = provider.createInstanceWithArguments(
            "com.sun.star.configuration.ConfigurationAccess",
            (h.prop("nodepath", "/org.openoffice.Office.Addons/AddonUI/OfficeMenuBarMerging/tavo.calendar/tools/"
                                "MenuItems/open"), h.prop("Locale", language)))
        check(node.Title == title, "menu title in %s: %s" % (language, node.Title))


def check_one_name(office):
    """The question box and the dialog's title name the product as the menu
    does, in the office's language: English here, Chinese once the office's
    language is Chinese."""
    provider = office.create("com.sun.star.configuration.ConfigurationProvider")
    setup = provider.createInstanceWithArguments("com.sun.star.configuration.ConfigurationUpdateAccess",
                                                 (h.prop("nodepath", "/org.openoffice.Setup/L10N"),))
    before = setup.ooLocale
    try:
        for language in ("en-US", "zh-CN"):
            setup.ooLocale = language
            setup.commitChanges()
            name = basic(office, "ProductName")
            question = basic(office, "AddSheetsQuestion")
            check(name == name_of(MENU_TITLES[language]) and name in question and ("添加" in question) == (
                language == "zh-CN"), "in %s the product is %s, also in the question: %s" % (language, name, question))
            # The question names every sheet the component adds.
            check(all('"%s"' % sheet in question for sheet in ("DTB", "信息表", "节假日")),
                  "in %s the question names the three sheets it adds" % language)
    finally:
        setup.ooLocale = before
        setup.commitChanges()


def moved(x, y):
    """A window event as the office raises it when a window moves."""
    event = uno.createUnoStruct("com.sun.star.awt.WindowEvent")
    event.X, event.Y = x, y
    return event


def check_dialog(office, host):
    """The dialog's model as the extension ships it, and the dialog the menu
    command opens: shown but not modal, at the right edge of the Calc
    window, back where the user put it when opened again."""
    provider = office.create("com.sun.star.awt.DialogProvider2")
    shipped = provider.createDialog(DIALOG)
    model = shipped.Model
    # Not sizeable: the window manager would offer to maximise it, and a
    # maximised dialog is an empty face over Calc, its controls where they were.
    check(not model.Sizeable and model.Closeable and model.Moveable,
          "the dialog is closeable and moveable, not sizeable")
    labels = [model.getByName(n) for n in model.ElementNames]
    unkeyed = [m.Name for m in labels if hasattr(m, "Label") and m.Label and "~" not in m.Label
               and m.Name != "lblHint" and not m.Name.startswith("box")]
    check(not unkeyed, "every control's label has its own key: %s" % unkeyed)
    keys = [m.Label.split("~")[1][0] for m in labels if hasattr(m, "Label") and "~" in m.Label]
    check(len(keys) == len(set(keys)), "no key is used twice: %s" % keys)
    shipped.dispose()

    doc = office.load(host)
    frame = doc.CurrentController.Frame
    dispatcher = office.create("com.sun.star.frame.DispatchHelper")
    unchanged = not doc.isModified()
    dispatcher.executeDispatch(frame, MENU, "", 0, ())  # returns: the dialog is not modal
    shown = basic(office, "DialogWindow")
    check(shown is not None and shown.isVisible(), "the menu command leaves the dialog shown")
    check(unchanged and not doc.isModified(), "opening the dialog leaves an unchanged document unchanged")
    if shown is None:
        doc.close(True)
        return
    # The menu's name in the UI language in force (English, or Chinese in a
    # Chinese UI under a Chinese locale).
    product = basic(office, "ProductName")
    check(shown.Model.Title == product and product in [name_of(t) for t in MENU_TITLES.values()],
          "the dialog's title is the menu's name: %s (the product in this UI: %s)" % (shown.Model.Title, product))
    window = frame.ContainerWindow.getPosSize()
    at = shown.getPosSize()
    # The sidebar's tab bar: the document window's full-height child at its right.
    document = frame.ComponentWindow.getPosSize()
    bars = [k.getPosSize() for k in frame.ComponentWindow.getWindows()]
    bars = [b.X for b in bars if b.X > document.Width // 2 and b.Height >= document.Height - 2 and b.Width > 0]
    cells_end = min(bars + [window.Width]) - 16  # and the vertical scroll bar before it
    check(at.X + at.Width <= cells_end and at.X + at.Width >= cells_end - 60,
          "the dialog opens at the right edge of the cells, clear of the scroll bar and the sidebar: "
          "%d+%d, the cells end at %d of %d" % (at.X, at.Width, cells_end, window.Width))
    first = (at.X, at.Y)
    # Under X11 the office at times reports the window manager's frame
    # offset as a move just after showing the dialog: no place of the user's.
    basic(office, "Moved_windowMoved", [moved(0, -19)])
    basic(office, "CloseDialog")
    check(basic(office, "DialogWindow") is None, "the close box closes the dialog")
    # Opened again in a narrower window, it comes back where it was, not at the new right edge.
    frame.ContainerWindow.setPosSize(0, 0, 1000, 800, 15)
    dispatcher.executeDispatch(frame, MENU, "", 0, ())
    again = basic(office, "DialogWindow")
    at = again.getPosSize() if again is not None else None
    narrower = frame.ContainerWindow.getPosSize().Width
    check(narrower == 1000 and at is not None and (at.X, at.Y) == first,
          "the dialog comes back where it was: %s, first %s, window %d wide"
          % (str((at.X, at.Y) if at else None), str(first), narrower))
    # Moved by the user, it comes back where it was taken.
    basic(office, "Moved_windowMoved", [moved(300, 200)])
    basic(office, "CloseDialog")
    dispatcher.executeDispatch(frame, MENU, "", 0, ())
    again = basic(office, "DialogWindow")
    at = again.getPosSize() if again is not None else None
    check(at is not None and (at.X, at.Y) == (300, 200),
          "the dialog comes back where the user took it: %s" % str((at.X, at.Y) if at else None))
    basic(office, "CloseDialog")
    doc.close(True)


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
        check(list(component.RecordedProgress()) == [], "a build failing before its first cell shows no bar")
        check(boxes == ['错误|tavo：(9)下标越界：找不到名为 "DTB" 的工作表|stop'], "error box text: %s" % boxes)
        check(not doc.hasControllersLocked(), "nothing locked after a failed build")

        # The sheets the menu command offers: added after the last, nothing else changes.
        before = list(doc.Sheets.ElementNames)
        active = doc.CurrentController.ActiveSheet.Name
        added = list(component.AddHostSheets(doc))
        after = list(doc.Sheets.ElementNames)
        check(sorted(added) == sorted(["DTB", "信息表", "节假日", "校历事项"]) and after == before + added,
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
        check_saved_panes(office, host)

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
        basic(office, "CloseDialog")
        doc.close(True)

        check_progress(office, host)
        check_school_items(office, host)
        check_menu_titles(office)
        check_one_name(office)
        check_dialog(office, host)
        check_component_errors(office)
        check_extension_manager(office)
    if failures:
        h.fail("%d checks failed" % len(failures))


if __name__ == "__main__":
    sys.path.insert(0, os.path.dirname(__file__))
    main()
