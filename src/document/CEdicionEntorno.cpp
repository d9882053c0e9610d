#include "document/CEdicionEntorno.h"

#include <algorithm>
#include <cmath>

const std::array<CEdicionEntorno::RElemento, CEdicionEntorno::CantidadElementos>&
CEdicionEntorno::Elementos() {
    static const std::array<RElemento, CantidadElementos> elementos = {{
        {REntorno::ColorFondoTitulo, REntorno::ColorPapelFondoTitulo},
        {REntorno::ColorTextoTitulo, REntorno::ColorPapelTextoTitulo},
        {REntorno::ColorSeleccion, 0},
        {REntorno::ColorFondoPatrones, 0},
        {REntorno::ColorResalteFila, 0},
        {REntorno::ColorCortesSemiproductos, REntorno::ColorPapelCortesSemiproductos},
        {REntorno::ColorCortesPiezas, REntorno::ColorPapelCortesPiezas},
        {REntorno::ColorRellenoSobrante, REntorno::ColorPapelRellenoSobrante},
        {REntorno::ColorEtiquetas, REntorno::ColorPapelEtiquetas},
    }};
    return elementos;
}

void CEdicionEntorno::Cargar(const REntorno& entorno) {
    FColores = entorno.Colores;
    RellenoSobrante = std::clamp(entorno.RellenoSobrante, 0, 7);
    AnchoLinea = std::clamp(entorno.AnchoLinea, 0, 5);
    const double barra = std::isfinite(entorno.AnchoBarra) ? entorno.AnchoBarra * 100.0 : 10.0;
    AnchoBarra = static_cast<std::int32_t>(std::clamp(std::round(barra), 1.0, 50.0));
    ColoresMiniatura = std::clamp<std::int32_t>(entorno.ColoresMiniatura, 0, 2);
    CarpetaLanzamientos = entorno.CarpetaLanzamientos;
    CarpetaPlantillas = entorno.CarpetaPlantillas;
}

std::uint32_t CEdicionEntorno::Color(int numero) const {
    if (numero < 1 || numero > REntorno::CantidadColores) {
        return 0;
    }
    return FColores[static_cast<std::size_t>(numero)];
}

void CEdicionEntorno::AplicarColor(const std::vector<int>& filas, bool papel, std::uint32_t color) {
    for (int fila : filas) {
        if (fila < 0 || fila >= CantidadElementos) {
            continue;
        }
        const RElemento& e = Elementos()[static_cast<std::size_t>(fila)];
        const int numero = papel ? e.Papel : e.Pantalla;
        if (numero != 0) {
            FColores[static_cast<std::size_t>(numero)] = color;
        }
    }
}

void CEdicionEntorno::RestaurarColores() {
    FColores = REntorno::ColoresPorDefecto();
}

void CEdicionEntorno::Guardar(REntorno& entorno) const {
    entorno.RellenoSobrante = RellenoSobrante;
    entorno.Colores = FColores;
    entorno.ColoresMiniatura = static_cast<std::uint8_t>(ColoresMiniatura);
    entorno.AnchoLinea = AnchoLinea;
    entorno.AnchoBarra = AnchoBarra / 100.0;
    entorno.CarpetaLanzamientos = REntorno::CortarCarpeta(CarpetaLanzamientos);
    entorno.CarpetaPlantillas = REntorno::CortarCarpeta(CarpetaPlantillas);
}
