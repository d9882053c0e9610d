#pragma once

// The frame window: the job windows in an MDI area, every command as a named action with
// its menus, tool bars and context menus, the status bar and its progress text. Commands act
// on the active job window. Which commands are enabled is decided after each batch of
// events by EvaluarComandos (document/CReglasComandos.h) over a snapshot of this window's
// state; an action whose command this program does not offer yet stays disabled.
//
// The window layout (bounds, state, bars and their positions, status bar) comes from the
// process-wide environment at creation and goes back into it when the window closes.

#include "document/CReglasComandos.h"

#include <QMainWindow>

#include <functional>
#include <map>

class CAjuste;
class CAlmacenEntorno;
class CCorte;
class CPatron;
class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class TAboutBox;
class TDLGEntorno;
class TDLGFiltro;
class TDLGMulCant;
class TDLGNuevo;
class TDLGGenerarEti;
class TDLGParametrosEti;
class TDlgConsumo;
class TDlgEtiqueta;
class TDlgHistorico;
class TDlgOpciones;
class TMDIChild;

class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    // archivoInicial: a job opened once, on the first activation. almacen (not owned, may
    // be null) receives the environment when the window closes.
    explicit TMainForm(const QString& archivoInicial = QString(),
                       CAlmacenEntorno* almacen = nullptr, QWidget* padre = nullptr);
    ~TMainForm() override;

    QAction* Accion(const QString& nombre) const;
    QToolBar* Barra(int indice) const;
    QMdiArea* AreaMDI() const { return FArea; }

    TMDIChild* AbrirLanzamiento(const QString& FileName, const QString& Template = QString());
    // The active job window (null when none).
    TMDIChild* VentanaActiva() const;
    QList<TMDIChild*> Ventanas() const;
    // Asks for a file name and saves the window under it; false when cancelled or failed.
    bool GuardarComoVentana(TMDIChild& ventana);
    // "&Editar etiqueta..." on node n of P: the label designer, and on OK the new label (with
    // undo through `ajuste`). True when a label changed: the caller refreshes the page.
    bool EditarEtiqueta(CAjuste& ajuste, CPatron& P, CCorte& n);
    TDlgEtiqueta& DlgEtiqueta() const { return *FDlgEtiqueta; }

    // Status panels: 0 the file name, 1 and 2 the job window's texts.
    void EscribirPanel(const QString& texto, int indice);
    QString TextoPanel(int indice) const;
    int AnchoPanel(int indice) const;
    void IniciarProgreso(const QString& texto);
    void TotalProgreso(int n);
    void AvanzarProgreso(int i);
    void TerminarProgreso();

    void MostrarMenuContextual(const QString& nombre, const QPoint& posicion);
    // The bars' context menu (PopupBarras): the seven show actions.
    QMenu* createPopupMenu() override;
    bool PortapapelesConDatos() const { return FPortapapelesDatos; }

    // The snapshot the enabling rules read, and applying them (done after each batch of
    // events; tests call it directly).
    REstadoComandos Estado() const;
    void ActualizarComandos();

protected:
    void changeEvent(QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    using Manejador = void (TMainForm::*)();

    void CrearAcciones();
    void CrearMenus();
    void CrearBarras();
    void CrearBarraEstado();
    void AplicarEntorno();
    void GuardarEnEntorno();
    void AbrirArchivoInicial();
    void ColocarBarras();

    // ---- Command handlers, named after their actions ----
    void FileOpen1Execute();
    void FileClose1Execute();
    void FileCloseAllExecute();
    void FileSave1Execute();
    void FileSaveAs1Execute();
    void FileExit1Execute();
    void EditInsertarExecute();
    void EditAdicionarExecute();
    void EditEliminar1Execute();
    void EditCut1Execute();
    void EditCopy1Execute();
    void EditPaste1Execute();
    void EditOrdenAscExecute();
    void EditOrdenDesExecute();
    void EditSubirExecute();
    void EditBajarExecute();
    void EditPrimeroExecute();
    void EditAnteriorExecute();
    void EditSiguienteExecute();
    void EditUltimoExecute();
    void EditRedondeoExecute();
    void EditCicloRedExecute();
    void VerPaginaExecute();
    void VerTBExecute();
    void VerToolBarsExecute();
    void VerStatusBarExecute();
    void VerEtiExecute();
    // The adjustment commands and the inspectors of the patterns page, by action name.
    void EditAjusteExecute();
    void ZoomAllPatronExecute();
    void ZoomInPatronExecute();
    void ZoomOutPatronExecute();
    void ToolsIniSolExecute();
    void ToolsCalcularPatronesExecute();
    void FileNew1Execute();
    void ToolsOpcionesExecute();
    void EditFiltrarExecute();
    void ToolsConsumoIdealExecute();
    void ToolsHistoricoExecute();
    void ToolsMulCantExecute();
    void ToolsOpcionesEntornoExecute();
    void ToolsCalculadoraExecute();
    void HelpContents1Execute();
    void HelpAbout1Execute();
    void WindowCascade1Execute();
    void WindowTileHorizontal1Execute();
    void WindowTileVertical1Execute();
    void WindowMinimizeAll1Execute();

    // The reusable dialogs, made once (children of this window).
    TAboutBox* FAboutBox = nullptr;
    TDLGFiltro* FDLGFiltro = nullptr;
    TDLGEntorno* FDLGEntorno = nullptr;
    TDlgHistorico* FDlgHistorico = nullptr;
    TDlgOpciones* FDlgOpciones = nullptr;
    TDlgConsumo* FDlgConsumo = nullptr;
    TDlgEtiqueta* FDlgEtiqueta = nullptr;
    TDLGParametrosEti* FDLGParametrosEti = nullptr;
    TDLGGenerarEti* FDLGGenerarEti = nullptr;
    TDLGMulCant* FDLGMulCant = nullptr;
    TDLGNuevo* FDLGNuevo = nullptr;

    std::map<QString, QAction*> FAcciones;
    std::map<QString, Manejador> FManejadores;
    std::map<QString, QMenu*> FContextuales;
    QList<QToolBar*> FBarras;
    QMdiArea* FArea = nullptr;
    QWidget* FPanel0 = nullptr;
    QLabel* FPanel1 = nullptr;
    QLabel* FPanel2 = nullptr;
    QLabel* FPanel3 = nullptr;
    QString FArchivoInicial;
    CAlmacenEntorno* FAlmacen = nullptr;
    TMDIChild* FActiva = nullptr;
    bool FPortapapelesDatos = false;
    bool FActualizando = false;
    bool FPrimeraActivacion = true;
};
