// Rows, summary and growth series of the benchmark runner.

#include "CConstructorTrabajo.h"
#include "CFilaResultado.h"
#include "CPlanMedicion.h"
#include "CResumen.h"
#include "CSerieCrecimiento.h"
#include "CTrabajoMuebles.h"
#include "document/ROpciones.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

namespace {

RResultado FilaAleatoria(std::mt19937& g) {
    auto real = [&]() {
        const double x = static_cast<double>(g() % 1000000) / 7.0;
        return g() % 5 == 0 ? NAN : x;
    };
    RResultado r;
    r.Familia = "hojas";
    r.Grupo = "gcut";
    r.Instancia = "gcut" + std::to_string(g() % 12) + "d";
    r.Variante = "2 etapas, con giro";
    r.Estado = g() % 2 ? "ok" : "error";
    r.Motivo = "texto con \"comillas\"\ty tabulador";
    r.Cuenta = g() % 2 == 0;
    r.Lp = real();
    r.TechoLp = real();
    r.Defecto = real();
    r.AreaFaltanteDefecto = real();
    r.Exceso = real();
    r.Objetivo = real();
    r.Nivel = static_cast<int>(g() % 4);
    r.VariantesTeorico = g();
    r.VariantesCompletar = g() % 100;
    r.Patrones = static_cast<int>(g() % 50);
    r.PatronesCompletar = static_cast<int>(g() % 5);
    r.Mejor = real();
    r.Cota = real();
    r.Gap = real();
    r.Segundos = real();
    r.MemoriaKb = g();
    r.PatronesValidos = g() % 2 == 0;
    r.PedidoCumplido = g() % 2 == 0;
    return r;
}

bool MismoReal(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) ||
           std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(a));
}

TEST(FilaResultado, RowsSurviveThePipeFromTheChild) {
    std::mt19937 g(7);
    for (int i = 0; i < 200; ++i) {
        const RResultado a = FilaAleatoria(g);
        const auto b = CFilaResultado::Deserializar(CFilaResultado::Serializar(a));
        ASSERT_TRUE(b);
        EXPECT_EQ(a.Instancia, b->Instancia);
        EXPECT_EQ(a.Variante, b->Variante);
        EXPECT_EQ(a.Estado, b->Estado);
        EXPECT_EQ(b->Motivo, "texto con \"comillas\" y tabulador");
        EXPECT_EQ(a.Cuenta, b->Cuenta);
        EXPECT_TRUE(MismoReal(a.Lp, b->Lp));
        EXPECT_TRUE(MismoReal(a.Objetivo, b->Objetivo));
        EXPECT_TRUE(MismoReal(a.Gap, b->Gap));
        EXPECT_TRUE(MismoReal(a.Segundos, b->Segundos));
        EXPECT_EQ(a.VariantesTeorico, b->VariantesTeorico);
        EXPECT_EQ(a.MemoriaKb, b->MemoriaKb);
        EXPECT_EQ(a.PatronesValidos, b->PatronesValidos);
        EXPECT_EQ(a.PedidoCumplido, b->PedidoCumplido);
    }
    // A truncated answer is not a row.
    const std::string linea = CFilaResultado::Serializar(FilaAleatoria(g));
    EXPECT_FALSE(CFilaResultado::Deserializar(linea.substr(0, linea.rfind('\t'))));
    EXPECT_FALSE(CFilaResultado::Deserializar(""));
}

TEST(FilaResultado, CsvRowsReadBackForANewSummary) {
    std::mt19937 g(11);
    for (int i = 0; i < 100; ++i) {
        const RResultado a = FilaAleatoria(g);
        const auto b = CFilaResultado::DesdeCsv(CFilaResultado::Csv(a));
        ASSERT_TRUE(b);
        EXPECT_EQ(a.Variante, b->Variante);
        EXPECT_EQ(a.Motivo, b->Motivo);
        EXPECT_TRUE(MismoReal(a.Objetivo, b->Objetivo));
        EXPECT_TRUE(MismoReal(a.Cota, b->Cota));
        EXPECT_EQ(a.PatronesCompletar, b->PatronesCompletar);
    }
    EXPECT_FALSE(CFilaResultado::DesdeCsv("a,b,c"));
    // Fields with commas or quotes are quoted; one cell per column.
    RResultado r;
    r.Variante = "a, b";
    r.Motivo = "dice \"no\"";
    const std::string fila = CFilaResultado::Csv(r);
    EXPECT_NE(fila.find("\"a, b\""), std::string::npos);
    EXPECT_NE(fila.find("\"dice \"\"no\"\"\""), std::string::npos);
    const std::string cabecera = CFilaResultado::CabeceraCsv();
    EXPECT_EQ(std::count(cabecera.begin(), cabecera.end(), ','), 30);
}

TEST(Resumen, RunDataAndGrowthFilesReadBack) {
    RDatosEjecucion d;
    d.Fecha = "2026-12-06 20:00 UTC";
    d.Commit = "abc123";
    d.Maquina = "2 núcleos, CPU";
    d.Conjunto = "rápido (--rapido), 2 ejecuciones a la vez";
    d.Compilacion = "Release";
    d.LimiteSegundos = 30;
    d.SegundosTotales = 612.5;
    d.MemoriaBaseKb = 4400;
    std::stringstream t;
    CResumen::EscribirDatos(t, d);
    const RDatosEjecucion e = CResumen::LeerDatos(t);
    EXPECT_EQ(e.Fecha, d.Fecha);
    EXPECT_EQ(e.Maquina, d.Maquina);
    EXPECT_EQ(e.Conjunto, d.Conjunto);
    EXPECT_EQ(e.LimiteSegundos, 30);
    EXPECT_EQ(e.SegundosTotales, 612.5);
    EXPECT_EQ(e.MemoriaBaseKb, 4400);

    std::istringstream serie("precision,tipos,piezas,estado,segundos,segundos_cpu,"
                             "segundos_teorico,memoria_pico_kb,hojas,lp,variantes\n"
                             "0,10,55,ok,0.149,0.14,0.112,5734,5,4.229,60\n"
                             "1,40,249,tiempo,30.06,29.2,–,16588,,,0\n"
                             "roto\n");
    const auto puntos = CResumen::LeerCrecimiento(serie);
    ASSERT_EQ(puntos.size(), 2u);
    EXPECT_EQ(puntos[0].Tipos, 10);
    EXPECT_DOUBLE_EQ(puntos[0].SegundosTeorico, 0.112);
    EXPECT_EQ(puntos[1].Estado, "tiempo");
    EXPECT_TRUE(std::isnan(puntos[1].Objetivo));
    EXPECT_TRUE(std::isnan(puntos[1].SegundosTeorico));
}

TEST(Resumen, FitsTheGrowthExponent) {
    std::vector<RPuntoCrecimiento> puntos;
    for (int n : {10, 20, 40, 80}) {
        RPuntoCrecimiento p;
        p.Precision = 0;
        p.Tipos = n;
        p.Estado = "ok";
        p.Segundos = 0.003 * n * n;
        puntos.push_back(p);
        p.Precision = 1;
        p.Segundos = 0.5 * std::pow(n, 1.5);
        puntos.push_back(p);
    }
    RPuntoCrecimiento agotado;
    agotado.Precision = 1;
    agotado.Tipos = 160;
    agotado.Estado = "tiempo";
    agotado.Segundos = 900;
    puntos.push_back(agotado);
    EXPECT_NEAR(CResumen::ExponenteCrecimiento(puntos, 0), 2.0, 1e-9);
    EXPECT_NEAR(CResumen::ExponenteCrecimiento(puntos, 1), 1.5, 1e-9);
    EXPECT_TRUE(std::isnan(CResumen::ExponenteCrecimiento(puntos, 2)));
    // Points without the measure asked for are left out, not taken as zero.
    EXPECT_TRUE(
        std::isnan(CResumen::ExponenteCrecimiento(puntos, 0, &RPuntoCrecimiento::SegundosCpu)));
}

TEST(Resumen, CountsRowsThatReachTheBestKnownValue) {
    std::vector<RResultado> filas(3);
    for (auto& f : filas) {
        f.Familia = "clases";
        f.Variante = "3 etapas";
        f.Estado = "ok";
        f.Mejor = 10;
    }
    filas[0].Objetivo = 10;
    filas[0].Gap = 0;
    filas[1].Objetivo = 11;
    filas[1].Gap = 10;
    filas[2].Estado = "error";
    std::ostringstream s;
    CResumen::Escribir(s, {}, filas, {});
    EXPECT_NE(s.str().find("| clases | 3 etapas | 3 | 0 | 1 | 1 / 2 | 5.000 | 10.000 |"),
              std::string::npos)
        << s.str();
}

TEST(SerieCrecimiento, SameSeedSameJobsAndTheDecimalStaysBelowTheWholeSize) {
    for (int n : CSerieCrecimiento::Tamanos()) {
        const RInstancia a = CSerieCrecimiento::Generar(n, 0);
        const RInstancia b = CSerieCrecimiento::Generar(n, 0);
        const RInstancia d = CSerieCrecimiento::Generar(n, 1);
        ASSERT_EQ(a.Piezas.size(), static_cast<std::size_t>(n));
        ASSERT_EQ(d.Piezas.size(), a.Piezas.size());
        EXPECT_EQ(d.Materiales[0].Largo, 24400);
        EXPECT_EQ(d.Materiales[0].Ancho, 12200);
        for (std::size_t i = 0; i < a.Piezas.size(); ++i) {
            EXPECT_EQ(a.Piezas[i].Largo, b.Piezas[i].Largo);
            EXPECT_LE(a.Piezas[i].Largo, 1220);
            EXPECT_LE(a.Piezas[i].Ancho, 610);
            EXPECT_GT(d.Piezas[i].Largo, a.Piezas[i].Largo * 10 - 10);
            EXPECT_LE(d.Piezas[i].Largo, a.Piezas[i].Largo * 10);
            EXPECT_EQ(d.Piezas[i].Cantidad, a.Piezas[i].Cantidad);
        }
    }
}

// The cabinet jobs reach the calculation with their workshop options, and turning stays off
// when the variant does not ask for it.
TEST(TrabajoMuebles, LasOpcionesDelTallerLleganAlTrabajo) {
    const RInstancia m = CTrabajoMuebles::Generar(31);
    ASSERT_EQ(m.Piezas.size(), 31U);
    const ROpciones o = CConstructorTrabajo::Opciones(m, CPlanMedicion::VariantesMuebles()[1]);
    EXPECT_TRUE(o.ChequearAnchoCorte && o.ChequearMargenes && o.ChequearSobranteMinimo);
    EXPECT_EQ(o.AnchoCorte, 4);
    EXPECT_EQ(o.MargenInf, 10);
    EXPECT_EQ(o.SobranteMinimo, 20);
    EXPECT_EQ(o.NivelOptimizacionFinal, 2);
    EXPECT_TRUE(o.RotarPiezas);
    EXPECT_EQ(o.PiezasRotadas, m.PiezasRotadas);
    EXPECT_FALSE(m.PiezasRotadas.empty());
    RVariante sinGiro = CPlanMedicion::VariantesMuebles()[0];
    sinGiro.Rotar = false;
    EXPECT_FALSE(CConstructorTrabajo::Opciones(m, sinGiro).RotarPiezas);
}

} // namespace
