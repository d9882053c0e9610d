// Canonical form of pattern trees: chains of blocks in random piece order, each block with a
// free band, so that the sorting pass bubbles pieces through the chain and moves every band
// to its end; and a sheet split into strips of such chains.

#include "patterns/CCorte.h"
#include "patterns/CPatron.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

std::unique_ptr<CCorte> Cadena(int bloques, int piezas, std::mt19937& rng, int ancho) {
    std::uniform_int_distribution<int> pieza(1, piezas);
    std::unique_ptr<CCorte> n = CCorte::Create(3, ancho, 0, 0, 0, 0, 0, 0);
    for (int i = 0; i < bloques; ++i) {
        auto corte = CCorte::Create(n->Largo() + 3, ancho, 1, 0, 0, 0, 0, 0);
        corte->SetHijo1(CCorte::Create(3, ancho, 0, 2, ancho, pieza(rng), 1, 1));
        corte->SetHijo2(std::move(n));
        n = std::move(corte);
    }
    return n;
}

void BM_NormalizarCadena(benchmark::State& estado) {
    const int bloques = static_cast<int>(estado.range(0));
    std::mt19937 rng(7);
    for (auto _ : estado) {
        estado.PauseTiming();
        CPatron p(bloques, 1, nullptr);
        p.SetRaiz(Cadena(bloques, bloques, rng, 10));
        estado.ResumeTiming();
        benchmark::DoNotOptimize(p.Normalizar());
    }
}
BENCHMARK(BM_NormalizarCadena)
    ->Arg(10)
    ->Arg(20)
    ->Arg(40)
    ->Arg(80)
    ->Arg(160)
    ->Unit(benchmark::kMillisecond);
// As deep as a pattern text may nest: the step limit ends it, and this is its cost.
BENCHMARK(BM_NormalizarCadena)->Arg(2000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
