// Drawing speed: the pattern view redraws the whole pattern, labels included, on every paint.

#include "document/REntorno.h"
#include "document/ROpciones.h"
#include "patterns/CCorte.h"
#include "patterns/CLienzo.h"
#include "patterns/CPatron.h"
#include "patterns/UDibujo.h"
#include "patterns/UEtiquetas.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

// Counts the primitives; text is 6 pixels per character and 10 high.
class CLienzoNulo : public CLienzo {
public:
    long long Primitivas = 0;
    void Pluma(TColor, TEstiloPluma, int) override {}
    void Relleno(TColor, TEstiloRelleno) override {}
    void Fuente(const RFuente&, TColor) override {}
    void Rectangulo(const RRect&) override { ++Primitivas; }
    void Linea(int, int, int, int) override { ++Primitivas; }
    void Texto(const RRect&, int, int, TAlineacion, const std::string&) override { ++Primitivas; }
    int AnchoTexto(const std::string& t) override { return 6 * static_cast<int>(t.size()); }
    int AltoTexto(const std::string&) override { return 10; }
};

// `columnas` vertical strips, each cut across into `filas` leaves of 3 x 2 pieces with a
// free band, the last leaf of each strip empty.
std::string Columna(int filas) {
    std::string s;
    for (int f = 0; f < filas - 1; ++f) {
        s += "(100;";
        s += std::to_string((filas - f) * 100);
        s += ";-1;0;0;0;0;0;\\def(100;100;0;30;45;1;3;2;\\def()())";
    }
    return s + "(100;100;0;0;0;0;0;0;\\def()())" +
           std::string(static_cast<std::size_t>(filas - 1), ')');
}

std::unique_ptr<CPatron> Patron(int columnas, int filas) {
    std::string s;
    for (int c = 0; c < columnas - 1; ++c) {
        s += '(';
        s += std::to_string((columnas - c) * 100);
        s += ';';
        s += std::to_string(filas * 100);
        s += ";1;0;0;0;0;0;\\def";
        s += Columna(filas);
    }
    s += Columna(filas) + std::string(static_cast<std::size_t>(columnas - 1), ')');
    auto p = CPatron::Create(1, 1, nullptr);
    p->SetRaiz(CCorte::LeerTexto(s));
    return p;
}

void BM_DibujarPatron(benchmark::State& estado) {
    const int lado = static_cast<int>(estado.range(0));
    auto P = Patron(lado, lado);
    const REntorno entorno = REntorno::PorDefecto(1920, 1080, "");
    CLienzoNulo lienzo;
    for (auto _ : estado) {
        Dibujar(*P, lienzo, RRect{0, 0, 1600, 1000}, ModoDibujo::Pantalla, RRect{0, 0, 1600, 1000},
                entorno);
    }
    benchmark::DoNotOptimize(lienzo.Primitivas);
    estado.counters["hojas"] = lado * lado;
}
BENCHMARK(BM_DibujarPatron)->Arg(4)->Arg(10)->Arg(30);

void BM_ExpandirFormatoPorDefecto(benchmark::State& estado) {
    const ROpciones opciones;
    RVariablesEtiqueta v;
    v.P = 3;
    v.ROT = 1;
    v.Unidades = &opciones;
    for (auto _ : estado) {
        benchmark::DoNotOptimize(ExpandirFormato("\\def", opciones.FormatoEti, v));
    }
}
BENCHMARK(BM_ExpandirFormatoPorDefecto);

} // namespace

BENCHMARK_MAIN();
