// Candidate cut positions of one dimension.

#include "generator/CTablaCortes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

struct RCasoPosiciones {
    std::string Nombre;
    std::vector<int> Piezas;     // sizes of the candidate rows
    std::vector<int> Materiales; // material sizes
    int Nivel;
    bool Restringir;
    int Porcentaje;
    std::vector<int> Esperadas;
};

std::vector<int> Calcular(const std::vector<int>& piezas, const std::vector<int>& materiales,
                          int nivel, bool restringir, int porcentaje, AWord16* indiceSalida) {
    AWord16 tamanos(1, 0);
    AInt32 orden(1, 0);
    for (std::size_t k = 0; k < piezas.size(); ++k) {
        tamanos.push_back(static_cast<std::uint16_t>(piezas[k]));
        orden.push_back(static_cast<std::int32_t>(k + 1));
    }
    AWord16 mat(1, 0);
    for (int m : materiales) {
        mat.push_back(static_cast<std::uint16_t>(m));
    }
    CTablaCortes::RReglaPosiciones regla;
    regla.Nivel = nivel;
    regla.Restringir = restringir;
    regla.Porcentaje = porcentaje;
    regla.MaximoMaterial = *std::max_element(materiales.begin(), materiales.end());
    regla.MaximoPieza = *std::max_element(piezas.begin(), piezas.end());
    AWord16 pos;
    AWord16 indice;
    int num = 0;
    CTablaCortes::CalcularPosiciones(tamanos, orden, static_cast<int>(piezas.size()), mat,
                                     static_cast<int>(materiales.size()), regla, pos, num, indice);
    if (indiceSalida != nullptr) {
        *indiceSalida = indice;
    }
    return std::vector<int>(pos.begin(), pos.begin() + num + 1);
}

class Posiciones : public testing::TestWithParam<RCasoPosiciones> {};

TEST_P(Posiciones, Candidatas) {
    const auto& c = GetParam();
    EXPECT_EQ(Calcular(c.Piezas, c.Materiales, c.Nivel, c.Restringir, c.Porcentaje, nullptr),
              c.Esperadas);
}

INSTANTIATE_TEST_SUITE_P(
    TablaCortes, Posiciones,
    testing::Values(
        // The complement 40 of 60 in 100 reduces to 0.
        RCasoPosiciones{"Nivel1", {60}, {100}, 1, false, 10, {0, 60, 100}},
        // Multiples of 30 and the same measured from the far end (100 - 30k).
        RCasoPosiciones{"Nivel2", {30}, {100}, 2, false, 10, {0, 10, 30, 40, 60, 70, 90, 100}},
        // Sums of 30 and 40; a complement reduces to the largest sum below it, so 80 and 90
        // (complements of 20 and 10) are not candidates.
        RCasoPosiciones{"Nivel3", {30, 40}, {100}, 3, false, 10, {0, 30, 40, 60, 70, 100}},
        // Two materials: the complements of each.
        RCasoPosiciones{"DosMateriales", {60}, {100, 130}, 1, false, 10, {0, 60, 100, 120, 130}},
        // Restricted: 10 % of 1000 is 100, so a size of 30 steps by 90 and a size of 150
        // (above the threshold) by itself; the complements reduce to those marks.
        RCasoPosiciones{"Restringido",
                        {30, 150},
                        {1000},
                        1,
                        true,
                        10,
                        {0, 30, 90, 150, 180, 270, 360, 450, 540, 630, 720, 810, 900, 990, 1000}},
        // Bars: every width is 1.
        RCasoPosiciones{"AnchoDeBarras", {1, 1, 1}, {1}, 3, false, 10, {0, 1}}),
    [](const testing::TestParamInfo<RCasoPosiciones>& info) { return info.param.Nombre; });

TEST(TablaCortes, UmbralRedondeadoAlPar) {
    // 2.5 rounds to 2: the size 1 steps by 2, and 2 is a position while 3 is not.
    const auto p = Calcular({1}, {50}, 1, true, 5, nullptr);
    EXPECT_NE(std::find(p.begin(), p.end(), 2), p.end());
    EXPECT_EQ(std::find(p.begin(), p.end(), 3), p.end());
    // 3.5 rounds to 4.
    const auto q = Calcular({1}, {70}, 1, true, 5, nullptr);
    EXPECT_NE(std::find(q.begin(), q.end(), 4), q.end());
    EXPECT_EQ(std::find(q.begin(), q.end(), 2), q.end());
}

// Whatever the input: positions ascend from 0, hold every candidate size and material size
// that fits, and the index of every length is the largest position not above it.
TEST(TablaCortes, InvariantesAlAzar) {
    std::mt19937 azar(99);
    auto entre = [&azar](int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); };
    for (int caso = 0; caso < 300; ++caso) {
        std::vector<int> piezas(static_cast<std::size_t>(entre(1, 6)));
        for (int& s : piezas) {
            s = entre(1, 400);
        }
        std::vector<int> materiales(static_cast<std::size_t>(entre(1, 3)));
        for (int& m : materiales) {
            m = entre(1, 500);
        }
        const int nivel = entre(0, 4);
        AWord16 indice;
        const auto pos =
            Calcular(piezas, materiales, nivel, entre(0, 1) == 1, entre(-5, 200), &indice);
        const int lmax = *std::max_element(materiales.begin(), materiales.end());
        ASSERT_FALSE(pos.empty());
        EXPECT_EQ(pos.front(), 0);
        EXPECT_EQ(pos.back(), lmax);
        EXPECT_TRUE(std::is_sorted(pos.begin(), pos.end()));
        EXPECT_EQ(std::adjacent_find(pos.begin(), pos.end()), pos.end());
        for (int s : piezas) {
            if (s <= lmax) {
                EXPECT_NE(std::find(pos.begin(), pos.end(), s), pos.end()) << s;
            }
        }
        for (int m : materiales) {
            EXPECT_NE(std::find(pos.begin(), pos.end(), m), pos.end()) << m;
        }
        ASSERT_EQ(indice.size(), static_cast<std::size_t>(lmax + 1));
        for (int y = 0; y <= lmax; ++y) {
            const int t = indice[static_cast<std::size_t>(y)];
            ASSERT_LT(static_cast<std::size_t>(t), pos.size());
            EXPECT_LE(pos[static_cast<std::size_t>(t)], y);
            if (static_cast<std::size_t>(t + 1) < pos.size()) {
                EXPECT_GT(pos[static_cast<std::size_t>(t + 1)], y);
            }
        }
        if (HasFailure()) {
            break;
        }
    }
}

} // namespace
