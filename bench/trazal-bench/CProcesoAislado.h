#pragma once

// Runs one measurement in a child process of its own, so that the peak memory the
// operating system reports belongs to that run alone, a crash or a hang of one run does not
// end the others, a run that passes its time limit can be stopped, and several runs can go
// on at once.

#include "RResultado.h"

#include <chrono>
#include <functional>
#include <string>
#include <sys/types.h>

class CProcesoAislado {
public:
    using FuncionMedicion = std::function<RResultado()>;

    // Starts the child, which runs `medicion` and sends its row back; the child's row gets
    // MemoriaKb = its peak resident size. When the child ends without a row or passes
    // `limiteSegundos`, the row is `base` with the state "error" or "tiempo" and the reason.
    CProcesoAislado(const FuncionMedicion& medicion, const RResultado& base, double limiteSegundos);
    // A child still running is killed.
    ~CProcesoAislado();
    CProcesoAislado(const CProcesoAislado&) = delete;
    CProcesoAislado& operator=(const CProcesoAislado&) = delete;

    // Reads what the child sent and checks its time without blocking; true once the child is
    // over (its row is then ready).
    bool Atender();
    // The pipe to wait on with poll (-1 once closed).
    int Descriptor() const { return FTubo; }
    const RResultado& Resultado() const { return FResultado; }

    // One run, waiting for it.
    static RResultado Ejecutar(const FuncionMedicion& medicion, const RResultado& base,
                               double limiteSegundos);

    // Peak resident size of this process in kB (VmHWM), 0 when unknown.
    static long long PicoMemoriaKb();
    // Current resident size of this process in kB (VmRSS), 0 when unknown.
    static long long MemoriaActualKb();

private:
    void Recoger(bool agotado);

    RResultado FResultado;
    double FLimite;
    pid_t FHijo = -1;
    int FTubo = -1;
    bool FTerminado = false;
    std::string FRespuesta;
    std::chrono::steady_clock::time_point FInicio;
};
