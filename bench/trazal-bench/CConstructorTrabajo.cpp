#include "CConstructorTrabajo.h"

#include "document/CGrilla.h"
#include "document/CLanzamiento.h"
#include "document/ROpciones.h"
#include "document/ULongitudes.h"

#include <atomic>
#include <filesystem>
#include <unistd.h>

namespace {

// Record columns of pieces and materials: number, Largo, Ancho, Cantidad, Desc1, Desc2, Act.
constexpr int ColumnasRegistro = 7;

std::string RutaSinArchivo() {
    static std::atomic<int> contador{0};
    return (std::filesystem::temp_directory_path() / ("trazal-bench-" + std::to_string(::getpid()) +
                                                      "-" + std::to_string(contador++) + ".lan"))
        .string();
}

} // namespace

ROpciones CConstructorTrabajo::Opciones(const RInstancia& instancia, const RVariante& variante) {
    ROpciones o = OpcionesPorDefecto();
    o.TipoUnidad = 0;
    o.Precision = instancia.Precision;
    o.Barras = instancia.Barras;
    o.RotarPiezas = variante.Rotar;
    o.PiezasRotadas.clear();
    o.ChequearNivelCorte = variante.Etapas > 0;
    if (variante.Etapas > 0) {
        o.NivelCorte = variante.Etapas;
    }
    o.NivelOptimizacionInicial = variante.NivelInicial;
    o.NivelOptimizacionFinal = variante.NivelFinal;
    if (variante.Rotar && !instancia.PiezasRotadas.empty()) {
        o.PiezasRotadas = instancia.PiezasRotadas;
    }
    if (instancia.AnchoCorte > 0) {
        o.ChequearAnchoCorte = true;
        o.AnchoCorte = instancia.AnchoCorte;
    }
    if (instancia.Margen > 0) {
        o.ChequearMargenes = true;
        o.MargenIzq = o.MargenDer = o.MargenSup = o.MargenInf = instancia.Margen;
    }
    if (instancia.SobranteMinimo > 0) {
        o.ChequearSobranteMinimo = true;
        o.SobranteMinimo = instancia.SobranteMinimo;
    }
    return o;
}

std::unique_ptr<CLanzamiento> CConstructorTrabajo::Construir(const RInstancia& instancia,
                                                             const RVariante& variante) {
    const ROpciones opciones = Opciones(instancia, variante);
    auto trabajo = std::make_unique<CLanzamiento>(RutaSinArchivo(), opciones);
    trabajo->AsignarOpciones(opciones);

    auto longitud = [&](long long valor) {
        return FormatearLongitud(static_cast<std::int32_t>(valor), opciones);
    };
    const int n = static_cast<int>(instancia.Piezas.size());
    CGrilla piezas(n + 1, ColumnasRegistro);
    for (int i = 1; i <= n; ++i) {
        const auto& p = instancia.Piezas[static_cast<std::size_t>(i - 1)];
        piezas.AsignarCelda(i, 0, std::to_string(i));
        piezas.AsignarCelda(i, 1, longitud(p.Largo));
        piezas.AsignarCelda(i, 2, longitud(instancia.Barras ? 1 : p.Ancho));
        piezas.AsignarCelda(i, 3, std::to_string(p.Cantidad));
        piezas.AsignarCelda(i, 6, "1");
    }
    trabajo->EscribirPiezas(piezas);

    const int m = static_cast<int>(instancia.Materiales.size());
    CGrilla materiales(m + 1, ColumnasRegistro);
    for (int j = 1; j <= m; ++j) {
        const auto& mat = instancia.Materiales[static_cast<std::size_t>(j - 1)];
        materiales.AsignarCelda(j, 0, std::to_string(j));
        materiales.AsignarCelda(j, 1, longitud(mat.Largo));
        materiales.AsignarCelda(j, 2, longitud(instancia.Barras ? 1 : mat.Ancho));
        // Quantity 0: unlimited stock.
        materiales.AsignarCelda(j, 3, "0");
        materiales.AsignarCelda(j, 6, "1");
    }
    trabajo->EscribirMateriales(materiales);
    return trabajo;
}
