// Cost of one pivot of the master problem's simplex at the sizes of real jobs: n rows
// (pieces plus materials), pattern columns with a handful of pieces and one material.

#include "engine/CSimplex.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

struct RDatos {
    AWord16 Diagonal;
    AReal8 Costes;
    std::vector<AWord16> Columnas;
};

RDatos Preparar(int n, int piezasPorPatron) {
    std::mt19937 azar(static_cast<unsigned>(n));
    const int materiales = std::max(1, n / 20);
    const int piezas = n - materiales;
    RDatos datos;
    datos.Diagonal.assign(static_cast<std::size_t>(n) + 1, 0);
    datos.Costes.assign(static_cast<std::size_t>(n) + 1, 0.0);
    for (int i = 1; i <= n; ++i) {
        datos.Diagonal[static_cast<std::size_t>(i)] =
            i <= piezas ? static_cast<std::uint16_t>(1 + azar() % 50) : CantidadIlimitada;
        datos.Costes[static_cast<std::size_t>(i)] = i <= piezas ? 1.0 : 0.0;
    }
    for (int k = 0; k < 4 * n; ++k) {
        AWord16 columna(static_cast<std::size_t>(n) + 1, 0);
        const int distintas = 1 + static_cast<int>(azar() % static_cast<unsigned>(piezasPorPatron));
        for (int p = 0; p < distintas; ++p) {
            columna[1 + azar() % static_cast<unsigned>(piezas)] +=
                static_cast<std::uint16_t>(1 + azar() % 4);
        }
        columna[static_cast<std::size_t>(piezas + 1) + azar() % static_cast<unsigned>(materiales)] =
            1;
        datos.Columnas.push_back(std::move(columna));
    }
    return datos;
}

// range(0) = n; range(1) = most distinct pieces in a pattern (a few for sheets, many for
// bars with short pieces, which fill the basis inverse and the direction).
void BM_Pivotear(benchmark::State& estado) {
    const int n = static_cast<int>(estado.range(0));
    const RDatos datos = Preparar(n, static_cast<int>(estado.range(1)));
    auto simplex = std::make_unique<CSimplex>(datos.Diagonal, datos.Diagonal, datos.Costes);
    std::size_t siguiente = 0;
    int pivotes = 0;
    for (auto _ : estado) {
        int sale = 0;
        benchmark::DoNotOptimize(simplex->Pivotear(datos.Columnas[siguiente], -1.0, sale));
        siguiente = (siguiente + 1) % datos.Columnas.size();
        // A fresh basis now and then keeps the values in the range of a real run.
        if (++pivotes == n) {
            estado.PauseTiming();
            simplex = std::make_unique<CSimplex>(datos.Diagonal, datos.Diagonal, datos.Costes);
            pivotes = 0;
            estado.ResumeTiming();
        }
    }
}

} // namespace

BENCHMARK(BM_Pivotear)
    ->Args({100, 6})
    ->Args({400, 6})
    ->Args({100, 40})
    ->Args({400, 40})
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
