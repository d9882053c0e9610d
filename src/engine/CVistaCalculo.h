#pragma once

// The display side of a running calculation: the progress window of the desktop program, the
// terminal of the command-line tool, a recorder in the tests.
//
// The calculation's worker thread calls the display operations one at a time; each call
// returns only when the display side has handled it (the desktop program runs it on its
// window thread while the worker waits). The worker never touches a window otherwise. The
// texts come ready from the calculation, so the display side only places them.
//
// The operations after "termination" run on the main thread, from CCalculo::CalculoTerminado,
// once the worker has finished.

#include <cstdint>
#include <string>
#include <vector>

class CVistaCalculo {
public:
    // Rows of the stage list.
    static constexpr int FilaTeorica = 0;
    static constexpr int FilaRedondeo = 1;
    static constexpr int FilaCompletamiento = 2;
    static constexpr int FilaMejora = 3;

    virtual ~CVistaCalculo() = default;

    // ---- Display operations (worker thread, synchronized) ----
    virtual void MarcarFaseTeorica() = 0;
    // "&Forzar >>" may be used from now on.
    virtual void HabilitarForzar() = 0;
    // Lets the display side handle whatever is pending (requests of the user included).
    virtual void ProcesarMensajes() = 0;
    // Theoretical row, "Proceso": "Optimizando en el Nivel 2..." and the level itself.
    virtual void MostrarNivel(std::int32_t nivel, const std::string& proceso) = 0;
    // "Variantes" and "Aprovechamiento" of a stage row.
    virtual void MostrarVariantes(int fila, const std::string& texto) = 0;
    virtual void MostrarAprovechamiento(int fila, const std::string& texto) = 0;
    // Material list, one text per active job material in job order: "Optimo" and "Real".
    virtual void MostrarConsumoTeorico(const std::vector<std::string>& optimo) = 0;
    virtual void MostrarConsumoReal(const std::vector<std::string>& real) = 0;
    virtual void MarcarFaseRedondeo() = 0;
    virtual void MarcarFaseCompletamiento(const std::string& proceso) = 0;
    // The improvement row checked, its "Proceso" := proceso. A display without that row
    // may ignore it (and the other calls for row FilaMejora).
    virtual void MarcarFaseMejora(const std::string& proceso) { (void)proceso; }
    // Stage row finished: unchecked, "Proceso" := proceso ("hecho").
    virtual void MarcarFaseHecha(int fila, const std::string& proceso) = 0;
    // "Proceso" of a stage row (the rounding passes announce themselves here).
    virtual void MostrarProceso(int fila, const std::string& proceso) = 0;
    // Comma-separated job piece numbers whose order the plan does not reach.
    virtual void MostrarPedidoIncumplido(const std::string& piezas) = 0;
    virtual void MostrarMaximoProgreso(std::int32_t maximo) = 0;
    virtual void MostrarProgreso(std::int32_t posicion) = 0;

    // Last call of the worker thread, after everything else: the display side arranges for
    // CCalculo::CalculoTerminado to run on the main thread.
    virtual void EjecucionTerminada() {}

    // ---- Termination (main thread) ----
    // The calculation is over: timer stopped, status line `estado`, "Cerrar", "&Forzar >>"
    // disabled, bar at 0; the caption of the window.
    virtual void CalculoFinalizado(const std::string& estado, const std::string& titulo) {
        (void)estado;
        (void)titulo;
    }
    // Elapsed time as the display shows it ("hh:mm:ss"); empty lets the calculation measure.
    virtual std::string TiempoTranscurrido() const { return std::string(); }
    // Just before the job's solution is replaced: drop every view of the old one.
    virtual void SoltarSolucion() {}
    // The new solution and the history are in the job: refresh, and save when asked.
    virtual void SolucionInstalada() {}
    // The run ended with an error (or was cancelled); the job keeps its previous solution.
    virtual void MostrarError(const std::string& mensaje) { (void)mensaje; }
    // "&Apagar el sistema al terminar", and the request itself once no calculation runs.
    virtual bool ApagarAlTerminar() const { return false; }
    virtual void Apagar() {}
};
