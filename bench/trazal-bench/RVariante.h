#pragma once

// How one instance is run: the options a variant sets on the job and the best known value
// it is compared with.

#include <string>

struct RVariante {
    std::string Nombre;        // as shown in the rows and the summary
    std::string ClaveConocida; // "opt", "2NHO", "2NHR", "3NHO", "3NHR"; empty: none
    int NivelInicial = 1;
    int NivelFinal = 2;
    bool Rotar = false;
    int Etapas = 0; // stage limit; 0 = no limit
};
