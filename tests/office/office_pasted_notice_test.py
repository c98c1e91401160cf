"""A holiday notice pasted into the 节假日 sheet in LibreOffice: the whole
text typed into G2, or a line a cell from G2 down as a paste of many lines
fills them, and the school calendar built through tavo.myxl marks that
year's days off and make-up days; a notice that does not read stops the
build with one 提示 box naming the cell and the line, and builds nothing.
The notice is a made-up one for 2027, a year the built-in notices do not
cover, so only the pasted text can mark it."""
import office_harness as h

TEXTS = ("txtBDate", "txtEDate")
OPTIONS = ("optYi", "optRi", "optYu", "optWu", "optShu", "optHng", "optYS1", "optYS2")
failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def build(office, host, cells):
    """The host workbook with `cells` (row, text) in column G, and the autumn 2027 term built."""
    doc = office.load(host)
    sheet = doc.Sheets.getByName("节假日")
    for row, text in cells:
        sheet.getCellByPosition(6, row - 1).String = text
    component = office.create("tavo.myxl", "record")
    dialog = office.dialog_model("校历生成器", TEXTS, OPTIONS)
    dialog.getByName("txtBDate").Text = "2027-9-1"
    dialog.getByName("txtEDate").Text = "2028-1-16"
    component.MyFun(doc, dialog, "cmdDoXL")
    return doc, list(component.RecordedBoxes())


def main():
    args = h.arguments(lambda parser: parser.add_argument("--notice", required=True))
    text = open(args.notice, encoding="utf-8").read()
    office = h.Office(args)
    host = office.work + "/host.xlsx"
    h.reference(args, "host", host)
    lines = [(2 + i, line) for i, line in enumerate(text.split("\n")) if line]
    with office:
        for label, cells in (("whole in G2", [(2, text)]), ("a line a cell", lines)):
            doc, boxes = build(office, host, cells)
            built = doc.Sheets.hasByName("校历表")
            check(built and not any(b.startswith("提示") for b in boxes), "%s: built (%s)" % (label, boxes))
            if built:
                grid = doc.Sheets.getByName("校历表")
                # 2027-9-1 is a Wednesday: 9.26 (Sun) is I9, 10.1 (Fri) G11, 10.9 (Sat) H13.
                marks = [grid.getCellRangeByName(name).String for name in ("I9", "G11", "H13")]
                check(marks == ["26班", "10.1休", "9班"], "%s: the notice's days are marked: %s" % (label, marks))
            doc.close(True)

        garbled = text.replace("10月1日（周五）至7日（周四）", "10月1日（周五至7日（周四）")
        doc, boxes = build(office, host, [(2 + i, line) for i, line in enumerate(garbled.split("\n")) if line])
        check(len(boxes) == 1 and boxes[0].startswith("提示|“节假日”工作表 G20 中粘贴的放假通知读不通：第19行“七、国庆节"),
              "a garbled notice stops the build with one 提示 box naming G20 and line 19: %s" % boxes)
        check(not doc.Sheets.hasByName("校历表"), "and builds nothing")
        doc.close(True)
    if failures:
        h.fail("%d failure(s)" % len(failures))
    print("office_pasted_notice: all passed")


if __name__ == "__main__":
    main()
