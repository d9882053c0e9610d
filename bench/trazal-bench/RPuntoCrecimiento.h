#pragma once

// One run of the synthetic growth series.

#include <cmath>
#include <string>

struct RPuntoCrecimiento {
    int Precision = 0;
    int Tipos = 0;
    long long Piezas = 0;
    std::string Estado;
    double Segundos = NAN;
    double SegundosCpu = NAN;
    double SegundosTeorico = NAN;
    long long MemoriaKb = 0;
    double Objetivo = NAN;
    double Lp = NAN;
    long long Variantes = 0;
};
