// Whole calculations on the bundled example jobs and on generated ones: whatever the
// heuristics decide, a finished plan keeps the stock, meets the order whenever it reports no
// unfulfilled piece, and every pattern passes the geometric validator.

#include "engine/CCalculo.h"

#include "document/CLanzamiento.h"
#include "engine/CSolucion.h"
#include "engine/CVistaCalculo.h"
#include "patterns/CPatron.h"
#include "support/CConstructorLanzamiento.h"
#include "support/RutasPrueba.h"
#include "support/ValidadorPatron.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

class CVistaMuda : public CVistaCalculo {
public:
    void MarcarFaseTeorica() override {}
    void HabilitarForzar() override {}
    void ProcesarMensajes() override {}
    void MostrarNivel(std::int32_t, const std::string&) override {}
    void MostrarVariantes(int, const std::string&) override {}
    void MostrarAprovechamiento(int, const std::string&) override {}
    void MostrarConsumoTeorico(const std::vector<std::string>&) override {}
    void MostrarConsumoReal(const std::vector<std::string>&) override {}
    void MarcarFaseRedondeo() override {}
    void MarcarFaseCompletamiento(const std::string&) override {}
    void MarcarFaseHecha(int, const std::string&) override {}
    void MostrarProceso(int, const std::string&) override {}
    void MostrarPedidoIncumplido(const std::string&) override {}
    void MostrarMaximoProgreso(std::int32_t) override {}
    void MostrarProgreso(std::int32_t) override {}
};

std::vector<int> Lista(const std::string& texto) {
    std::vector<int> numeros;
    std::stringstream s(texto);
    std::string item;
    while (std::getline(s, item, ',')) {
        numeros.push_back(std::stoi(item));
    }
    return numeros;
}

// Runs the calculation and checks the plan it leaves in the job.
void CalcularYComprobar(CLanzamiento& job, const std::string& nombre) {
    CVistaMuda vista;
    CCalculo c(job, vista);
    c.Iniciar();
    c.Esperar();
    c.CalculoTerminado();
    ASSERT_EQ(c.MensajeError(), "") << nombre;
    const CSolucion& s = job.Solucion();
    ASSERT_EQ(s.Modo(), CSolucion::ModoFinal);
    for (int m = 1; m <= job.CantidadMateriales(); ++m) {
        if (job.CantidadMaterial(m) > 0) {
            EXPECT_LE(s.HojasMaterial(m), job.CantidadMaterial(m)) << nombre << " material " << m;
        }
    }
    const std::vector<int> incumplidas = Lista(c.PiezasIncumplidas());
    for (int i = 1; i <= job.CantidadPiezas(); ++i) {
        if (!job.PiezaActiva(i)) {
            continue;
        }
        const bool incumplida =
            std::find(incumplidas.begin(), incumplidas.end(), i) != incumplidas.end();
        EXPECT_EQ(s.ProduccionPieza(i) < job.CantidadPieza(i), incumplida)
            << nombre << " piece " << i;
    }
    for (int k = 1; k <= s.Cantidad(); ++k) {
        ASSERT_NE(s.Patron(k), nullptr) << nombre;
        const auto problemas = validacion::ValidarPatron(*s.Patron(k));
        EXPECT_TRUE(problemas.empty()) << nombre << " pattern " << k << "\n"
                                       << validacion::Texto(problemas) << "\n"
                                       << s.Patron(k)->ATexto();
    }
}

class EjemploTest : public ::testing::TestWithParam<const char*> {};

TEST_P(EjemploTest, PlanValido) {
    CLanzamiento job(rutas::Raiz(std::string("examples/") + GetParam()).string(),
                     OpcionesPorDefecto());
    ASSERT_GT(job.CantidadPiezas(), 0);
    CalcularYComprobar(job, GetParam());
    EXPECT_GT(job.Solucion().Cantidad(), 0);
}

INSTANTIATE_TEST_SUITE_P(Ejemplos, EjemploTest,
                         ::testing::Values("cocina.lan", "barras.lan", "pies.lan"));

TEST(CalculoGeneradoTest, PlanesValidosEnTrabajosAlAzar) {
    std::mt19937 azar(2026);
    for (int caso = 0; caso < 20; ++caso) {
        CConstructorLanzamiento b;
        ROpciones& o = b.Opciones;
        o.Barras = caso % 4 == 1;
        o.AnchoCorte = static_cast<int>(azar() % 5);
        o.ChequearAnchoCorte = o.AnchoCorte > 0;
        o.SobranteMinimo = static_cast<int>(azar() % 40);
        o.ChequearSobranteMinimo = azar() % 2 == 0;
        o.NivelCorte = 2 + static_cast<int>(azar() % 3);
        o.ChequearNivelCorte = azar() % 3 == 0;
        o.RotarPiezas = azar() % 2 == 0;
        o.CorteMaximo = 500 + static_cast<int>(azar() % 700);
        o.ChequearCorteMaximo = azar() % 2 == 0;
        o.CriterioRedondeo = 1 + static_cast<int>(azar() % 2);
        o.PreferirVariosMateriales = azar() % 2 == 0;
        o.NivelOptimizacionInicial = 1;
        o.NivelOptimizacionFinal = 1 + static_cast<int>(azar() % 2);
        const int piezas = 2 + static_cast<int>(azar() % 5);
        for (int i = 0; i < piezas; ++i) {
            b.Pieza(60 + static_cast<int>(azar() % 400), 40 + static_cast<int>(azar() % 300),
                    1 + static_cast<int>(azar() % 15), azar() % 7 != 0);
        }
        b.Pieza(120, 90, 3); // at least one active piece
        b.Material(1200, 800, caso % 3 == 0 ? 2 : 0);
        b.Material(900, 600, static_cast<int>(azar() % 4));
        auto job = b.Crear();
        CalcularYComprobar(*job, "case " + std::to_string(caso));
    }
}

} // namespace
