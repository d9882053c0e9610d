#include "generator/CRelleno.h"

#include "document/UExcepciones.h"
#include "engine/CControlCalculo.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

using RNodo = CRelleno::RNodo;
using RCandidata = CRelleno::RCandidata;

// Checks a layout the way a saw sees it: every cut splits its node exactly, every block
// fits its leaf, and the pieces laid per LP row stay within what was missing.
void ComprobarDisposicion(const std::vector<RNodo>& nodos, std::int32_t L, std::int32_t W,
                          const std::vector<RCandidata>& filas, const AInt32& restantes) {
    ASSERT_FALSE(nodos.empty());
    EXPECT_EQ(nodos[0].Largo, L);
    EXPECT_EQ(nodos[0].Ancho, W);
    AInt32 usados(restantes.size(), 0);
    for (const RNodo& n : nodos) {
        if (n.Dir != 0) {
            ASSERT_GE(n.Hijo1, 0);
            ASSERT_GE(n.Hijo2, 0);
            const RNodo& a = nodos[static_cast<std::size_t>(n.Hijo1)];
            const RNodo& b = nodos[static_cast<std::size_t>(n.Hijo2)];
            if (n.Dir == 1) {
                EXPECT_EQ(a.Ancho, n.Ancho);
                EXPECT_EQ(b.Ancho, n.Ancho);
                EXPECT_EQ(a.Largo + b.Largo, n.Largo);
            } else {
                EXPECT_EQ(a.Largo, n.Largo);
                EXPECT_EQ(b.Largo, n.Largo);
                EXPECT_EQ(a.Ancho + b.Ancho, n.Ancho);
            }
            EXPECT_GT(a.Largo, 0);
            EXPECT_GT(a.Ancho, 0);
            EXPECT_GT(b.Largo, 0);
            EXPECT_GT(b.Ancho, 0);
        } else if (n.Pieza != 0) {
            EXPECT_LE(n.LargoPz * n.RepX, n.Largo);
            EXPECT_LE(n.AnchoPz * n.RepY, n.Ancho);
            bool conocida = false;
            for (const RCandidata& c : filas) {
                if (c.Pieza == n.Pieza && c.Largo == n.LargoPz && c.Ancho == n.AnchoPz) {
                    usados[static_cast<std::size_t>(c.Fila)] += n.RepX * n.RepY;
                    conocida = true;
                    break;
                }
            }
            EXPECT_TRUE(conocida) << "piece " << n.Pieza;
        }
    }
    for (std::size_t i = 1; i < restantes.size(); ++i) {
        EXPECT_LE(usados[i], std::max(restantes[i], 0)) << "row " << i;
    }
}

// A layout as text: "V(a,b)" a vertical cut, "H(a,b)" a horizontal one, "LxW" an empty
// leaf, "LxW:p=rx*ry" a block of piece p.
std::string Forma(const std::vector<RNodo>& nodos, std::int32_t k = 0) {
    const RNodo& n = nodos[static_cast<std::size_t>(k)];
    if (n.Dir != 0) {
        return std::string(n.Dir == 1 ? "V(" : "H(") + Forma(nodos, n.Hijo1) + "," +
               Forma(nodos, n.Hijo2) + ")";
    }
    std::string t = std::to_string(n.Largo) + "x" + std::to_string(n.Ancho);
    if (n.Pieza != 0) {
        t += ":" + std::to_string(n.Pieza) + "=" + std::to_string(n.RepX) + "*" +
             std::to_string(n.RepY);
    }
    return t;
}

// The example: 3 x 2 pieces of gross 300 x 200 (6 missing) in a 1000 x 500 sheet leave 100
// along each side; a second piece 100 long (too wide to fit) makes 100 the narrowest useful
// strip.
struct RCasoHoja {
    const char* Nombre;
    std::int32_t CorteMaximo, NivelCorte;
    bool Forzar; // a stop request ends the search quietly with the first layout
    AInt32 Restantes;
    const char* Forma;
    std::int32_t Cortes;
};

class HojaTest : public ::testing::TestWithParam<RCasoHoja> {};

TEST_P(HojaTest, Disposicion) {
    const RCasoHoja& caso = GetParam();
    CRelleno::RLimites limites;
    limites.CorteMaximo = caso.CorteMaximo;
    limites.NivelCorte = caso.NivelCorte;
    CControlCalculo control;
    control.Forzar = caso.Forzar;
    AInt32 restantes = caso.Restantes;
    const std::vector<RCandidata> filas{{1, 1, 300, 200}, {2, 2, 100, 600}};
    CRelleno r(limites, filas, restantes, &control);
    CRelleno::RDisposicion d;
    ASSERT_NO_THROW(d = r.BuscarHoja(1000, 500));
    ASSERT_FALSE(d.Vacia());
    EXPECT_EQ(Forma(d.Nodos), caso.Forma);
    EXPECT_EQ(d.Cortes, caso.Cortes);
    double area = 0.0;
    for (const RNodo& n : d.Nodos) {
        area += n.Dir == 0 ? 1.0 * n.LargoPz * n.AnchoPz * n.RepX * n.RepY : 0.0;
    }
    EXPECT_DOUBLE_EQ(d.AreaPiezas, area);
    EXPECT_EQ(restantes, caso.Restantes); // whatever the search took, it gave back
    ComprobarDisposicion(d.Nodos, 1000, 500, filas, caso.Restantes);
}

constexpr std::int32_t SinLimite = 2147483647;

INSTANTIATE_TEST_SUITE_P(
    Casos, HojaTest,
    ::testing::Values(
        // Split A: the block and a 100 strip along, then a 1000 x 100 strip across.
        RCasoHoja{"HorizontalYLuegoVertical",
                  SinLimite,
                  255,
                  false,
                  {0, 6, 1},
                  "H(V(900x400:1=3*2,100x400),1000x100)",
                  2},
        // A horizontal cut across the 1000 length is too long: split B.
        RCasoHoja{"VerticalPrimeroConCorteMaximo",
                  999,
                  255,
                  false,
                  {0, 6, 1},
                  "V(H(900x400:1=3*2,900x100),100x500)",
                  2},
        // Split A keeps a larger offcut than B and its block part is not cut again.
        RCasoHoja{"UnaEtapa", SinLimite, 1, false, {0, 6, 1}, "H(1000x400:1=3*2,1000x100)", 1},
        RCasoHoja{
            "Forzado", SinLimite, 255, true, {0, 6, 1}, "H(V(900x400:1=3*2,100x400),1000x100)", 2},
        RCasoHoja{"SinPiezasQueFalten", SinLimite, 255, false, {0, 0, 0}, "1000x500", 0}),
    [](const ::testing::TestParamInfo<RCasoHoja>& info) { return info.param.Nombre; });

TEST(RellenoTest, CanceladoAbortaLaBusqueda) {
    CControlCalculo control;
    control.Cancelado = true;
    AInt32 restantes{0, 6, 1};
    CRelleno r({}, {{1, 1, 300, 200}}, restantes, &control);
    EXPECT_THROW(r.BuscarHoja(1000, 500), ECalculoAbortado);
}

TEST(RellenoTest, CorteInicialEnUnaPosicion) {
    AInt32 restantes{0, 2, 0};
    CRelleno r({}, {{1, 1, 300, 200}}, restantes, nullptr);
    const auto d = r.BuscarCorte(1000, 500, 1, 600);
    ASSERT_FALSE(d.Vacia());
    EXPECT_EQ(Forma(d.Nodos), "V(H(600x200:1=2*1,600x300),400x500)");
    EXPECT_DOUBLE_EQ(d.AreaPiezas, 2.0 * 300 * 200);
    ComprobarDisposicion(d.Nodos, 1000, 500, {{1, 1, 300, 200}}, {0, 2, 0});
}

TEST(RellenoTest, RellenarHuecosDeUnPatronExistente) {
    // A 1000 x 500 sheet already holding a 600 x 500 block on the left; the 400 x 500 offcut
    // on the right takes two missing pieces of 400 x 250.
    std::vector<RNodo> arbol(3);
    arbol[0] = {1000, 500, 1, 0, 0, 0, 0, 0, 1, 2};
    arbol[1] = {600, 500, 0, 300, 500, 7, 2, 1, -1, -1};
    arbol[2] = {400, 500, 0, 0, 0, 0, 0, 0, -1, -1};
    AInt32 restantes{0, 0, 3};
    const std::vector<RCandidata> filas{{2, 2, 400, 250}};
    CRelleno r({}, filas, restantes, nullptr);
    const double valor = 600.0 * 500;
    const auto d = r.BuscarRelleno(arbol, valor, valor + 1);
    ASSERT_FALSE(d.Vacia());
    EXPECT_DOUBLE_EQ(d.AreaPiezas, valor + 2 * 400.0 * 250);
    EXPECT_EQ(d.Nodos[1].Pieza, 7); // the existing block stays
    // Nothing is missing: no filling reaches the threshold.
    AInt32 nada{0, 0, 0};
    CRelleno r2({}, filas, nada, nullptr);
    EXPECT_TRUE(r2.BuscarRelleno(arbol, valor, valor + 1).Vacia());
}

struct RCasoReparto {
    std::int32_t Total, Tamano, Otro, Limite;
    std::int32_t SobranteMinimo, Agarre, CorteMaximo;
    std::int32_t N, Resto;
};

class RepartoTest : public ::testing::TestWithParam<RCasoReparto> {};

TEST_P(RepartoTest, CuentaYResto) {
    const auto& c = GetParam();
    AInt32 restantes{0};
    CRelleno::RLimites limites;
    limites.SobranteMinimo = c.SobranteMinimo;
    limites.LongitudAgarre = c.Agarre;
    limites.CorteMaximo = c.CorteMaximo;
    CRelleno r(limites, {}, restantes, nullptr);
    std::int32_t n = -1;
    std::int32_t resto = -1;
    r.Reparto(c.Total, c.Tamano, c.Otro, c.Limite, n, resto);
    EXPECT_EQ(n, c.N);
    EXPECT_EQ(resto, c.Resto);
}

INSTANTIATE_TEST_SUITE_P(Casos, RepartoTest,
                         ::testing::Values(
                             // free fit
                             RCasoReparto{1000, 300, 1, 99, 0, 0, SinLimite, 3, 100},
                             // the quantity left limits the count, counting the pieces across
                             RCasoReparto{1000, 300, 2, 5, 0, 0, SinLimite, 2, 400},
                             // a leftover below the minimum offcut gives back a piece
                             RCasoReparto{1000, 300, 1, 99, 150, 0, SinLimite, 2, 400},
                             // a leftover of 0 is always allowed
                             RCasoReparto{900, 300, 1, 99, 150, 0, SinLimite, 3, 0},
                             // the grip: leftover and piece both below it
                             RCasoReparto{1000, 300, 1, 99, 0, 400, SinLimite, 2, 400},
                             // several pieces along a line longer than the longest cut
                             RCasoReparto{1000, 300, 1, 99, 0, 0, 700, 2, 400},
                             // one piece is fine even beyond the longest cut
                             RCasoReparto{1000, 800, 1, 99, 0, 0, 700, 1, 200},
                             // nothing fits
                             RCasoReparto{200, 300, 1, 99, 0, 0, SinLimite, 0, 200},
                             // a long line of small pieces: the caps, then the leftover rules
                             RCasoReparto{65535, 1, 2, 7, 0, 0, SinLimite, 3, 65532},
                             RCasoReparto{65535, 1, 1, 99999, 0, 0, 700, 700, 64835},
                             RCasoReparto{65535, 2, 1, 99999, 0, 0, 10, 5, 65525},
                             RCasoReparto{65535, 1, 1, -1, 0, 0, SinLimite, 0, 65535}));

TEST(RellenoTest, ElegirBloquePrefiereElMenorSobranteALoLargo) {
    // Along 1000: 300 leaves 100, 250 leaves 0; the 250 wins although it comes later.
    AInt32 restantes{0, 10, 10};
    CRelleno r({}, {{1, 1, 300, 100}, {2, 2, 250, 300}}, restantes, nullptr);
    r.PrepararCandidatas();
    CRelleno::RBloque b;
    ASSERT_TRUE(r.ElegirBloque(1000, 500, false, b));
    EXPECT_EQ(b.Pieza, 2);
    EXPECT_EQ(b.Nx, 4);
    EXPECT_EQ(b.Rx, 0);
    EXPECT_EQ(b.Ny, 1);
    EXPECT_EQ(b.Ry, 200);
    // Width first: 100 fills 500 exactly, 300 leaves 200.
    ASSERT_TRUE(r.ElegirBloque(1000, 500, true, b));
    EXPECT_EQ(b.Pieza, 1);
    EXPECT_EQ(b.Ny, 5);
    EXPECT_EQ(b.Ry, 0);
    EXPECT_EQ(b.Nx, 2); // 10 pieces left: 5 across allow 2 along
    EXPECT_EQ(b.Rx, 400);
}

TEST(RellenoTest, DisposicionesAleatoriasSonValidas) {
    std::mt19937 azar(20261206);
    for (int caso = 0; caso < 150; ++caso) {
        const int numFilas = 1 + static_cast<int>(azar() % 5);
        std::vector<RCandidata> filas;
        AInt32 restantes(static_cast<std::size_t>(numFilas) + 1, 0);
        for (int i = 1; i <= numFilas; ++i) {
            const std::int32_t l = 5 + static_cast<std::int32_t>(azar() % 60);
            const std::int32_t w = 5 + static_cast<std::int32_t>(azar() % 60);
            restantes[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(azar() % 6);
            filas.push_back({i, i, l, w});
            if (azar() % 2 == 0) {
                filas.push_back({i, -i, w, l});
            }
        }
        CRelleno::RLimites limites;
        limites.SobranteMinimo = static_cast<std::int32_t>(azar() % 8);
        limites.NivelCorte = 1 + static_cast<std::int32_t>(azar() % 4);
        if (azar() % 3 == 0) {
            limites.CorteMaximo = 60 + static_cast<std::int32_t>(azar() % 60);
        }
        const std::int32_t L = 40 + static_cast<std::int32_t>(azar() % 100);
        const std::int32_t W = 40 + static_cast<std::int32_t>(azar() % 100);
        const AInt32 antes = restantes;
        CRelleno r(limites, filas, restantes, nullptr);
        const auto d = r.BuscarHoja(L, W);
        ASSERT_FALSE(d.Vacia());
        ComprobarDisposicion(d.Nodos, L, W, filas, antes);
        EXPECT_EQ(restantes, antes);
        const auto c = r.BuscarCorte(L, W, -1, W / 2);
        ASSERT_FALSE(c.Vacia());
        ComprobarDisposicion(c.Nodos, L, W, filas, antes);
    }
}

} // namespace
