#!/usr/bin/python3
"""Reads the workbooks trazal-cli exportar writes with an independent reader (openpyxl).

Usage: libro_openpyxl.py TRAZAL_CLI DATOS_PRUEBA. Exit 77 (skipped) without openpyxl.
"""
import os
import subprocess
import sys
import tempfile
import zipfile

try:
    import openpyxl
except ImportError:
    sys.exit(77)

CLI, DATOS = sys.argv[1], sys.argv[2]
HOJAS = ["Piezas", "Materiales", "Patrones", "Resultados", "Parámetros", "Sobrantes",
         "Coordenadas"]
TODOS = "piezas,materiales,patrones,resultados,parametros,sobrantes,coordenadas"
fallos = []


def comprobar(condicion, texto):
    if not condicion:
        fallos.append(texto)


def exportar(lanzamiento, libro, elementos=None):
    orden = [CLI, "exportar", os.path.join(DATOS, lanzamiento), libro]
    if elementos:
        orden += ["--elementos", elementos]
    r = subprocess.run(orden, capture_output=True, text=True)
    comprobar(r.returncode == 0, "exportar %s: %s" % (lanzamiento, r.stderr))
    return openpyxl.load_workbook(libro)


with tempfile.TemporaryDirectory() as carpeta:
    libro = exportar("con-patrones.lan", os.path.join(carpeta, "todo.xlsx"), TODOS)
    comprobar(libro.sheetnames == HOJAS, "hojas: %s" % libro.sheetnames)

    p = libro["Piezas"]
    comprobar(p["A1"].value == "Libro de Excel generado con Trazal 4", "A1: %r" % p["A1"].value)
    comprobar(p["A1"].font.b, "A1 en negrita")
    comprobar("A2:G2" in [str(r) for r in p.merged_cells.ranges], "título combinado A2:G2")
    comprobar(p["A2"].value == "Piezas" and p["A2"].font.b, "título de Piezas")
    comprobar(p["A2"].alignment.horizontal == "center", "título centrado")
    comprobar(p["A2"].border.left.style == "medium", "título con borde")
    comprobar(p["A2"].fill.fgColor.rgb.endswith("A6CAF0"), "fondo del título: %s"
              % p["A2"].fill.fgColor.rgb)
    comprobar(p["A2"].font.color.rgb.endswith("000080"), "texto del título")
    comprobar([c.value for c in p[3]] == ["Id", "Largo", "Ancho", "Desc1", "Desc2", "Cantidad",
                                          "Aprov(%)"], "cabecera de Piezas: %s"
              % [c.value for c in p[3]])
    comprobar(p["A4"].value == 1 and p["B4"].value == "600" and p["D4"].value == "Puerta",
              "pieza 1: %r %r %r" % (p["A4"].value, p["B4"].value, p["D4"].value))
    comprobar(p["E6"].value == "Total" and p["E6"].font.b and p["F6"].value == 14,
              "total de Piezas")
    comprobar(p.column_dimensions["E"].width > 20, "columna E ensanchada")

    m = libro["Materiales"]
    comprobar(m["A1"].value == "Materiales", "sin línea generada en Materiales")
    comprobar("A1:I1" in [str(r) for r in m.merged_cells.ranges], "título de Materiales")

    par = libro["Parámetros"]
    rangos = [str(r) for r in par.merged_cells.ranges]
    for r in ("A1:P1", "A2:C2", "D2:G2", "H2:P2"):
        comprobar(r in rangos, "Parámetros combina %s: %s" % (r, rangos))

    pat = libro["Patrones"]
    # openpyxl keeps pictures only with Pillow: count them in the package itself.
    with zipfile.ZipFile(os.path.join(carpeta, "todo.xlsx")) as z:
        imagenes = [n for n in z.namelist() if n.startswith("xl/media/") and n.endswith(".png")]
        dibujos = [n for n in z.namelist() if n.startswith("xl/drawings/drawing")]
        anclas = z.read(dibujos[0]).decode().count("<xdr:pic>") if dibujos else 0
    comprobar(len(imagenes) == 2 and anclas == 2, "dos dibujos de patrón: %d %d"
              % (len(imagenes), anclas))
    comprobar(str(pat["A5"].value).startswith("Patrón 1"), "nombre del patrón: %r"
              % pat["A5"].value)

    res = libro["Resultados"]
    comprobar(res["A3"].value == "Patrón #" and res["H3"].value == "P1", "cabecera de Resultados")
    comprobar(res["A4"].value == "1", "primera fila de Resultados: %r" % res["A4"].value)

    solo = exportar("con-patrones.lan", os.path.join(carpeta, "solo.xlsx"), "piezas")
    comprobar(solo.sheetnames == ["Piezas"], "solo Piezas: %s" % solo.sheetnames)

    barras = exportar("reportes-barras.lan", os.path.join(carpeta, "barras.xlsx"), TODOS)
    c = barras["Coordenadas"]
    for fila in c.iter_rows(min_row=4):
        if fila[1].value is not None:
            comprobar(fila[2].value is None and fila[4].value is None,
                      "barras: Y vacías en la fila %d" % fila[0].row)

if fallos:
    print("\n".join(fallos))
    sys.exit(1)
print("libro leído con openpyxl: correcto")
