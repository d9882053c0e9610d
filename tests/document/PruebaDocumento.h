#pragma once

// Files and grids for the document tests.

#include "document/CGrilla.h"
#include "support/RutasPrueba.h"

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace prueba {

using rutas::EscribirBytes;
using rutas::LeerBytes;

// The words of a text separated by blanks.
inline std::vector<std::string> Palabras(const std::string& texto) {
    std::istringstream s(texto);
    std::vector<std::string> r;
    for (std::string w; s >> w;) {
        r.push_back(w);
    }
    return r;
}

// A grid of 7 columns whose rows 1.. hold the given cells after the row number.
inline CGrilla Grilla(const std::vector<std::vector<std::string>>& filas) {
    CGrilla g(static_cast<int>(filas.size()) + 1, 7);
    for (std::size_t f = 0; f < filas.size(); ++f) {
        const int fila = static_cast<int>(f) + 1;
        g.AsignarCelda(fila, 0, std::to_string(fila));
        for (std::size_t c = 0; c < filas[f].size(); ++c) {
            g.AsignarCelda(fila, static_cast<int>(c) + 1, filas[f][c]);
        }
    }
    return g;
}

} // namespace prueba
