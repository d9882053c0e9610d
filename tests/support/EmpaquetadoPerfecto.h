#pragma once

// Cutting jobs whose optimum is known by construction: n stock units, each cut exactly into
// pieces with nothing left over (kerf 0), the pieces of equal size merged into one order
// line. No plan can use fewer than n units, the n cuts themselves are a plan, so both the
// optimum and the LP value are n. Degenerate on purpose: most order lines ask for one or two
// pieces, which is what makes the simplex pivot tens of thousands of times.

#include <cstdint>
#include <vector>

struct REmpaquetadoPerfecto {
    struct RPieza {
        int Largo = 0;
        int Ancho = 1;
        int Cantidad = 0;
    };
    bool Barras = true;
    int Largo = 0; // the stock unit
    int Ancho = 1;
    int Unidades = 0; // n: how many stock units the pieces were cut from
    std::vector<RPieza> Piezas;
};

namespace empaquetado {

// `barras` bars of `largo`, each cut at random into `minimo` to `maximo` pieces.
REmpaquetadoPerfecto Barras(std::uint32_t semilla, int barras, int largo = 2500, int minimo = 2,
                            int maximo = 5);
// One sheet of random size (a fifth of the maximum up to the maximum on each side) cut by
// random guillotine cuts into `minimo` to `maximo` pieces, the same layout `repeticiones`
// times.
REmpaquetadoPerfecto Hojas(std::uint32_t semilla, int repeticiones, int minimo = 3, int maximo = 12,
                           int largoMaximo = 3000, int anchoMaximo = 2000);

} // namespace empaquetado
