#pragma once

// The synthetic growth series: one 2440 x 1220 sheet and n piece types of random sizes
// drawn with a fixed seed. At precision 1 the same jobs get one random decimal on every
// size, so the internal lengths are ten times finer and the sums of sizes (the candidate
// cut positions) about ten times as many; without that decimal a scaled job would have
// exactly the positions of the whole one.

#include "RInstancia.h"

#include <vector>

class CSerieCrecimiento {
public:
    static const std::vector<int>& Tamanos();
    static RInstancia Generar(int tipos, int precision);
};
