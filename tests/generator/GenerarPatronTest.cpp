// The pricing step on small jobs whose best pattern can be worked out by hand.

#include "AyudaMochila.h"

#include "document/UExcepciones.h"
#include "engine/CControlCalculo.h"
#include "support/ArbolesAzar.h"
#include "support/CConstructorLanzamiento.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
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

constexpr double SinValor = std::numeric_limits<double>::quiet_NaN();
constexpr int SinLimite = 0;

// One job under some limits, priced the same at levels 1 to 3 (or at one level): a pattern
// or none, and where given, its piece counts and its value.
struct RCasoPatron {
    const char* Nombre;
    std::vector<std::array<int, 2>> Piezas;
    std::vector<std::array<int, 2>> Materiales;
    std::vector<double> Precios;
    ACantidades Cantidades; // {} no pattern; {0} any pattern
    bool Barras = false, Rotar = false, Sobrantes = false;
    int SobranteMinimo = SinLimite, Agarre = SinLimite, AnchoCorte = SinLimite;
    int CorteMaximo = SinLimite, NivelCorte = SinLimite;
    double Valor = SinValor;
    int Nivel = 0; // 0: every level
};

// One piece kind priced 1 in a bar: how many fit under the minimum offcut, grip and kerf.
RCasoPatron Barra(const char* nombre, int minimo, int agarre, int kerf, int pieza, int barra,
                  int piezas) {
    RCasoPatron c{nombre, {{pieza, 1}}, {{barra, 1}}, {1.0}, {}};
    if (piezas > 0) {
        c.Cantidades = {0, piezas};
    }
    c.Barras = true;
    c.SobranteMinimo = minimo;
    c.Agarre = agarre;
    c.AnchoCorte = kerf;
    return c;
}

class PatronTest : public testing::TestWithParam<RCasoPatron> {};

TEST_P(PatronTest, PorNivel) {
    const RCasoPatron& caso = GetParam();
    CConstructorLanzamiento c;
    ROpciones& o = c.Opciones;
    o.Barras = caso.Barras;
    o.RotarPiezas = caso.Rotar;
    o.ChequearSobrante = caso.Sobrantes;
    o.ChequearSobranteMinimo = caso.SobranteMinimo != SinLimite;
    o.SobranteMinimo = caso.SobranteMinimo;
    o.ChequearAgarre = caso.Agarre != SinLimite;
    o.LongitudAgarre = caso.Agarre;
    o.ChequearAnchoCorte = caso.AnchoCorte != SinLimite;
    o.AnchoCorte = caso.AnchoCorte;
    o.ChequearCorteMaximo = caso.CorteMaximo != SinLimite;
    o.CorteMaximo = caso.CorteMaximo;
    o.ChequearNivelCorte = caso.NivelCorte != SinLimite;
    o.NivelCorte = caso.NivelCorte;
    for (const auto& [l, w] : caso.Piezas) {
        c.Pieza(l, w, 99);
    }
    for (const auto& [l, w] : caso.Materiales) {
        c.Material(l, w);
    }
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
        if (g.Patron && caso.NivelCorte != SinLimite) {
            EXPECT_LE(validacion::EtapasDe(g.Patron->Raiz()), caso.NivelCorte);
        }
        // Bars: the width positions are 0 and 1, and no horizontal cut is ever made.
        if (g.Patron && caso.Barras) {
            EXPECT_EQ(Posiciones(m, false), (AWord16{0, 1}));
            azar::ParaCadaNodo(g.Patron->Raiz(), [](const CCorte& n) {
                EXPECT_NE(n.Dir(), -1);
                EXPECT_EQ(n.Ancho(), 1);
            });
        }
    }
}

// Stages on 100 x 60: A 60x60 (10) beside D 40x40 (4) over C 40x20 (1.5) needs two; with one
// the 40-wide strip is a single block (three C: 4.5).
RCasoPatron Etapas(const char* nombre, int etapas, double valor) {
    RCasoPatron c{nombre, {{60, 60}, {40, 40}, {40, 20}}, {{100, 60}}, {10.0, 4.0, 1.5}, {0}};
    c.NivelCorte = etapas;
    c.Valor = valor;
    c.Nivel = 3;
    return c;
}

RCasoPatron CorteMaximo(RCasoPatron c, int corteMaximo, bool rotar = false) {
    c.CorteMaximo = corteMaximo;
    c.Rotar = rotar;
    return c;
}

INSTANTIATE_TEST_SUITE_P(
    GenerarPatron, PatronTest,
    testing::Values(
        // Leftovers beside pieces: none is always fine, 1..SobranteMinimo-1 never.
        Barra("SobranteCero", 10, 0, 0, 50, 100, 2), Barra("SobranteMinimo", 10, 0, 0, 45, 100, 2),
        Barra("SobranteBajoElMinimo", 11, 0, 0, 45, 100, 1),
        Barra("SobranteMuyBajo", 15, 0, 0, 45, 100, 1), Barra("SobranteDeUno", 1, 0, 0, 33, 100, 3),
        Barra("SobranteDeUnoBajo", 2, 0, 0, 33, 100, 2),
        Barra("RellenoExacto", 99, 0, 0, 25, 100, 4),
        Barra("SinRellenoPosible", 99, 0, 0, 30, 100, 0),
        // Grip: the leftover beside a row of pieces, or the last piece, must reach it,
        // except for a single piece that fills its rectangle exactly.
        Barra("AgarreUltimaPieza", 0, 20, 0, 30, 100, 3),
        Barra("AgarreCorto", 0, 20, 0, 15, 100, 5), Barra("AgarreExacto", 0, 20, 0, 20, 100, 5),
        Barra("AgarreLargo", 0, 30, 0, 25, 100, 2),
        // Kerf: a gross size is the net size plus one kerf, 50 + 3 + 50 = 103.
        Barra("AnchoDeCorteJusto", 0, 0, 3, 50, 103, 2),
        Barra("AnchoDeCorteFalta", 0, 0, 3, 50, 102, 1), Etapas("UnaEtapa", 1, 14.5),
        Etapas("DosEtapas", 2, 15.5), Etapas("EtapasSinLimite", 0, 15.5),
        // A piece no smaller in either dimension than a piece of higher price is never placed,
        // even where it would fit better.
        // One stage: one block or one cut into two blocks.
        [] {
            RCasoPatron c{"UnaEtapaEntreBloques",
                          {{30, 20}, {45, 35}, {25, 70}},
                          {{200, 100}},
                          {6.0, 16.0, 17.0},
                          {0}};
            c.Rotar = true;
            c.NivelCorte = 1;
            return c;
        }(),
        [] {
            RCasoPatron c{"BarrasVariasPiezas",
                          {{230, 50}, {170, 80}, {95, 10}},
                          {{1000, 1}, {620, 1}},
                          {2.3, 1.8, 1.0},
                          {0}};
            c.Barras = true;
            return c;
        }(),
        RCasoPatron{"PiezaDominada", {{40, 40}, {50, 50}}, {{150, 100}}, {5.0, 4.9}, {0, 6}},
        // A maximum cut below every material width: no vertical cut, and no block filling
        // the width unless it is the single exact piece.
        CorteMaximo(
            {"CorteMaximoMenorQueElAncho", {{20, 50}, {20, 25}}, {{100, 50}}, {1.0, 1.0}, {}}, 40),
        CorteMaximo({"CorteMaximoPiezaExacta", {{20, 50}}, {{20, 50}}, {1.0}, {0, 1}}, 40),
        // A leftover of a vertical cut handed to a part cut horizontally would stretch that
        // cut from 20 to 21 on this 23 x 13 sheet: it is cut off on its own (the validator
        // inside Generar measures every cut line).
        [] {
            RCasoPatron c = CorteMaximo(
                {"SobranteQueAlargariaUnCorte", {{2, 9}}, {{23, 13}}, {8.0}, {0}}, 20, true);
            c.NivelCorte = 4;
            c.Sobrantes = true;
            return c;
        }(),
        // A cut whose second part is an empty strip narrower than the minimum offcut is
        // refused too: 12 is a candidate position (from the too wide 6 x 200), yet 10 | 12
        // on a 22 x 5 sheet leaves a strip of 12 < 15.
        [] {
            RCasoPatron c{"ParteVaciaMenorQueElSobranteMinimo",
                          {{10, 5}, {6, 200}},
                          {{22, 5}},
                          {5.0, 1.0},
                          {}};
            c.SobranteMinimo = 15;
            c.Nivel = 1;
            return c;
        }()),
    [](const testing::TestParamInfo<RCasoPatron>& info) { return info.param.Nombre; });

// A 1 mm piece in the longest bar: one block of 65535 pieces (a regression: every cell of
// such a bar once tried every first part, minutes of work).
TEST(GenerarPatron, PiezaDe1EnLaBarraMasLarga) {
    CConstructorLanzamiento c;
    c.Opciones.Barras = true;
    c.Pieza(1, 1, 1).Material(65535, 1);
    auto job = c.Crear();
    CMochila m(*job);
    m.SetNivelOptimizacion(2);
    auto g = Generar(m, Duales({1.0}));
    ASSERT_TRUE(g.Patron);
    EXPECT_EQ(g.Patron->Raiz()->Dir(), 0);
    EXPECT_EQ(g.Patron->Raiz()->RepX(), 65535);
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

// Medium sheets under a maximum cut, with kerf, minimum offcut and turning at random: every
// pattern the step returns passes the validator (inside Generar). The canonical form once
// lengthened a cut past the maximum in about one pattern in two thousand.
TEST(GenerarPatron, HojasMedianasAlAzarRespetanElCorteMaximo) {
    std::mt19937 azar(7);
    auto entre = [&azar](int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); };
    for (int caso = 0; caso < 1500; ++caso) {
        CConstructorLanzamiento c;
        ROpciones& o = c.Opciones;
        const int L = entre(40, 160);
        const int W = entre(30, 100);
        o.RotarPiezas = entre(0, 1) == 1;
        o.ChequearCorteMaximo = true;
        o.CorteMaximo = entre(std::max(L, W) / 2, std::max(L, W));
        o.ChequearSobranteMinimo = entre(0, 1) == 1;
        o.SobranteMinimo = entre(1, 5);
        o.ChequearAnchoCorte = entre(0, 1) == 1;
        o.AnchoCorte = entre(1, 3);
        AReal8 d(1, 0.0);
        for (int k = entre(2, 6); k > 0; --k) {
            const int l = entre(5, L / 2);
            const int w = entre(5, W / 2);
            c.Pieza(l, w, 1);
            d.push_back(l * w * entre(80, 120) / 100.0);
        }
        c.Material(L, W);
        auto job = c.Crear();
        CMochila m(*job);
        m.SetNivelOptimizacion(entre(1, 2));
        SCOPED_TRACE("caso " + std::to_string(caso));
        Generar(m, d);
        if (HasFailure()) {
            break;
        }
    }
}

} // namespace
