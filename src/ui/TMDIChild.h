#pragma once

// The window of one job inside the main window: the pages of pieces, materials, results,
// patterns and report (pcVistas), and the commands the main window routes to it. It owns
// the job through the editing rules (CEdicionLanzamiento), which hold every rule; the
// window shows the grids, the thumbnails and the current pattern and keeps them in step:
// the current pattern follows the results grid's row and the selected thumbnail.

#include "document/CEdicionLanzamiento.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <memory>

class CDelegadoMiniatura;
class CModeloGrilla;
class CVistaGrilla;
class QLabel;
class QListWidget;
class QTabWidget;
class TMainForm;
class TPaginaPatron;
class TVistaPatron;
struct REstadoComandos;

class TMDIChild : public QWidget {
    Q_OBJECT

public:
    explicit TMDIChild(TMainForm& principal, QWidget* padre = nullptr);
    ~TMDIChild() override;

    // Opens the job from Template (a new job named FileName) or from FileName. An error is
    // shown as "Error al crear el lanzamiento: ..." and the window keeps what was read.
    void Abrir(const QString& FileName, const QString& Template = QString());

    CEdicionLanzamiento& Edicion() { return *FEdicion; }
    CLanzamiento& Lanzamiento() { return FEdicion->Lanzamiento(); }
    QString NombreArchivo() const;

    // ---- Commands of the main window ----
    // Save: false when the job has never been saved (the main window runs Save as).
    bool Guardar();
    bool GuardarComo(const QString& FileName);
    void GuardarGrillas();
    void Adicionar();
    void Insertar();
    void Eliminar();
    void Copiar();
    void Cortar();
    void Pegar();
    void Subir();
    void Bajar();
    void OrdenarResultados(bool ascendente);
    void ReinicializarSolucion();
    void MultiplicarCantidades(const QString& factor);
    // Sets or removes the results filter (empty text) on a results column.
    void Filtrar(const QString& texto, int columna);
    void Primero();
    void Anterior();
    void Siguiente();
    void Ultimo();

    // ---- State for the main window ----
    int PaginaActual() const;
    void MostrarPagina(int pagina);
    bool PuedePegar() const;
    bool HayAnterior() const;
    bool HaySiguiente() const;
    std::int32_t PatronActual() const { return FPatronActual; }
    // The results grid's current column (the filter dialog's preset).
    int ColumnaResultados() const;
    void LlenarEstado(REstadoComandos& e) const;
    TVistaPatron& VistaPatron() const;
    TPaginaPatron& PaginaPatron() const { return *FPaginaPatron; }
    // The grids were changed from outside (the options dialog): writes them into the job and
    // shows everything again.
    void RefrescarGrillas();
    // After a calculation or any change of the solution: results, thumbnails, pattern.
    void RefrescarSolucion();
    // Just before the solution object is replaced: nothing may point at its patterns.
    void SoltarSolucion();
    // The progress window of this job's calculation (it is closed before the job goes).
    void AsignarFrmCalculo(QWidget* frm) { FFrmCalculo = frm; }
    // Status panels 1 and 2 for the shown page.
    void ActualizarPaneles();

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    void CrearPaginas();
    CVistaGrilla* GrillaEnfocada() const;
    CVistaGrilla* GrillaDePagina() const;
    void SeleccionarPatron(std::int32_t slot);
    void ConstruirMiniaturas();
    void AlCambiarGrilla();
    void AlCambiarFilaResultados();
    void AlCambiarMiniatura();
    void HabilitarPaneles();
    // After an adjustment of the shown pattern: its results row, thumbnail and the totals.
    void AlModificarPatron();
    void AlDeshacer(std::int32_t indice);
    void MoverPatron(int tecla);
    QPixmap DibujarMiniatura(std::int32_t slot) const;
    template <class F> void Ejecutar(F&& f);

    TMainForm& FPrincipal;
    std::unique_ptr<CEdicionLanzamiento> FEdicion;
    std::unique_ptr<CModeloGrilla> FModeloPiezas;
    std::unique_ptr<CModeloGrilla> FModeloMateriales;
    std::unique_ptr<CModeloGrilla> FModeloResultados;
    QTabWidget* FPaginas = nullptr;
    CVistaGrilla* FPiezas = nullptr;
    CVistaGrilla* FMateriales = nullptr;
    CVistaGrilla* FResultados = nullptr;
    QListWidget* FMiniaturas = nullptr;
    TPaginaPatron* FPaginaPatron = nullptr;
    CDelegadoMiniatura* FDelegadoMiniaturas = nullptr;
    QWidget* FReporte = nullptr;
    std::int32_t FPatronActual = 0;
    // The last data grid that had the focus (commands act on it while a menu has the focus).
    CVistaGrilla* FUltimaGrilla = nullptr;
    QPointer<QWidget> FFrmCalculo;
    // Stops the pattern selection from re-entering itself.
    bool FOcupado = false;
};
