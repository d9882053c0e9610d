#pragma once

// Turns an instance and a variant into a job, the same document the program edits: the
// options are set on the job and pieces and materials go in as grid rows in the job's own
// units, exactly as the job window writes them. The job stays in memory (its file name
// points at a file that is never written).

#include "RInstancia.h"
#include "RVariante.h"

#include <memory>
#include <string>

class CLanzamiento;
struct ROpciones;

class CConstructorTrabajo {
public:
    static std::unique_ptr<CLanzamiento> Construir(const RInstancia& instancia,
                                                   const RVariante& variante);
    // The option record the variant asks for, from the program's defaults.
    static ROpciones Opciones(const RInstancia& instancia, const RVariante& variante);
};
