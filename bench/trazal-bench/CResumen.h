#pragma once

// The Markdown summary of a benchmark run: one line per family and variant (instances, how
// many reach the best known value, mean and worst gap, mean and worst time, peak memory),
// the stage by stage view that tells where a loss arises, and the growth series.

#include "RPuntoCrecimiento.h"
#include "RResultado.h"

#include <istream>
#include <ostream>
#include <string>
#include <vector>

struct RDatosEjecucion {
    std::string Fecha;
    std::string Commit;
    std::string Maquina;
    std::string Conjunto;
    std::string Compilacion;
    double LimiteSegundos = 0;
    double SegundosTotales = 0;
    long long MemoriaBaseKb = 0;
};

class CResumen {
public:
    static void Escribir(std::ostream& salida, const RDatosEjecucion& datos,
                         const std::vector<RResultado>& filas,
                         const std::vector<RPuntoCrecimiento>& crecimiento);

    // Least-squares slope of ln(time) over ln(tipos) for one precision; NaN with fewer
    // than two usable points.
    static double
    ExponenteCrecimiento(const std::vector<RPuntoCrecimiento>& puntos, int precision,
                         double RPuntoCrecimiento::*tiempo = &RPuntoCrecimiento::Segundos);
    // The run's data as "key=value" lines (ejecucion.txt), so that a summary can be written
    // again from the files of a run.
    static void EscribirDatos(std::ostream& salida, const RDatosEjecucion& datos);
    static RDatosEjecucion LeerDatos(std::istream& entrada);
    // crecimiento.csv as the runner writes it; lines that do not read are skipped.
    static std::vector<RPuntoCrecimiento> LeerCrecimiento(std::istream& entrada);

    // True when the objective reaches the best known value (relative tolerance 1e-9).
    static bool AlcanzaMejor(const RResultado& r);
};
