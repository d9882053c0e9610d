#pragma once

// Runs one measurement in a child process of its own, so that the peak memory the
// operating system reports belongs to that run alone, a crash or a hang of one run does not
// end the others, and a run that passes its time limit can be stopped.

#include "RResultado.h"

#include <functional>

class CProcesoAislado {
public:
    using FuncionMedicion = std::function<RResultado()>;

    // The row the child returns, with MemoriaKb set to the child's peak resident size.
    // When the child ends without a row or passes `limiteSegundos`, the row is `base` with
    // the state "error" or "tiempo" and the reason.
    static RResultado Ejecutar(const FuncionMedicion& medicion, const RResultado& base,
                               double limiteSegundos);

    // Peak resident size of this process in kB (VmHWM), 0 when unknown.
    static long long PicoMemoriaKb();
    // Current resident size of this process in kB (VmRSS), 0 when unknown.
    static long long MemoriaActualKb();
};
