"""Prints, as JSON, per worksheet of a workbook the cells its pictures are anchored at and
the heights (in points) of the rows that have one set. The anchors are read from the
drawing parts themselves, which openpyxl keeps only when an imaging library is present."""
import json
import posixpath
import sys
import zipfile
import xml.etree.ElementTree as ET

from openpyxl import load_workbook
from openpyxl.utils import get_column_letter

REL = "{http://schemas.openxmlformats.org/package/2006/relationships}Relationship"
DRAWING = "{http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing}"
MAIN = "{http://schemas.openxmlformats.org/spreadsheetml/2006/main}"
OFFICE_REL = "{http://schemas.openxmlformats.org/officeDocument/2006/relationships}id"


def targets(archive, part):
    folder, name = posixpath.split(part)
    rels = posixpath.join(folder, "_rels", name + ".rels")
    if rels not in archive.namelist():
        return {}
    root = ET.fromstring(archive.read(rels))
    return {r.get("Id"): posixpath.normpath(posixpath.join(folder, r.get("Target"))) for r in root.iter(REL)}


def anchors(archive, sheet_part):
    found = []
    for target in targets(archive, sheet_part).values():
        if "drawings/" not in target or not target.endswith(".xml"):
            continue
        root = ET.fromstring(archive.read(target))
        for start in root.iter(DRAWING + "from"):
            col = int(start.find(DRAWING + "col").text)
            row = int(start.find(DRAWING + "row").text)
            found.append(get_column_letter(col + 1) + str(row + 1))
    return found


def main(path):
    wb = load_workbook(path)
    result = {}
    with zipfile.ZipFile(path) as archive:
        sheet_parts = targets(archive, "xl/workbook.xml")
        book = ET.fromstring(archive.read("xl/workbook.xml"))
        for sheet in book.iter(MAIN + "sheet"):
            ws = wb[sheet.get("name")]
            heights = {str(row): dim.ht for row, dim in ws.row_dimensions.items() if dim.ht is not None}
            result[sheet.get("name")] = {"images": anchors(archive, sheet_parts[sheet.get(OFFICE_REL)]),
                                         "rowHeights": heights}
    json.dump(result, sys.stdout)


if __name__ == "__main__":
    main(sys.argv[1])
