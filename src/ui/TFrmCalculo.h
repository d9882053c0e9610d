#pragma once

// The progress window of one calculation: the stages (theoretical, rounding, completion and
// the improvement that follows it) with their utilisation and
// variants, the consumption of each active material, a progress bar, the elapsed time and a
// status line, "&Forzar >>", "&Cancelar" (later "Cerrar"), "&Guardar el lanzamiento al
// terminar" and "&Apagar el sistema al terminar". It stays on top and owns the calculation.
//
// Threads. The worker calls the display operations of CVistaCalculo; each is queued to this
// window's thread and the worker waits until it has run there. The counters that change with
// every pattern (progress, variants, utilisation, consumption) are the exception: the worker leaves
// the latest value and goes on, and the window shows whatever is latest once per pass of its event
// loop, so a fast calculation is not slowed down to the pace of the repaints. Nothing here ever
// blocks the window's thread: closing while the calculation runs sets the cancel flag, keeps
// serving the display calls from the event loop and closes for good when the worker has ended. The
// destructor releases a worker still waiting on a display call (the call is dropped) and then
// joins it, so destroying the window never deadlocks either.
//
// Use (the main window's "Calcular patrones de corte..."):
//   auto* frm = new TFrmCalculo(job, mainWindow);     // deletes itself on close
//   connect(frm, &TFrmCalculo::SolucionCambiada, child, ...refresh...);
//   frm->FijarGuardar([child] { child->Guardar(); }); // optional
//   frm->Preparar(materialCaptions);                  // optional captions, else from the job
//   frm->Iniciar();                                   // shows and starts the worker

#include "engine/CTemporizadorCalculo.h"
#include "engine/CVistaCalculo.h"

#include <QWidget>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CCalculo;
class CLanzamiento;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTimer;
class QTreeWidget;
class TDlgPromtPedido;

class TFrmCalculo : public QWidget, public CVistaCalculo {
    Q_OBJECT

public:
    // Creates the calculation (not started) bound to the job and this window.
    explicit TFrmCalculo(CLanzamiento& lanzamiento, QWidget* principal = nullptr);
    ~TFrmCalculo() override;

    // Stage rows, timer, status line and one material row per caption; with no captions, one
    // per active job material ("1 (2440x1220 Melamina)").
    void Preparar(const std::vector<std::string>& materiales = {});
    // Shows the window and starts the worker.
    void Iniciar();

    CCalculo* Calculo() const { return FCalculo.get(); }
    // Saving at the end ("&Guardar el lanzamiento al terminar"); by default the job is saved
    // in its own file and an error is shown with Avisar.
    void FijarGuardar(std::function<void()> guardar) { FGuardar = std::move(guardar); }
    // The elapsed-time clock: tests stop the timer and call Timer1Timer themselves.
    QTimer* Timer1() const { return FTimer1; }
    const CTemporizadorCalculo& Temporizador() const { return FTemporizador; }
    // The notice of unfulfilled orders while it shows.
    TDlgPromtPedido* Dialogo() const { return FDialogo; }

    // ---- CVistaCalculo: worker thread ----
    void MarcarFaseTeorica() override;
    void HabilitarForzar() override;
    void ProcesarMensajes() override;
    void MostrarNivel(std::int32_t nivel, const std::string& proceso) override;
    void MostrarVariantes(int fila, const std::string& texto) override;
    void MostrarAprovechamiento(int fila, const std::string& texto) override;
    void MostrarConsumoTeorico(const std::vector<std::string>& optimo) override;
    void MostrarConsumoReal(const std::vector<std::string>& real) override;
    void MarcarFaseRedondeo() override;
    void MarcarFaseCompletamiento(const std::string& proceso) override;
    void MarcarFaseMejora(const std::string& proceso) override;
    void MarcarFaseHecha(int fila, const std::string& proceso) override;
    void MostrarProceso(int fila, const std::string& proceso) override;
    void MostrarPedidoIncumplido(const std::string& piezas) override;
    void MostrarMaximoProgreso(std::int32_t maximo) override;
    void MostrarProgreso(std::int32_t posicion) override;
    void EjecucionTerminada() override;

    // ---- CVistaCalculo: main thread, at the end ----
    void CalculoFinalizado(const std::string& estado, const std::string& titulo) override;
    std::string TiempoTranscurrido() const override;
    void SoltarSolucion() override;
    void SolucionInstalada() override;
    void MostrarError(const std::string& mensaje) override;
    bool ApagarAlTerminar() const override;
    void Apagar() override;

signals:
    // Just before the job's solution object is replaced: drop every view of the old one.
    void SoltandoSolucion();
    // The new solution and the history are in the job.
    void SolucionCambiada();
    // The calculation is over (success, error or cancel) and its end handled.
    void CalculoAcabado();

public slots:
    void btForzarClick();
    void Button1Click();
    void cbApagarClick();
    void Timer1Timer();

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    // Worker: runs `llamada` on the window's thread and waits for it. With `diferida` the
    // call itself says when it is done (Completar), as the notice does when it closes.
    void EnVentana(std::function<void(std::uint64_t)> llamada, bool diferida = false);
    void Completar(std::uint64_t id);
    // Worker: stores the latest counters; one refresh at a time is queued.
    void Pendiente(const std::function<void()>& escribir);
    void MostrarPendiente();
    void FinCalculo();
    void CerrarDialogo();
    void TextoFila(int fila, int columna, const std::string& texto);

    CLanzamiento& FLanzamiento;
    std::unique_ptr<CCalculo> FCalculo;
    CTemporizadorCalculo FTemporizador;
    std::function<void()> FGuardar;

    QTreeWidget* FlwSolucion;
    QTreeWidget* FlwMateriales;
    QLabel* FEtiTiempo;
    QPushButton* FbtForzar;
    QProgressBar* FProgressBar1;
    QCheckBox* FcbGuardar;
    QCheckBox* FcbApagar;
    QPushButton* FButton1;
    QStatusBar* FStatusBar1;
    QTimer* FTimer1;
    TDlgPromtPedido* FDialogo = nullptr;
    std::uint64_t FIdDialogo = 0;

    bool FIniciado = false;
    bool FAcabado = false;
    bool FCerrarAlAcabar = false;

    // Hand-over of the display calls.
    std::mutex FMutex;
    std::condition_variable FHecha;
    std::uint64_t FPedidas = 0;
    std::uint64_t FHechas = 0;
    bool FAbandonada = false;
    // Latest counters not shown yet (guarded by FMutex).
    static constexpr int CantidadFases = FilaMejora + 1;
    struct RPendiente {
        bool Encolada = false;
        std::int32_t Progreso = -1;
        std::string Variantes[CantidadFases];
        std::string Aprovechamiento[CantidadFases];
        bool HayVariantes[CantidadFases] = {};
        bool HayAprovechamiento[CantidadFases] = {};
        std::vector<std::string> Optimo;
        std::vector<std::string> Real;
        bool HayOptimo = false;
        bool HayReal = false;
    };
    RPendiente FPendiente;
};
