#include "engine/CPlanEntero.h"

#include "document/CLanzamiento.h"
#include "document/UExcepciones.h"
#include "engine/CControlCalculo.h"
#include "engine/CSolucion.h"
#include "generator/CMochila.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"
#include "support/CConstructorLanzamiento.h"
#include "support/ValidadorPatron.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace {

// A pattern whose sheet holds one block of `pieza` (rx x ry pieces of gross l x w) in its
// lower-left corner; the rest of the sheet is the block leaf's free band.
std::unique_ptr<CPatron> PatronBloque(const CLanzamiento& job, int material, int pieza, int l,
                                      int w, int rx, int ry) {
    auto p = CPatron::Create(job.CantidadPiezas(), material, &job);
    p->CrearRaiz(job.LargoMaterial(material), job.AnchoMaterial(material));
    CCorte* raiz = p->Raiz();
    raiz->SetPieza(pieza);
    raiz->SetLargoPz(l);
    raiz->SetAnchoPz(w);
    raiz->SetRepX(rx);
    raiz->SetRepY(ry);
    p->RecontarPiezas(job.CantidadPiezas());
    return p;
}

void FijarPlanes(CPatron& p, double x, int abajo, int arriba, int final = 0) {
    p.SetRepeticion(x);
    p.SetRepEntera(CSolucion::ModoPorDefecto, abajo);
    p.SetRepEntera(CSolucion::ModoPorExceso, arriba);
    p.SetRepEntera(CSolucion::ModoFinal, final);
}

std::int64_t Produccion(const CSolucion& s, int pieza, int modo) {
    std::int64_t total = 0;
    for (int k = 1; k <= s.Cantidad(); ++k) {
        if (const CPatron* p = s.Patron(k)) {
            if (static_cast<std::size_t>(pieza) < p->CantPorPieza().size()) {
                total += static_cast<std::int64_t>(p->CantPorPieza()[pieza]) * p->RepEntera(modo);
            }
        }
    }
    return total;
}

TEST(PlanEnteroTest, DesviacionConAmbosCriterios) {
    struct RCaso {
        int Criterio;
        int Kerf;
        double Esperada;
    };
    // Row 1: 100 x 100, 10 ordered, 8 produced; row 2: 300 x 200, 5 ordered, 7 produced.
    for (const RCaso& c :
         {RCaso{1, 0, 4.0 + 4.0}, RCaso{1, 5, 8.0}, RCaso{2, 0, 2.0 * 100 * 100 + 2.0 * 300 * 200},
          RCaso{0, 5, 2.0 * 105 * 105 + 2.0 * 305 * 205}}) {
        CConstructorLanzamiento b;
        b.Opciones.CriterioRedondeo = c.Criterio;
        b.Opciones.AnchoCorte = c.Kerf;
        b.Opciones.ChequearAnchoCorte = c.Kerf > 0;
        b.Pieza(100, 100, 10).Pieza(300, 200, 5).Material(1000, 1000);
        auto job = b.Crear();
        CMochila mochila(*job);
        CPlanEntero plan(mochila);
        EXPECT_DOUBLE_EQ(plan.Desviacion({0, 8, 7}), c.Esperada) << "criterion " << c.Criterio;
        EXPECT_DOUBLE_EQ(plan.Desviacion({0, 10, 5}), 0.0);
    }
}

// One piece per sheet, 10 ordered; the floor plan cuts 2 sheets. Another copy would bring
// the plan closer to the order, but only when a third sheet is in stock. A plan of whole
// repetitions stays as it is.
struct RCasoStock {
    int Stock;
    double Repeticion;
    int Abajo, Arriba, AbajoEsperado;
};

class StockRedondeoTest : public ::testing::TestWithParam<RCasoStock> {};

TEST_P(StockRedondeoTest, UnMaterialAgotadoNoGanaCopias) {
    const RCasoStock& caso = GetParam();
    CConstructorLanzamiento b;
    b.Pieza(100, 100, 10).Material(400, 100, caso.Stock);
    auto job = b.Crear();
    CMochila mochila(*job);
    CSolucion s;
    s.FijarPatron(1, PatronBloque(*job, 1, 1, 100, 100, 1, 1));
    FijarPlanes(*s.Patron(1), caso.Repeticion, caso.Abajo, caso.Arriba);
    CPlanEntero(mochila).AjustarSolucion(s);
    EXPECT_EQ(s.Patron(1)->RepEntera(CSolucion::ModoPorDefecto), caso.AbajoEsperado);
    if (caso.Abajo == caso.Arriba) {
        EXPECT_EQ(s.Patron(1)->RepEntera(CSolucion::ModoPorExceso), caso.Arriba);
    }
    EXPECT_EQ(s.Modo(), CSolucion::ModoPorExceso);
}

INSTANTIATE_TEST_SUITE_P(Casos, StockRedondeoTest,
                         ::testing::Values(RCasoStock{2, 2.5, 2, 3, 2}, RCasoStock{3, 2.5, 2, 3, 3},
                                           RCasoStock{0, 2.5, 2, 3, 3}, // 0 is unlimited
                                           RCasoStock{0, 10.0, 10, 10, 10}));

// Brute force over every floor (ceiling) plan the search may reach: its deviation must be the
// least of them.
TEST(PlanEnteroTest, RedondeoIgualAFuerzaBruta) {
    std::mt19937 azar(4242);
    for (int caso = 0; caso < 40; ++caso) {
        const int numPiezas = 1 + static_cast<int>(azar() % 3);
        const int numPatrones = 1 + static_cast<int>(azar() % 6);
        CConstructorLanzamiento b;
        b.Opciones.CriterioRedondeo = 1 + static_cast<int>(azar() % 2);
        std::vector<int> pedido(numPiezas + 1, 0);
        for (int i = 1; i <= numPiezas; ++i) {
            pedido[i] = 3 + static_cast<int>(azar() % 20);
            b.Pieza(10 * i, 10, pedido[i]);
        }
        const int stock = static_cast<int>(azar() % 8); // 0: unlimited
        b.Material(100, 100, stock);
        auto job = b.Crear();
        CMochila mochila(*job);
        CPlanEntero plan(mochila);
        CSolucion s;
        for (int k = 1; k <= numPatrones; ++k) {
            const int pieza = 1 + static_cast<int>(azar() % numPiezas);
            const int rx = 1 + static_cast<int>(azar() % (10 / pieza));
            s.FijarPatron(k, PatronBloque(*job, 1, pieza, 10 * pieza, 10, rx, 1));
            const int abajo = static_cast<int>(azar() % 3);
            FijarPlanes(*s.Patron(k), abajo + 0.5, abajo, abajo + 1);
        }
        // The candidate plans, on a copy of the counts taken before the search.
        std::vector<ACantidades> cantidades;
        std::vector<int> abajo0;
        std::vector<int> arriba0;
        for (int k = 1; k <= numPatrones; ++k) {
            cantidades.push_back(s.Patron(k)->CantPorPieza());
            cantidades.back().resize(static_cast<std::size_t>(numPiezas) + 1, 0);
            abajo0.push_back(s.Patron(k)->RepEntera(CSolucion::ModoPorDefecto));
            arriba0.push_back(s.Patron(k)->RepEntera(CSolucion::ModoPorExceso));
        }
        const int disponible = stock == 0 ? 65535 : stock;
        double mejorAbajo = 1e300;
        double mejorArriba = 1e300;
        for (int mascara = 0; mascara < (1 << numPatrones); ++mascara) {
            std::vector<std::int64_t> prodAbajo(numPiezas + 1, 0);
            std::vector<std::int64_t> prodArriba(numPiezas + 1, 0);
            std::vector<bool> tocadaAbajo(numPiezas + 1, false);
            std::vector<bool> tocadaArriba(numPiezas + 1, false);
            int hojas = 0;
            bool conAumento = false;
            bool arribaValido = true;
            for (int k = 0; k < numPatrones; ++k) {
                const bool cambia = (mascara >> k) & 1;
                hojas += abajo0[k] + (cambia ? 1 : 0);
                conAumento = conAumento || cambia;
                if (cambia && arriba0[k] == 0) {
                    arribaValido = false;
                }
                for (int i = 1; i <= numPiezas; ++i) {
                    prodAbajo[i] += cantidades[k][i] * (abajo0[k] + (cambia ? 1 : 0));
                    prodArriba[i] += cantidades[k][i] * (arriba0[k] - (cambia ? 1 : 0));
                    if (cambia && cantidades[k][i] > 0) {
                        tocadaAbajo[i] = true;
                        tocadaArriba[i] = true;
                    }
                }
            }
            bool abajoValido = !conAumento || hojas <= disponible;
            for (int i = 1; i <= numPiezas; ++i) {
                if (tocadaAbajo[i] && prodAbajo[i] > pedido[i]) {
                    abajoValido = false;
                }
                if (tocadaArriba[i] && prodArriba[i] < pedido[i]) {
                    arribaValido = false;
                }
            }
            if (abajoValido) {
                mejorAbajo = std::min(mejorAbajo, plan.Desviacion(prodAbajo));
            }
            if (arribaValido) {
                mejorArriba = std::min(mejorArriba, plan.Desviacion(prodArriba));
            }
        }
        CPlanEntero(mochila).AjustarSolucion(s);
        std::vector<std::int64_t> abajo(numPiezas + 1, 0);
        std::vector<std::int64_t> arriba(numPiezas + 1, 0);
        for (int i = 1; i <= numPiezas; ++i) {
            abajo[i] = Produccion(s, i, CSolucion::ModoPorDefecto);
            arriba[i] = Produccion(s, i, CSolucion::ModoPorExceso);
        }
        EXPECT_DOUBLE_EQ(plan.Desviacion(abajo), mejorAbajo) << "case " << caso;
        EXPECT_DOUBLE_EQ(plan.Desviacion(arriba), mejorArriba) << "case " << caso;
    }
}

TEST(PlanEnteroTest, ForzarTerminaLaPasadaConLoMejorEscrito) {
    CConstructorLanzamiento b;
    b.Pieza(100, 100, 10).Material(400, 100);
    auto job = b.Crear();
    CMochila mochila(*job);
    CControlCalculo control;
    job->AsignarCalculo(&control);
    control.Forzar = true;
    CSolucion s;
    s.FijarPatron(1, PatronBloque(*job, 1, 1, 100, 100, 1, 1));
    FijarPlanes(*s.Patron(1), 2.5, 2, 3);
    ASSERT_NO_THROW(CPlanEntero(mochila).AjustarSolucion(s));
    EXPECT_FALSE(control.Forzar.load());
    EXPECT_EQ(s.Patron(1)->RepEntera(CSolucion::ModoPorDefecto), 2);
    control.Cancelado = true;
    EXPECT_THROW(CPlanEntero(mochila).AjustarSolucion(s), ECalculoAbortado);
    job->AsignarCalculo(nullptr);
}

// Records the largest position the progress bar showed. Its clock either runs ten seconds per
// reading, so the bar never waits, or stands still, so the bar never leaves 0.
class CControlReloj : public CControlCalculo {
public:
    explicit CControlReloj(double paso) {
        FijarReloj([this, paso] { return Reloj += paso; });
    }
    double Reloj = 1000.0;
    std::int32_t MayorMostrada = 0;

protected:
    void MostrarProgreso() override { MayorMostrada = std::max(MayorMostrada, PosicionMostrada()); }
};

TEST(PlanEnteroTest, ElRedondeoParaPorPasosSeaCualSeaElReloj) {
    // 20 patterns that may each take one more copy or one less: 2^20 plans per pass, far more
    // than the budget. A fast and a frozen display give the same plans, and the bar follows
    // the steps up to its maximum.
    CConstructorLanzamiento b;
    b.Opciones.RotarPiezas = false;
    for (int i = 1; i <= 20; ++i) {
        b.Pieza(10 + i, 10, 1 + i % 3);
    }
    b.Material(100, 100);
    auto job = b.Crear();
    CMochila mochila(*job);
    std::vector<std::vector<std::int32_t>> planes;
    for (const double paso : {10.0, 0.0}) {
        CControlReloj control(paso);
        job->AsignarCalculo(&control);
        CSolucion s;
        for (int k = 1; k <= 20; ++k) {
            s.FijarPatron(k, PatronBloque(*job, 1, k, 10 + k, 10, 1 + k % 2, 1));
            FijarPlanes(*s.Patron(k), 0.5 + 0.02 * k, 0, 1);
        }
        CPlanEntero plan(mochila);
        plan.FijarPasosRedondeo(200000);
        plan.AjustarSolucion(s);
        std::vector<std::int32_t> reps;
        for (int k = 1; k <= s.Cantidad(); ++k) {
            const CPatron* p = s.Patron(k);
            const ACantidades& c = p->CantPorPieza();
            reps.push_back(static_cast<std::int32_t>(
                std::find_if(c.begin() + 1, c.end(), [](auto n) { return n > 0; }) - c.begin()));
            reps.push_back(p->RepEntera(CSolucion::ModoPorDefecto));
            reps.push_back(p->RepEntera(CSolucion::ModoPorExceso));
        }
        planes.push_back(reps);
        EXPECT_EQ(control.MayorMostrada, paso > 0.0 ? CPlanEntero::MaximoRedondeo : 0);
        EXPECT_FALSE(control.Forzar.load());
        job->AsignarCalculo(nullptr);
    }
    EXPECT_EQ(planes[0], planes[1]);
}

TEST(PlanEnteroTest, CompletarSinStockDevuelveFalso) {
    CConstructorLanzamiento b;
    b.Pieza(100, 100, 10).Material(400, 100, 2);
    auto job = b.Crear();
    CMochila mochila(*job);
    CSolucion s;
    s.FijarPatron(1, PatronBloque(*job, 1, 1, 100, 100, 1, 1));
    FijarPlanes(*s.Patron(1), 2.0, 2, 2, 2);
    EXPECT_FALSE(CPlanEntero(mochila).CompletarSolucion(s, false));
    EXPECT_EQ(s.Cantidad(), 1);
}

TEST(PlanEnteroTest, CompletarConInicioRellenaLosHuecos) {
    // Each sheet holds a 600 x 500 piece on the left and a 400 x 500 offcut; the four
    // missing 400 x 250 pieces fill the offcuts of both sheets.
    CConstructorLanzamiento b;
    b.Opciones.RotarPiezas = false;
    b.Pieza(600, 500, 2).Pieza(400, 250, 4).Material(1000, 500);
    auto job = b.Crear();
    CMochila mochila(*job);
    CSolucion s;
    auto p = CPatron::Create(job->CantidadPiezas(), 1, job.get());
    p->CrearRaiz(1000, 500);
    ASSERT_TRUE(p->Raiz()->CortarVertical(600));
    CCorte* izq = p->Raiz()->Hijo1();
    izq->SetPieza(1);
    izq->SetLargoPz(600);
    izq->SetAnchoPz(500);
    izq->SetRepX(1);
    izq->SetRepY(1);
    p->RecontarPiezas(job->CantidadPiezas());
    s.FijarPatron(1, std::move(p));
    FijarPlanes(*s.Patron(1), 2.0, 2, 2, 2);
    EXPECT_FALSE(CPlanEntero(mochila).CompletarSolucion(s, true));
    ASSERT_EQ(s.Cantidad(), 2);
    EXPECT_EQ(s.Patron(1)->RepEntera(CSolucion::ModoFinal), 0);
    const CPatron* copia = s.Patron(2);
    EXPECT_EQ(copia->RepEntera(CSolucion::ModoFinal), 2);
    EXPECT_EQ(copia->RepEntera(CSolucion::ModoPorDefecto), 0);
    EXPECT_EQ(copia->RepEntera(CSolucion::ModoPorExceso), 0);
    EXPECT_DOUBLE_EQ(copia->Repeticion(), 0.0);
    EXPECT_EQ(copia->CantPorPieza()[1], 1);
    EXPECT_EQ(copia->CantPorPieza()[2], 2);
    EXPECT_EQ(Produccion(s, 1, CSolucion::ModoFinal), 2);
    EXPECT_EQ(Produccion(s, 2, CSolucion::ModoFinal), 4);
    EXPECT_TRUE(validacion::ValidarPatron(*copia).empty())
        << validacion::Texto(validacion::ValidarPatron(*copia));
}

} // namespace
