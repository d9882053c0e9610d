#include "support/EmpaquetadoPerfecto.h"

#include <algorithm>
#include <map>
#include <random>
#include <utility>

namespace {

// mt19937 output is fixed by the standard, its distributions are not: draws are mapped by
// hand so that a seed gives the same job with every library.
int Entre(std::mt19937& g, int desde, int hasta) {
    return desde + static_cast<int>(g() % static_cast<std::uint32_t>(hasta - desde + 1));
}

void Agrupar(const std::map<std::pair<int, int>, int>& cuenta, REmpaquetadoPerfecto& r) {
    for (auto it = cuenta.rbegin(); it != cuenta.rend(); ++it) {
        r.Piezas.push_back({it->first.first, it->first.second, it->second});
    }
}

} // namespace

namespace empaquetado {

REmpaquetadoPerfecto Barras(std::uint32_t semilla, int barras, int largo, int minimo, int maximo) {
    std::mt19937 g(semilla);
    REmpaquetadoPerfecto r;
    r.Barras = true;
    r.Largo = largo;
    r.Unidades = barras;
    std::map<std::pair<int, int>, int> cuenta;
    for (int b = 0; b < barras; ++b) {
        const int piezas = Entre(g, minimo, maximo);
        std::vector<int> cortes{0, largo};
        while (static_cast<int>(cortes.size()) < piezas + 1) {
            const int c = Entre(g, 1, largo - 1);
            if (std::find(cortes.begin(), cortes.end(), c) == cortes.end()) {
                cortes.push_back(c);
            }
        }
        std::sort(cortes.begin(), cortes.end());
        for (std::size_t k = 1; k < cortes.size(); ++k) {
            ++cuenta[{cortes[k] - cortes[k - 1], 1}];
        }
    }
    Agrupar(cuenta, r);
    return r;
}

REmpaquetadoPerfecto Hojas(std::uint32_t semilla, int repeticiones, int minimo, int maximo,
                           int largoMaximo, int anchoMaximo) {
    std::mt19937 g(semilla);
    REmpaquetadoPerfecto r;
    r.Barras = false;
    r.Largo = Entre(g, largoMaximo / 5, largoMaximo);
    r.Ancho = Entre(g, anchoMaximo / 5, anchoMaximo);
    r.Unidades = repeticiones;
    // Guillotine cuts: split a random piece that is still large enough, across a random side,
    // so every piece keeps at least `lado` on each side.
    constexpr int lado = 20;
    const int piezas = Entre(g, minimo, maximo);
    std::vector<std::pair<int, int>> partes{{r.Largo, r.Ancho}};
    for (int intento = 0; static_cast<int>(partes.size()) < piezas && intento < 1000; ++intento) {
        const std::size_t k =
            static_cast<std::size_t>(Entre(g, 0, static_cast<int>(partes.size()) - 1));
        auto [l, a] = partes[k];
        const bool vertical = g() % 2 == 0;
        const int medida = vertical ? l : a;
        if (medida < 2 * lado) {
            continue;
        }
        const int corte = Entre(g, lado, medida - lado);
        if (vertical) {
            partes[k] = {corte, a};
            partes.emplace_back(l - corte, a);
        } else {
            partes[k] = {l, corte};
            partes.emplace_back(l, a - corte);
        }
    }
    std::map<std::pair<int, int>, int> cuenta;
    for (const auto& p : partes) {
        cuenta[p] += repeticiones;
    }
    Agrupar(cuenta, r);
    return r;
}

} // namespace empaquetado
