// The pricing step on published instances (read at run time from the shared benchmark
// folder): at level 3 without constraints its value must be the exact optimum, computed here
// by plain dynamic programmes over every integer length (bars) or every integer guillotine
// cut (sheets). Prices are the pieces' sizes with a fixed random spread, as duals look.

#include "AyudaMochila.h"

#include "support/CConstructorLanzamiento.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

using namespace prueba_mochila;

namespace {

const std::filesystem::path Instancias = "/work/shared/benchmarks";

struct RPieza {
    int Largo;
    int Ancho;
};

// BPPLIB "CSP" format: item types, capacity, then "length demand" lines.
bool LeerBarras(const std::filesystem::path& archivo, int& capacidad, std::vector<RPieza>& piezas) {
    std::ifstream f(archivo);
    int tipos = 0;
    if (!(f >> tipos >> capacidad)) {
        return false;
    }
    for (int k = 0; k < tipos; ++k) {
        int largo = 0;
        int demanda = 0;
        if (!(f >> largo >> demanda)) {
            return false;
        }
        piezas.push_back({largo, 1});
    }
    return true;
}

// Beasley's gcut with demands: "2 sheets items 0 0 0", "W H cost" per sheet, "w h d 0" per item.
bool LeerHojas(const std::filesystem::path& archivo, std::vector<RPieza>& hojas,
               std::vector<RPieza>& piezas) {
    std::ifstream f(archivo);
    int dim = 0;
    int numHojas = 0;
    int numPiezas = 0;
    int cero = 0;
    if (!(f >> dim >> numHojas >> numPiezas >> cero >> cero >> cero)) {
        return false;
    }
    for (int k = 0; k < numHojas; ++k) {
        int w = 0;
        int h = 0;
        double coste = 0;
        if (!(f >> w >> h >> coste)) {
            return false;
        }
        hojas.push_back({w, h});
    }
    for (int k = 0; k < numPiezas; ++k) {
        int w = 0;
        int h = 0;
        int d = 0;
        if (!(f >> w >> h >> d >> cero)) {
            return false;
        }
        piezas.push_back({w, h});
    }
    return true;
}

// Best value of every integer rectangle up to L x W cut by guillotine cuts at any integer
// position, a rectangle that is not cut holding one piece or nothing.
std::vector<double> OptimoGuillotina(int L, int W, const std::vector<RPieza>& piezas,
                                     const std::vector<double>& valores) {
    std::vector<double> f(static_cast<std::size_t>((L + 1) * (W + 1)), 0.0);
    auto celda = [&f, W](int l, int w) -> double& {
        return f[static_cast<std::size_t>(l * (W + 1) + w)];
    };
    for (int l = 1; l <= L; ++l) {
        for (int w = 1; w <= W; ++w) {
            double mejor = 0.0;
            for (std::size_t k = 0; k < piezas.size(); ++k) {
                if (piezas[k].Largo <= l && piezas[k].Ancho <= w) {
                    mejor = std::max(mejor, valores[k]);
                }
            }
            for (int x = 1; x <= l / 2; ++x) {
                mejor = std::max(mejor, celda(x, w) + celda(l - x, w));
            }
            for (int y = 1; y <= w / 2; ++y) {
                mejor = std::max(mejor, celda(l, y) + celda(l, w - y));
            }
            celda(l, w) = mejor;
        }
    }
    return f;
}

std::vector<double> Precios(const std::vector<RPieza>& piezas, double escala, unsigned semilla) {
    std::mt19937 azar(semilla);
    std::uniform_int_distribution<int> ruido(80, 120);
    std::vector<double> v;
    for (const auto& p : piezas) {
        // Whole numbers keep the optimum exact in floating point.
        v.push_back(std::max(1.0, std::round(p.Largo * p.Ancho * escala * ruido(azar) / 100.0)));
    }
    return v;
}

double ValorGenerado(CMochila& m, const std::vector<double>& precios) {
    AReal8 d(1, 0.0);
    d.insert(d.end(), precios.begin(), precios.end());
    RGenerado g = Generar(m, d);
    return g.Patron ? -g.Costo : 0.0;
}

class Barras1D : public testing::TestWithParam<std::string> {};

TEST_P(Barras1D, NivelTresEsLaMochilaExacta) {
    const auto archivo = Instancias / "1d" / GetParam();
    if (!std::filesystem::exists(archivo)) {
        GTEST_SKIP() << archivo << " no está";
    }
    int capacidad = 0;
    std::vector<RPieza> piezas;
    ASSERT_TRUE(LeerBarras(archivo, capacidad, piezas));

    CConstructorLanzamiento c;
    c.Opciones.Barras = true;
    for (const auto& p : piezas) {
        c.Pieza(p.Largo, 1, 1);
    }
    c.Material(capacidad, 1);
    auto job = c.Crear();
    CMochila m(*job);

    for (unsigned semilla = 1; semilla <= 3; ++semilla) {
        const auto precios = Precios(piezas, 1.0, semilla);
        // Unbounded knapsack over every integer length.
        std::vector<double> f(static_cast<std::size_t>(capacidad + 1), 0.0);
        for (int x = 1; x <= capacidad; ++x) {
            double mejor = f[static_cast<std::size_t>(x - 1)];
            for (std::size_t k = 0; k < piezas.size(); ++k) {
                if (piezas[k].Largo <= x) {
                    mejor = std::max(mejor,
                                     f[static_cast<std::size_t>(x - piezas[k].Largo)] + precios[k]);
                }
            }
            f[static_cast<std::size_t>(x)] = mejor;
        }
        const double optimo = f.back();
        m.SetNivelOptimizacion(3);
        EXPECT_NEAR(ValorGenerado(m, precios), optimo, 1e-6) << semilla;
        for (int nivel = 1; nivel <= 2; ++nivel) {
            m.SetNivelOptimizacion(nivel);
            EXPECT_LE(ValorGenerado(m, precios), optimo + 1e-6) << nivel;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Publicas, Barras1D,
                         testing::Values("falkenauer/Falkenauer_u120_00.txt",
                                         "falkenauer/Falkenauer_t60_00.txt",
                                         "hard28/Hard28_BPP13.txt",
                                         "waescher/Waescher_TEST0005.txt"));

class Hojas2D : public testing::TestWithParam<std::tuple<std::string, bool>> {};

TEST_P(Hojas2D, NivelTresEsElOptimoGuillotina) {
    const auto [nombre, rotar] = GetParam();
    const auto archivo = Instancias / "2d" / "cintra2008" / nombre;
    if (!std::filesystem::exists(archivo)) {
        GTEST_SKIP() << archivo << " no está";
    }
    std::vector<RPieza> hojas;
    std::vector<RPieza> piezas;
    ASSERT_TRUE(LeerHojas(archivo, hojas, piezas));

    CConstructorLanzamiento c;
    c.Opciones.RotarPiezas = rotar;
    for (const auto& p : piezas) {
        c.Pieza(p.Largo, p.Ancho, 1);
    }
    int L = 0;
    int W = 0;
    for (const auto& h : hojas) {
        c.Material(h.Largo, h.Ancho);
        L = std::max(L, h.Largo);
        W = std::max(W, h.Ancho);
    }
    auto job = c.Crear();
    CMochila m(*job);

    const auto precios = Precios(piezas, 0.01, 7);
    std::vector<RPieza> todas = piezas;
    std::vector<double> valores = precios;
    if (rotar) {
        for (std::size_t k = 0; k < piezas.size(); ++k) {
            todas.push_back({piezas[k].Ancho, piezas[k].Largo});
            valores.push_back(precios[k]);
        }
    }
    const auto f = OptimoGuillotina(L, W, todas, valores);
    double optimo = 0.0;
    for (const auto& h : hojas) {
        optimo = std::max(optimo, f[static_cast<std::size_t>(h.Largo * (W + 1) + h.Ancho)]);
    }
    m.SetNivelOptimizacion(3);
    EXPECT_NEAR(ValorGenerado(m, precios), optimo, 1e-6);
    m.SetNivelOptimizacion(1);
    EXPECT_LE(ValorGenerado(m, precios), optimo + 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Publicas, Hojas2D,
                         testing::Combine(testing::Values("gcut1d.txt", "gcut2d.txt", "gcut4d.txt"),
                                          testing::Bool()));

} // namespace
