// The pricing step on small jobs whose best pattern can be worked out by hand.

#include "AyudaMochila.h"

#include "document/UExcepciones.h"
#include "engine/CControlCalculo.h"
#include "support/CConstructorLanzamiento.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
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

// One piece kind priced 1 in a bar under one limit: how many pieces fit at every level.
struct RCasoBarra {
    int SobranteMinimo, Agarre, AnchoCorte; // 0: not checked
    int Pieza, Barra, Piezas;               // Piezas 0: no pattern
};

class BarraTest : public testing::TestWithParam<RCasoBarra> {};

TEST_P(BarraTest, PiezasPorNivel) {
    const RCasoBarra& caso = GetParam();
    CConstructorLanzamiento c;
    c.Opciones.Barras = true;
    c.Opciones.ChequearSobranteMinimo = caso.SobranteMinimo > 0;
    c.Opciones.SobranteMinimo = caso.SobranteMinimo;
    c.Opciones.ChequearAgarre = caso.Agarre > 0;
    c.Opciones.LongitudAgarre = caso.Agarre;
    c.Opciones.ChequearAnchoCorte = caso.AnchoCorte > 0;
    c.Opciones.AnchoCorte = caso.AnchoCorte;
    c.Pieza(caso.Pieza, 1, 99).Material(caso.Barra, 1);
    auto job = c.Crear();
    CMochila m(*job);
    for (int nivel = 1; nivel <= 3; ++nivel) {
        m.SetNivelOptimizacion(nivel);
        auto g = Generar(m, Duales({1.0}));
        ASSERT_EQ(g.Patron != nullptr, caso.Piezas > 0) << nivel;
        if (g.Patron) {
            EXPECT_EQ(g.Patron->CantPorPieza()[1], caso.Piezas) << nivel << Arbol(*g.Patron);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    GenerarPatron, BarraTest,
    testing::Values(
        // Leftovers beside pieces: none is always fine, 1..SobranteMinimo-1 never.
        RCasoBarra{10, 0, 0, 50, 100, 2}, RCasoBarra{10, 0, 0, 45, 100, 2}, // 10 = minimum
        RCasoBarra{11, 0, 0, 45, 100, 1}, RCasoBarra{15, 0, 0, 45, 100, 1},
        RCasoBarra{1, 0, 0, 33, 100, 3}, RCasoBarra{2, 0, 0, 33, 100, 2},
        RCasoBarra{99, 0, 0, 25, 100, 4}, // exact fill, any minimum
        RCasoBarra{99, 0, 0, 30, 100, 0}, // no fill is possible
        // Grip: the leftover beside a row of pieces, or the last piece, must reach it,
        // except for a single piece that fills its rectangle exactly.
        RCasoBarra{0, 20, 0, 30, 100, 3}, RCasoBarra{0, 20, 0, 15, 100, 5},
        RCasoBarra{0, 20, 0, 20, 100, 5}, RCasoBarra{0, 30, 0, 25, 100, 2},
        // Kerf: a gross size is the net size plus one kerf, 50 + 3 + 50 = 103.
        RCasoBarra{0, 0, 3, 50, 103, 2}, RCasoBarra{0, 0, 3, 50, 102, 1}));

constexpr double SinValor = std::numeric_limits<double>::quiet_NaN();

// One job, priced the same at levels 1 to 3 (or at one level): a pattern or none, and
// where given, its piece counts and its value.
struct RCasoPatron {
    const char* Nombre;
    void (*Preparar)(CConstructorLanzamiento&);
    std::vector<double> Precios;
    AWord16 Cantidades; // {} no pattern; {0} any pattern
    double Valor = SinValor;
    int Nivel = 0; // 0: every level
};

class PatronTest : public testing::TestWithParam<RCasoPatron> {};

TEST_P(PatronTest, PorNivel) {
    const RCasoPatron& caso = GetParam();
    CConstructorLanzamiento c;
    caso.Preparar(c);
    auto job = c.Crear();
    CMochila m(*job);
    AReal8 d(1, 0.0);
    d.insert(d.end(), caso.Precios.begin(), caso.Precios.end());
    for (int nivel = 1; nivel <= 3; ++nivel) {
        if (caso.Nivel != 0 && nivel != caso.Nivel) {
            continue;
        }
        m.SetNivelOptimizacion(nivel);
        auto g = Generar(m, d);
        SCOPED_TRACE("nivel " + std::to_string(nivel) + (g.Patron ? Arbol(*g.Patron) : ""));
        ASSERT_EQ(g.Patron != nullptr, !caso.Cantidades.empty());
        if (caso.Cantidades.size() > 1) {
            EXPECT_EQ(g.Patron->CantPorPieza(), caso.Cantidades);
        }
        if (!std::isnan(caso.Valor)) {
            EXPECT_NEAR(-g.Costo, caso.Valor, 1e-9);
        }
    }
}

// Stages on 100 x 60: A 60x60 (10) beside D 40x40 (4) over C 40x20 (1.5) needs two; with one
// the 40-wide strip is a single block (three C: 4.5).
template <int N> void Etapas(CConstructorLanzamiento& c) {
    c.Opciones.RotarPiezas = false;
    c.Opciones.ChequearNivelCorte = N > 0;
    c.Opciones.NivelCorte = N;
    c.Pieza(60, 60, 9).Pieza(40, 40, 9).Pieza(40, 20, 9).Material(100, 60);
}

INSTANTIATE_TEST_SUITE_P(
    GenerarPatron, PatronTest,
    testing::Values(RCasoPatron{"UnaEtapa", Etapas<1>, {10.0, 4.0, 1.5}, {0}, 14.5, 3},
                    RCasoPatron{"DosEtapas", Etapas<2>, {10.0, 4.0, 1.5}, {0}, 15.5, 3},
                    RCasoPatron{"EtapasSinLimite", Etapas<0>, {10.0, 4.0, 1.5}, {0}, 15.5, 3},
                    // A cut whose second part is an empty strip narrower than the minimum offcut is
                    // refused too: 12 is a candidate position (from the too wide 6 x 200), yet 10 |
                    // 12 on a 22 x 5 sheet leaves a strip of 12 < 15.
                    RCasoPatron{"ParteVaciaMenorQueElSobranteMinimo",
                                [](auto& c) {
                                    c.Opciones.RotarPiezas = false;
                                    c.Opciones.ChequearSobranteMinimo = true;
                                    c.Opciones.SobranteMinimo = 15;
                                    c.Pieza(10, 5, 9).Pieza(6, 200, 9).Material(22, 5);
                                },
                                {5.0, 1.0},
                                {},
                                SinValor,
                                1},
                    // A piece no smaller in either dimension than a piece of higher price is never
                    // placed, even where it would fit better.
                    RCasoPatron{
                        "PiezaDominada",
                        [](auto& c) { c.Pieza(40, 40, 9).Pieza(50, 50, 9).Material(150, 100); },
                        {5.0, 4.9},
                        {0, 6, 0}},
                    // A maximum cut below every material width: no vertical cut, and no block
                    // filling the width unless it is the single exact piece.
                    RCasoPatron{"CorteMaximoMenorQueElAncho",
                                [](auto& c) {
                                    c.Opciones.RotarPiezas = false;
                                    c.Opciones.ChequearCorteMaximo = true;
                                    c.Opciones.CorteMaximo = 40;
                                    c.Pieza(20, 50, 9).Pieza(20, 25, 9).Material(100, 50);
                                },
                                {1.0, 1.0},
                                {}},
                    RCasoPatron{"CorteMaximoPiezaExacta",
                                [](auto& c) {
                                    c.Opciones.RotarPiezas = false;
                                    c.Opciones.ChequearCorteMaximo = true;
                                    c.Opciones.CorteMaximo = 40;
                                    c.Pieza(20, 50, 9).Material(20, 50);
                                },
                                {1.0},
                                {0, 1}},
                    // A leftover of a vertical cut handed to a part cut horizontally would stretch
                    // that cut from 20 to 21 on this 23 x 13 sheet: it is cut off on its own (the
                    // validator inside Generar measures every cut line).
                    RCasoPatron{"SobranteQueAlargariaUnCorte",
                                [](auto& c) {
                                    c.Opciones.ChequearCorteMaximo = true;
                                    c.Opciones.CorteMaximo = 20;
                                    c.Opciones.ChequearNivelCorte = true;
                                    c.Opciones.NivelCorte = 4;
                                    c.Opciones.ChequearSobrante = true;
                                    c.Pieza(2, 9, 99).Material(23, 13);
                                },
                                {8.0},
                                {0}}),
    [](const testing::TestParamInfo<RCasoPatron>& info) { return info.param.Nombre; });

// A single piece 60 long in a bar 100 long: one leaf holding it, 40 free.
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
    EXPECT_EQ(raiz->Dir(), 0);
    EXPECT_EQ(raiz->Pieza(), 1);
    EXPECT_EQ(raiz->RepX(), 1);
    EXPECT_EQ(raiz->LibreX(), 40);
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
    std::unique_ptr<CPatron> patron = CPatron::Create(2, 1, job.get());
    int material = -7;
    double costo = 0.0;
    m.GenerarPatron(Completar(Duales({0.0, -1.0}), m), patron, 1, material, costo);
    EXPECT_FALSE(patron);
    EXPECT_EQ(material, -7);
    EXPECT_EQ(costo, MaximoReal);
    EXPECT_EQ(Posiciones(m, true), (AWord16{0, 30, 60, 90, 100}));
}

// Every node of the pattern, depth first.
std::vector<const CCorte*> Nodos(const CPatron& p) {
    std::vector<const CCorte*> nodos{p.Raiz()};
    for (std::size_t k = 0; k < nodos.size(); ++k) {
        if (nodos[k]->Dir() != 0) {
            nodos.push_back(nodos[k]->Hijo1());
            nodos.push_back(nodos[k]->Hijo2());
        }
    }
    return nodos;
}

// With NivelCorte 1 a pattern is one block or one cut into two blocks; bars have the width
// positions 0 and 1 and no horizontal cut.
TEST(GenerarPatron, FormaConUnaEtapaYEnBarras) {
    CConstructorLanzamiento c;
    c.Opciones.ChequearNivelCorte = true;
    c.Opciones.NivelCorte = 1;
    c.Pieza(30, 20, 9).Pieza(45, 35, 9).Pieza(25, 70, 9).Material(200, 100);
    auto job = c.Crear();
    CMochila m(*job);
    CConstructorLanzamiento cb;
    cb.Opciones.Barras = true;
    cb.Pieza(230, 50, 9).Pieza(170, 80, 9).Pieza(95, 10, 9).Material(1000, 1).Material(620, 1);
    auto barras = cb.Crear();
    CMochila mb(*barras);
    for (int nivel = 1; nivel <= 3; ++nivel) {
        m.SetNivelOptimizacion(nivel);
        auto g = Generar(m, Duales({6.0, 16.0, 17.0}));
        ASSERT_TRUE(g.Patron);
        for (const CCorte* n : Nodos(*g.Patron)) {
            EXPECT_TRUE(n == g.Patron->Raiz() || n->Dir() == 0) << Arbol(*g.Patron);
        }
        mb.SetNivelOptimizacion(nivel);
        g = Generar(mb, Duales({2.3, 1.8, 1.0}));
        ASSERT_TRUE(g.Patron);
        EXPECT_EQ(Posiciones(mb, false), (AWord16{0, 1}));
        for (const CCorte* n : Nodos(*g.Patron)) {
            EXPECT_NE(n->Dir(), -1) << Arbol(*g.Patron);
            EXPECT_EQ(n->Ancho(), 1);
        }
    }
}

// Equal values in a bar of 100 at level 3: the block found first (two B 50) is kept against
// cuts of the same value; among cuts, fewer replace more (B 40 | two A 30, not A | (A | B)).
TEST(GenerarPatron, ValorIgualGanaLaFormaMasSimple) {
    const auto generar = [](int a, int b) {
        CConstructorLanzamiento c;
        c.Opciones.Barras = true;
        c.Pieza(a, 1, 9).Pieza(b, 1, 9).Material(100, 1);
        auto job = c.Crear();
        CMochila m(*job);
        m.SetNivelOptimizacion(3);
        auto g = Generar(m, Duales({a / 10.0, b / 10.0}));
        EXPECT_TRUE(g.Patron);
        return g;
    };
    auto g = generar(25, 50);
    ASSERT_TRUE(g.Patron);
    EXPECT_EQ(g.Patron->Raiz()->Dir(), 0) << Arbol(*g.Patron);
    EXPECT_EQ(g.Patron->Raiz()->Pieza(), 2);
    EXPECT_EQ(g.Patron->Raiz()->RepX(), 2);
    g = generar(30, 40);
    ASSERT_TRUE(g.Patron);
    EXPECT_DOUBLE_EQ(g.Costo, -10.0);
    const CCorte* raiz = g.Patron->Raiz();
    ASSERT_EQ(raiz->Dir(), 1) << Arbol(*g.Patron);
    EXPECT_EQ(raiz->Hijo1()->Pieza(), 2) << Arbol(*g.Patron);
    EXPECT_EQ(raiz->Hijo2()->Pieza(), 1) << Arbol(*g.Patron);
    EXPECT_EQ(raiz->Hijo2()->RepX(), 2);
}

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

// Mode 2: the reduced cost of a pattern is its material's area minus the pattern's value
// minus the material's dual; mode 1 leaves the area out.
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
    // Phase 2 with a piece price of 2500: every material costs 0, the first wins.
    auto g = Generar(m, Duales({2500.0}, {0.0, 0.0, 0.0}), 2);
    ASSERT_TRUE(g.Patron);
    EXPECT_EQ(g.Material, 1);
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

// Raises a stop request when the step announces its progress maximum, that is between the
// positions and the table.
class CControlQueFuerza : public CControlCalculo {
protected:
    void MostrarMaximoProgreso() override { Forzar = true; }
};

TEST(GenerarPatron, ParadasYProgreso) {
    CConstructorLanzamiento c;
    c.Pieza(300, 200, 5).Pieza(450, 120, 5).Pieza(610, 330, 5).Material(2440, 1220);
    auto job = c.Crear();
    CMochila m(*job);
    const AReal8 d = Completar(Duales({1.0, 1.0, 1.0}), m);
    std::unique_ptr<CPatron> patron = CPatron::Create(3, 1, job.get());
    int material = 0;
    double costo = 0.0;
    CControlCalculo control;
    job->AsignarCalculo(&control);
    control.Forzar = true;
    control.Cancelado = true;
    EXPECT_THROW(m.GenerarPatron(d, patron, 1, material, costo), ECalculoAbortado);
    EXPECT_FALSE(patron);
    control.Cancelado = false;
    EXPECT_THROW(m.GenerarPatron(d, patron, 1, material, costo), ECalculoForzado);
    control.Forzar = false; // once the driver clears the request the next step runs
    m.GenerarPatron(d, patron, 1, material, costo);
    EXPECT_TRUE(patron);

    CControlQueFuerza fuerza; // a request raised during the step
    job->AsignarCalculo(&fuerza);
    EXPECT_THROW(m.GenerarPatron(d, patron, 1, material, costo), ECalculoForzado);
    EXPECT_FALSE(patron);

    CControlCalculo progreso;
    job->AsignarCalculo(&progreso);
    m.SetNivelOptimizacion(2);
    // Distinct prices and sizes that dominate nothing: all six rows stay candidates.
    ASSERT_TRUE(Generar(m, Duales({1.0, 2.0, 5.0})).Patron);
    const int numAncho = static_cast<int>(Posiciones(m, false).size()) - 1;
    // Maximum: width positions + candidates + 3; one step after the positions, one per
    // candidate row of the block phase and one per width position of the combination.
    EXPECT_EQ(progreso.ProgresoMaximo(), numAncho + 6 + 3);
    EXPECT_EQ(progreso.ProgresoPosicion(), 1 + 6 + numAncho);
    job->AsignarCalculo(nullptr);
}

} // namespace
