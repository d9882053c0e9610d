// The workbook export read back by the project's own reader: sheets in order, the
// generated-with line, titles and headers, the rows, bar-mode blanks, the progress count,
// and the round trip through the import (exported pieces come back as the job's pieces).
// tests/exchange/libro_openpyxl.py checks the same workbooks with an independent reader.

#include "exchange/CExportacionLibro.h"
#include "document/CEdicionLanzamiento.h"
#include "document/CImportacion.h"
#include "document/CImportacionGrilla.h"
#include "document/CLanzamiento.h"
#include "document/REntorno.h"
#include "document/UExcepciones.h"
#include "document/UTextos.h"
#include "exchange/CLectorLibros.h"
#include "support/RutasPrueba.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// Drawing the patterns needs fonts, so a GUI application (offscreen under ctest).
QGuiApplication& Aplicacion() {
    static int argc = 1;
    static char nombre[] = "test_exchange";
    static char* argv[] = {nombre, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

std::string Texto(const CHojaCalculo& h, int f, int c) {
    return h.Celda(f, c).value_or("");
}

struct Exportado {
    rutas::CCarpetaTemporal carpeta;
    std::unique_ptr<CEdicionLanzamiento> e;
    REntorno entorno = REntorno::PorDefecto(1280, 800, std::string());
    std::string ruta;
    int total = -1;
    int ultimo = 0;
    std::unique_ptr<CLibroCalculo> libro;

    Exportado(const std::string& origen, const RElementosLibro& elementos) {
        Aplicacion();
        const auto lan = carpeta / "trabajo.lan";
        fs::copy_file(rutas::DatosPrueba(origen), lan);
        e = std::make_unique<CEdicionLanzamiento>(
            std::make_unique<CLanzamiento>(lan.string(), ROpciones{}));
        e->LeerDelLanzamiento();
        ruta = (carpeta / "libro.xlsx").string();
        CExportacionLibro x(*e, entorno);
        x.OnTotal = [this](int n) { total = n; };
        x.OnAvance = [this](int i) {
            EXPECT_EQ(i, ultimo + 1);
            ultimo = i;
        };
        x.Exportar(ruta, elementos);
        libro = CLectorLibros::Abrir(ruta);
    }
    const CHojaCalculo& Hoja(const std::string& nombre) const {
        for (int i = 0; i < libro->Hojas(); ++i) {
            if (libro->Hoja(i).Nombre() == nombre) {
                return libro->Hoja(i);
            }
        }
        throw std::runtime_error("sin hoja " + nombre);
    }
};

RElementosLibro Todos() {
    return {true, true, true, true, true, true, true};
}

// The sheets' order, titles, headers, piece rows and totals, the only-pieces workbook and the
// bars' empty Y columns are read by openpyxl in libro_openpyxl.py; here what it leaves out.
TEST(ExportacionLibro, SieteHojasEnOrdenConTitulosYFilas) {
    Exportado x("con-patrones.lan", Todos());
    ASSERT_EQ(x.libro->Hojas(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(x.libro->Hoja(i).Nombre(), Textos::HojasLibro[i]);
    }
    EXPECT_EQ(Texto(x.Hoja("Piezas"), 4, 6), "10");
    EXPECT_EQ(Texto(x.Hoja("Materiales"), 2, 9), "Desp(%)");
    EXPECT_EQ(Texto(x.Hoja("Parámetros"), 2, 8), "Semiproductos Finales");
    EXPECT_EQ(Texto(x.Hoja("Parámetros"), 3, 14), "Distrib.");
    EXPECT_EQ(Texto(x.Hoja("Resultados"), 3, 8), "P1");
    EXPECT_EQ(Texto(x.Hoja("Coordenadas"), 2, 6), "Referencia");
    EXPECT_EQ(Texto(x.Hoja("Coordenadas"), 3, 1).rfind("Patrón 1", 0), 0u);
    // The progress reached its announced end, one step at a time.
    EXPECT_GT(x.total, 6);
    EXPECT_EQ(x.ultimo, x.total);
}

TEST(ExportacionLibro, BarrasDejanVaciasLasColumnasDeAncho) {
    Exportado x("reportes-barras.lan", Todos());
    const CHojaCalculo& p = x.Hoja("Parámetros");
    int semis = 0;
    for (int f = 5; f <= p.Filas(); ++f) {
        if (const auto d = p.Celda(f, 14)) {
            ++semis;
            EXPECT_EQ(d->find('x'), std::string::npos) << *d;
            for (const int col : {6, 10, 12, 16}) {
                EXPECT_FALSE(p.Celda(f, col).has_value()) << f << "," << col;
            }
        }
    }
    EXPECT_GT(semis, 0);
}

// Exported pieces imported into an empty job through the typing rule come back as they were.
TEST(ExportacionLibro, IdaYVueltaDePiezasYMateriales) {
    Exportado x("con-patrones.lan", {true, true, false, false, false, false, false});
    rutas::CCarpetaTemporal carpeta;
    const auto lan = carpeta / "vacio.lan";
    std::ofstream(lan) << "[Piezas]\nN=0\n[Materiales]\nN=0\n";
    CEdicionLanzamiento destino(std::make_unique<CLanzamiento>(lan.string(), ROpciones{}));
    destino.LeerDelLanzamiento();
    for (const TGrilla g : {TGrilla::Piezas, TGrilla::Materiales}) {
        CImportacion imp;
        CImportacionGrilla dueno(destino, g, imp, nullptr);
        const char* columnas[5] = {"B", "C", "F", "D", "E"};
        for (int i = 0; i < 5; ++i) {
            imp.AsignarColumna(i, columnas[i]);
        }
        const CHojaCalculo& hoja = x.Hoja(g == TGrilla::Piezas ? "Piezas" : "Materiales");
        EXPECT_EQ(imp.Transferir(hoja, false), "");
        // Only the header line is refused ("Largo" is no length); the range ends before the
        // total line, whose column A is empty.
        EXPECT_EQ(imp.Erroneos(), 1);
    }
    destino.GuardarGrillas();
    const CLanzamiento& a = x.e->Lanzamiento();
    const CLanzamiento& b = destino.Lanzamiento();
    ASSERT_EQ(b.CantidadPiezas(), a.CantidadPiezas());
    for (int i = 1; i <= a.CantidadPiezas(); ++i) {
        EXPECT_EQ(b.LargoPieza(i), a.LargoPieza(i));
        EXPECT_EQ(b.AnchoPieza(i), a.AnchoPieza(i));
        EXPECT_EQ(b.CantidadPieza(i), a.CantidadPieza(i));
        EXPECT_EQ(b.Desc1Pieza(i), a.Desc1Pieza(i));
        EXPECT_EQ(b.Desc2Pieza(i), a.Desc2Pieza(i));
    }
    // Materials come back but for the quantity: the sheet lists the sheets the plan uses.
    // Materials the plan does not use are left out (ExcluirMaterialesNulos).
    ASSERT_GE(b.CantidadMateriales(), 1);
    EXPECT_EQ(b.LargoMaterial(1), a.LargoMaterial(1));
    EXPECT_EQ(b.AnchoMaterial(1), a.AnchoMaterial(1));
    EXPECT_EQ(b.Desc2Material(1), a.Desc2Material(1));
}

TEST(ExportacionLibro, FalloAlEscribirNoDejaNada) {
    Aplicacion();
    rutas::CCarpetaTemporal carpeta;
    const auto lan = carpeta / "t.lan";
    fs::copy_file(rutas::DatosPrueba("con-patrones.lan"), lan);
    CEdicionLanzamiento e(std::make_unique<CLanzamiento>(lan.string(), ROpciones{}));
    e.LeerDelLanzamiento();
    const REntorno entorno = REntorno::PorDefecto(1280, 800, std::string());
    CExportacionLibro x(e, entorno);
    EXPECT_THROW(x.Exportar((carpeta / "no-existe" / "l.xlsx").string(), Todos()), EArchivo);
    EXPECT_EQ(std::distance(fs::directory_iterator(carpeta.Ruta()), fs::directory_iterator()), 1);
}

} // namespace
