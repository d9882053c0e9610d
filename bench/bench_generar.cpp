// Speed of the pricing step (CMochila::GenerarPatron) on a 2440 x 1220 sheet with 20 and 60
// pieces, at optimisation levels 1, 2 and 3, plain, with a kerf of 4, and with a kerf and a
// limit of 3 cutting stages. The pieces and their prices are drawn with a fixed seed; the
// prices are about the pieces' areas, as the duals of the second phase are.

#include "document/CLanzamiento.h"
#include "document/ROpciones.h"
#include "generator/CMochila.h"
#include "patterns/CPatron.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

namespace {

enum Variante { Simple = 0, ConCorte = 1, ConCorteYEtapas = 2 };

struct RTrabajo {
    std::filesystem::path Archivo;
    std::unique_ptr<CLanzamiento> Lanzamiento;
    AReal8 Duales;
};

RTrabajo CrearTrabajo(int piezas, int variante) {
    std::mt19937 azar(1220 + piezas);
    std::uniform_int_distribution<int> largo(120, 1100);
    std::uniform_int_distribution<int> ancho(80, 560);
    std::uniform_real_distribution<double> ruido(0.85, 1.15);

    RTrabajo t;
    t.Archivo = std::filesystem::temp_directory_path() /
                ("bench-generar-" + std::to_string(getpid()) + "-" + std::to_string(piezas) + "-" +
                 std::to_string(variante) + ".lan");
    std::ofstream f(t.Archivo, std::ios::binary);
    f << "[Piezas]\r\nN=" << piezas << "\r\n";
    t.Duales.assign(1, 0.0);
    for (int i = 1; i <= piezas; ++i) {
        const int l = largo(azar);
        const int w = ancho(azar);
        f << i << "=" << l << ";" << w << ";10;;;1;\r\n";
        t.Duales.push_back(static_cast<double>(l) * w * ruido(azar));
    }
    f << "[Materiales]\r\nN=1\r\n1=2440;1220;0;;;1;\r\n";
    f.close();
    t.Duales.push_back(0.0);

    ROpciones o = OpcionesPorDefecto();
    o.RotarPiezas = true;
    if (variante != Simple) {
        o.ChequearAnchoCorte = true;
        o.AnchoCorte = 4;
    }
    if (variante == ConCorteYEtapas) {
        o.ChequearNivelCorte = true;
        o.NivelCorte = 3;
    }
    t.Lanzamiento = std::make_unique<CLanzamiento>(t.Archivo.string(), o);
    return t;
}

void GenerarPatron(benchmark::State& estado) {
    const int piezas = static_cast<int>(estado.range(0));
    const int nivel = static_cast<int>(estado.range(1));
    const int variante = static_cast<int>(estado.range(2));
    RTrabajo t = CrearTrabajo(piezas, variante);
    CMochila mochila(*t.Lanzamiento);
    mochila.SetNivelOptimizacion(nivel);

    AWord16 pos;
    int numLargo = 0;
    int numAncho = 0;
    double valor = 0.0;
    for (auto _ : estado) {
        std::unique_ptr<CPatron> patron;
        int material = 0;
        double costo = 0.0;
        mochila.GenerarPatron(t.Duales, patron, 2, material, costo);
        valor = costo;
        benchmark::DoNotOptimize(patron.get());
    }
    mochila.PosicionesCandidatas(true, pos, numLargo);
    mochila.PosicionesCandidatas(false, pos, numAncho);
    estado.counters["posLargo"] = numLargo;
    estado.counters["posAncho"] = numAncho;
    estado.counters["celdas"] = static_cast<double>(numLargo + 1) * (numAncho + 1);
    estado.counters["valor/area"] = (2440.0 * 1220.0 - valor) / (2440.0 * 1220.0);
    std::filesystem::remove(t.Archivo);
}

void Casos(benchmark::internal::Benchmark* b) {
    b->ArgNames({"piezas", "nivel", "variante"});
    for (int piezas : {20, 60}) {
        for (int nivel : {1, 2, 3}) {
            for (int variante : {Simple, ConCorte, ConCorteYEtapas}) {
                b->Args({piezas, nivel, variante});
            }
        }
    }
    b->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(GenerarPatron)->Apply(Casos);

BENCHMARK_MAIN();
