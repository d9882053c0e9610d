// The generator's set-up: rows, stock, options copy and the errors of an impossible job.

#include "document/CLanzamiento.h"
#include "document/UExcepciones.h"
#include "engine/CSolucion.h"
#include "generator/CMochila.h"
#include "patterns/CPatron.h"
#include "support/CConstructorLanzamiento.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>

namespace {

// ---- Errors, in the order they are checked ----

template <class E> void Lanza(CLanzamiento& job) {
    EXPECT_THROW(CMochila m(job), E);
}

void Ninguno(CLanzamiento& job) {
    EXPECT_NO_THROW(CMochila m(job));
}

// Pieces and materials as (length, width, quantity, active).
using TRegistros = std::vector<std::array<int, 4>>;

struct RCasoError {
    const char* Nombre;
    TRegistros Piezas, Materiales;
    void (*Esperado)(CLanzamiento&);
    int AnchoCorte = 0; // checked when not 0
    bool Barras = false;
    int Margen = 0; // left and right, checked when not 0
};

class ErrorPreparacion : public testing::TestWithParam<RCasoError> {};

TEST_P(ErrorPreparacion, ElPrimeroDeLaTabla) {
    const RCasoError& caso = GetParam();
    CConstructorLanzamiento c;
    c.Opciones.Barras = caso.Barras;
    c.Opciones.ChequearAnchoCorte = caso.AnchoCorte != 0;
    c.Opciones.AnchoCorte = caso.AnchoCorte;
    c.Opciones.ChequearMargenes = caso.Margen != 0;
    c.Opciones.MargenIzq = c.Opciones.MargenDer = caso.Margen;
    for (const auto& [l, w, q, a] : caso.Piezas) {
        c.Pieza(l, w, q, a != 0);
    }
    for (const auto& [l, w, q, a] : caso.Materiales) {
        c.Material(l, w, q, a != 0);
    }
    caso.Esperado(*c.Crear());
}

INSTANTIATE_TEST_SUITE_P(
    Preparacion, ErrorPreparacion,
    testing::Values(
        RCasoError{"Vacio", {}, {}, Lanza<ENoHayPiezas>},
        RCasoError{"SoloPiezasInactivas", {{10, 10, 0, 0}, {5, 5, 3, 0}}, {}, Lanza<ENoHayPiezas>},
        // Demand 0 is checked before the missing materials.
        RCasoError{"PedidoNuloSinMateriales", {{10, 10, 0, 1}}, {}, Lanza<EPedidoNulo>},
        // An inactive piece with demand 0 is simply left out.
        RCasoError{
            "PedidoNuloInactivo", {{10, 10, 0, 0}, {10, 10, 1, 1}}, {{50, 50, 0, 1}}, Ninguno},
        RCasoError{"SinMateriales", {{10, 10, 1, 1}}, {{50, 50, 3, 0}}, Lanza<ENoHayMateriales>},
        // A null material is reported before a null piece.
        RCasoError{"MaterialNuloAntesQuePiezaNula",
                   {{0, 10, 1, 1}},
                   {{50, 0, 0, 1}},
                   Lanza<EMaterialNulo>},
        RCasoError{"PiezaNula", {{10, 0, 1, 1}}, {{50, 50, 0, 1}}, Lanza<EPiezaNula>},
        // With a kerf of 3 a piece of length 0 is 3 gross: still null.
        RCasoError{"PiezaNulaConCorte", {{0, 10, 1, 1}}, {{50, 50, 0, 1}}, Lanza<EPiezaNula>, 3},
        // A null material that is inactive is not looked at.
        RCasoError{
            "MaterialNuloInactivo", {{10, 10, 1, 1}}, {{0, 0, 0, 0}, {50, 50, 0, 1}}, Ninguno},
        // Bars: the widths are 1 by construction, so a kerf of 1 is no null width, and a bar
        // piece of length 0 is null whatever the kerf.
        RCasoError{"BarrasConCorteDeUno", {{10, 1, 1, 1}}, {{50, 1, 0, 1}}, Ninguno, 1, true},
        RCasoError{
            "BarrasPiezaNulaConCorte", {{0, 1, 1, 1}}, {{50, 1, 0, 1}}, Lanza<EPiezaNula>, 4, true},
        // Margins that eat the whole material leave a null material, not a huge one.
        RCasoError{"MargenesMayoresQueElMaterial",
                   {{10, 10, 1, 1}},
                   {{50, 50, 0, 1}},
                   Lanza<EMaterialNulo>,
                   0,
                   false,
                   30}),
    [](const testing::TestParamInfo<RCasoError>& info) { return info.param.Nombre; });

// ---- Rows ----

TEST(Preparacion, FilasGiradas) {
    // Five pieces, three of which may be turned (1, 3 and 5), piece 2 inactive.
    CConstructorLanzamiento c;
    c.Opciones.RotarPiezas = true;
    c.Opciones.PiezasRotadas = "1,3-5";
    c.Pieza(10, 20, 1).Pieza(11, 21, 1, false).Pieza(12, 22, 1).Pieza(13, 23, 1).Pieza(14, 24, 1);
    c.Material(100, 100);
    auto job = c.Crear();
    CMochila m(*job);
    EXPECT_EQ(m.TotalPiezas(), 5);
    EXPECT_EQ(m.NumPiezas(), 4);
    EXPECT_EQ(m.NumFilas(), 8);
    const int esperadas[] = {0, 1, 3, 4, 5, -1, -3, -4, -5};
    for (int r = 1; r <= 8; ++r) {
        EXPECT_EQ(m.PiezaDeFila(r), esperadas[r]) << r;
    }
    // A turned row exchanges the sizes of the row it copies.
    EXPECT_EQ(m.Largos()[5], 20);
    EXPECT_EQ(m.Anchos()[5], 10);
    EXPECT_EQ(m.Piezas()[6], 2);
    EXPECT_EQ(m.Largos()[6], 22);
    EXPECT_EQ(m.Piezas()[8], 4);
}

// The first n rows of a size array (element 0 unused).
AWord16 Filas(const AWord16& v, std::size_t n) {
    return AWord16(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(std::min(n + 1, v.size())));
}

// Sizes of the pieces and materials (largest and smallest of each), gross.
std::vector<int> Extremos(const CMochila& m) {
    return {m.MaxLargoPza(), m.MinLargoPza(), m.MaxAnchoPza(), m.MinAnchoPza(),
            m.MaxLargoMat(), m.MinLargoMat(), m.MaxAnchoMat(), m.MinAnchoMat()};
}

// Bars: width 1 everywhere, no turning, no maximum cut, no offcut width, no top margins.
TEST(Preparacion, Barras) {
    CConstructorLanzamiento c;
    ROpciones& o = c.Opciones;
    o.Barras = o.RotarPiezas = o.ChequearCorteMaximo = o.ChequearMargenes = true;
    o.CorteMaximo = 10;
    o.MargenIzq = 5;
    o.MargenSup = o.MargenInf = 7;
    o.AnchoMinimoSobrante = 40;
    c.Pieza(30, 1, 2).Pieza(45, 1, 2).Material(600, 1);
    auto job = c.Crear();
    CMochila m(*job);
    EXPECT_EQ(m.NumFilas(), 2);
    EXPECT_EQ(m.Opciones().CorteMaximo, INT_MAX);
    EXPECT_FALSE(m.Opciones().RotarPiezas);
    EXPECT_EQ(m.Opciones().AnchoMinimoSobrante, 0);
    EXPECT_EQ(m.Opciones().MargenSup, 0);
    EXPECT_EQ(Filas(m.Anchos(), 2), (AWord16{0, 1, 1}));
    EXPECT_EQ(Filas(m.LargosMat(), 1), (AWord16{0, 595}));
    EXPECT_EQ(Extremos(m), (std::vector<int>{45, 30, 1, 1, 595, 595, 1, 1}));
}

// The kerf is added to every size; margins come off the materials that have them.
TEST(Preparacion, CorteMargenesYExtremos) {
    CConstructorLanzamiento c;
    ROpciones& o = c.Opciones;
    o.RotarPiezas = false;
    o.ChequearAnchoCorte = o.ChequearMargenes = true;
    o.AnchoCorte = 4;
    o.MaterialesConMargen = "2";
    o.MargenIzq = 10;
    o.MargenDer = 20;
    o.MargenSup = 5;
    o.MargenInf = 6;
    c.Pieza(100, 50, 1).Pieza(70, 80, 1).Material(2440, 1220).Material(3050, 1530);
    auto job = c.Crear();
    CMochila m(*job);
    EXPECT_EQ(Filas(m.Largos(), 2), (AWord16{0, 104, 74}));
    EXPECT_EQ(Filas(m.Anchos(), 2), (AWord16{0, 54, 84}));
    EXPECT_EQ(Filas(m.LargosMat(), 2), (AWord16{0, 2444, 3050 - 30 + 4}));
    EXPECT_EQ(Filas(m.AnchosMat(), 2), (AWord16{0, 1224, 1530 - 11 + 4}));
    EXPECT_EQ(Extremos(m), (std::vector<int>{104, 74, 84, 54, 3024, 2444, 1523, 1224}));
}

// ---- Options ----

// The limits a job's options set, checked (Con...) or not, as the generator copies them.
struct RCasoOpciones {
    const char* Nombre;
    bool ConSobrante, ConCorte, ConKerf, ConAgarre, ConNivel;
    int Sobrante, Corte, Kerf, Agarre, Nivel; // the job's values
    int ESobrante, ECorte, EAgarre, ENivel;   // the copy's
};

class NormalizarOpciones : public testing::TestWithParam<RCasoOpciones> {};

TEST_P(NormalizarOpciones, EnLaCopia) {
    const RCasoOpciones& c = GetParam();
    CConstructorLanzamiento b;
    ROpciones& o = b.Opciones;
    o.ChequearSobranteMinimo = c.ConSobrante;
    o.ChequearCorteMaximo = c.ConCorte;
    o.ChequearAnchoCorte = c.ConKerf;
    o.ChequearAgarre = c.ConAgarre;
    o.ChequearNivelCorte = c.ConNivel;
    o.SobranteMinimo = c.Sobrante;
    o.CorteMaximo = c.Corte;
    o.AnchoCorte = c.Kerf;
    o.LongitudAgarre = c.Agarre;
    o.NivelCorte = c.Nivel;
    b.Pieza(10, 10, 1).Material(100, 100);
    auto job = b.Crear();
    const ROpciones antes = job->Opciones();
    CMochila m(*job);
    EXPECT_EQ(m.Opciones().SobranteMinimo, c.ESobrante);
    EXPECT_EQ(m.Opciones().CorteMaximo, c.ECorte);
    EXPECT_EQ(m.Opciones().LongitudAgarre, c.EAgarre);
    EXPECT_EQ(m.Opciones().NivelCorte, c.ENivel);
    EXPECT_TRUE(job->Opciones() == antes); // the job's own record never changes
}

INSTANTIATE_TEST_SUITE_P(
    Preparacion, NormalizarOpciones,
    testing::Values(
        RCasoOpciones{"SinMarcar", 0, 0, 0, 0, 0, 10, 500, 3, 40, 3, 0, INT_MAX, 0, 255},
        // The kerf counts in the minimum offcut even when the offcut is not checked.
        RCasoOpciones{"SoloElCorte", 0, 0, 1, 0, 0, 10, 500, 3, 40, 3, 3, INT_MAX, 0, 255},
        RCasoOpciones{"TodoMarcado", 1, 1, 1, 1, 1, 10, 500, 3, 40, 3, 13, 503, 43, 3},
        RCasoOpciones{"NivelCeroMarcado", 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, INT_MAX, 0, 1},
        RCasoOpciones{"NivelEnorme", 0, 0, 0, 0, 1, 0, 0, 0, 0, 1000, 0, INT_MAX, 0, 255},
        RCasoOpciones{"CorteMaximoSinDesbordar", 0, 1, 1, 0, 0, 0, INT_MAX, 5, 0, 0, 5, INT_MAX, 0,
                      255}),
    [](const testing::TestParamInfo<RCasoOpciones>& info) { return info.param.Nombre; });

TEST(Preparacion, StockCeroEsIlimitado) {
    CConstructorLanzamiento c;
    c.Pieza(10, 10, 1).Material(100, 100, 0).Material(100, 100, 7).Material(100, 100, 0, false);
    auto job = c.Crear();
    CMochila m(*job);
    EXPECT_EQ(m.DisponibleMaterial(1), CantidadIlimitada);
    EXPECT_EQ(m.DisponibleMaterial(2), 7);
    EXPECT_EQ(m.DisponibleMaterial(3), CantidadIlimitada);
    EXPECT_EQ(m.NumMateriales(), 2);
}

// ---- Kept patterns ----

class PatronesActuales : public testing::Test {
protected:
    // A kept pattern on job material m cut `veces` times with the given counts.
    void Mantener(CLanzamiento& job, int slot, int material, int veces, ACantidades cantidades,
                  double repeticion = 2.5) {
        auto p = CPatron::Create(job.CantidadPiezas(), material, &job);
        p->SetCantPorPieza(std::move(cantidades));
        p->SetRepEntera({veces, veces + 1, veces});
        p->SetRepeticion(repeticion);
        job.Solucion().FijarPatron(slot, std::move(p));
    }
};

TEST_F(PatronesActuales, DescuentanPedidoYStock) {
    CConstructorLanzamiento c;
    c.Opciones.MantenerPatronesActuales = true;
    c.Opciones.RotarPiezas = false;
    c.Pieza(10, 10, 6).Pieza(20, 20, 10).Pieza(30, 30, 4);
    c.Material(100, 100, 0).Material(200, 200, 3).Material(300, 300, 5);
    auto job = c.Crear();
    Mantener(*job, 1, 1, 2, {0, 3, 1, 0}); // 6 of piece 1, 2 of piece 2 on unlimited stock
    Mantener(*job, 2, 2, 3, {0, 0, 1, 0}); // 3 of piece 2, uses all of material 2
    Mantener(*job, 4, 3, 2, {0, 0, 0, 1}); // slot 3 stays empty
    // A filter shown in the job window does not hide kept patterns.
    job->Solucion().FijarFiltro("1", 0, 0);

    CMochila m(*job);
    EXPECT_TRUE(m.Opciones().MantenerPatronesActuales);
    ASSERT_EQ(m.NumPiezas(), 2);
    EXPECT_EQ(m.PiezaDeFila(1), 2);
    EXPECT_EQ(m.PiezaDeFila(2), 3);
    EXPECT_EQ(m.Pedido()[1], 10 - 2 - 3);
    EXPECT_EQ(m.Pedido()[2], 4 - 2);

    ASSERT_EQ(m.NumMateriales(), 2);
    EXPECT_EQ(m.MaterialDeFila(1), 1);
    EXPECT_EQ(m.MaterialDeFila(2), 3);
    EXPECT_EQ(m.DisponibleMaterial(1), CantidadIlimitada);
    EXPECT_EQ(m.DisponibleMaterial(3), 3);

    // Their theoretical repetitions are cleared; their integer ones stay.
    for (int k : {1, 2, 4}) {
        EXPECT_EQ(job->Solucion().Patron(k)->Repeticion(), 0.0) << k;
    }
    EXPECT_EQ(job->Solucion().Patron(4)->RepEntera(0), 2);
}

TEST_F(PatronesActuales, TodoProducidoNoDejaPiezas) {
    CConstructorLanzamiento c;
    c.Opciones.MantenerPatronesActuales = true;
    c.Pieza(10, 10, 4).Pieza(20, 20, 2).Material(100, 100);
    auto job = c.Crear();
    Mantener(*job, 1, 1, 2, {0, 2, 1});
    EXPECT_THROW(CMochila m(*job), ENoHayPiezas);
}

TEST_F(PatronesActuales, SinPatronesSeDesmarca) {
    CConstructorLanzamiento c;
    c.Opciones.MantenerPatronesActuales = true;
    c.Pieza(10, 10, 4).Material(100, 100);
    auto job = c.Crear();
    job->Solucion().Patron(3); // empty slots only
    CMochila m(*job);
    EXPECT_FALSE(m.Opciones().MantenerPatronesActuales);
    EXPECT_EQ(m.Pedido()[1], 4);
}

TEST_F(PatronesActuales, SinLaOpcionNoCuentan) {
    CConstructorLanzamiento c;
    c.Pieza(10, 10, 4).Material(100, 100, 2);
    auto job = c.Crear();
    Mantener(*job, 1, 1, 2, {0, 2});
    CMochila m(*job);
    EXPECT_EQ(m.Pedido()[1], 4);
    EXPECT_EQ(m.DisponibleMaterial(1), 2);
    EXPECT_EQ(job->Solucion().Patron(1)->Repeticion(), 2.5);
}

// Options out of range (a damaged job file), drawn at random from extreme values: set-up and
// pricing neither crash nor overflow (the sanitizers watch), the limits come out in their
// ranges, and a job or a table may only be refused with an exception.
TEST(Preparacion, OpcionesExtremasNoRompenElCalculo) {
    std::mt19937 azar(65535);
    const int extremos[] = {INT_MIN, -100, -5, 0, 1, 5, 40, 65535, 70000, INT_MAX};
    const auto valor = [&] { return extremos[azar() % std::size(extremos)]; };
    for (int caso = 0; caso < 40; ++caso) {
        CConstructorLanzamiento c;
        ROpciones& o = c.Opciones;
        o.Barras = caso % 5 == 0;
        o.ChequearSobranteMinimo = o.ChequearCorteMaximo = o.ChequearAgarre = azar() % 2 == 0;
        o.ChequearAnchoCorte = o.ChequearNivelCorte = o.ChequearMargenes = azar() % 2 == 0;
        o.RestringirPosiblesCortes = azar() % 2 == 0;
        o.SobranteMinimo = valor();
        o.CorteMaximo = valor();
        o.LongitudAgarre = valor();
        o.AnchoCorte = valor();
        o.NivelCorte = valor();
        o.PorcentajeMaterial = valor();
        o.MargenIzq = o.MargenDer = valor();
        o.MargenSup = o.MargenInf = valor();
        c.Pieza(300, 200, 3).Pieza(65535, 50, 1).Pieza(120, 450, 2);
        c.Material(610, 480).Material(65535, 65535, 0, false);
        auto job = c.Crear();
        std::unique_ptr<CMochila> m;
        try {
            m = std::make_unique<CMochila>(*job);
        } catch (const std::exception&) {
            continue; // a rejected job is a sound outcome
        }
        EXPECT_GE(m->Opciones().AnchoCorte, 0) << caso;
        EXPECT_GE(m->Opciones().NivelCorte, 1) << caso;
        EXPECT_LE(m->Opciones().NivelCorte, 255) << caso;
        AReal8 d(static_cast<std::size_t>(m->NumPiezas() + m->NumMateriales() + 1), 1.0);
        std::unique_ptr<CPatron> patron;
        int material = 0;
        double costo = 0.0;
        for (int nivel : {-3, 1, 2, 99}) {
            m->SetNivelOptimizacion(nivel);
            try {
                m->GenerarPatron(d, patron, 1, material, costo);
            } catch (const std::length_error&) {
                // a table beyond the memory bound is refused
            }
        }
    }
}

} // namespace
