#include "engine/CSimplex.h"
#include "document/UExcepciones.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

TEST(Simplex, UnCeroEnLaDiagonalSeRechaza) {
    try {
        const CSimplex simplex({0, 3, 0, 2}, {0, 3, 0, 2}, {0, 1.0, 1.0, 0.0});
        FAIL() << "a zero on the diagonal must be refused";
    } catch (const EErrorPrecision& e) {
        EXPECT_STREQ(e.what(), "Error en el cálculo");
    }
}

TEST(Simplex, SinFilasNoHayNadaQuePivotear) {
    CSimplex simplex({0}, {0}, {0.0});
    int sale = -1;
    EXPECT_FALSE(simplex.Pivotear({0}, -1.0, sale));
    EXPECT_EQ(sale, 0);
    EXPECT_DOUBLE_EQ(simplex.Objetivo(), 0.0);
}

// A column whose direction entries are all above -1e-9 finds no leaving row and leaves
// the table alone.
TEST(Simplex, ColumnaSinFilaLimitanteNoCambiaNada) {
    CSimplex simplex({0, 2, 4}, {0, 2, 4}, {0, 1.0, 1.0});
    int sale = -1;
    EXPECT_FALSE(simplex.Pivotear({0, 0, 0}, -3.0, sale));
    EXPECT_EQ(sale, 0);
    AReal8 duales(3, 0.0);
    simplex.Duales(duales);
    EXPECT_DOUBLE_EQ(duales[1], 0.5);
    EXPECT_DOUBLE_EQ(duales[2], 0.25);
    EXPECT_DOUBLE_EQ(simplex.ValorBasico(1), 1.0);
    EXPECT_DOUBLE_EQ(simplex.ValorBasico(2), 1.0);
    EXPECT_DOUBLE_EQ(simplex.Objetivo(), 2.0);
}

// Ratios that tie (the step passes no row's bound by more than 1e-9 of its value) make the
// row with the larger pivot leave, the lower position when the pivots are equal too: a pivot
// of round-off size never wins a tie.
struct RCasoEmpate {
    AWord16 Diagonal, Derecha, Columna;
    int Sale;
};

class EmpateTest : public ::testing::TestWithParam<RCasoEmpate> {};

TEST_P(EmpateTest, SaleElMayorPivoteYLuegoLaPosicionMenor) {
    const RCasoEmpate& c = GetParam();
    CSimplex simplex(c.Diagonal, c.Derecha, AReal8(c.Diagonal.size(), 1.0));
    int sale = 0;
    ASSERT_TRUE(simplex.Pivotear(c.Columna, -1.0, sale));
    EXPECT_EQ(sale, c.Sale);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, EmpateTest,
    ::testing::Values(
        // Basic values 1, 2, 2; the column reaches rows 2 and 3 with the same ratio 1.
        RCasoEmpate{{0, 3, 1, 1}, {0, 3, 2, 2}, {0, 0, 2, 2}, 2},
        // Ratios 65534/65535 and 65533/65534 differ by only 2.3e-10, but taking the first
        // would drive the second value 1.5e-5 below zero: the smaller ratio leaves.
        RCasoEmpate{{0, 1, 1}, {0, 65534, 65533}, {0, 65535, 65534}, 2},
        // Degenerate rows (ratio 0) reached by 1 and by 3: the 3 leaves.
        RCasoEmpate{{0, 1, 1, 1}, {0, 0, 0, 5}, {0, 1, 3, 1}, 2}));

struct RColumna {
    AWord16 A;
    double Coste;
};

// Minimum of c.x over A x = b, x >= 0, by trying every basis of n columns.
double MinimoPorVertices(const std::vector<RColumna>& columnas, const AWord16& b, int n) {
    const int m = static_cast<int>(columnas.size());
    double mejor = HUGE_VAL;
    std::vector<int> eleccion(static_cast<std::size_t>(n));
    std::vector<bool> mascara(static_cast<std::size_t>(m), false);
    std::fill(mascara.begin(), mascara.begin() + n, true);
    do {
        int c = 0;
        for (int k = 0; k < m; ++k) {
            if (mascara[static_cast<std::size_t>(k)]) {
                eleccion[static_cast<std::size_t>(c++)] = k;
            }
        }
        // Solve B x = b with partial pivoting on an augmented matrix.
        std::vector<std::vector<double>> M(static_cast<std::size_t>(n),
                                           std::vector<double>(static_cast<std::size_t>(n) + 1));
        for (int i = 0; i < n; ++i) {
            for (int k = 0; k < n; ++k) {
                M[i][k] = columnas[static_cast<std::size_t>(eleccion[k])].A[i + 1];
            }
            M[i][n] = b[static_cast<std::size_t>(i) + 1];
        }
        bool singular = false;
        for (int k = 0; k < n && !singular; ++k) {
            int p = k;
            for (int i = k + 1; i < n; ++i) {
                if (std::fabs(M[i][k]) > std::fabs(M[p][k])) {
                    p = i;
                }
            }
            if (std::fabs(M[p][k]) < 1e-9) {
                singular = true;
                break;
            }
            std::swap(M[p], M[k]);
            for (int i = 0; i < n; ++i) {
                if (i != k) {
                    const double f = M[i][k] / M[k][k];
                    for (int j = k; j <= n; ++j) {
                        M[i][j] -= f * M[k][j];
                    }
                }
            }
        }
        if (singular) {
            continue;
        }
        double coste = 0.0;
        bool factible = true;
        for (int k = 0; k < n; ++k) {
            const double x = M[k][n] / M[k][k];
            if (x < -1e-9) {
                factible = false;
            }
            coste += x * columnas[static_cast<std::size_t>(eleccion[k])].Coste;
        }
        if (factible) {
            mejor = std::min(mejor, coste);
        }
    } while (std::prev_permutation(mascara.begin(), mascara.end()));
    return mejor;
}

struct RProblema {
    int NP = 0;
    int NM = 0;
    AWord16 Diagonal;
    std::vector<RColumna> Patrones;
};

// Pieces with demands, materials with stock (sometimes unlimited) and patterns whose
// column holds piece counts and a 1 in the row of their material, costing its area.
RProblema ProblemaAleatorio(std::mt19937& azar) {
    RProblema p;
    p.NP = 1 + static_cast<int>(azar() % 3);
    p.NM = 1 + static_cast<int>(azar() % 2);
    const int n = p.NP + p.NM;
    p.Diagonal.assign(static_cast<std::size_t>(n) + 1, 0);
    for (int i = 1; i <= p.NP; ++i) {
        p.Diagonal[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(1 + azar() % 9);
    }
    AReal8 area(static_cast<std::size_t>(p.NM) + 1, 0.0);
    for (int j = 1; j <= p.NM; ++j) {
        p.Diagonal[static_cast<std::size_t>(p.NP + j)] =
            azar() % 4 == 0 ? CantidadIlimitada : static_cast<std::uint16_t>(1 + azar() % 5);
        area[static_cast<std::size_t>(j)] = static_cast<double>(2 + azar() % 19);
    }
    const int patrones = 2 + static_cast<int>(azar() % 5);
    for (int k = 0; k < patrones; ++k) {
        RColumna c{AWord16(static_cast<std::size_t>(n) + 1, 0), 0.0};
        for (int i = 1; i <= p.NP; ++i) {
            c.A[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(azar() % 4);
        }
        c.A[1 + azar() % static_cast<unsigned>(p.NP)] += 1;
        const int j = 1 + static_cast<int>(azar() % static_cast<unsigned>(p.NM));
        c.A[static_cast<std::size_t>(p.NP + j)] = 1;
        c.Coste = area[static_cast<std::size_t>(j)];
        p.Patrones.push_back(c);
    }
    return p;
}

// Dantzig pricing over a fixed list of columns until no reduced cost is below -1e-9, at
// the columns' own costs or at `costes`. posiciones[k] is the column in basis position k (-1
// for the starting diagonal); with `artificiales`, the marked positions leave the marks.
int Optimizar(CSimplex& simplex, const std::vector<RColumna>& columnas,
              std::vector<int>& posiciones, const AReal8* costes = nullptr,
              AByte* artificiales = nullptr) {
    const int n = simplex.Filas();
    AReal8 duales(static_cast<std::size_t>(n) + 1, 0.0);
    for (int iteracion = 0; iteracion < 500; ++iteracion) {
        simplex.Duales(duales);
        int entra = -1;
        double mejor = 0.0;
        for (std::size_t c = 0; c < columnas.size(); ++c) {
            double reducido = costes != nullptr ? (*costes)[c] : columnas[c].Coste;
            for (int i = 1; i <= n; ++i) {
                reducido -= duales[static_cast<std::size_t>(i)] * columnas[c].A[i];
            }
            if (Menor(reducido, 0.0) && reducido < mejor) {
                mejor = reducido;
                entra = static_cast<int>(c);
            }
        }
        if (entra < 0) {
            return iteracion;
        }
        int sale = 0;
        if (!simplex.Pivotear(columnas[static_cast<std::size_t>(entra)].A, mejor, sale,
                              artificiales)) {
            return -1;
        }
        posiciones[static_cast<std::size_t>(sale)] = entra;
        if (artificiales != nullptr) {
            (*artificiales)[static_cast<std::size_t>(sale)] = 0;
        }
    }
    return -2;
}

TEST(Simplex, OptimoIgualQueLaEnumeracionDeVertices) {
    std::mt19937 azar(20261206);
    for (int prueba = 0; prueba < 300; ++prueba) {
        const RProblema p = ProblemaAleatorio(azar);
        const int n = p.NP + p.NM;
        // Artificials D_i e_i with a large cost, unit slacks of the materials at cost 0:
        // every column may enter, including the starting ones, so the optimum of the
        // pivoting must be the optimum of the whole programme.
        const double penalizacion = 1000.0;
        std::vector<RColumna> columnas = p.Patrones;
        AReal8 costes(static_cast<std::size_t>(n) + 1, 0.0);
        for (int i = 1; i <= n; ++i) {
            RColumna c{AWord16(static_cast<std::size_t>(n) + 1, 0), 0.0};
            c.A[static_cast<std::size_t>(i)] = i <= p.NP ? p.Diagonal[i] : 1;
            c.Coste = i <= p.NP ? penalizacion : 0.0;
            costes[static_cast<std::size_t>(i)] = c.Coste;
            columnas.push_back(c);
        }
        CSimplex simplex(p.Diagonal, p.Diagonal, costes);
        std::vector<int> posiciones(static_cast<std::size_t>(n) + 1, -1);
        const int iteraciones = Optimizar(simplex, columnas, posiciones);
        ASSERT_GE(iteraciones, 0) << "prueba " << prueba;

        const double referencia = MinimoPorVertices(columnas, p.Diagonal, n);
        EXPECT_NEAR(simplex.Objetivo(), referencia, 1e-7 * std::max(1.0, referencia))
            << "prueba " << prueba;

        // The basis reproduces the right-hand side with non-negative values, and the
        // duals price it at the objective (strong duality).
        AReal8 duales(static_cast<std::size_t>(n) + 1, 0.0);
        simplex.Duales(duales);
        double dualPorB = 0.0;
        for (int i = 1; i <= n; ++i) {
            dualPorB += duales[static_cast<std::size_t>(i)] * p.Diagonal[i];
        }
        EXPECT_NEAR(dualPorB, simplex.Objetivo(), 1e-7 * std::max(1.0, referencia));
        for (int fila = 1; fila <= n; ++fila) {
            double suma = 0.0;
            for (int k = 1; k <= n; ++k) {
                const double x = simplex.ValorBasico(k);
                EXPECT_GE(x, -1e-9);
                const int c = posiciones[static_cast<std::size_t>(k)];
                const double a = c < 0 ? (k == fila ? p.Diagonal[k] : 0.0)
                                       : columnas[static_cast<std::size_t>(c)].A[fila];
                suma += a * x;
            }
            EXPECT_NEAR(suma, p.Diagonal[static_cast<std::size_t>(fila)], 1e-6);
        }
    }
}

// After any long sequence of pivots the table still holds the inverse of the basis it
// claims: the direction of the column in basis position k is -e_k, the basic values are
// never negative and reproduce the right-hand side, and the duals are c_B B^-1. With a
// degenerate right-hand side (many rows at 0) too, where round-off used to pick pivots.
class InversaTest : public ::testing::TestWithParam<bool> {};

TEST_P(InversaTest, LaInversaSigueSiendoLaDeLaBaseTrasMuchosPivotes) {
    const bool degenerado = GetParam();
    std::mt19937 azar(99);
    const int n = 40;
    AWord16 diagonal(n + 1, 0);
    AWord16 derecha(n + 1, 0);
    AReal8 costes(n + 1, 0.0);
    for (int i = 1; i <= n; ++i) {
        diagonal[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(1 + azar() % 60);
        derecha[static_cast<std::size_t>(i)] = degenerado ? static_cast<std::uint16_t>(azar() % 2)
                                                          : diagonal[static_cast<std::size_t>(i)];
        costes[static_cast<std::size_t>(i)] = i <= 30 ? 1.0 : 0.0;
    }
    CSimplex simplex(diagonal, derecha, costes);
    std::vector<AWord16> base(n + 1);
    AReal8 costeBase = costes;
    for (int i = 1; i <= n; ++i) {
        base[static_cast<std::size_t>(i)].assign(n + 1, 0);
        base[static_cast<std::size_t>(i)][static_cast<std::size_t>(i)] = diagonal[i];
    }
    int pivotes = 0;
    for (int intento = 0; intento < 6000; ++intento) {
        AWord16 columna(n + 1, 0);
        for (int p = 0; p < 5; ++p) {
            columna[1 + azar() % 30] += static_cast<std::uint16_t>(1 + azar() % 3);
        }
        columna[31 + azar() % 10] = 1;
        const double coste = static_cast<double>(azar() % 7);
        AReal8 duales(n + 1, 0.0);
        simplex.Duales(duales);
        double reducido = coste;
        for (int i = 1; i <= n; ++i) {
            reducido -= duales[static_cast<std::size_t>(i)] * columna[static_cast<std::size_t>(i)];
        }
        int sale = 0;
        if (simplex.Pivotear(columna, reducido, sale)) {
            base[static_cast<std::size_t>(sale)] = columna;
            costeBase[static_cast<std::size_t>(sale)] = coste;
            ++pivotes;
        }
        for (int k = 1; k <= n; ++k) {
            ASSERT_GE(simplex.ValorBasico(k), 0.0) << "pivot " << pivotes;
        }
    }
    ASSERT_GT(pivotes, 2000);
    EXPECT_GT(simplex.Refactorizaciones(), 0);
    EXPECT_LT(simplex.ResiduoPrimal(), CSimplex::ToleranciaResiduo);
    EXPECT_LT(simplex.ResiduoDual(), CSimplex::ToleranciaResiduo);
    double peor = 0.0;
    for (int k = 1; k <= n; ++k) {
        const AReal8 d = simplex.Direccion(base[static_cast<std::size_t>(k)]);
        for (int i = 1; i <= n; ++i) {
            peor = std::max(peor, std::fabs(d[static_cast<std::size_t>(i)] + (i == k ? 1.0 : 0.0)));
        }
    }
    EXPECT_LT(peor, 1e-9);
    for (int fila = 1; fila <= n; ++fila) {
        double suma = 0.0;
        for (int k = 1; k <= n; ++k) {
            suma += base[static_cast<std::size_t>(k)][static_cast<std::size_t>(fila)] *
                    simplex.ValorBasico(k);
        }
        EXPECT_NEAR(suma, derecha[static_cast<std::size_t>(fila)], 1e-8);
    }
    // Duals: pi . a_k = c_k for every basic column, and the objective is c_B x_B; also
    // after new costs for the same basis.
    const auto comprobarDuales = [&](const AReal8& c) {
        AReal8 duales(n + 1, 0.0);
        simplex.Duales(duales);
        double objetivo = 0.0;
        for (int k = 1; k <= n; ++k) {
            double pa = 0.0;
            for (int i = 1; i <= n; ++i) {
                pa += duales[static_cast<std::size_t>(i)] *
                      base[static_cast<std::size_t>(k)][static_cast<std::size_t>(i)];
            }
            EXPECT_NEAR(pa, c[static_cast<std::size_t>(k)], 1e-8);
            objetivo += c[static_cast<std::size_t>(k)] * simplex.ValorBasico(k);
        }
        EXPECT_NEAR(simplex.Objetivo(), objetivo, 1e-7);
    };
    comprobarDuales(costeBase);
    AReal8 nuevos(n + 1, 0.0);
    for (int k = 1; k <= n; ++k) {
        nuevos[static_cast<std::size_t>(k)] = static_cast<double>(k % 5);
    }
    simplex.FijarCostes(nuevos);
    comprobarDuales(nuevos);
}

INSTANTIATE_TEST_SUITE_P(Casos, InversaTest, ::testing::Bool());

// Phase 1 from the artificials, then phase 2 on the material areas with the artificials at
// cost 0, as the calculation runs it. The artificials left at zero in the basis must never
// rise again: the plan must meet the order and reach the optimum over the real columns.
TEST(Simplex, LaFaseDosNoLevantaLosArtificiales) {
    std::mt19937 azar(4242);
    int conFaseDos = 0;
    for (int prueba = 0; prueba < 3000; ++prueba) {
        const RProblema p = ProblemaAleatorio(azar);
        const int n = p.NP + p.NM;
        std::vector<RColumna> reales = p.Patrones;
        for (int j = 1; j <= p.NM; ++j) {
            RColumna holgura{AWord16(static_cast<std::size_t>(n) + 1, 0), 0.0};
            holgura.A[static_cast<std::size_t>(p.NP + j)] = 1;
            reales.push_back(holgura);
        }
        AReal8 costes(static_cast<std::size_t>(n) + 1, 0.0);
        for (int i = 1; i <= p.NP; ++i) {
            costes[static_cast<std::size_t>(i)] = 1.0;
        }
        CSimplex simplex(p.Diagonal, p.Diagonal, costes);
        std::vector<int> posiciones(static_cast<std::size_t>(n) + 1, -1);
        AByte artificiales(static_cast<std::size_t>(n) + 1, 0);
        std::fill(artificiales.begin() + 1, artificiales.begin() + 1 + p.NP, 1);

        // Phase 1 prices every real column at 0 and never looks at the artificials.
        const AReal8 ceros(reales.size(), 0.0);
        ASSERT_GE(Optimizar(simplex, reales, posiciones, &ceros, nullptr), 0) << prueba;
        for (int k = 1; k <= n; ++k) {
            if (posiciones[static_cast<std::size_t>(k)] >= 0) {
                artificiales[static_cast<std::size_t>(k)] = 0;
            }
        }
        if (Mayor(simplex.Objetivo(), 0.0)) {
            continue; // the order cannot be met with these columns
        }
        ++conFaseDos;
        for (int k = 1; k <= n; ++k) {
            const int c = posiciones[static_cast<std::size_t>(k)];
            costes[static_cast<std::size_t>(k)] =
                c < 0 ? 0.0 : reales[static_cast<std::size_t>(c)].Coste;
        }
        simplex.FijarCostes(costes);
        ASSERT_GE(Optimizar(simplex, reales, posiciones, nullptr, &artificiales), 0) << prueba;

        for (int k = 1; k <= p.NP; ++k) {
            if (artificiales[static_cast<std::size_t>(k)] != 0) {
                EXPECT_NEAR(simplex.ValorBasico(k), 0.0, 1e-9) << "prueba " << prueba;
            }
        }
        const double referencia = MinimoPorVertices(reales, p.Diagonal, n);
        EXPECT_NEAR(simplex.Objetivo(), referencia, 1e-7 * std::max(1.0, referencia))
            << "prueba " << prueba;
    }
    EXPECT_GT(conFaseDos, 1000);
}

} // namespace
