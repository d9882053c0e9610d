// Importing rows of a worksheet: the row range a user's End+Down gives, the mapping of fields,
// the count line, stopping, and the job window as the owner that appends the rows through
// the typing rule. Sheets are held in memory; the readers have their own tests.

#include "document/CImportacion.h"
#include "document/CEdicionLanzamiento.h"
#include "document/CHojaCalculo.h"
#include "document/CImportacionGrilla.h"
#include "document/CLanzamiento.h"
#include "document/UExcepciones.h"
#include "document/UTextos.h"
#include "support/RutasPrueba.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {

using Filas = std::vector<std::vector<std::string>>;

// Rows from 1; "" is an empty cell.
class CHojaMemoria : public CHojaCalculo {
public:
    explicit CHojaMemoria(const std::vector<std::vector<std::string>>& filas) {
        for (std::size_t f = 0; f < filas.size(); ++f) {
            for (std::size_t c = 0; c < filas[f].size(); ++c) {
                if (!filas[f][c].empty()) {
                    FCeldas[{static_cast<int>(f) + 1, static_cast<int>(c) + 1}] = filas[f][c];
                    FFilas = std::max(FFilas, static_cast<int>(f) + 1);
                    FColumnas = std::max(FColumnas, static_cast<int>(c) + 1);
                }
            }
        }
    }
    std::string Nombre() const override { return "Hoja1"; }
    int Filas() const override { return FFilas; }
    int Columnas() const override { return FColumnas; }
    std::optional<std::string> Celda(int f, int c) const override {
        const auto it = FCeldas.find({f, c});
        return it == FCeldas.end() ? std::nullopt : std::optional<std::string>(it->second);
    }

private:
    std::map<std::pair<int, int>, std::string> FCeldas;
    int FFilas = 0;
    int FColumnas = 0;
};

// Column A of a sheet: "x" filled, "" empty; the last row moving down from A1.
struct CasoUltimaFila {
    const char* Nombre;
    std::vector<std::string> ColumnaA;
    int Esperada;
};

class UltimaFila : public ::testing::TestWithParam<CasoUltimaFila> {};

TEST_P(UltimaFila, ComoFinAbajoDesdeA1) {
    std::vector<std::vector<std::string>> filas;
    for (const auto& a : GetParam().ColumnaA) {
        filas.push_back({a, "b"});
    }
    EXPECT_EQ(CImportacion::UltimaFila(CHojaMemoria(filas)), GetParam().Esperada);
}

INSTANTIATE_TEST_SUITE_P(
    Importacion, UltimaFila,
    ::testing::Values(CasoUltimaFila{"BloqueCompleto", {"x", "x", "x", "x"}, 4},
                      CasoUltimaFila{"HuecoTerminaElBloque", {"x", "x", "", "x", "x"}, 2},
                      CasoUltimaFila{"A2VaciaSaltaAlSiguiente", {"x", "", "", "x", "x"}, 4},
                      CasoUltimaFila{"A1VaciaSaltaAlPrimero", {"", "", "x", "x"}, 3},
                      CasoUltimaFila{"ColumnaVaciaHastaLaUltimaFila", {"", "", "", ""}, 4},
                      CasoUltimaFila{"SoloA1", {"x", "", ""}, 3}),
    [](const auto& i) { return std::string(i.param.Nombre); });

TEST(Importacion, LetrasYNumerosDeColumna) {
    EXPECT_EQ(CImportacion::NumeroColumna("A"), 1);
    EXPECT_EQ(CImportacion::NumeroColumna("az"), 52);
    EXPECT_EQ(CImportacion::NumeroColumna("XFD"), 16384);
    EXPECT_EQ(CImportacion::NumeroColumna("XFE"), 0);
    EXPECT_EQ(CImportacion::NumeroColumna("A1"), 0);
    EXPECT_EQ(CImportacion::NumeroColumna(""), 0);
    for (int c = 1; c <= 800; ++c) {
        ASSERT_EQ(CImportacion::NumeroColumna(CImportacion::LetrasColumna(c)), c);
    }
}

TEST(Importacion, EncabezadoYTotalDeDiez) {
    std::vector<std::vector<std::string>> filas = {{"Cantidad", "x", " largo ", "Nada"}};
    for (int i = 0; i < 10; ++i) {
        filas.push_back({std::to_string(i), "", std::to_string(100 + i), ""});
    }
    const CHojaMemoria hoja(filas);
    CImportacion imp;
    imp.AgregarCampo("Largo", "A", "");
    imp.AgregarCampo("Cantidad", "C", "");
    imp.AgregarCampo("Desc1", "D", "");
    imp.MapearEncabezados(hoja);
    EXPECT_EQ(imp.Campo(0).Columna, "C");
    EXPECT_EQ(imp.Campo(1).Columna, "A");
    EXPECT_EQ(imp.Campo(2).Columna, "");

    std::vector<std::string> largos;
    std::vector<std::string> lineas;
    imp.OnRegistro = [&](const TValoresFila& v, int campos, int fila) {
        EXPECT_EQ(campos, 3);
        EXPECT_FALSE(v[2].has_value());
        largos.push_back(*v[0] + "@" + std::to_string(fila));
        imp.AnotarCorrecto();
    };
    imp.OnProgreso = [&](const RProgresoImportacion& p) {
        lineas.push_back(CImportacion::LineaCuenta(p));
    };
    EXPECT_EQ(imp.Transferir(hoja, true), "");
    ASSERT_EQ(largos.size(), 10u);
    EXPECT_EQ(largos.front(), "100@2");
    EXPECT_EQ(largos.back(), "109@11");
    EXPECT_EQ(lineas.back(), "Transferidos 10 de 10  OK 10  Erróneos 0");
}

TEST(Importacion, CampoNuloFrenteAConstante) {
    const CHojaMemoria hoja(Filas{{"1", "2"}, {"3", "4"}});
    CImportacion imp;
    imp.AgregarCampo("Largo", "A", "");
    imp.AgregarCampo("Desc1", "", "");
    imp.AgregarCampo("Desc2", "", "Roble");
    imp.AgregarCampo("Ancho", "b", "ignorada");
    std::vector<TValoresFila> filas;
    imp.OnRegistro = [&](const TValoresFila& v, int, int) { filas.push_back(v); };
    imp.Transferir(hoja, false);
    ASSERT_EQ(filas.size(), 2u);
    for (const auto& v : filas) {
        EXPECT_FALSE(v[1].has_value());
        EXPECT_EQ(v[2], "Roble");
    }
    EXPECT_EQ(filas[1][3], "4");
}

TEST(Importacion, DetenerTerminaTrasLaFilaActualYLlamaDespues) {
    std::vector<std::vector<std::string>> filas(20, {"1"});
    const CHojaMemoria hoja(filas);
    CImportacion imp;
    imp.AgregarCampo("Largo", "A", "");
    int registros = 0;
    int eventos = 0;
    bool despues = false;
    imp.OnRegistro = [&](const TValoresFila&, int, int) { ++registros; };
    imp.OnEventos = [&] {
        ++eventos;
        imp.Detener(); // the user presses the stop button while events run
    };
    imp.OnDespues = [&] { despues = true; };
    EXPECT_EQ(imp.Transferir(hoja, false), "");
    EXPECT_EQ(registros, 5);
    EXPECT_EQ(eventos, 1);
    EXPECT_TRUE(despues);
}

TEST(Importacion, ColumnasIncorrectasSeRechazanAntesDeLaPrimeraFila) {
    const CHojaMemoria hoja(Filas{{"1", "2"}});
    for (const char* columna : {"A1", "ÑA", "XFE", "ZZZZ", "1"}) {
        CImportacion imp;
        imp.AgregarCampo("Largo", columna, "");
        bool antes = false;
        bool despues = false;
        imp.OnAntes = [&] { antes = true; };
        imp.OnDespues = [&] { despues = true; };
        const std::string fallo = imp.Transferir(hoja, false);
        EXPECT_NE(fallo.find("Largo"), std::string::npos) << fallo;
        EXPECT_FALSE(antes);
        EXPECT_TRUE(despues);
    }
}

TEST(Importacion, CeldaDemasiadoLargaRechazaSuFila) {
    const CHojaMemoria hoja(Filas{{"1", std::string(32768, 'x')}, {"2", std::string(32767, 'x')}});
    CImportacion imp;
    imp.AgregarCampo("Largo", "A", "");
    imp.AgregarCampo("Desc1", "B", "");
    int registros = 0;
    imp.OnRegistro = [&](const TValoresFila&, int, int) { ++registros; };
    imp.Transferir(hoja, false);
    EXPECT_EQ(registros, 1);
    ASSERT_EQ(imp.Errores().size(), 1u);
    EXPECT_EQ(imp.Errores()[0].Fila, 1);
    EXPECT_NE(imp.Errores()[0].Descripcion.find("B1"), std::string::npos);
}

// The job window as the owner, on a job with 2 pieces.
struct Importador {
    rutas::CCarpetaTemporal carpeta;
    std::unique_ptr<CEdicionLanzamiento> e;
    CImportacion imp;
    int respuesta = Respuesta::Si;

    Importador() {
        const auto ruta = carpeta / "trabajo.lan";
        std::filesystem::copy_file(rutas::DatosPrueba("con-patrones.lan"), ruta);
        e = std::make_unique<CEdicionLanzamiento>(
            std::make_unique<CLanzamiento>(ruta.string(), ROpciones{}));
        e->LeerDelLanzamiento();
    }
    std::string Importar(const CHojaMemoria& hoja, TGrilla g = TGrilla::Piezas) {
        CImportacionGrilla dueno(*e, g, imp,
                                 [this](const std::string&, int, bool) { return respuesta; });
        return imp.Transferir(hoja, true);
    }
};

TEST(ImportacionGrilla, AnadeLasFilasYAnotaLasRechazadas) {
    Importador t;
    const CHojaMemoria hoja(Filas{{"Largo", "Ancho", "Cantidad", "Desc1", "Desc2"},
                                  {"0700", "500", "3", "Lateral", "Pino"},
                                  {"abc", "500", "3", "", ""},
                                  {"800", "", "70000", "", ""},
                                  {"900", "450", "2.5", "", ""},
                                  {"1000", "400", "", "Fondo", ""}});
    EXPECT_EQ(t.Importar(hoja), "");
    const CGrilla& g = t.e->Grilla(TGrilla::Piezas);
    // Rows 1-2 were the job's; the accepted ones and the half-assigned rejected ones follow.
    EXPECT_EQ(g.Celda(3, 1), "700");
    EXPECT_EQ(g.Celda(3, 5), "Pino");
    EXPECT_EQ(t.imp.Correctos(), 2);
    ASSERT_EQ(t.imp.Erroneos(), 3);
    EXPECT_EQ(t.imp.Errores()[0].Fila, 3);
    EXPECT_EQ(t.imp.Errores()[1].Fila, 4);
    EXPECT_EQ(t.imp.Errores()[2].Fila, 5);
    EXPECT_NE(t.imp.Errores()[1].Descripcion.find(Textos::ExcedeMaximo), std::string::npos);
    EXPECT_EQ(g.Celda(g.Filas() - 1, 4), "Fondo");
    EXPECT_FALSE(t.e->Lanzamiento().Guardado());
}

TEST(ImportacionGrilla, RespuestaNoNoCambiaNada) {
    Importador t;
    t.respuesta = Respuesta::No;
    const CGrilla antes = t.e->Grilla(TGrilla::Materiales);
    EXPECT_EQ(t.Importar(CHojaMemoria(Filas{{"Largo"}, {"100"}}), TGrilla::Materiales), "");
    EXPECT_EQ(t.e->Grilla(TGrilla::Materiales), antes);
    EXPECT_EQ(t.imp.Correctos(), 0);
}

} // namespace
