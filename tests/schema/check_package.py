#!/usr/bin/python3
"""Validates the XML parts of .xlsx/.xlsm packages against the ECMA-376
transitional schemas with jing.

    check_package.py SCHEMA_DIR PACKAGE...

Each part is matched to its schema by the content type the package gives
it; parts without a schema here (relationships, content types, core
properties, binary parts, VML) are listed as not checked. Markup
compatibility is applied first, as a consumer of the transitional schema
reads a part: alternate content by its fallback, ignorable namespaces
dropped. All parts of one
schema are validated in one jing run. The desktop host writes
xml:space="preserve" on text elements although the schemas leave it out of
simple-typed elements, so that one message is allowed. Exit status 0 when
every checked part is valid, 1 otherwise, 2 on bad usage."""
import io
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zipfile

# Content type (without the vendor prefix) -> schema file.
SCHEMAS = {
    "spreadsheetml.worksheet+xml": "SpreadsheetML_Worksheet.rnc",
    "spreadsheetml.sheet.main+xml": "SpreadsheetML_Workbook.rnc",
    "ms-excel.sheet.macroEnabled.main+xml": "SpreadsheetML_Workbook.rnc",
    "spreadsheetml.styles+xml": "SpreadsheetML_Styles.rnc",
    "spreadsheetml.sharedStrings+xml": "SpreadsheetML_Shared_String_Table.rnc",
    "spreadsheetml.calcChain+xml": "SpreadsheetML_Calculation_Chain.rnc",
    "spreadsheetml.comments+xml": "SpreadsheetML_Comments.rnc",
    "drawing+xml": "SpreadsheetML_Drawing.rnc",
    "drawingml.chart+xml": "DrawingML_Chart.rnc",
    "theme+xml": "DrawingML_Theme.rnc",
    "extended-properties+xml": "Shared_Extended_File_Properties.rnc",
    "custom-properties+xml": "Shared_Custom_File_Properties.rnc",
    # VML parts stay unchecked: VML_Drawing.rnc includes wml.rnc, which the
    # schema set does not carry, and the vml-*.rnc modules have no start.
}
MC = "http://schemas.openxmlformats.org/markup-compatibility/2006"
ALLOWED = ('attribute "xml:space"',)
TYPES_NS = "{http://schemas.openxmlformats.org/package/2006/content-types}"


def schema_of(content_type):
    short = content_type.split("vnd.openxmlformats-officedocument.")[-1].split("application/vnd.")[-1]
    return SCHEMAS.get(short)


def without_extensions(data):
    """A part as a consumer that knows none of the extensions reads it
    (markup compatibility): each mc:AlternateContent becomes its
    mc:Fallback, and elements and attributes of the namespaces the part
    declares ignorable are dropped."""
    if MC.encode() not in data:
        return data
    root = ET.fromstring(data)
    ignorable = set()
    prefixes = dict(ns_pair for _, ns_pair in ET.iterparse(io.BytesIO(data), events=["start-ns"]))
    for prefix in root.get(f"{{{MC}}}Ignorable", "").split():
        if prefix in prefixes:
            ignorable.add(prefixes[prefix])

    def ns(tag):
        return tag[1:].split("}")[0] if tag.startswith("{") else ""

    def clean(element):
        for name in list(element.attrib):
            if ns(name) in ignorable or ns(name) == MC:
                del element.attrib[name]
        children = []
        for child in element:
            if child.tag == f"{{{MC}}}AlternateContent":
                fallback = child.find(f"{{{MC}}}Fallback")
                children.extend(list(fallback) if fallback is not None else [])
            elif ns(child.tag) not in ignorable:
                children.append(child)
        element[:] = children
        for child in children:
            clean(child)

    clean(root)
    return ET.tostring(root, encoding="utf-8")


def content_types(package):
    root = ET.fromstring(package.read("[Content_Types].xml"))
    defaults = {d.get("Extension").lower(): d.get("ContentType") for d in root.iter(TYPES_NS + "Default")}
    overrides = {o.get("PartName").lstrip("/"): o.get("ContentType") for o in root.iter(TYPES_NS + "Override")}
    types = {}
    for name in package.namelist():
        if name.endswith("/"):
            continue
        types[name] = overrides.get(name) or defaults.get(name.rsplit(".", 1)[-1].lower(), "")
    return types


def main(argv):
    if len(argv) < 3:
        print(__doc__)
        return 2
    schema_dir, packages = argv[1], argv[2:]
    if not os.path.isfile(os.path.join(schema_dir, "SpreadsheetML_Worksheet.rnc")):
        print(f"no schemas in {schema_dir}")
        return 2
    by_schema = {}
    unchecked = set()
    with tempfile.TemporaryDirectory() as scratch:
        for n, path in enumerate(packages):
            with zipfile.ZipFile(path) as package:
                for name, ctype in content_types(package).items():
                    schema = schema_of(ctype)
                    if not schema:
                        unchecked.add(ctype or name)
                        continue
                    target = os.path.join(scratch, str(n), name)
                    os.makedirs(os.path.dirname(target), exist_ok=True)
                    with open(target, "wb") as out:
                        out.write(without_extensions(package.read(name)))
                    by_schema.setdefault(schema, []).append((target, f"{path}:{name}"))
        failures = 0
        for schema, parts in sorted(by_schema.items()):
            run = subprocess.run(["jing", "-c", os.path.join(schema_dir, schema)] + [p for p, _ in parts],
                                 capture_output=True, text=True, timeout=300)
            labels = dict(parts)
            for line in run.stdout.splitlines() + run.stderr.splitlines():
                # jing's launcher warns of optional jars it cannot find.
                if not line.strip() or line.startswith("[warning]") or any(a in line for a in ALLOWED):
                    continue
                file = line.split(":", 1)[0]
                print(f"{labels.get(file, file)}: {line.split(':', 3)[-1].strip()}  [{schema}]")
                failures += 1
        checked = sum(len(p) for p in by_schema.values())
        print(f"{checked} parts of {len(packages)} packages checked against {len(by_schema)} schemas; "
              f"not checked: {', '.join(sorted(unchecked)) or 'none'}")
        return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
