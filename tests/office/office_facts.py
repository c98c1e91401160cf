"""A built document read back through UNO as the facts session_facts.cpp
writes for the embedded workbook: the same lines, so the two compare line
by line. LibreOffice's units are turned into the desktop host's the way
docs/libreoffice.md describes (1/100 mm to points and pixels, page style to
PageSetup), independently of the adapter's own code."""
import uno
from com.sun.star.table.CellContentType import EMPTY, VALUE, TEXT, FORMULA

GENERATED = ("校历表", "日历表")
DATE, TIME, LOGICAL = 2, 4, 1024
PAPERS = {(21000, 29700): 9, (29700, 42000): 8, (21590, 27940): 1, (14800, 21000): 11}
HORIZONTAL = {0: "general", 1: "left", 2: "center", 3: "right", 4: "justify", 5: "fill"}
VERTICAL = {0: "bottom", 1: "top", 2: "center", 3: "bottom", 4: "justify"}


def frozen_split(controller, sheet):
    """The frozen rows and columns as the view data keeps them (what the saved
    file gets). getSplitRow/getSplitColumn go back from the split's pixels
    and read a row more where the UI font makes rows taller (a Chinese UI)."""
    index = sheet.getRangeAddress().Sheet
    fields = controller.getViewData().split(";")[3 + index].split("/")
    at = lambda mode, split: int(fields[split]) if fields[mode] == "2" else 0
    return at(3, 5), at(2, 4)


def number(x):
    """The shortest text of a number, as NumberToText writes it."""
    if x == int(x) and abs(x) < 1e15:
        return str(int(x))
    return repr(x)


def points(mm100, decimals):
    # Sizes are kept in twips: a point read back is rounded to 1/20 pt first.
    value = round(round(mm100 * 72 / 2540 * 20) / 20, decimals)
    return number(value)


def digit_twips(doc):
    """One character of column width as Calc reads an .xlsx: the widest
    digit of the default cell style's font on the document's reference
    device, in twips."""
    from com.sun.star.awt import FontDescriptor
    style = doc.StyleFamilies.getByName("CellStyles").getByName("Default")
    font = FontDescriptor()
    font.Name = style.CharFontName
    font.Height = round(style.CharHeight * 20)
    measured = doc.ReferenceDevice.getFont(font)
    return max(measured.getCharWidth(d) for d in "0123456789")


def column_pixels(mm100, digit):
    """The desktop host's pixels of a column Calc keeps `mm100` wide: the
    file's width (digits) Calc would have read it from, 7 pixels a digit."""
    return round(mm100 * 72 / 127 / digit * 7)


def desktop_x(edges, x_mm100):
    """A shape's left edge in the desktop host's points. One standing on a
    column's left edge (the horizontal watermarks stand on their week
    columns) is that column's left edge on the desktop, where the columns
    are narrower than Calc reads them; any other keeps its own points."""
    for calc_left, desktop_left in edges:
        if abs(x_mm100 - calc_left) <= 36:  # a point
            return desktop_left
    return x_mm100 * 72 / 2540


def column_edges(sheet, digit, count=300):
    """(Calc's left edge in 1/100 mm, the desktop's in points) of the first
    `count` columns."""
    edges, calc, desktop = [], 0, 0.0
    for column in range(count):
        edges.append((calc, desktop))
        width = sheet.Columns.getByIndex(column).Width
        calc += width
        desktop += column_pixels(width, digit) * 0.75
    return edges


def hexcolour(colour):
    return "%06X" % (colour & 0xFFFFFF)


def one_line(text):
    return text.replace("\n", "\\n").replace("\r", "\\r")


class Reader:
    def __init__(self, doc):
        self.doc = doc
        self.formats = doc.NumberFormats
        self.digit = digit_twips(doc)

    def value(self, cell):
        kind = cell.Type
        if kind == EMPTY:
            return "empty"
        if kind == TEXT or (kind == FORMULA and cell.FormulaResultType2 == 2):
            return "text " + one_line(cell.String)
        if kind == FORMULA and cell.getError():
            return "error %d" % cell.getError()
        value = cell.Value
        ftype = self.formats.getByKey(cell.NumberFormat).Type
        if ftype & LOGICAL:
            return "bool True" if value else "bool False"
        if ftype & (DATE | TIME):
            return "date " + number(value)
        return "number " + number(value)

    def palette(self):
        props = self.doc.DocumentProperties.UserDefinedProperties
        if props.PropertySetInfo.hasPropertyByName("TavoPalette"):
            return props.getPropertyValue("TavoPalette").split()
        return None


def line_drawn(border):
    return border.OuterLineWidth > 0 or border.InnerLineWidth > 0 or border.LineWidth > 0


def sheet_facts(reader, sheet, name, active, box_rows, box_columns, controller):
    out = []
    add = lambda line: out.append("[%s] %s" % (name, line))
    # The extent of the values: the last row and column holding one.
    last_row = last_column = 0
    cells = sheet.queryContentCells(1 | 2 | 4 | 16)  # values, dates, strings, formulas
    for address in cells.RangeAddresses:
        last_row = max(last_row, address.EndRow + 1)
        last_column = max(last_column, address.EndColumn + 1)
    add("extent %d %d" % (last_row, last_column))
    add("box %d %d" % (box_rows, box_columns))
    names = ("CharHeight", "CharHeightAsian", "CharWeight", "CharWeightAsian", "IsTextWrapped", "CharColor",
             "CellBackColor", "LeftBorder", "TopBorder", "RightBorder", "BottomBorder", "HoriJustify", "VertJustify",
             "ShrinkToFit")
    grid = {}
    for row in range(box_rows + 2):
        for column in range(box_columns + 2):
            cell = sheet.getCellByPosition(column, row)
            grid[row, column] = (cell, cell.getPropertyValues(names))
    for row in range(box_rows):
        for column in range(box_columns):
            cell, p = grid[row, column]
            size = number(round(p[0], 2)) if p[0] == p[1] else "%s/%s" % (number(round(p[0], 2)), number(round(p[1], 2)))
            bold = int(p[2] > 100)
            if (p[3] > 100) != (p[2] > 100):
                bold = "%d/%d" % (p[2] > 100, p[3] > 100)

            def edge(own, other):
                return int(line_drawn(own) or (other is not None and line_drawn(other)))
            left = edge(p[7], grid[row, column - 1][1][9] if column > 0 else None)
            top = edge(p[8], grid[row - 1, column][1][10] if row > 0 else None)
            right = edge(p[9], grid[row, column + 1][1][7])
            bottom = edge(p[10], grid[row + 1, column][1][8])
            font = "auto" if p[5] == -1 else hexcolour(p[5])
            fill = "none" if p[6] == -1 else hexcolour(p[6])
            add("cell %d,%d %s | size %s bold %s wrap %d shrink %d font %s fill %s borders %d%d%d%d h %s v %s" % (
                row + 1, column + 1, reader.value(cell), size, bold, int(p[4]), int(p[13]), font, fill, left, top, right, bottom,
                HORIZONTAL.get(uno_enum(p[11]), "?"), VERTICAL.get(p[12], "?")))
    for row in range(box_rows):
        add("row %d height %s" % (row + 1, points(sheet.Rows.getByIndex(row).Height, 2)))
    for column in range(box_columns):
        add("column %d width %d" % (column + 1, column_pixels(sheet.Columns.getByIndex(column).Width, reader.digit)))
    merges = []
    for row in range(box_rows):
        for column in range(box_columns):
            cell = grid[row, column][0]
            if cell.getIsMerged():
                cursor = sheet.createCursorByRange(cell)
                cursor.collapseToMergedArea()
                a = cursor.RangeAddress
                merges.append("merge %d,%d:%d,%d" % (a.StartRow + 1, a.StartColumn + 1, a.EndRow + 1, a.EndColumn + 1))
    for m in sorted(merges):
        add(m)
    if active:
        if controller.hasFrozenPanes():
            add("frozen %d %d" % frozen_split(controller, sheet))
        else:
            add("frozen none")
        first, last = controller.getByIndex(0), controller.getByIndex(controller.getCount() - 1)
        add("view from %d %d, scrolling from %d %d" % (
            first.getFirstVisibleRow() + 1, first.getFirstVisibleColumn() + 1,
            last.getFirstVisibleRow() + 1, last.getFirstVisibleColumn() + 1))
    if sheet.PrintTitleRows:
        t = sheet.TitleRows
        add("titles '$%d:$%d'" % (t.StartRow + 1, t.EndRow + 1))
    else:
        add("titles ''")
    style = reader.doc.StyleFamilies.getByName("PageStyles").getByName(sheet.PageStyle)
    top = style.TopMargin + (style.HeaderHeight if style.HeaderIsOn else 0)
    bottom = style.BottomMargin + (style.FooterHeight if style.FooterIsOn else 0)
    header = style.TopMargin if style.HeaderIsOn else 0
    footer = style.BottomMargin if style.FooterIsOn else 0
    size = style.Size
    # LibreOffice keeps sizes in twips: A4 reads back 21001 wide.
    w, l = min(size.Width, size.Height), max(size.Width, size.Height)
    paper = next((code for (pw, pl), code in PAPERS.items() if abs(pw - w) <= 100 and abs(pl - l) <= 100), 256)
    zoom = "fit" if (style.ScaleToPagesX or style.ScaleToPagesY or style.ScaleToPages) else str(style.PageScale)
    add("page margins %s %s %s %s %s %s orientation %d paper %d zoom %s centred %d footer '%s'" % (
        points(top, 1), points(bottom, 1), points(style.LeftMargin, 1), points(style.RightMargin, 1),
        points(header, 1), points(footer, 1), 2 if style.IsLandscape else 1, paper, zoom,
        int(style.CenterHorizontally), footer_codes(style) if style.FooterIsOn else ""))
    page = reader.doc.DrawPages.getByIndex(sheet.RangeAddress.Sheet)
    edges = column_edges(sheet, reader.digit) if page.Count else []
    for i in range(page.Count):
        shape = page.getByIndex(i)
        anchor = shape.Anchor
        placement = "free" if anchor.supportsService("com.sun.star.sheet.Spreadsheet") else (
            "size" if shape.ResizeWithCell else "move")
        pos = shape.Position
        add("shape %d '%s' %s %s bold %d at %d,%d colour %s transparency %d line %d placement %s" % (
            i + 1, one_line(shape.String), shape.CharFontNameAsian, number(round(shape.CharHeightAsian, 2)),
            int(shape.CharWeight > 100), round(desktop_x(edges, pos.X)), round(pos.Y * 72 / 2540),
            hexcolour(shape.CharColor), shape.CharTransparence, int(shape.LineStyle.value != "NONE"), placement))
    return out


def uno_enum(value):
    order = ("STANDARD", "LEFT", "CENTER", "RIGHT", "BLOCK", "REPEAT")
    return order.index(value.value) if hasattr(value, "value") else value


def footer_codes(style):
    text = style.RightPageFooterContent.CenterText
    codes = []
    for paragraph in iterate(text):
        for portion in iterate(paragraph):
            if portion.TextPortionType == "TextField":
                field = portion.TextField
                if field.supportsService("com.sun.star.text.TextField.PageNumber"):
                    codes.append("&P")
                    continue
                if field.supportsService("com.sun.star.text.TextField.PageCount"):
                    codes.append("&N")
                    continue
            codes.append(portion.String.replace("&", "&&"))
    return "".join(codes)


def iterate(access):
    e = access.createEnumeration()
    while e.hasMoreElements():
        yield e.nextElement()


def document_facts(doc, boxes, default_palette):
    """`boxes`: sheet name -> (rows, columns) of the cells to compare."""
    reader = Reader(doc)
    sheets = doc.Sheets
    lines = ["sheets " + " ".join(sheets.ElementNames)]
    controller = doc.CurrentController
    active = controller.ActiveSheet.Name
    lines.append("active " + active)
    palette = reader.palette() or default_palette
    for i in range(56):
        lines.append("palette %d %s" % (i + 1, palette[i]))
    for name in sheets.ElementNames:
        sheet = sheets.getByName(name)
        if name == "DTB":
            for row in range(10):
                for column in range(30):
                    cell = sheet.getCellByPosition(column, row)
                    if cell.Type != EMPTY:
                        lines.append("[DTB] %d,%d %s" % (row + 1, column + 1, reader.value(cell)))
        if name in GENERATED:
            rows, columns = boxes.get(name, (0, 0))
            lines += sheet_facts(reader, sheet, name, name == active, rows, columns, controller)
    return lines
