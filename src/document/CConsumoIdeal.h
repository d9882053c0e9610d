#pragma once

// The ideal consumption of a material: how many of it the active pieces would need at 100 %
// utilisation, counting only the pieces that fit in it (turned when they may be turned) and
// supposing it were the only material used: Sum(area x quantity) / area of the material.

#include <string>

class CLanzamiento;

class CConsumoIdeal {
public:
    // m from 1.
    static double Cantidad(const CLanzamiento& job, int m);
    // "12.34"; "0" for a material of no area.
    static std::string Texto(const CLanzamiento& job, int m);
};
