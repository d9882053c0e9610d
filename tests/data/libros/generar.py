#!/usr/bin/python3
"""Writes the small workbooks the reader tests open, one per input format.

Each holds a sheet "Piezas" (header row, then pieces) and a second sheet "Otra". Run from
this folder: /usr/bin/python3 generar.py (needs python3-openpyxl and python3-xlwt).
"""
import csv
import datetime
import zipfile

import openpyxl
import xlwt

CABECERA = ["Largo", "Ancho", "Cantidad", "Desc1", "Desc2"]
FILAS = [[600, 400, 10, "Puerta", "Roble"],
         [300.5, 250, 4, "Estante", None],
         [1200, 100, 2, "Zócalo", "ñandú"]]


def xlsx():
    libro = openpyxl.Workbook()
    hoja = libro.active
    hoja.title = "Piezas"
    hoja.append(CABECERA)
    for f in FILAS:
        hoja.append(f)
    # Row 5: a formula, a date, a boolean: the import must show them as a user would see them.
    hoja.append(["=A2*2", datetime.date(2026, 12, 7), True, "x", None])
    libro.create_sheet("Otra")["A1"] = "nada"
    libro.save("piezas.xlsx")


def xls():
    libro = xlwt.Workbook(encoding="utf-8")
    hoja = libro.add_sheet("Piezas")
    for c, t in enumerate(CABECERA):
        hoja.write(0, c, t)
    for r, f in enumerate(FILAS, start=1):
        for c, v in enumerate(f):
            if v is not None:
                hoja.write(r, c, v)
    libro.add_sheet("Otra").write(0, 0, "nada")
    libro.save("piezas.xls")


def celda_ods(v):
    if v is None:
        return "<table:table-cell/>"
    if isinstance(v, (int, float)):
        return ('<table:table-cell office:value-type="float" office:value="%s">'
                "<text:p>%s</text:p></table:table-cell>" % (v, v))
    return ('<table:table-cell office:value-type="string"><text:p>%s</text:p>'
            "</table:table-cell>" % v)


def ods():
    filas = [CABECERA] + FILAS
    tabla = "".join("<table:table-row>%s</table:table-row>" % "".join(celda_ods(v) for v in f)
                    for f in filas)
    contenido = (
        '<?xml version="1.0" encoding="UTF-8"?>'
        '<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"'
        ' xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"'
        ' xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.2">'
        "<office:body><office:spreadsheet>"
        '<table:table table:name="Piezas">%s</table:table>'
        '<table:table table:name="Otra"><table:table-row>%s</table:table-row></table:table>'
        "</office:spreadsheet></office:body></office:document-content>"
        % (tabla, celda_ods("nada")))
    manifiesto = (
        '<?xml version="1.0" encoding="UTF-8"?>'
        '<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0"'
        ' manifest:version="1.2">'
        '<manifest:file-entry manifest:full-path="/"'
        ' manifest:media-type="application/vnd.oasis.opendocument.spreadsheet"/>'
        '<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>'
        "</manifest:manifest>")
    with zipfile.ZipFile("piezas.ods", "w") as z:
        z.writestr(zipfile.ZipInfo("mimetype"), "application/vnd.oasis.opendocument.spreadsheet")
        z.writestr("META-INF/manifest.xml", manifiesto, zipfile.ZIP_DEFLATED)
        z.writestr("content.xml", contenido, zipfile.ZIP_DEFLATED)


def csv_():
    with open("piezas.csv", "w", newline="", encoding="utf-8") as f:
        w = csv.writer(f)
        w.writerow(CABECERA)
        for fila in FILAS:
            w.writerow(["" if v is None else v for v in fila])


if __name__ == "__main__":
    xlsx()
    xls()
    ods()
    csv_()
