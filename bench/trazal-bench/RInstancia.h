#pragma once

// A published instance, independent of the file it came from. Sizes are kept as read
// (64-bit) so that a value the job cannot hold is noticed and reported, not truncated.

#include <string>
#include <vector>

struct RPiezaInstancia {
    long long Largo = 0;
    long long Ancho = 1;
    long long Cantidad = 0;
};

struct RMaterialInstancia {
    long long Largo = 0;
    long long Ancho = 1;
};

// The families measured: three of published instances, jobs whose optimum is known by
// construction, and the synthetic growth series.
enum class EFamilia { Barras, Hojas, Clases, Empaquetados, Muebles, Crecimiento };

struct RInstancia {
    EFamilia Familia = EFamilia::Barras;
    std::string Grupo;  // folder, class or series: how the summary groups rows
    std::string Nombre; // what identifies the instance among the known values
    bool Barras = false;
    int Precision = 0; // decimals of the job's unit (the growth series uses 1)
    std::vector<RMaterialInstancia> Materiales;
    std::vector<RPiezaInstancia> Piezas;
    // Stock units the pieces were cut from when the optimum is known by construction (the
    // perfect-packing jobs); 0 otherwise.
    int Unidades = 0;
    // Workshop options of a generated job (0 or empty: the program's default): kerf, the
    // same margin on the four sides, minimum offcut and the pieces that may turn.
    int AnchoCorte = 0;
    int Margen = 0;
    int SobranteMinimo = 0;
    std::string PiezasRotadas;
    // Not empty when the job cannot represent the instance; the row is listed as skipped.
    std::string Omitida;
};
