#pragma once

// One row of the benchmark: an instance run with one variant. Values that do not apply or
// were not reached are NaN (written as empty cells).

#include <cmath>
#include <string>

struct RResultado {
    std::string Familia;
    std::string Grupo;
    std::string Instancia;
    std::string Variante;
    // "ok", "omitida" (the job cannot hold it), "error" (the calculation failed or the plan
    // is invalid), "tiempo" (the run passed its time limit).
    std::string Estado;
    std::string Motivo;
    // True when the objective counts sheets or bars; false when it is a total area.
    bool Cuenta = true;

    // Stages: the LP at the last level, its rounding up (counts only), the floor plan
    // after the rounding search with the piece area it leaves uncovered, the ceiling plan,
    // and the final plan after completion (the objective).
    double Lp = NAN;
    double TechoLp = NAN;
    double Defecto = NAN;
    double AreaFaltanteDefecto = NAN;
    double Exceso = NAN;
    double Objetivo = NAN;
    int Nivel = 0;
    long long VariantesTeorico = 0;
    long long VariantesCompletar = 0;
    int Patrones = 0;
    int PatronesCompletar = 0;

    double Mejor = NAN;    // best known value
    double Cota = NAN;     // published lower bound
    double Gap = NAN;      // (Objetivo - Mejor) / Mejor, percent
    double Segundos = NAN; // wall time of the calculation
    // Processor time of the child process (user + system): unlike the wall time, it hardly
    // moves when other programs share the machine.
    double SegundosCpu = NAN;
    // Wall time of each stage: theoretical, rounding, completion.
    double SegundosTeorico = NAN;
    double SegundosRedondeo = NAN;
    double SegundosCompletar = NAN;
    double SegundosMejora = NAN;
    long long MemoriaKb = 0; // peak resident memory of the process that ran it
    bool PatronesValidos = false;
    bool PedidoCumplido = false;
};
