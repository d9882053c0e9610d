#pragma once

// Generated cabinet jobs: one 2800 x 2070 board, n piece types of the sizes of carcass
// parts (sides, shelves, rails, backs), kerf 4, margins 10, minimum offcut 20, and four
// pieces in five allowed to turn (the rest have a grain). Drawn with a fixed seed, so every
// run measures the same jobs; there is no published value to compare them with.

#include "RInstancia.h"

#include <vector>

class CTrabajoMuebles {
public:
    static const std::vector<int>& Tamanos();
    static RInstancia Generar(int tipos);
};
