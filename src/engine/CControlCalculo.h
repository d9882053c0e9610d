#pragma once

// The contract between the long-running steps of a calculation (the pricing of the pattern
// generator, the rounding search and the completion of the integer plan) and the calculation
// running them. The steps reach it through the job's Calculo pointer; the calculation driver
// derives from it and forwards the display hooks to its progress window. Tests use the class
// as it is: the hooks do nothing and the clock can be replaced, so no test has to sleep.
//
// Threads: the counters are written by the worker only; Forzar and Cancelado are written by
// the user-interface thread (and Forzar also by the integer plan) and polled by the worker
// without a lock, so every value the other thread may look at is atomic.

#include <atomic>
#include <cstdint>
#include <functional>

class CControlCalculo {
public:
    // Current date-time in seconds (any epoch far from 0: 0 means "not throttling").
    using FuncionReloj = std::function<double()>;

    // Seconds after a progress reset during which the bar keeps its position.
    static constexpr int SegundosSinProgreso = 5;

    CControlCalculo();
    virtual ~CControlCalculo();
    CControlCalculo(const CControlCalculo&) = delete;
    CControlCalculo& operator=(const CControlCalculo&) = delete;

    // ---- Operations of the steps (worker thread) ----
    void IniciarProgreso(std::int32_t maximo);
    void FijarProgreso(std::int32_t posicion);
    void AvanzarProgreso(std::int32_t incremento);
    void ContarVariante();
    void AvisarRedondeoPorDefecto();
    void AvisarRedondeoPorExceso();

    // Poll point of the steps: ECalculoAbortado when Cancelado is set, otherwise
    // ECalculoForzado when Forzar is set (both with an empty message); else nothing.
    void ComprobarParada() const;

    // ---- Stop requests ----
    // "&Forzar >>": end the current level or stage and go on with the next one.
    std::atomic<bool> Forzar{false};
    // The progress window was closed: end the whole calculation. Never reset.
    std::atomic<bool> Cancelado{false};

    // ---- Counters (written by the worker only) ----
    std::int32_t VariantesAnalizadas() const { return FVariantesAnalizadas.load(Orden); }
    std::int32_t ProgresoMaximo() const { return FProgresoMaximo.load(Orden); }
    std::int32_t ProgresoPosicion() const { return FProgresoPosicion.load(Orden); }
    // Moment of the last progress reset; 0 while every update is shown at once.
    double InicioProgreso() const { return FInicioProgreso.load(Orden); }
    // The position the progress bar shows now: the integer plan caps its rounding search
    // on it, so the cap only bites once the bar has started to move.
    std::int32_t PosicionMostrada() const { return FPosicionMostrada.load(Orden); }

    // Replaces the clock (tests); an empty function restores the system clock.
    void FijarReloj(FuncionReloj reloj);
    double Ahora() const;

protected:
    // The driver resets the count when a theoretical stage starts.
    void FijarVariantesAnalizadas(std::int32_t n) { FVariantesAnalizadas.store(n, Orden); }

    // Display hooks: called on the worker after the counters changed; the driver forwards
    // them to its progress window (synchronized calls). Empty by default.
    virtual void MostrarMaximoProgreso() {}
    // Called when the throttle lets the bar follow ProgresoPosicion; read PosicionMostrada.
    virtual void MostrarProgreso() {}
    virtual void MostrarVariantes() {}
    virtual void MostrarRedondeoPorDefecto() {}
    virtual void MostrarRedondeoPorExceso() {}

private:
    static constexpr std::memory_order Orden = std::memory_order_relaxed;

    std::atomic<std::int32_t> FVariantesAnalizadas{0};
    std::atomic<std::int32_t> FProgresoMaximo{0};
    std::atomic<std::int32_t> FProgresoPosicion{0};
    std::atomic<double> FInicioProgreso{0.0};
    std::atomic<std::int32_t> FPosicionMostrada{0};
    FuncionReloj FReloj;
};
