#include "engine/CSolucion.h"
#include "document/CLanzamiento.h"
#include "document/ROpciones.h"
#include "document/UExcepciones.h"
#include "engine/CFiltro.h"
#include "engine/CIteradorSol.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"
#include "support/RutasPrueba.h"

#include <gtest/gtest.h>

#include <limits>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <random>

namespace {

constexpr int NumPiezas = 4;

// A sheet of largo x ancho (no kerf, no margins) split by a vertical cut at `corte`: on the
// left a block of repX x 1 pieces of piezaLargo x ancho of job piece `pieza`, on the right
// an empty leaf (an offcut when the job checks offcuts and it is large enough).
std::unique_ptr<CPatron> PatronBloque(const CLanzamiento* job, std::int32_t material,
                                      std::int32_t largo, std::int32_t ancho, std::int32_t pieza,
                                      std::int32_t piezaLargo, std::int32_t repX,
                                      std::int32_t corte) {
    auto p = CPatron::Create(NumPiezas, material, job);
    p->SetAnchoCorte(0);
    p->SetMargenIzq(0);
    p->SetMargenDer(0);
    p->SetMargenSup(0);
    p->SetMargenInf(0);
    auto raiz = CCorte::Create(largo, ancho, 1, 0, 0, 0, 0, 0);
    raiz->SetHijo1(CCorte::Create(corte, ancho, 0, piezaLargo, ancho, pieza, repX, 1));
    raiz->SetHijo2(CCorte::Create(largo - corte, ancho, 0, 0, 0, 0, 0, 0));
    p->SetRaiz(std::move(raiz));
    p->RecontarPiezas(NumPiezas);
    return p;
}

// A sheet of largo x 1 whose only leaf holds one piece of `usado` x 1: its utilisation is
// usado / largo exactly as a ratio of integers.
std::unique_ptr<CPatron> PatronConAprovechamiento(std::int32_t usado, std::int32_t largo) {
    auto p = CPatron::Create(NumPiezas, 1, nullptr);
    p->SetRaiz(CCorte::Create(largo, 1, 0, usado, 1, 1, 1, 1));
    p->RecontarPiezas(NumPiezas);
    return p;
}

void Repeticiones(CPatron& p, double teorica, std::int32_t final, std::int32_t exceso,
                  std::int32_t defecto) {
    p.SetRepeticion(teorica);
    p.SetRepEntera(CSolucion::ModoFinal, final);
    p.SetRepEntera(CSolucion::ModoPorExceso, exceso);
    p.SetRepEntera(CSolucion::ModoPorDefecto, defecto);
}

std::vector<std::int32_t> Iterados(const CSolucion& s) {
    std::vector<std::int32_t> ks;
    CIteradorSol it(s);
    std::int32_t k = -1;
    while (it.Siguiente(k)) {
        ks.push_back(k);
    }
    EXPECT_EQ(k, 0);
    EXPECT_FALSE(it.Siguiente(k));
    return ks;
}

TEST(Solucion, ConjuntoVacioNoTieneDesperdicio) {
    CSolucion s;
    EXPECT_EQ(s.Modo(), CSolucion::ModoFinal);
    std::vector<RSobrante> lista;
    EXPECT_EQ(s.Sobrantes(lista, false), 0);
    EXPECT_EQ(lista.size(), 1u);
    // Empty slots alone are still an empty set; a slot number from a damaged file must not
    // allocate without bound.
    s.Patron(3);
    EXPECT_EQ(s.Patron(2000000000), nullptr);
    EXPECT_EQ(s.Cantidad(), 3);
    EXPECT_DOUBLE_EQ(s.DesperdicioReal(), 0.0);
    EXPECT_DOUBLE_EQ(s.AprovechamientoTeorico(), 0.0);
    EXPECT_DOUBLE_EQ(s.DesperdicioMaterial(1), 0.0);
    EXPECT_EQ(s.TotalRepeticiones(), 0);
    EXPECT_TRUE(Iterados(s).empty());
}

TEST(Solucion, RepeticionActualSigueAlModo) {
    CSolucion s;
    auto p = PatronConAprovechamiento(5, 10);
    Repeticiones(*p, 2.5, 7, 3, 2);
    s.FijarPatron(1, std::move(p));
    s.SetModo(CSolucion::ModoPorExceso);
    s.FijarRepActual(1, 9);
    EXPECT_EQ(s.Patron(1)->RepEntera(), (std::array<std::int32_t, 3>{7, 9, 2}));
    EXPECT_EQ(s.RepActual(4), 0);
    for (const int fuera : {7, -1}) { // a mode out of range is the final one
        s.SetModo(fuera);
        EXPECT_EQ(s.Modo(), CSolucion::ModoFinal);
        EXPECT_EQ(s.RepActual(1), 7);
    }
}

TEST(Solucion, ProduccionFueraDelVectorDeCantidadesEsCero) {
    CSolucion s;
    auto p = PatronBloque(nullptr, 1, 100, 10, 2, 20, 3, 60);
    Repeticiones(*p, 1.5, 4, 0, 0);
    // An older pattern whose count array is shorter than the job's piece list.
    p->SetCantPorPieza(ACantidades{0, 0, 3});
    s.FijarPatron(1, std::move(p));
    EXPECT_EQ(s.ProduccionPieza(2), 12);
    EXPECT_EQ(s.ProduccionPieza(3), 0);
    EXPECT_EQ(s.ProduccionPieza(0), 0);
    EXPECT_EQ(s.ProduccionPieza(-2), 0);
    EXPECT_DOUBLE_EQ(s.ProduccionTeorica(2), 4.5);
    EXPECT_DOUBLE_EQ(s.ProduccionTeorica(9), 0.0);
}

TEST(Solucion, RepeticionesEnormesNoDesbordan) {
    CSolucion s;
    for (int k = 1; k <= 3; ++k) {
        auto p = PatronBloque(nullptr, 1, 100, 10, 1, 10, 10, 100);
        Repeticiones(*p, 0.0, 2000000000, 0, 0);
        s.FijarPatron(k, std::move(p));
    }
    EXPECT_EQ(s.TotalRepeticiones(), 6000000000LL);
    EXPECT_EQ(s.ProduccionPieza(1), 60000000000LL);
    EXPECT_EQ(s.TotalPiezas(), 60000000000LL);
}

// Counts past 32 bits times the largest repetitions, and negative repetitions of a damaged
// file: the totals stay exact while they fit, stop at the largest value, never go negative,
// and the one-walk totals of every piece agree with the piece-by-piece ones.
TEST(Solucion, TotalesNuncaNegativosNiDanLaVuelta) {
    CSolucion s;
    auto enorme = CPatron::Create(NumPiezas, 1, nullptr);
    enorme->SetCantPorPieza(ACantidades{0, std::int64_t{1} << 32});
    Repeticiones(*enorme, 1.0, 2147483647, 0, 0);
    s.FijarPatron(1, std::move(enorme));
    auto negativo = PatronBloque(nullptr, 1, 100, 10, 1, 10, 10, 100);
    Repeticiones(*negativo, 1.0, -2000000000, 0, 0);
    s.FijarPatron(2, std::move(negativo));
    EXPECT_EQ(s.ProduccionPieza(1), (std::int64_t{1} << 32) * 2147483647);
    EXPECT_EQ(s.TotalRepeticiones(), 2147483647);
    EXPECT_EQ(s.HojasMaterial(1), 2147483647);
    auto otro = CPatron::Create(NumPiezas, 1, nullptr);
    otro->SetCantPorPieza(ACantidades{0, std::int64_t{1} << 32});
    Repeticiones(*otro, 1.0, 2147483647, 0, 0);
    s.FijarPatron(3, std::move(otro));
    EXPECT_EQ(s.ProduccionPieza(1), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(s.TotalPiezas(), std::numeric_limits<std::int64_t>::max());
    const std::vector<RTotalesPieza> totales = s.TotalesPorPieza(NumPiezas);
    ASSERT_EQ(totales.size(), static_cast<std::size_t>(NumPiezas) + 1);
    for (std::int32_t i = 1; i <= NumPiezas; ++i) {
        EXPECT_EQ(totales[static_cast<std::size_t>(i)].Produccion, s.ProduccionPieza(i));
        EXPECT_EQ(totales[static_cast<std::size_t>(i)].Teorica, s.ProduccionTeorica(i));
        EXPECT_EQ(totales[static_cast<std::size_t>(i)].Aprovechamiento, s.AprovechamientoPieza(i));
    }
}

// Random sequences of slot operations against a plain model of the slots (the material
// number identifies each pattern, 0 an empty slot): same contents, same iteration, Buscar
// finds each one.
TEST(Solucion, OperacionesAlAzarComoElModelo) {
    std::mt19937 azar(31);
    for (int prueba = 0; prueba < 100; ++prueba) {
        CSolucion s;
        std::vector<int> modelo(1, 0);
        int siguiente = 1;
        const auto nuevo = [&] {
            auto p = PatronConAprovechamiento(1, 10);
            p->SetMaterial(siguiente);
            return p;
        };
        for (int paso = 0; paso < 60; ++paso) {
            const int cantidad = static_cast<int>(modelo.size()) - 1;
            const int k = static_cast<int>(azar() % static_cast<unsigned>(cantidad + 4)) - 1;
            const auto alcanzar = [&] { // reading or writing beyond the end grows the set
                modelo.resize(std::max(modelo.size(), static_cast<std::size_t>(k) + 1), 0);
            };
            const int operacion = static_cast<int>(azar() % 6);
            if (operacion == 0 && k >= 1) {
                s.FijarPatron(k, nuevo());
                alcanzar();
                modelo[static_cast<std::size_t>(k)] = siguiente++;
            } else if (operacion == 1 && k >= 1) {
                s.Insertar(nuevo(), k);
                if (k <= cantidad) {
                    modelo.insert(modelo.begin() + k, siguiente++);
                } else {
                    alcanzar();
                    modelo[static_cast<std::size_t>(k)] = siguiente++;
                }
            } else if (operacion == 2) {
                s.Eliminar(k);
                if (k >= 1 && k <= cantidad) {
                    modelo.erase(modelo.begin() + k);
                }
            } else if (operacion == 3) {
                s.Truncar(k);
                modelo.resize(
                    std::min(modelo.size(), static_cast<std::size_t>(std::max(k, 0)) + 1));
            } else if (operacion == 4) {
                s.Patron(k);
                if (k > cantidad) {
                    alcanzar();
                }
            } else if (operacion == 5) {
                // Every pattern has the same utilisation: the sort may reorder them freely but
                // keeps them all and puts the empty slots last.
                s.Ordenar(CSolucion::OrdenAprovechamientoAscendente);
                std::vector<int> antes(modelo.begin() + 1, modelo.end());
                std::vector<int> despues;
                for (std::int32_t i = 1; i <= s.Cantidad(); ++i) {
                    const CPatron* p = std::as_const(s).Patron(i);
                    despues.push_back(p == nullptr ? 0 : p->Material());
                }
                const auto vacio = std::find(despues.begin(), despues.end(), 0);
                EXPECT_TRUE(std::all_of(vacio, despues.end(), [](int m) { return m == 0; }));
                ASSERT_TRUE(std::is_permutation(antes.begin(), antes.end(), despues.begin(),
                                                despues.end()));
                std::copy(despues.begin(), despues.end(), modelo.begin() + 1);
            }
            ASSERT_EQ(s.Cantidad(), static_cast<int>(modelo.size()) - 1);
            std::vector<std::int32_t> llenos;
            for (std::int32_t i = 1; i <= s.Cantidad(); ++i) {
                const CPatron* p = std::as_const(s).Patron(i);
                const int m = modelo[static_cast<std::size_t>(i)];
                ASSERT_EQ(p == nullptr ? 0 : p->Material(), m) << "slot " << i;
                if (m != 0) {
                    llenos.push_back(i);
                    EXPECT_EQ(s.Buscar(p), i);
                }
            }
            ASSERT_EQ(Iterados(s), llenos);
        }
    }
}

// Slot numbers accepted of slots 1..12, after a filter on slot 2: an unreadable text throws
// (with the message, when given) and leaves the solution with no filter at all.
struct RCasoFiltro {
    const char* Texto;
    std::vector<std::int32_t> Aceptados;
    const char* Error = nullptr;
};

const std::vector<std::int32_t> Todos{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

class FiltroNumeroTest : public ::testing::TestWithParam<RCasoFiltro> {};

TEST_P(FiltroNumeroTest, NumerosYRangos) {
    const RCasoFiltro& caso = GetParam();
    CSolucion s;
    for (int k = 1; k <= 12; ++k) {
        s.FijarPatron(k, PatronConAprovechamiento(1, 10));
    }
    s.FijarFiltro("2", 0, 0);
    try {
        s.FijarFiltro(caso.Texto, 0, 0);
        EXPECT_EQ(caso.Error, nullptr);
    } catch (const EConversion& e) {
        ASSERT_NE(caso.Error, nullptr);
        if (*caso.Error != '\0') {
            EXPECT_STREQ(e.what(), caso.Error);
        }
        EXPECT_EQ(s.Filtro(), nullptr);
    }
    EXPECT_EQ(Iterados(s), caso.Aceptados);
}

INSTANTIATE_TEST_SUITE_P(
    Textos, FiltroNumeroTest,
    ::testing::Values(
        RCasoFiltro{"5-10", {5, 6, 7, 8, 9, 10}},
        RCasoFiltro{"1,2,5-10", {1, 2, 5, 6, 7, 8, 9, 10}}, RCasoFiltro{"3 7", {3, 7}},
        RCasoFiltro{" 3 , 11 ", {3, 11}}, RCasoFiltro{"\"4\",12", {4, 12}}, RCasoFiltro{"10-5", {}},
        RCasoFiltro{"2.5,6.0", {6}}, RCasoFiltro{"11-99", {11, 12}}, RCasoFiltro{"", Todos},
        RCasoFiltro{"1,abc", Todos, "'abc' no es un valor numérico válido"},
        RCasoFiltro{"1,", Todos, ""}, RCasoFiltro{"1,,2", Todos, ""}, RCasoFiltro{"x-3", Todos, ""},
        RCasoFiltro{"3-", Todos, ""}, RCasoFiltro{"-3", Todos, ""}, RCasoFiltro{"1e999", Todos, ""},
        RCasoFiltro{"nan", Todos, ""}, RCasoFiltro{"inf", Todos, ""}));

struct RCasoRedondeo {
    std::int32_t Criterio;
    std::int32_t Usado; // piece length on a sheet of 50000 x 1
    double Repeticion;
    const char* Texto;
    bool Acepta;
};

class FiltroRedondeoTest : public ::testing::TestWithParam<RCasoRedondeo> {};

TEST_P(FiltroRedondeoTest, ComoLoMuestraLaHoja) {
    const RCasoRedondeo caso = GetParam();
    CSolucion s;
    auto p = PatronConAprovechamiento(caso.Usado, 50000);
    p->SetRepeticion(caso.Repeticion);
    s.FijarPatron(1, std::move(p));
    s.FijarFiltro(caso.Texto, caso.Criterio, 0);
    EXPECT_EQ(s.Filtro()->Acepta(1), caso.Acepta);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, FiltroRedondeoTest,
    ::testing::Values(
        // Utilisation 0.85498 shows as 85.50.
        RCasoRedondeo{2, 42749, 0, "85.5", true}, RCasoRedondeo{2, 42749, 0, "85.50", true},
        RCasoRedondeo{2, 42749, 0, "85.49", false}, RCasoRedondeo{2, 42747, 0, "85.49", true},
        RCasoRedondeo{2, 42749, 0, "80-85.5", true}, RCasoRedondeo{2, 42749, 0, "85.51-90", false},
        // Waste is the complement: 14.502 shows as 14.50.
        RCasoRedondeo{4, 42749, 0, "14.5", true}, RCasoRedondeo{3, 42749, 0, "0", true},
        // The theoretical repetition keeps 6 significant digits.
        RCasoRedondeo{5, 1, 2.999, "3", true}, RCasoRedondeo{5, 1, 2.994, "3", false},
        RCasoRedondeo{5, 1, 12345.67, "12345.67", false},
        RCasoRedondeo{5, 1, 12345.67, "12345.7", true},
        RCasoRedondeo{5, 1, 1234567.0, "1234570", true}));

TEST(Filtro, RedondeoComoTexto) {
    EXPECT_DOUBLE_EQ(CFiltro::RedondearComoTexto(85.498, 2), 85.5);
    EXPECT_DOUBLE_EQ(CFiltro::RedondearComoTexto(-85.498, 2), -85.5);
    EXPECT_DOUBLE_EQ(CFiltro::RedondearComoTexto(99999.96, 2), 100000.0);
    EXPECT_DOUBLE_EQ(CFiltro::RedondearComoTexto(0.004, 2), 0.0);
    EXPECT_DOUBLE_EQ(CFiltro::RedondearComoTexto(0.005, 2), 0.01);
}

// The criteria themselves are checked against a direct sum below; here the edges.
TEST(Filtro, PiezaYCriterioFueraDeRango) {
    CSolucion s;
    s.FijarPatron(1, PatronBloque(nullptr, 2, 100, 10, 3, 10, 4, 50));
    s.FijarFiltro("0", 7, 99); // a piece beyond the count arrays counts 0
    EXPECT_EQ(Iterados(s), (std::vector<std::int32_t>{1}));
    s.FijarFiltro("1-2", 12, 5); // a criterion beyond 7 is the piece count
    EXPECT_EQ(s.Filtro()->Criterio(), 7);
}

struct RReferencia {
    std::int64_t Repeticiones = 0;
    double Teorico = 0.0;
    std::int64_t Piezas = 0;
    double MaterialReal = 0.0, PiezasReal = 0.0, MaterialTeo = 0.0, PiezasTeo = 0.0;
    std::int64_t Produccion[NumPiezas + 1] = {};
    std::int64_t Hojas[4] = {};
    double Consumo[4] = {};
    double AreaPiezaReal[NumPiezas + 1] = {};
};

TEST(Solucion, TotalesConYSinFiltroIgualQueLaSumaDirecta) {
    std::mt19937 azar(1206);
    for (int prueba = 0; prueba < 200; ++prueba) {
        CSolucion s;
        const int slots = 1 + static_cast<int>(azar() % 12);
        for (int k = 1; k <= slots; ++k) {
            if (azar() % 5 == 0) {
                continue; // an empty slot
            }
            const std::int32_t material = 1 + static_cast<std::int32_t>(azar() % 3);
            const std::int32_t largo = 100 + static_cast<std::int32_t>(azar() % 400);
            const std::int32_t ancho = 10 + static_cast<std::int32_t>(azar() % 90);
            const std::int32_t pl = 5 + static_cast<std::int32_t>(azar() % 20);
            const std::int32_t rep = 1 + static_cast<std::int32_t>(azar() % 4);
            auto p =
                PatronBloque(nullptr, material, largo, ancho,
                             1 + static_cast<std::int32_t>(azar() % NumPiezas), pl, rep, pl * rep);
            Repeticiones(*p, (azar() % 1000) / 100.0, static_cast<std::int32_t>(azar() % 6),
                         static_cast<std::int32_t>(azar() % 6),
                         static_cast<std::int32_t>(azar() % 6));
            s.FijarPatron(k, std::move(p));
        }
        s.SetModo(static_cast<std::int32_t>(azar() % 3));

        // Criterion and accepted values chosen here; acceptance re-derived independently.
        const std::int32_t criterio = std::vector<std::int32_t>{0, 1, 6, 7}[azar() % 4];
        const std::int32_t pieza = 1 + static_cast<std::int32_t>(azar() % NumPiezas);
        const bool conFiltro = azar() % 3 != 0;
        std::vector<int> valores;
        std::string texto;
        for (int v = 0; v <= 12; ++v) {
            if (azar() % 2 == 0) {
                valores.push_back(v);
                texto += (texto.empty() ? "" : ",") + std::to_string(v);
            }
        }
        if (texto.empty()) {
            texto = "99";
        }
        if (conFiltro) {
            s.FijarFiltro(texto, criterio, pieza);
        }
        const auto acepta = [&](std::int32_t k, const CPatron& p) {
            if (!conFiltro) {
                return true;
            }
            const std::int64_t v = criterio == 0   ? k
                                   : criterio == 1 ? p.Material()
                                   : criterio == 6 ? p.RepEntera(s.Modo())
                                                   : p.CantidadPieza(pieza);
            return std::find(valores.begin(), valores.end(), v) != valores.end();
        };

        RReferencia ref;
        std::vector<std::int32_t> esperados;
        for (std::int32_t k = 1; k <= s.Cantidad(); ++k) {
            const CPatron* p = std::as_const(s).Patron(k);
            if (p == nullptr || !acepta(k, *p)) {
                continue;
            }
            esperados.push_back(k);
            const std::int32_t r = p->RepEntera(s.Modo());
            const double x = p->Repeticion();
            ref.Repeticiones += r;
            ref.Teorico += x;
            const double area = static_cast<double>(p->LargoTotal()) * p->AnchoTotal();
            ref.MaterialReal += area * r;
            ref.MaterialTeo += area * x;
            for (int i = 1; i <= NumPiezas; ++i) {
                const std::int64_t c = p->CantidadPieza(i);
                ref.Produccion[i] += static_cast<std::int64_t>(c) * r;
                ref.Piezas += static_cast<std::int64_t>(c) * r;
            }
            // Every piece of these patterns fills the sheet's width.
            const CCorte* hoja = p->Raiz()->Hijo1();
            const double areaPiezas =
                static_cast<double>(hoja->LargoPz()) * hoja->AnchoPz() * hoja->RepX();
            ref.PiezasReal += areaPiezas * r;
            ref.PiezasTeo += areaPiezas * x;
            ref.AreaPiezaReal[std::abs(hoja->Pieza())] += areaPiezas * r;
            ref.Hojas[p->Material()] += r;
            ref.Consumo[p->Material()] += x;
        }
        SCOPED_TRACE("prueba " + std::to_string(prueba) + " filtro " + texto);
        EXPECT_EQ(Iterados(s), esperados);
        EXPECT_EQ(s.TotalRepeticiones(), ref.Repeticiones);
        EXPECT_NEAR(s.TotalTeorico(), ref.Teorico, 1e-9);
        EXPECT_EQ(s.TotalPiezas(), ref.Piezas);
        const auto cociente = [](double a, double b) { return b == 0.0 ? 0.0 : a / b; };
        EXPECT_NEAR(s.AprovechamientoReal(), cociente(ref.PiezasReal, ref.MaterialReal), 1e-12);
        EXPECT_NEAR(s.AprovechamientoTeorico(), cociente(ref.PiezasTeo, ref.MaterialTeo), 1e-12);
        EXPECT_DOUBLE_EQ(s.SobranteReal(), 0.0);
        EXPECT_NEAR(s.DesperdicioReal(),
                    ref.MaterialReal == 0.0 ? 0.0 : 1.0 - ref.PiezasReal / ref.MaterialReal, 1e-12);
        for (int i = 1; i <= NumPiezas; ++i) {
            EXPECT_EQ(s.ProduccionPieza(i), ref.Produccion[i]);
            EXPECT_NEAR(s.AprovechamientoPieza(i), cociente(ref.AreaPiezaReal[i], ref.MaterialReal),
                        1e-12);
        }
        for (int m = 1; m <= 3; ++m) {
            EXPECT_EQ(s.HojasMaterial(m), ref.Hojas[m]);
            EXPECT_NEAR(s.ConsumoTeorico(m), ref.Consumo[m], 1e-9);
            if (ref.Hojas[m] == 0) {
                EXPECT_DOUBLE_EQ(s.DesperdicioMaterial(m), 0.0);
            }
        }
    }
}

TEST(Solucion, OrdenFinalYPorAprovechamiento) {
    std::mt19937 azar(77);
    for (int prueba = 0; prueba < 100; ++prueba) {
        CSolucion s;
        const int n = static_cast<int>(azar() % 15);
        std::vector<const CPatron*> originales;
        for (int k = 1; k <= n; ++k) {
            auto p = PatronConAprovechamiento(1 + static_cast<std::int32_t>(azar() % 5), 10);
            Repeticiones(*p, 0.0, static_cast<std::int32_t>(azar() % 4), 0, 0);
            originales.push_back(p.get());
            s.FijarPatron(k, std::move(p));
        }
        const auto comprobar = [&](const CSolucion::Comparacion& orden) {
            s.Ordenar(orden);
            std::vector<const CPatron*> ahora;
            for (int k = 1; k <= n; ++k) {
                ahora.push_back(std::as_const(s).Patron(k));
                if (k > 1) {
                    EXPECT_LE(orden(std::as_const(s).Patron(k - 1), std::as_const(s).Patron(k)), 0);
                }
            }
            std::sort(ahora.begin(), ahora.end());
            std::vector<const CPatron*> esperado = originales;
            std::sort(esperado.begin(), esperado.end());
            EXPECT_EQ(ahora, esperado);
        };
        comprobar(CSolucion::OrdenFinal);
        for (int k = 2; k <= n; ++k) {
            const CPatron* a = std::as_const(s).Patron(k - 1);
            const CPatron* b = std::as_const(s).Patron(k);
            EXPECT_TRUE(a->RepEntera(0) > b->RepEntera(0) ||
                        (a->RepEntera(0) == b->RepEntera(0) &&
                         a->Aprovechamiento() >= b->Aprovechamiento()));
        }
        comprobar(CSolucion::OrdenAprovechamientoDescendente);
        comprobar(CSolucion::OrdenAprovechamientoAscendente);
        for (int k = 2; k <= n; ++k) {
            EXPECT_LE(std::as_const(s).Patron(k - 1)->Aprovechamiento(),
                      std::as_const(s).Patron(k)->Aprovechamiento());
        }
    }
}

// Offcuts need a job that checks them.
TEST(Solucion, SobrantesAgrupadosPorMaterialYSumados) {
    ROpciones o = OpcionesPorDefecto();
    o.ChequearSobrante = true;
    o.LargoMinimoSobrante = 20;
    o.AnchoMinimoSobrante = 10;
    rutas::CCarpetaTemporal carpeta;
    const auto Job = std::make_unique<CLanzamiento>((carpeta / "sobrantes.lan").string(), o);
    CSolucion s;
    // Offcut 40 x 30 on material 2, twice.
    auto a = PatronBloque(Job.get(), 2, 100, 30, 1, 20, 3, 60);
    Repeticiones(*a, 2.0, 2, 2, 2);
    // The same size turned (30 x 40) on material 2 again: the same record.
    auto b = PatronBloque(Job.get(), 2, 80, 40, 1, 10, 5, 50);
    Repeticiones(*b, 3.0, 3, 3, 3);
    // The same size on material 1: a record of its own, listed before material 2.
    auto c = PatronBloque(Job.get(), 1, 100, 30, 1, 20, 3, 60);
    Repeticiones(*c, 1.0, 1, 1, 1);
    // A strip of 5 x 30 is waste, not an offcut.
    auto d = PatronBloque(Job.get(), 1, 100, 30, 1, 19, 5, 95);
    Repeticiones(*d, 1.0, 4, 4, 4);
    // Another size on material 2, never cut: left out with soloUsados.
    auto e = PatronBloque(Job.get(), 2, 100, 50, 1, 25, 2, 50);
    Repeticiones(*e, 0.0, 0, 0, 0);
    s.FijarPatron(1, std::move(a));
    s.FijarPatron(2, std::move(b));
    s.FijarPatron(3, std::move(c));
    s.FijarPatron(4, std::move(d));
    s.FijarPatron(5, std::move(e));

    // (material, sizes, count) of every record, as listed.
    const auto registros = [&s](bool soloUsados) {
        std::vector<RSobrante> lista;
        const int n = s.Sobrantes(lista, soloUsados);
        EXPECT_EQ(lista.size(), static_cast<std::size_t>(n) + 1);
        std::vector<std::array<std::int64_t, 4>> r;
        for (std::size_t k = 1; k < lista.size(); ++k) {
            r.push_back({lista[k].Material, lista[k].Dim1, lista[k].Dim2, lista[k].Cantidad});
        }
        return r;
    };
    using R = std::vector<std::array<std::int64_t, 4>>;
    EXPECT_EQ(registros(true), (R{{1, 40, 30, 1}, {2, 40, 30, 5}}));
    // With unused patterns: the new size of material 2 goes first within its group.
    EXPECT_EQ(registros(false), (R{{1, 40, 30, 1}, {2, 50, 50, 0}, {2, 40, 30, 5}}));

    // Offcut shares: material 2 cut 5 times, 1200 of 3000 and 1200 of 3200.
    EXPECT_NEAR(s.SobranteMaterial(2), (2 * 1200.0 + 3 * 1200.0) / (2 * 3000.0 + 3 * 3200.0),
                1e-12);
    EXPECT_NEAR(s.AprovechamientoMaterial(2) + s.SobranteMaterial(2) + s.DesperdicioMaterial(2),
                1.0, 1e-12);
    // A filter on material 1 restricts the offcut list as well.
    s.FijarFiltro("1", 1, 0);
    EXPECT_EQ(registros(false), (R{{1, 40, 30, 1}}));
    EXPECT_NEAR(s.SobranteReal(), 1200.0 / (3000.0 + 4 * 3000.0), 1e-12);
}

} // namespace
