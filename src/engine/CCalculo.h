#pragma once

// A calculation of one job on its own worker thread: the theoretical solution by column
// generation (simplex master problem, patterns priced by the generator), level by level,
// then the rounding and the completion of the integer plan.
//
// The master problem has one row per piece still to cut (demand D) and one per material
// (stock Q). It starts from the artificial columns D(i) e(i) (cost 1) and the material
// slacks Q(j) e(NP + j) (cost 0). Phase 1 drives the artificials out with patterns of cost
// 0; once their sum is 0 the same level runs again in phase 2, where a pattern costs the
// area of its material. At every step the duals go to the generator, whose cheapest pattern
// enters while its reduced cost is below -1e-9; a material slack is offered when no pattern
// improves. Each optimisation level widens the generator's candidate cut positions.
//
// Threads. Created on the main thread ("suspended"), started with Iniciar. The worker talks
// to the display only through CVistaCalculo, whose calls return once handled. Forzar and
// Cancelado are written by the main thread and polled by the worker at fixed points. When
// the worker is done, CalculoTerminado runs on the main thread and hands the new solution
// and the run summary to the job.

#include "engine/CControlCalculo.h"

#include "document/UGlobals.h"

#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class CLanzamiento;
class CMochila;
class CPatron;
class CReservaColumnas;
class CSimplex;
class CSolucion;
class CVistaCalculo;

class CCalculo : public CControlCalculo {
public:
    // Bound to its job and its display; nothing runs until Iniciar. The job's running
    // calculation becomes this one.
    CCalculo(CLanzamiento& lanzamiento, CVistaCalculo& vista);
    // Cancels and waits for a worker still running; the job forgets this calculation.
    ~CCalculo() override;

    // Starts the worker thread (once).
    void Iniciar();
    // Waits for the worker thread to end.
    void Esperar();
    // The worker has finished Execute (the job window's close test).
    bool Terminado() const { return FTerminado.load(); }
    // The termination handler: main thread, once Terminado. Installs the new solution (or
    // appends it to the kept patterns), writes the history and marks the job unsaved; on an
    // error or a cancel the job keeps its previous solution.
    void CalculoTerminado();

    // Calculations started and not yet terminated, in the whole process.
    static std::int32_t CalculosActivos() { return FCalculosActivos.load(); }

    // ---- Results (main thread, after the worker ended) ----
    // Empty on success; otherwise the message that ended the run ("Cálculo cancelado"...).
    const std::string& MensajeError() const { return FMensajeError; }
    // Comma-separated job piece numbers whose ordered quantity the plan does not reach.
    const std::string& PiezasIncumplidas() const { return FPiezasIncumplidas; }
    // The same job piece numbers, in LP row order.
    const std::vector<std::int32_t>& ListaIncumplidas() const { return FListaIncumplidas; }
    // Duration of the run as the summary shows it ("hh:mm:ss"), once terminated.
    const std::string& Duracion() const { return FDuracion; }

    // ---- The LP lower bound of the last level (after the worker ended) ----
    // Valid when the last level ended in phase 2 with no improving column (not forced).
    bool CotaValida() const { return FCotaValida; }
    // Sheets of a job material in that LP (0 for a material it does not use).
    double CotaMaterial(std::int32_t material) const;
    // Total material area of the LP.
    double CotaArea() const { return FCotaArea; }
    // The final plan meets the demand and the bound: with one material, its sheets are
    // ceil(LP); with several, its area is the LP's.
    bool PlanOptimo() const { return FPlanOptimo; }
    // The run summary, as written into the job's history.
    const std::vector<std::string>& Resumen() const { return FResumen; }
    std::int32_t Nivel() const { return FNivel; }
    std::int32_t VariantesAntesCompletar() const { return FVariantesAntesCompletar; }
    // Texts of the stage rows as last shown (0 theoretical, 1 rounding, 2 completion,
    // 3 improvement).
    const std::string& TextoVariantes(int fila) const;
    const std::string& TextoAprovechamiento(int fila) const;

    // Guards a level or stage against the simplex cycling for ever on a degenerate basis: a
    // level ends (as if forced) after this many pivots per row of the master problem.
    static constexpr std::int64_t PivotesPorFila = 1000;
    // Steps (pricing calls and pivots) of the improvement stage, besides its time limit:
    // with this cap the stage gives the same plan on every machine unless the time ends it
    // first.
    static constexpr std::int64_t PasosMejoraPorDefecto = 20000;
    // The theoretical stage prices a pool of the columns found so far before the exact
    // pricing (and the pricing offers several columns per call). Off, every column comes
    // from one exact pricing call: the same value at every level, more slowly (tests).
    void FijarAcelerado(bool acelerado) { FAcelerado = acelerado; }
    // Patterns besides the best that one accelerated pricing call keeps for the pool.
    static constexpr int Adicionales = 100;
    // Another cap for the improvement stage (tests); 0 = none.
    void FijarPasosMejora(std::int64_t pasos) { FPasosMejora = pasos; }

    // The checks a stage's result passes before it is accepted; one that fails ends the run
    // with "Error en el cálculo" and the job keeps its previous solution.
    // Theoretical repetitions: finite, not negative, below RepeticionMaxima.
    static bool RepeticionesTeoricasValidas(const CSolucion& solucion);
    // Integer plan `modo`: no negative repetition, no negative production of any piece.
    static bool PlanEnteroValido(const CSolucion& solucion, std::int32_t modo);
    // Integer repetitions are 32-bit.
    static constexpr double RepeticionMaxima = 2147483647.0;

protected:
    // Display hooks of the control contract, forwarded to the display.
    void MostrarMaximoProgreso() override;
    void MostrarProgreso() override;
    void MostrarVariantes() override;
    void MostrarRedondeoPorDefecto() override;
    void MostrarRedondeoPorExceso() override;

    // The pricing call of the level loop: the generator's GenerarPatron. A test may stand in
    // for it (a class that overrides it must wait for the worker before it is destroyed).
    virtual void GenerarPatron(const AReal8& duales, std::unique_ptr<CPatron>& patron, int modo,
                               int& material, double& costoReducido);
    CMochila& Mochila() { return *FMochila; }
    // Called with each stage's result just before it is checked (0 theoretical, 1
    // rounding, 2 completion); a test may spoil the result here.
    virtual void ResultadoEtapa(int /*fase*/, CSolucion& /*solucion*/) {}

private:
    void Execute();
    void EtapaTeorica();
    void BucleNiveles(std::int32_t inicial, std::int32_t final);
    // Column generation of the current level and phase, until no column improves.
    void GenerarColumnas();
    void ActualizarRepeticiones();
    // Keeps a pattern that the pricing returned in the pool of columns.
    void Reservar(const CPatron* patron, int material);
    // The theoretical result against what any sound LP solution must be: repetitions,
    // production within the order (all of it in phase 2), stock, and a consumption between
    // the pieces' area and the plan phase 2 started from. A failure is recomputed once from
    // a fresh factorisation before it ends the run.
    void ComprobarTeorica();
    bool TeoricaValida() const;
    void ComprobarEntera(std::int32_t fase, std::initializer_list<std::int32_t> modos);
    void EtapaRedondeo();
    void EtapaCompletamiento();
    void EtapaMejora();
    void RevisarPedido();
    void CalcularCota();

    // Display helpers: the texts of the rows are kept here, so that the summary can quote
    // them whatever the display does with them.
    void MostrarAprovechamientoFase();
    void MostrarConsumoTeorico();
    void MostrarConsumoReal();
    void MarcarFaseHecha();
    std::string TextoDuracion() const;

    CLanzamiento& FLanzamiento;
    CVistaCalculo& FVista;
    std::thread FHilo;
    std::atomic<bool> FTerminado{false};
    bool FIniciado = false;
    bool FTerminacionHecha = false;
    double FInicio = 0.0;

    // Fields of the run, in the order of the description.
    std::int32_t FVariantesAntesCompletar = 0;
    std::unique_ptr<CSimplex> FSimplex;
    std::string FMensajeError;
    AReal8 FDuales;
    AReal8 FCostes;
    AWord16 FColumna;
    AWord16 FLadoDerecho;
    // 1 for the basis positions still holding the artificial of their piece row.
    AByte FArtificiales;
    std::unique_ptr<CPatron> FPatronNuevo;
    std::unique_ptr<CSolucion> FSolucion;
    std::int32_t FNumPiezas = 0;
    std::int32_t FNumMateriales = 0;
    std::int32_t FNivel = 0;
    std::atomic<int> FFaseVisible{0};
    std::int32_t FNivelFinal = 0;
    int FFase = 1;
    double FConsumoInicialFase2 = 0.0;
    std::vector<std::string> FResumen;
    std::string FPiezasIncumplidas;

    std::unique_ptr<CMochila> FMochila;
    // Columns priced before the exact pricing (none: every column comes from the pricing).
    std::unique_ptr<CReservaColumnas> FReserva;
    bool FAcelerado = true;
    // Active job materials in job order: the rows of the material list.
    std::vector<std::int32_t> FMaterialesActivos;
    std::string FTextoVariantes[4];
    std::string FTextoAprovechamiento[4];
    std::int32_t FVariantesAntesMejora = 0;
    std::int64_t FPasosMejora = PasosMejoraPorDefecto;
    std::vector<std::int32_t> FListaIncumplidas;
    std::string FDuracion;
    // The LP bound: set by the level loop and the theoretical stage.
    bool FNivelCerrado = false;
    bool FCotaValida = false;
    double FCotaArea = 0.0;
    std::vector<double> FCotaMaterial; // by job material
    bool FPlanOptimo = false;

    static std::atomic<std::int32_t> FCalculosActivos;
};
