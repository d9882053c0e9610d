#pragma once

// One measured calculation: builds the job, runs the whole calculation through the driver on
// its worker thread with a display that shows nothing, and reads the stages, the objective,
// the validity of every pattern and the demand from the solution it leaves.

#include "RInstancia.h"
#include "RResultado.h"
#include "RVariante.h"

class CEjecucion {
public:
    // `base` carries the names and the known values; the answer adds the measures. A plan
    // with an invalid pattern or an unmet demand is an error row, never a number.
    static RResultado Medir(const RInstancia& instancia, const RVariante& variante,
                            const RResultado& base);
};
