"""Reads a report workbook with openpyxl and prints, as JSON, the sheet names, per sheet
every written cell (value, type and font) and the column widths, and how many pictures the
workbook holds."""
import json
import sys
import zipfile

from openpyxl import load_workbook
from openpyxl.utils import get_column_letter


def color(c):
    return c.rgb if c is not None and isinstance(c.rgb, str) else None


def sheet_info(ws):
    cells = {}
    for row in ws.iter_rows():
        for c in row:
            if c.value is None and not c.has_style:
                continue
            cells[c.coordinate] = {
                "value": c.value,
                "type": c.data_type,
                "bold": bool(c.font.b),
                "color": color(c.font.color),
                "font": c.font.name,
                "size": c.font.sz,
                "numberFormat": c.number_format,
                "horizontal": c.alignment.horizontal,
            }
    widths = {}
    for d in ws.column_dimensions.values():
        if d.min is None:
            continue
        for index in range(d.min, d.max + 1):
            widths[get_column_letter(index)] = d.width
    return {"cells": cells, "widths": widths, "maxRow": ws.max_row}


def main(path):
    wb = load_workbook(path)
    pictures = sum(name.startswith("xl/media/") for name in zipfile.ZipFile(path).namelist())
    json.dump({"sheets": wb.sheetnames, "worksheets": {ws.title: sheet_info(ws) for ws in wb.worksheets},
               "pictures": pictures}, sys.stdout)


if __name__ == "__main__":
    main(sys.argv[1])
