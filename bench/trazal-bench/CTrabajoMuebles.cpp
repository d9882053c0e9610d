#include "CTrabajoMuebles.h"

#include "AzarFijo.h"

#include <cstdint>

namespace {

constexpr std::uint32_t Semilla = 20261207;

} // namespace

const std::vector<int>& CTrabajoMuebles::Tamanos() {
    static const std::vector<int> tamanos = {31, 38};
    return tamanos;
}

RInstancia CTrabajoMuebles::Generar(int tipos) {
    RInstancia r;
    r.Familia = EFamilia::Muebles;
    r.Grupo = "tablero 2800 x 2070";
    r.Nombre = std::to_string(tipos) + " tipos";
    r.Materiales.push_back({2800, 2070});
    r.AnchoCorte = 4;
    r.Margen = 10;
    r.SobranteMinimo = 20;
    std::mt19937 g(Semilla + static_cast<std::uint32_t>(tipos));
    for (int i = 1; i <= tipos; ++i) {
        const int largo = Entre(g, 150, 2000);
        const int ancho = Entre(g, 100, 600);
        const int cantidad = Entre(g, 1, 8);
        r.Piezas.push_back({largo, ancho, cantidad});
        if (Entre(g, 1, 5) != 1) {
            r.PiezasRotadas += (r.PiezasRotadas.empty() ? "" : ",") + std::to_string(i);
        }
    }
    return r;
}
