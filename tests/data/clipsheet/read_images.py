"""Prints, as JSON, per worksheet of a workbook the cells its pictures are anchored at and
the heights (in points) of the rows that have one set."""
import json
import sys

from openpyxl import load_workbook
from openpyxl.utils import get_column_letter


def sheet_images(ws):
    anchors = []
    for image in ws._images:
        start = image.anchor._from
        anchors.append(get_column_letter(start.col + 1) + str(start.row + 1))
    heights = {str(row): dim.ht for row, dim in ws.row_dimensions.items() if dim.ht is not None}
    return {"images": anchors, "rowHeights": heights}


def main(path):
    wb = load_workbook(path)
    json.dump({ws.title: sheet_images(ws) for ws in wb.worksheets}, sys.stdout)


if __name__ == "__main__":
    main(sys.argv[1])
