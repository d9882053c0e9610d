// The rows of the printed reports against rows checked by hand on two small jobs:
// reportes.lan (sheets, five patterns, the last three cut no time) and reportes-barras.lan.
//
// Pattern 1 of reportes.lan, 2440 x 1220, no kerf:
//   +------------------------------------------+ 1220
//   | 4 x P2 (300x250) | offcut 1240 x 420     |
//   +------------------+-----------------------+ 800
//   | 4 x 2 P1 (600x400), 40 free at the right |
//   +------------------------------------------+ 0
// Pattern 2: P1 turned, 6 x 2 blocks of 400 x 600.

#include "engine/CFilasReporte.h"
#include "document/CLanzamiento.h"
#include "document/ROpciones.h"
#include "engine/CSolucion.h"
#include "support/RutasPrueba.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::unique_ptr<CLanzamiento> Abrir(const char* nombre) {
    return std::make_unique<CLanzamiento>(rutas::DatosPrueba(nombre).string(), ROpciones());
}

// "T:text" for a heading row, "cell|cell|..." for the others.
std::string Texto(const RFilaReporte& f) {
    if (f.Tipo == TFila::Titulo) {
        return "T:" + f.Texto;
    }
    std::string s;
    for (std::size_t i = 0; i < f.Celdas.size(); ++i) {
        s += (i ? "|" : "") + f.Celdas[i];
    }
    return s;
}

std::vector<std::string> Filas(const CLanzamiento& job, TReporte tipo, std::int32_t patron = 0) {
    CFilasReporte r(job, tipo, patron);
    std::vector<std::string> filas;
    for (const RFilaReporte& f : r.Todas()) {
        filas.push_back(Texto(f));
    }
    return filas;
}

void Opciones(CLanzamiento& job, bool patrones, bool materiales, bool piezas) {
    ROpciones o = job.Opciones();
    o.ExcluirPatronesNulos = patrones;
    o.ExcluirMaterialesNulos = materiales;
    o.ExcluirPiezasNulas = piezas;
    job.AsignarOpciones(o);
}

struct RCaso {
    const char* Nombre;
    const char* Archivo;
    TReporte Tipo;
    std::vector<std::string> Esperadas;
};

class FilasReporte : public testing::TestWithParam<RCaso> {};

TEST_P(FilasReporte, FilasComprobadasAMano) {
    const auto job = Abrir(GetParam().Archivo);
    EXPECT_EQ(Filas(*job, GetParam().Tipo, 2), GetParam().Esperadas);
}

INSTANTIATE_TEST_SUITE_P(
    Reportes, FilasReporte,
    testing::Values(
        RCaso{"Parametros",
              "reportes.lan",
              TReporte::Parametros,
              {"T: Patrón 1: 2440x1220 (x2)", "C1|800|420|P1|600|400|8|1|0|0|2440|800|P1|4x2|40|0",
               "C2|1200|1240|P2|300|250|4|2|0|800|1200|420|P2|4x1|0|170",
               "|||S1|1240|420||3|1200|800|1240|420|||1240|420", "T: Patrón 2: 2440x1220 (x1)",
               // The turned block: "*" on the leaf, the piece in its own orientation.
               "|||P1|600|400|12|1|0|0|2440|1220|P1*|6x2|40|20"}},
        RCaso{"ParametrosBarras",
              "reportes-barras.lan",
              TReporte::Parametros,
              {"T: Patrón 1: 1000 (x3)", "C1|600|400|P1|300||2|1|0||600||P1|2|0|",
               "|||S1|400|||2|600||400||||400|"}},
        RCaso{"CoordenadasBarras",
              "reportes-barras.lan",
              TReporte::Coordenadas,
              {"T: Patrón 1: 1000 (x3)", "1 |600 ||600 ||C1", "2 |300 ||300 ||P1"}},
        RCaso{"Datos",
              "reportes.lan",
              TReporte::Datos,
              {"|Materiales||||||", "1|Tablero|2440|1220|3|81.97|11.66|6.37",
               "|||Total|3|81.97|11.66|6.37", "|Piezas||||||", "1|Puerta|600|400|28|75.25||",
               "2|Estante|300|250|8|6.72||", "|||Total|36|||"}},
        RCaso{"SobrantesBarras",
              "reportes-barras.lan",
              TReporte::Sobrantes,
              {"T:Material 1000 Barra", "1|400||3"}},
        RCaso{"Tarjetas",
              "reportes.lan",
              TReporte::Patrones,
              {" Patrón # 1| Repetir: x2| Aprov: 74.58%| Dims: 2440x1220| Sobrante: 17.50%| "
               "Desp: 7.93%| Material: Tablero| Observ:|",
               " Patrón # 2| Repetir: x1| Aprov: 96.75%| Dims: 2440x1220| Sobrante: 0.00%| "
               "Desp: 3.25%| Material: Tablero| Observ:|"}},
        RCaso{"Detalle",
              "reportes.lan",
              TReporte::Detalle,
              {" Patrón # 2| Repetir: x1| Aprov: 96.75%| Dims: 2440x1220| Sobrante: 0.00%| "
               "Desp: 3.25%| Material: Tablero| Observ:|"}}),
    [](const auto& info) { return std::string(info.param.Nombre); });

TEST(FilasReporte, CoordenadasDelPatronDeLaFigura) {
    const auto job = Abrir("reportes.lan");
    const std::vector<std::string> f = Filas(*job, TReporte::Coordenadas);
    ASSERT_EQ(f.size(), 21u);
    EXPECT_EQ(f[1], "1 |0 |800 |2440 |800 |C1");
    EXPECT_EQ(f[2], "2 |600 |0 |600 |800 |P1");
    // The block of P1 fills its leaf's height, so no line on its top edge; the P2 block
    // leaves 170 above it, so its top line is there.
    EXPECT_EQ(f[6], "6 |0 |400 |2400 |400 |P1");
    EXPECT_EQ(f[7], "7 |1200 |800 |1200 |1220 |C2");
    EXPECT_EQ(f[11], "11 |0 |1050 |1200 |1050 |P2");
    EXPECT_EQ(f[12], "T: Patrón 2: 2440x1220 (x1)");
}

TEST(FilasReporte, PatronesNulosIncluidos) {
    const auto job = Abrir("reportes.lan");
    Opciones(*job, false, true, true);
    const std::vector<std::string> p = Filas(*job, TReporte::Parametros);
    // Pattern 3 is a single empty leaf: its heading with the count 0 and one semi-product.
    const std::vector<std::string> esperadas{"T: Patrón 3: 1830x915 (x0)",
                                             "|||S1|1830|915||1|0|0|1830|915|||1830|915"};
    EXPECT_EQ(std::vector<std::string>(p.begin() + 6, p.begin() + 8), esperadas);
    const std::vector<std::string> t = Filas(*job, TReporte::Patrones);
    ASSERT_EQ(t.size(), 5u);
    // Pattern 4 is filled by its pieces.
    EXPECT_NE(t[3].find("| Aprov: 100.00%|"), std::string::npos) << t[3];
    EXPECT_NE(t[3].find("| Desp: 0.00%|"), std::string::npos) << t[3];
    EXPECT_NE(t[3].find(" Repetir: x0|"), std::string::npos) << t[3];
    // Everything cut no time and excluded: no cards at all.
    for (std::int32_t k = 1; k <= 5; ++k) {
        job->Solucion().FijarRepActual(k, 0);
    }
    Opciones(*job, true, true, true);
    EXPECT_TRUE(Filas(*job, TReporte::Patrones).empty());
    EXPECT_TRUE(Filas(*job, TReporte::Coordenadas).empty());
}

TEST(FilasReporte, MaterialesYPiezasNulos) {
    const auto job = Abrir("reportes.lan");
    Opciones(*job, true, false, false);
    const std::vector<std::string> d = Filas(*job, TReporte::Datos);
    ASSERT_EQ(d.size(), 10u);
    EXPECT_EQ(d[2], "2|Resto|1830|915|0|0.00|0.00|0.00");
    EXPECT_EQ(d[8], "3|Zócalo|250|200|0|0.00||");
    EXPECT_EQ(CFilasReporte(*job, TReporte::Datos).TamanoProgreso(), 6);

    // Nothing produced: the "Piezas" title followed directly by a total of 0.
    for (std::int32_t k = 1; k <= 5; ++k) {
        job->Solucion().FijarRepActual(k, 0);
    }
    Opciones(*job, true, true, true);
    const std::vector<std::string> vacio{"|Materiales||||||", "|||Total|0|0.00|0.00|0.00",
                                         "|Piezas||||||", "|||Total|0|||"};
    EXPECT_EQ(Filas(*job, TReporte::Datos), vacio);
    EXPECT_EQ(CFilasReporte(*job, TReporte::Datos).TamanoProgreso(), 0);
}

TEST(FilasReporte, SobrantesAgrupadosPorMaterial) {
    const auto job = Abrir("reportes.lan");
    job->Solucion().FijarRepActual(3, 1);
    job->Solucion().FijarRepActual(5, 2);
    const std::vector<std::string> esperadas{"T:Material 2440x1220 Tablero", "1|1220|440|2",
                                             "2|1240|420|2", "T:Material 1830x915 Resto",
                                             "3|1830|915|1"};
    EXPECT_EQ(Filas(*job, TReporte::Sobrantes), esperadas);
}

TEST(FilasReporte, DetalleDeUnPatronInexistenteNoTieneFilas) {
    const auto job = Abrir("reportes.lan");
    EXPECT_TRUE(Filas(*job, TReporte::Detalle, 9).empty());
    EXPECT_TRUE(Filas(*job, TReporte::Detalle, 0).empty());
}

TEST(FilasReporte, TarjetasPorPaginaLimitadas) {
    ROpciones o;
    o.FilasReportePatrones = 0;
    o.ColumnasReportePatrones = 99;
    EXPECT_EQ(CFilasReporte::FilasTarjetas(o), 1);
    EXPECT_EQ(CFilasReporte::ColumnasTarjetas(o), 20);
}

// A page starts painting from a stored position: going there in any order gives the row
// the straight walk gave.
TEST(FilasReporte, PosicionesReanudanLasFilas) {
    const auto job = Abrir("reportes.lan");
    Opciones(*job, false, false, false);
    job->Solucion().FijarRepActual(5, 1);
    std::mt19937 azar(7);
    for (int t = 0; t < 6; ++t) {
        CFilasReporte r(*job, static_cast<TReporte>(t), 1);
        std::vector<RPosicionReporte> posiciones;
        std::vector<std::string> filas;
        for (RFilaReporte f;;) {
            const RPosicionReporte p = r.Posicion();
            if (!r.Siguiente(f)) {
                break;
            }
            posiciones.push_back(p);
            filas.push_back(Texto(f));
        }
        ASSERT_FALSE(filas.empty()) << t;
        // Laying out pages walks the same rows without their texts.
        r.Reiniciar();
        std::size_t n = 0;
        for (TFila tipo; r.Avanzar(tipo); ++n) {
            EXPECT_EQ(tipo == TFila::Titulo, filas[n].rfind("T:", 0) == 0) << t << " " << n;
        }
        EXPECT_EQ(n, filas.size()) << t;
        for (int n = 0; n < 20; ++n) {
            const std::size_t i = azar() % filas.size();
            r.IrA(posiciones[i]);
            RFilaReporte f;
            ASSERT_TRUE(r.Siguiente(f));
            EXPECT_EQ(Texto(f), filas[i]) << t << " " << i;
        }
    }
}

} // namespace
