"""Reads a workbook with openpyxl (and its zip parts with the standard library) and prints
what the facade tests check, as JSON on standard output."""
import datetime
import json
import posixpath
import sys
import zipfile
import xml.etree.ElementTree as ET

from openpyxl import load_workbook

NS = {
    "m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main",
    "r": "http://schemas.openxmlformats.org/officeDocument/2006/relationships",
    "rel": "http://schemas.openxmlformats.org/package/2006/relationships",
    "xdr": "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing",
    "a": "http://schemas.openxmlformats.org/drawingml/2006/main",
}
R_ID = "{%s}id" % NS["r"]
R_EMBED = "{%s}embed" % NS["r"]


def plain(value):
    if isinstance(value, (datetime.datetime, datetime.date, datetime.time)):
        return value.isoformat()
    return value


def color(c):
    return c.rgb if c is not None and isinstance(c.rgb, str) else None


def rich_text(tx):
    try:
        return "".join(r.t for p in tx.rich.p for r in (p.r or []))
    except AttributeError:
        return None


def chart_info(chart):
    series = []
    for s in chart.series:
        entry = {"values": None, "categories": None, "name": None}
        if s.val is not None and s.val.numRef is not None:
            entry["values"] = s.val.numRef.f
        if s.cat is not None:
            ref = s.cat.numRef or s.cat.strRef
            entry["categories"] = ref.f if ref is not None else None
        if s.tx is not None:
            entry["name"] = s.tx.strRef.f if s.tx.strRef is not None else s.tx.v
        series.append(entry)
    return {
        "type": chart.tagname,
        "title": rich_text(chart.title.tx) if chart.title is not None and chart.title.tx is not None else None,
        "series": series,
        "legend": chart.legend.position if chart.legend is not None else None,
        "xAxisDeleted": bool(getattr(chart, "x_axis", None) and chart.x_axis.delete),
        "yAxisDeleted": bool(getattr(chart, "y_axis", None) and chart.y_axis.delete),
    }


def relationships(archive, part):
    folder, name = posixpath.split(part)
    rels_name = posixpath.join(folder, "_rels", name + ".rels")
    if rels_name not in archive.namelist():
        return {}
    root = ET.fromstring(archive.read(rels_name))
    return {
        rel.get("Id"): posixpath.normpath(posixpath.join(folder, rel.get("Target")))
        for rel in root.findall("rel:Relationship", NS)
    }


def raw_parts(archive):
    """Per sheet name: the cells' type attribute and formula presence, and picture anchors."""
    workbook = ET.fromstring(archive.read("xl/workbook.xml"))
    targets = relationships(archive, "xl/workbook.xml")
    parts = {}
    for sheet in workbook.find("m:sheets", NS):
        part = targets[sheet.get(R_ID)]
        root = ET.fromstring(archive.read(part))
        cells = {}
        for c in root.iter("{%s}c" % NS["m"]):
            cells[c.get("r")] = {"t": c.get("t"), "formula": c.find("m:f", NS) is not None}
        pictures = []
        sheet_rels = relationships(archive, part)
        for drawing in root.findall("m:drawing", NS):
            drawing_part = sheet_rels[drawing.get(R_ID)]
            drawing_rels = relationships(archive, drawing_part)
            for anchor in ET.fromstring(archive.read(drawing_part)):
                blip = anchor.find(".//a:blip", NS)
                start = anchor.find("xdr:from", NS)
                end = anchor.find("xdr:to", NS)
                if blip is None or start is None:
                    continue
                pictures.append({
                    "row": int(start.find("xdr:row", NS).text),
                    "col": int(start.find("xdr:col", NS).text),
                    "toRow": int(end.find("xdr:row", NS).text) if end is not None else None,
                    "toRowOffset": int(end.find("xdr:rowOff", NS).text) if end is not None else None,
                    "media": drawing_rels[blip.get(R_EMBED)],
                })
        parts[sheet.get("name")] = {"cells": cells, "pictures": pictures}
    return parts


def worksheet_info(ws):
    cells = {}
    for row in ws.iter_rows():
        for c in row:
            if c.value is None and not c.has_style and c.comment is None:
                continue
            cells[c.coordinate] = {
                "value": plain(c.value),
                "type": c.data_type,
                "font": {"name": c.font.name, "bold": bool(c.font.b), "italic": bool(c.font.i),
                         "size": c.font.sz, "color": color(c.font.color)},
                "numberFormat": c.number_format,
                "horizontal": c.alignment.horizontal,
                "vertical": c.alignment.vertical,
                "rotation": c.alignment.textRotation,
                "shrink": bool(c.alignment.shrink_to_fit),
                "fill": color(c.fill.fgColor) if c.fill.fill_type else None,
                "border": {"left": c.border.left.style, "right": c.border.right.style,
                           "top": c.border.top.style, "bottom": c.border.bottom.style,
                           "color": color(c.border.left.color)},
                "comment": c.comment.text if c.comment is not None else None,
                "hyperlink": c.hyperlink.target if c.hyperlink is not None else None,
            }
    return {
        "cells": cells,
        "columns": [{"min": d.min, "max": d.max, "width": d.width, "hidden": bool(d.hidden)}
                    for d in ws.column_dimensions.values() if d.min is not None],
        "rows": {str(r): {"height": d.ht, "hidden": bool(d.hidden)}
                 for r, d in ws.row_dimensions.items() if d.ht is not None or d.hidden},
        "merged": sorted(str(r) for r in ws.merged_cells.ranges),
        "tables": {name: {"ref": t.ref, "totalsRowCount": t.totalsRowCount,
                          "style": t.tableStyleInfo.name if t.tableStyleInfo is not None else None,
                          "columns": [[c.name, c.totalsRowFunction] for c in t.tableColumns]}
                   for name, t in ((t.displayName, t) for t in ws.tables.values())},
        "autoFilter": ws.auto_filter.ref,
        "printArea": ws.print_area,
        "tabColor": color(ws.sheet_properties.tabColor),
        "state": ws.sheet_state,
        "selected": bool(ws.sheet_view.tabSelected),
        "showGridLines": ws.sheet_view.showGridLines is not False,
        "printGridLines": bool(ws.print_options.gridLines),
        "showZeros": ws.sheet_view.showZeros,
        "paper": ws.page_setup.paperSize,
        "defaultRowHeight": ws.sheet_format.defaultRowHeight,
        "zeroHeight": bool(ws.sheet_format.zeroHeight),
        "charts": [chart_info(c) for c in ws._charts],
    }


def chartsheet_info(cs):
    view = cs.sheetViews.sheetView[0] if cs.sheetViews is not None and cs.sheetViews.sheetView else None
    return {
        "state": cs.sheet_state,
        "zoom": view.zoomScale if view is not None else None,
        "selected": bool(view.tabSelected) if view is not None else False,
        "protected": cs.sheetProtection is not None and bool(cs.sheetProtection.content),
        "paper": cs.pageSetup.paperSize if cs.pageSetup is not None else None,
        "orientation": cs.pageSetup.orientation if cs.pageSetup is not None else None,
        "header": cs.headerFooter.oddHeader.center.text if cs.headerFooter is not None and cs.headerFooter.oddHeader.center is not None else None,
        "charts": [chart_info(c) for c in cs._charts],
    }


def main(path):
    wb = load_workbook(path)
    with zipfile.ZipFile(path) as archive:
        raw = raw_parts(archive)
    out = {
        "sheetNames": wb.sheetnames,
        "active": wb.active.title if wb.active is not None else None,
        "worksheets": {ws.title: worksheet_info(ws) for ws in wb.worksheets},
        "chartsheets": {cs.title: chartsheet_info(cs) for cs in wb.chartsheets},
        "raw": raw,
    }
    json.dump(out, sys.stdout)


if __name__ == "__main__":
    main(sys.argv[1])
