#include "engine/CHistorialFiltro.h"

#include <algorithm>

void CHistorialFiltro::Agregar(const std::string& texto) {
    if (texto.empty() || std::find(FTextos.begin(), FTextos.end(), texto) != FTextos.end()) {
        return;
    }
    if (FTextos.size() >= Maximo) {
        FTextos.erase(FTextos.begin());
    }
    FTextos.push_back(texto);
}

std::int32_t CHistorialFiltro::Criterio(int columna) {
    return std::min(columna, 7);
}

std::int32_t CHistorialFiltro::Pieza(int columna) {
    return std::max(0, columna - 6);
}
