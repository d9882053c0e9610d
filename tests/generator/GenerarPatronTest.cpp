// The pricing step on small jobs whose best pattern can be worked out by hand.

#include "AyudaMochila.h"

#include "document/UExcepciones.h"
#include "engine/CControlCalculo.h"
#include "support/CConstructorLanzamiento.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <tuple>
#include <vector>

using namespace prueba_mochila;

namespace {

AWord16 Posiciones(const CMochila& m, bool largo) {
    AWord16 pos;
    int num = 0;
    m.PosicionesCandidatas(largo, pos, num);
    pos.resize(static_cast<std::size_t>(num + 1));
    return pos;
}

} // namespace

// A single piece 60 long in a bar 100 long (no kerf, no constraints, level 1):
//
//   |<------ 60 ------>|<--- 40 --->|
//   [      piece 1     ]   leftover
TEST(GenerarPatron, PiezaDe60EnBarraDe100) {
    CConstructorLanzamiento c;
    c.Opciones.Barras = true;
    c.Pieza(60, 1, 5).Material(100, 1);
    auto job = c.Crear();
    CMochila m(*job);
    m.SetNivelOptimizacion(1);

    auto g = Generar(m, Duales({1.0}));
    ASSERT_TRUE(g.Patron);
    EXPECT_EQ(Posiciones(m, true), (AWord16{0, 60, 100}));
    EXPECT_EQ(g.Material, 1);
    EXPECT_DOUBLE_EQ(g.Costo, -1.0);
    const CCorte* raiz = g.Patron->Raiz();
    ASSERT_NE(raiz, nullptr);
    EXPECT_EQ(raiz->Dir(), 0);
    EXPECT_EQ(raiz->Pieza(), 1);
    EXPECT_EQ(raiz->Largo(), 100);
    EXPECT_EQ(raiz->Ancho(), 1);
    EXPECT_EQ(raiz->RepX(), 1);
    EXPECT_EQ(raiz->LibreX(), 40);
    EXPECT_EQ(g.Patron->CantPorPieza()[1], 1);
}

// Prices of 0 and below: only the first row of the sorted list stays a candidate (its size
// alone makes the positions), and as it is worth nothing no material gets a pattern.
TEST(GenerarPatron, PiezasSinValorNoDanPatron) {
    CConstructorLanzamiento c;
    c.Opciones.Barras = true;
    c.Pieza(30, 1, 5).Pieza(70, 1, 5).Material(100, 1);
    auto job = c.Crear();
    CMochila m(*job);
    m.SetNivelOptimizacion(1);

    AReal8 d = Completar(Duales({0.0, -1.0}), m);
    std::unique_ptr<CPatron> patron = CPatron::Create(2, 1, job.get());
    int material = -7;
    double costo = 0.0;
    m.GenerarPatron(d, patron, 1, material, costo);
    EXPECT_FALSE(patron);
    EXPECT_EQ(material, -7);
    EXPECT_EQ(costo, MaximoReal);
    EXPECT_EQ(Posiciones(m, true), (AWord16{0, 30, 60, 90, 100}));
}

// A piece no smaller in either dimension than a piece of higher price is never placed, even
// where it would fit better.
TEST(GenerarPatron, PiezaDominadaNuncaSeColoca) {
    CConstructorLanzamiento c;
    c.Pieza(40, 40, 9).Pieza(50, 50, 9).Material(150, 100);
    auto job = c.Crear();
    CMochila m(*job);
    for (int nivel = 1; nivel <= 3; ++nivel) {
        m.SetNivelOptimizacion(nivel);
        auto g = Generar(m, Duales({5.0, 4.9}));
        ASSERT_TRUE(g.Patron);
        EXPECT_EQ(g.Patron->CantPorPieza()[2], 0) << Arbol(*g.Patron);
        EXPECT_EQ(g.Patron->CantPorPieza()[1], 6) << Arbol(*g.Patron);
    }
}

// A maximum cut below every material width: no vertical cut is tried and a block filling
// the width with one piece is refused, unless it is the single exact piece.
TEST(GenerarPatron, CorteMaximoMenorQueElAncho) {
    CConstructorLanzamiento c;
    c.Opciones.RotarPiezas = false;
    c.Opciones.ChequearCorteMaximo = true;
    c.Opciones.CorteMaximo = 40;
    c.Pieza(20, 50, 9).Pieza(20, 25, 9).Material(100, 50);
    auto ancha = c.Crear();
    CMochila m(*ancha);
    for (int nivel = 1; nivel <= 3; ++nivel) {
        m.SetNivelOptimizacion(nivel);
        auto g = Generar(m, Duales({1.0, 1.0}));
        EXPECT_FALSE(g.Patron) << Arbol(*g.Patron);
    }

    CConstructorLanzamiento e;
    e.Opciones = c.Opciones;
    e.Pieza(20, 50, 9).Material(20, 50);
    auto exacta = e.Crear();
    CMochila me(*exacta);
    auto g = Generar(me, Duales({1.0}));
    ASSERT_TRUE(g.Patron);
    EXPECT_EQ(g.Patron->Raiz()->Dir(), 0);
    EXPECT_EQ(g.Patron->CantPorPieza()[1], 1);
}

// Stage limits on a 100 x 60 sheet. The best pattern needs two stages:
//
//   +-----------+------+
//   |           |  D   |  D 40x40 (4), C 40x20 (1.5), A 60x60 (10)
//   |     A     +------+
//   |           |  C   |
//   +-----------+------+
//
// With one stage the 40-wide strip can only be one block (three C: 4.5).
class NivelCorte : public testing::TestWithParam<std::tuple<int, double>> {};

TEST_P(NivelCorte, LimitaLasEtapas) {
    const auto [nivelCorte, esperado] = GetParam();
    CConstructorLanzamiento c;
    c.Opciones.RotarPiezas = false;
    c.Opciones.ChequearNivelCorte = nivelCorte > 0;
    c.Opciones.NivelCorte = nivelCorte;
    c.Pieza(60, 60, 9).Pieza(40, 40, 9).Pieza(40, 20, 9).Material(100, 60);
    auto job = c.Crear();
    CMochila m(*job);
    m.SetNivelOptimizacion(3);
    auto g = Generar(m, Duales({10.0, 4.0, 1.5}));
    ASSERT_TRUE(g.Patron);
    EXPECT_NEAR(-g.Costo, esperado, 1e-9) << Arbol(*g.Patron);
    if (nivelCorte > 0) {
        EXPECT_LE(validacion::EtapasDe(g.Patron->Raiz()), nivelCorte) << Arbol(*g.Patron);
    }
}

INSTANTIATE_TEST_SUITE_P(GenerarPatron, NivelCorte,
                         testing::Values(std::make_tuple(1, 14.5), std::make_tuple(2, 15.5),
                                         std::make_tuple(0, 15.5)));

// With NivelCorte 1 a pattern is one block or one cut into two blocks.
TEST(GenerarPatron, NivelCorteUnoEsUnCorteEntreBloques) {
    CConstructorLanzamiento c;
    c.Opciones.ChequearNivelCorte = true;
    c.Opciones.NivelCorte = 1;
    c.Pieza(30, 20, 9).Pieza(45, 35, 9).Pieza(25, 70, 9).Material(200, 100);
    auto job = c.Crear();
    CMochila m(*job);
    for (int nivel = 1; nivel <= 3; ++nivel) {
        m.SetNivelOptimizacion(nivel);
        auto g = Generar(m, Duales({6.0, 16.0, 17.0}));
        ASSERT_TRUE(g.Patron);
        const CCorte* raiz = g.Patron->Raiz();
        if (raiz->Dir() != 0) {
            for (const CCorte* parte : {raiz->Hijo1(), raiz->Hijo2()}) {
                ASSERT_NE(parte, nullptr);
                EXPECT_EQ(parte->Dir(), 0) << Arbol(*g.Patron);
            }
        }
    }
}

// Bars: the width positions are 0 and 1, no horizontal cut is ever made.
TEST(GenerarPatron, BarrasSoloCortesVerticales) {
    CConstructorLanzamiento c;
    c.Opciones.Barras = true;
    c.Pieza(230, 50, 9).Pieza(170, 80, 9).Pieza(95, 10, 9).Material(1000, 1).Material(620, 1);
    auto job = c.Crear();
    CMochila m(*job);
    for (int nivel = 1; nivel <= 3; ++nivel) {
        m.SetNivelOptimizacion(nivel);
        auto g = Generar(m, Duales({2.3, 1.8, 1.0}));
        ASSERT_TRUE(g.Patron);
        EXPECT_EQ(Posiciones(m, false), (AWord16{0, 1}));
        std::vector<const CCorte*> pila{g.Patron->Raiz()};
        while (!pila.empty()) {
            const CCorte* n = pila.back();
            pila.pop_back();
            ASSERT_NE(n, nullptr);
            EXPECT_NE(n->Dir(), -1) << Arbol(*g.Patron);
            EXPECT_EQ(n->Ancho(), 1);
            if (n->Dir() != 0) {
                pila.push_back(n->Hijo1());
                pila.push_back(n->Hijo2());
            }
        }
    }
}

// Equal values: the block found first (no cut) is kept against cuts of the same value.
//
//   [ B 50 | B 50 ]  rather than  [ A 25 | A 25 | B 50 ] or four A
TEST(GenerarPatron, ValorIgualSeQuedaElBloque) {
    CConstructorLanzamiento c;
    c.Opciones.Barras = true;
    c.Pieza(25, 1, 9).Pieza(50, 1, 9).Material(100, 1);
    auto job = c.Crear();
    CMochila m(*job);
    m.SetNivelOptimizacion(3);
    auto g = Generar(m, Duales({1.0, 2.0}));
    ASSERT_TRUE(g.Patron);
    const CCorte* raiz = g.Patron->Raiz();
    EXPECT_EQ(raiz->Dir(), 0) << Arbol(*g.Patron);
    EXPECT_EQ(raiz->Pieza(), 2);
    EXPECT_EQ(raiz->RepX(), 2);
}

// Equal values: fewer cuts replace more. In a bar of 100 with A 30 (3) and B 40 (4) the first
// cut tried is A | (A | B), 10 with two cuts; B | AA is worth the same with one cut and wins.
TEST(GenerarPatron, ValorIgualMenosCortesGana) {
    CConstructorLanzamiento c;
    c.Opciones.Barras = true;
    c.Pieza(30, 1, 9).Pieza(40, 1, 9).Material(100, 1);
    auto job = c.Crear();
    CMochila m(*job);
    m.SetNivelOptimizacion(3);
    auto g = Generar(m, Duales({3.0, 4.0}));
    ASSERT_TRUE(g.Patron);
    EXPECT_DOUBLE_EQ(g.Costo, -10.0);
    const CCorte* raiz = g.Patron->Raiz();
    ASSERT_EQ(raiz->Dir(), 1) << Arbol(*g.Patron);
    EXPECT_EQ(raiz->Hijo1()->Pieza(), 2) << Arbol(*g.Patron);
    EXPECT_EQ(raiz->Hijo1()->Largo(), 40);
    EXPECT_EQ(raiz->Hijo2()->Pieza(), 1) << Arbol(*g.Patron);
    EXPECT_EQ(raiz->Hijo2()->RepX(), 2);
}

// Leftovers beside pieces: none is always fine, 1..SobranteMinimo-1 never.
class Sobrante : public testing::TestWithParam<std::tuple<int, int, int>> {};

TEST_P(Sobrante, JuntoALasPiezas) {
    const auto [pieza, minimo, piezas] = GetParam();
    CConstructorLanzamiento c;
    c.Opciones.Barras = true;
    c.Opciones.ChequearSobranteMinimo = true;
    c.Opciones.SobranteMinimo = minimo;
    c.Pieza(pieza, 1, 99).Material(100, 1);
    auto job = c.Crear();
    CMochila m(*job);
    for (int nivel = 1; nivel <= 3; ++nivel) {
        m.SetNivelOptimizacion(nivel);
        auto g = Generar(m, Duales({1.0}));
        if (piezas == 0) {
            EXPECT_FALSE(g.Patron) << Arbol(*g.Patron);
            continue;
        }
        ASSERT_TRUE(g.Patron);
        EXPECT_EQ(g.Patron->CantPorPieza()[1], piezas) << Arbol(*g.Patron);
    }
}

INSTANTIATE_TEST_SUITE_P(GenerarPatron, Sobrante,
                         testing::Values(std::make_tuple(50, 10, 2),   // leftover 0
                                         std::make_tuple(45, 10, 2),   // leftover 10 = minimum
                                         std::make_tuple(45, 11, 1),   // 10 < 11: one piece, 55
                                         std::make_tuple(45, 15, 1),   //
                                         std::make_tuple(33, 1, 3),    // leftover 1 = minimum
                                         std::make_tuple(33, 2, 2),    // 1 < 2: two pieces, 34
                                         std::make_tuple(25, 99, 4),   // exact fill, any minimum
                                         std::make_tuple(30, 99, 0))); // no fill is possible

// Grip length: the leftover beside a row of pieces, or the last piece, must be at least the
// grip, except for a single piece that fills its rectangle exactly.
class Agarre : public testing::TestWithParam<std::tuple<int, int, int>> {};

TEST_P(Agarre, EnLaBarra) {
    const auto [pieza, agarre, piezas] = GetParam();
    CConstructorLanzamiento c;
    c.Opciones.Barras = true;
    c.Opciones.ChequearAgarre = true;
    c.Opciones.LongitudAgarre = agarre;
    c.Pieza(pieza, 1, 99).Material(100, 1);
    auto job = c.Crear();
    CMochila m(*job);
    for (int nivel = 1; nivel <= 3; ++nivel) {
        m.SetNivelOptimizacion(nivel);
        auto g = Generar(m, Duales({1.0}));
        ASSERT_TRUE(g.Patron);
        EXPECT_EQ(g.Patron->CantPorPieza()[1], piezas) << nivel << " " << Arbol(*g.Patron);
    }
}

INSTANTIATE_TEST_SUITE_P(GenerarPatron, Agarre,
                         testing::Values(std::make_tuple(30, 20, 3),   // 10 left, last piece 30
                                         std::make_tuple(15, 20, 5),   // 6 would leave 10 < 20
                                         std::make_tuple(20, 20, 5),   // exact, pieces of 20
                                         std::make_tuple(25, 30, 2))); // 50 left

// A table beyond the memory bound is refused before anything is allocated.
TEST(GenerarPatron, TablaDemasiadoGrande) {
    CConstructorLanzamiento c;
    c.Pieza(1, 1, 9).Material(12000, 12000);
    auto job = c.Crear();
    CMochila m(*job);
    m.SetNivelOptimizacion(1);
    std::unique_ptr<CPatron> patron;
    int material = 0;
    double costo = 0.0;
    EXPECT_THROW(m.GenerarPatron(Completar(Duales({1.0}), m), patron, 1, material, costo),
                 std::length_error);
    EXPECT_FALSE(patron);
}

// A cut whose second part is an empty strip narrower than the minimum offcut is refused too:
// a sheet 22 x 5 with pieces 10 x 5 and a minimum offcut of 15 has no valid pattern, even
// though 12 is a candidate position (from the too wide piece 6 x 200) and "10 | 12" leaves
// no waste beyond that position.
TEST(GenerarPatron, ParteVaciaMenorQueElSobranteMinimo) {
    CConstructorLanzamiento c;
    c.Opciones.RotarPiezas = false;
    c.Opciones.ChequearSobranteMinimo = true;
    c.Opciones.SobranteMinimo = 15;
    c.Pieza(10, 5, 9).Pieza(6, 200, 9).Material(22, 5);
    auto job = c.Crear();
    CMochila m(*job);
    m.SetNivelOptimizacion(1);
    auto g = Generar(m, Duales({5.0, 1.0}));
    EXPECT_FALSE(g.Patron) << Arbol(*g.Patron);
    const AWord16 pos = Posiciones(m, true);
    EXPECT_NE(std::find(pos.begin(), pos.end(), 12), pos.end());
}

// A leftover of a vertical cut handed to a second part that is cut horizontally would make
// that horizontal cut longer than the maximum cut: on this 23 x 13 sheet the table checks the
// horizontal cut on a 20-long cell, and the 1 left over by the vertical cut beside it would
// stretch it to 21. The leftover is cut off on its own instead (the validator inside Generar
// measures every cut line).
TEST(GenerarPatron, SobranteQueAlargariaUnCorte) {
    CConstructorLanzamiento c;
    c.Opciones.ChequearCorteMaximo = true;
    c.Opciones.CorteMaximo = 20;
    c.Opciones.ChequearNivelCorte = true;
    c.Opciones.NivelCorte = 4;
    c.Opciones.ChequearSobrante = true;
    c.Pieza(2, 9, 99).Material(23, 13);
    auto job = c.Crear();
    CMochila m(*job);
    for (int nivel = 1; nivel <= 3; ++nivel) {
        m.SetNivelOptimizacion(nivel);
        auto g = Generar(m, Duales({8.0}));
        ASSERT_TRUE(g.Patron);
    }
}

// Mode 2: the reduced cost of a pattern on a 1000 x 2000 material is its area minus the
// pattern's value minus the material's dual.
TEST(GenerarPatron, CostoReducidoModo2) {
    CConstructorLanzamiento c;
    c.Opciones.RotarPiezas = false;
    c.Pieza(500, 1000, 9).Material(1000, 2000);
    auto job = c.Crear();
    CMochila m(*job);
    auto g2 = Generar(m, Duales({300000.0}, {-5000.0}), 2);
    ASSERT_TRUE(g2.Patron);
    EXPECT_DOUBLE_EQ(g2.Costo, 2000000.0 - 1200000.0 + 5000.0);
    auto g1 = Generar(m, Duales({300000.0}, {-5000.0}), 1);
    ASSERT_TRUE(g1.Patron);
    EXPECT_DOUBLE_EQ(g1.Costo, -(1200000.0 - 5000.0));
}

// The material of least reduced cost wins, the first one on a tie; the pattern is built on
// the winner, whose row number comes back (the pattern carries the job's number).
TEST(GenerarPatron, EleccionDeMaterial) {
    CConstructorLanzamiento c;
    c.Opciones.RotarPiezas = false;
    c.Pieza(50, 50, 99)
        .Material(100, 100)           // 4 pieces, area 10000
        .Material(300, 300, 0, false) // inactive
        .Material(100, 50)            // 2 pieces, area 5000
        .Material(50, 200);           // 4 pieces, area 10000
    auto job = c.Crear();
    CMochila m(*job);
    ASSERT_EQ(m.NumMateriales(), 3);

    // Phase 2 with a piece price of 2500: 10000 - 10000 = 0, 5000 - 5000 = 0, 0: first wins.
    auto g = Generar(m, Duales({2500.0}, {0.0, 0.0, 0.0}), 2);
    ASSERT_TRUE(g.Patron);
    EXPECT_EQ(g.Material, 1);
    EXPECT_EQ(g.Patron->Material(), 1);

    // A price on the third row's material makes it the cheapest.
    g = Generar(m, Duales({2500.0}, {0.0, 0.0, 10.0}), 2);
    ASSERT_TRUE(g.Patron);
    EXPECT_EQ(g.Material, 3);
    EXPECT_EQ(g.Patron->Material(), 4);

    // Phase 1 ignores the areas: the most pieces win, the first of the two with four.
    g = Generar(m, Duales({1.0}, {0.0, 0.0, 0.0}), 1);
    EXPECT_EQ(g.Material, 1);
    EXPECT_DOUBLE_EQ(g.Costo, -4.0);
}

// Turned rows lay the piece across; the leaf carries the negated piece number.
TEST(GenerarPatron, PiezaGirada) {
    CConstructorLanzamiento c;
    c.Pieza(30, 60, 9).Material(60, 30);
    auto job = c.Crear();
    CMochila m(*job);
    auto g = Generar(m, Duales({1.0}));
    ASSERT_TRUE(g.Patron);
    EXPECT_EQ(g.Patron->Raiz()->Pieza(), -1) << Arbol(*g.Patron);
    EXPECT_EQ(g.Patron->CantPorPieza()[1], 1);
}

// Kerf: a gross size is the net size plus one kerf, so two 50s fit a bar of 103 with a kerf
// of 3 (50 + 3 + 50 = 103), but not a bar of 102.
TEST(GenerarPatron, AnchoDeCorte) {
    for (const auto& [barra, piezas] : {std::pair{103, 2}, std::pair{102, 1}}) {
        CConstructorLanzamiento c;
        c.Opciones.Barras = true;
        c.Opciones.ChequearAnchoCorte = true;
        c.Opciones.AnchoCorte = 3;
        c.Pieza(50, 1, 9).Material(barra, 1);
        auto job = c.Crear();
        CMochila m(*job);
        auto g = Generar(m, Duales({1.0}));
        ASSERT_TRUE(g.Patron);
        EXPECT_EQ(g.Patron->CantPorPieza()[1], piezas) << barra;
        EXPECT_EQ(g.Patron->Raiz()->Largo(), barra + 3);
    }
}

// ---- Stop requests and progress ----

namespace {

// Raises a stop request when the step announces its progress maximum, that is between the
// positions and the table.
class CControlQueFuerza : public CControlCalculo {
protected:
    void MostrarMaximoProgreso() override { Forzar = true; }
};

std::unique_ptr<CLanzamiento> TrabajoMediano(CConstructorLanzamiento& c) {
    c.Pieza(300, 200, 5).Pieza(450, 120, 5).Pieza(610, 330, 5).Material(2440, 1220);
    return c.Crear();
}

} // namespace

TEST(GenerarPatron, CanceladoGanaAForzar) {
    CConstructorLanzamiento c;
    auto job = TrabajoMediano(c);
    CMochila m(*job);
    CControlCalculo control;
    job->AsignarCalculo(&control);
    const AReal8 d = Completar(Duales({1.0, 1.0, 1.0}), m);
    std::unique_ptr<CPatron> patron = CPatron::Create(3, 1, job.get());
    int material = 0;
    double costo = 0.0;

    control.Forzar = true;
    control.Cancelado = true;
    EXPECT_THROW(m.GenerarPatron(d, patron, 1, material, costo), ECalculoAbortado);
    EXPECT_FALSE(patron);

    control.Cancelado = false;
    EXPECT_THROW(m.GenerarPatron(d, patron, 1, material, costo), ECalculoForzado);

    // Once the driver clears the request the next step runs normally.
    control.Forzar = false;
    m.GenerarPatron(d, patron, 1, material, costo);
    EXPECT_TRUE(patron);
    job->AsignarCalculo(nullptr);
}

TEST(GenerarPatron, ForzarDuranteElPaso) {
    CConstructorLanzamiento c;
    auto job = TrabajoMediano(c);
    CMochila m(*job);
    CControlQueFuerza control;
    job->AsignarCalculo(&control);
    std::unique_ptr<CPatron> patron;
    int material = 0;
    double costo = 0.0;
    EXPECT_THROW(m.GenerarPatron(Completar(Duales({1.0, 1.0, 1.0}), m), patron, 1, material, costo),
                 ECalculoForzado);
    EXPECT_FALSE(patron);
    job->AsignarCalculo(nullptr);
}

TEST(GenerarPatron, Progreso) {
    CConstructorLanzamiento c;
    auto job = TrabajoMediano(c);
    CMochila m(*job);
    CControlCalculo control;
    job->AsignarCalculo(&control);
    m.SetNivelOptimizacion(2);
    // Distinct prices and sizes that dominate nothing: all six rows stay candidates.
    auto g = Generar(m, Duales({1.0, 2.0, 5.0}));
    ASSERT_TRUE(g.Patron);
    int numAncho = 0;
    AWord16 pos;
    m.PosicionesCandidatas(false, pos, numAncho);
    // Maximum: width positions + candidates + 3; one step after the positions, one per
    // candidate row of the block phase and one per width position of the combination.
    EXPECT_EQ(control.ProgresoMaximo(), numAncho + 6 + 3);
    EXPECT_EQ(control.ProgresoPosicion(), 1 + 6 + numAncho);
    job->AsignarCalculo(nullptr);
}
