// The command handlers of the main window: each asks the active job window, a dialog or the
// MDI area to do its part. The window's construction, layout and enabling live in
// TMainForm.cpp.

#include "ui/TMainForm.h"

#include "document/CLanzamiento.h"
#include "document/UEntorno.h"
#include "document/UTextos.h"
#include "engine/CSolucion.h"
#include "ui/CCalculadora.h"
#include "ui/CDialogos.h"
#include "ui/TAboutBox.h"
#include "ui/TDLGEntorno.h"
#include "ui/TDLGFiltro.h"
#include "ui/TDLGMulCant.h"
#include "ui/TDLGNuevo.h"
#include "ui/TDlgConsumo.h"
#include "ui/TDlgHistorico.h"
#include "ui/TDlgOpciones.h"
#include "ui/TFrmCalculo.h"
#include "ui/TMDIChild.h"
#include "ui/TPaginaPatron.h"
#include "ui/TVistaPatron.h"
#include "ui/UAcciones.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

// ---- Commands ------------------------------------------------------------------------------

void TMainForm::FileOpen1Execute() {
    const QString archivo = CDialogos::AbrirArchivo(
        this, QString::fromStdString(Entorno.CarpetaLanzamientos),
        QStringLiteral("Archivos de Lanzamiento (*.lan)|*.lan|Plantillas de Lanzamiento "
                       "(*.pla)|*.pla|Todos los archivos (*.*)|*.*"),
        QStringLiteral("lan"));
    if (!archivo.isEmpty()) {
        AbrirLanzamiento(archivo);
    }
}

void TMainForm::FileClose1Execute() {
    if (QMdiSubWindow* w = FArea->activeSubWindow()) {
        w->close();
    }
}

void TMainForm::FileCloseAllExecute() {
    const QList<QMdiSubWindow*> ventanas = FArea->subWindowList();
    for (QMdiSubWindow* w : ventanas) {
        FArea->setActiveSubWindow(w);
        w->close();
        QCoreApplication::processEvents();
    }
}

void TMainForm::FileSave1Execute() {
    if (TMDIChild* h = VentanaActiva(); h != nullptr && !h->Guardar()) {
        GuardarComoVentana(*h);
    }
}

void TMainForm::FileSaveAs1Execute() {
    if (TMDIChild* h = VentanaActiva()) {
        GuardarComoVentana(*h);
    }
}

void TMainForm::FileExit1Execute() {
    close();
}

void TMainForm::EditInsertarExecute() {
    if (TMDIChild* h = VentanaActiva()) {
        h->Insertar();
    }
}

void TMainForm::EditAdicionarExecute() {
    if (TMDIChild* h = VentanaActiva()) {
        h->Adicionar();
    }
}

void TMainForm::EditEliminar1Execute() {
    TMDIChild* h = VentanaActiva();
    if (h != nullptr && CDialogos::Preguntar(QString::fromUtf8(Textos::SeguroEliminar),
                                             CDialogos::No) == CDialogos::Si) {
        h->Eliminar();
    }
}

void TMainForm::EditCut1Execute() {
    if (TMDIChild* h = VentanaActiva()) {
        h->Cortar();
    }
}

void TMainForm::EditCopy1Execute() {
    if (TMDIChild* h = VentanaActiva()) {
        h->Copiar();
    }
}

void TMainForm::EditPaste1Execute() {
    if (TMDIChild* h = VentanaActiva()) {
        h->Pegar();
    }
}

void TMainForm::EditOrdenAscExecute() {
    if (TMDIChild* h = VentanaActiva()) {
        h->OrdenarResultados(true);
    }
}

void TMainForm::EditOrdenDesExecute() {
    if (TMDIChild* h = VentanaActiva()) {
        h->OrdenarResultados(false);
    }
}

void TMainForm::EditSubirExecute() {
    if (TMDIChild* h = VentanaActiva()) {
        h->Subir();
    }
}

void TMainForm::EditBajarExecute() {
    if (TMDIChild* h = VentanaActiva()) {
        h->Bajar();
    }
}

void TMainForm::EditPrimeroExecute() {
    if (TMDIChild* h = VentanaActiva()) {
        h->Primero();
    }
}

void TMainForm::EditAnteriorExecute() {
    if (TMDIChild* h = VentanaActiva()) {
        h->Anterior();
    }
}

void TMainForm::EditSiguienteExecute() {
    if (TMDIChild* h = VentanaActiva()) {
        h->Siguiente();
    }
}

void TMainForm::EditUltimoExecute() {
    if (TMDIChild* h = VentanaActiva()) {
        h->Ultimo();
    }
}

void TMainForm::EditRedondeoExecute() {
    auto* a = qobject_cast<QAction*>(sender());
    TMDIChild* h = VentanaActiva();
    if (a == nullptr || h == nullptr) {
        return;
    }
    h->Lanzamiento().Solucion().SetModo(a->data().toInt());
    h->Lanzamiento().MarcarModificado();
    h->RefrescarSolucion();
}

void TMainForm::EditCicloRedExecute() {
    TMDIChild* h = VentanaActiva();
    if (h == nullptr) {
        return;
    }
    // Exact, excess, default, and round again.
    CSolucion& s = h->Lanzamiento().Solucion();
    s.SetModo(s.Modo() == CSolucion::ModoFinal       ? CSolucion::ModoPorExceso
              : s.Modo() == CSolucion::ModoPorExceso ? CSolucion::ModoPorDefecto
                                                     : CSolucion::ModoFinal);
    h->Lanzamiento().MarcarModificado();
    h->RefrescarSolucion();
}

void TMainForm::VerPaginaExecute() {
    auto* a = qobject_cast<QAction*>(sender());
    if (TMDIChild* h = VentanaActiva(); h != nullptr && a != nullptr) {
        h->MostrarPagina(a->data().toInt());
    }
}

void TMainForm::VerTBExecute() {
    auto* a = qobject_cast<QAction*>(sender());
    if (a != nullptr) {
        FBarras[a->data().toInt()]->setVisible(a->isChecked());
    }
}

void TMainForm::VerToolBarsExecute() {
    const bool ver = Accion("VerToolBars")->isChecked();
    for (int i = 0; i < REntorno::CantidadBarras; ++i) {
        FBarras[i]->setVisible(ver && Accion(AccionesBarras[i])->isChecked());
    }
}

void TMainForm::VerStatusBarExecute() {
    statusBar()->setVisible(Accion("VerStatusBar")->isChecked());
}

void TMainForm::VerEtiExecute() {
    auto* a = qobject_cast<QAction*>(sender());
    TMDIChild* h = VentanaActiva();
    if (a == nullptr || h == nullptr) {
        return;
    }
    ROpciones o = h->Lanzamiento().Opciones();
    if (a->objectName() == "VerEtiCorte") {
        o.EtiCorte = !o.EtiCorte;
    } else if (a->objectName() == "VerEtiPieza") {
        o.EtiPieza = !o.EtiPieza;
    } else {
        o.EtiSobrante = !o.EtiSobrante;
    }
    h->Lanzamiento().AsignarOpciones(o);
    h->VistaPatron().update();
}

void TMainForm::EditAjusteExecute() {
    auto* a = qobject_cast<QAction*>(sender());
    if (TMDIChild* h = VentanaActiva(); a != nullptr && h != nullptr) {
        h->PaginaPatron().Comando(a->objectName());
    }
}

void TMainForm::ZoomAllPatronExecute() {
    if (TMDIChild* h = VentanaActiva()) {
        h->VistaPatron().Encajar();
    }
}

void TMainForm::ZoomInPatronExecute() {
    if (TMDIChild* h = VentanaActiva()) {
        h->VistaPatron().Aumentar();
    }
}

void TMainForm::ZoomOutPatronExecute() {
    if (TMDIChild* h = VentanaActiva()) {
        h->VistaPatron().Reducir();
    }
}

void TMainForm::ToolsIniSolExecute() {
    TMDIChild* h = VentanaActiva();
    if (h != nullptr && CDialogos::Preguntar(QString::fromUtf8(Textos::EliminarPatrones),
                                             CDialogos::No) == CDialogos::Si) {
        h->ReinicializarSolucion();
    }
}

void TMainForm::ToolsCalcularPatronesExecute() {
    TMDIChild* h = VentanaActiva();
    if (h == nullptr) {
        return;
    }
    try {
        h->GuardarGrillas();
        // Options that cannot be cut (a negative kerf, margins that leave no material) are
        // refused here, with the option named, before any window opens.
        h->Lanzamiento().ComprobarOpciones();
    } catch (const std::exception& e) {
        CDialogos::Avisar(QString::fromUtf8(e.what()));
        return;
    }
    // The progress window owns the calculation and deletes itself when closed; the job
    // window closes it first if it goes away earlier.
    auto* frm = new TFrmCalculo(h->Lanzamiento(), this);
    h->AsignarFrmCalculo(frm);
    connect(frm, &TFrmCalculo::SoltandoSolucion, h, &TMDIChild::SoltarSolucion);
    connect(frm, &TFrmCalculo::SolucionCambiada, h, &TMDIChild::RefrescarSolucion);
    QPointer<TMDIChild> ventana(h);
    frm->FijarGuardar([this, ventana] {
        if (ventana != nullptr && !ventana->Guardar()) {
            GuardarComoVentana(*ventana);
        }
    });
    frm->Preparar();
    frm->Iniciar();
}

void TMainForm::WindowCascade1Execute() {
    FArea->cascadeSubWindows();
}

void TMainForm::WindowTileHorizontal1Execute() {
    // One window under the other, each as wide as the area.
    const QList<QMdiSubWindow*> ventanas = FArea->subWindowList();
    if (ventanas.isEmpty()) {
        return;
    }
    const int alto = FArea->viewport()->height() / static_cast<int>(ventanas.size());
    int y = 0;
    for (QMdiSubWindow* w : ventanas) {
        w->showNormal();
        w->setGeometry(0, y, FArea->viewport()->width(), alto);
        y += alto;
    }
}

void TMainForm::WindowTileVertical1Execute() {
    const QList<QMdiSubWindow*> ventanas = FArea->subWindowList();
    if (ventanas.isEmpty()) {
        return;
    }
    const int ancho = FArea->viewport()->width() / static_cast<int>(ventanas.size());
    int x = 0;
    for (QMdiSubWindow* w : ventanas) {
        w->showNormal();
        w->setGeometry(x, 0, ancho, FArea->viewport()->height());
        x += ancho;
    }
}

void TMainForm::WindowMinimizeAll1Execute() {
    for (QMdiSubWindow* w : FArea->subWindowList()) {
        w->showMinimized();
    }
}

void TMainForm::FileNew1Execute() {
    if (CDialogos::Ejecutar(*FDLGNuevo) == QDialog::Accepted) {
        AbrirLanzamiento(QString::fromUtf8(Textos::Nuevo) + QStringLiteral(".lan"),
                         FDLGNuevo->ArchivoPlantilla());
    }
}

void TMainForm::ToolsOpcionesExecute() {
    TMDIChild* h = VentanaActiva();
    if (h == nullptr) {
        return;
    }
    try {
        h->GuardarGrillas();
    } catch (const std::exception& e) {
        CDialogos::Avisar(QString::fromUtf8(e.what()));
        return;
    }
    RVentanaOpciones v;
    v.Lanzamiento = &h->Lanzamiento();
    v.Piezas = &h->Edicion().Grilla(TGrilla::Piezas);
    v.Materiales = &h->Edicion().Grilla(TGrilla::Materiales);
    v.ReiniciarSolucion = [h] { h->Edicion().ReinicializarSolucion(); };
    v.AsignarOpciones = [h](const ROpciones& o) { h->Lanzamiento().AsignarOpciones(o); };
    v.Refrescar = [h] { h->RefrescarGrillas(); };
    FDlgOpciones->Cargar(v);
    CDialogos::Ejecutar(*FDlgOpciones);
    h->RefrescarGrillas();
}

void TMainForm::EditFiltrarExecute() {
    TMDIChild* h = VentanaActiva();
    QAction* a = Accion("EditFiltrar");
    if (h == nullptr) {
        return;
    }
    if (!a->isChecked()) {
        h->Filtrar(QString(), 0);
        return;
    }
    QStringList columnas;
    const CGrilla& r = h->Edicion().Resultados();
    for (int c = 0; c < r.Columnas(); ++c) {
        columnas << QString::fromStdString(r.Celda(0, c));
    }
    FDLGFiltro->Preparar(columnas, h->ColumnaResultados());
    if (CDialogos::Ejecutar(*FDLGFiltro) == QDialog::Accepted) {
        h->Filtrar(FDLGFiltro->Filtro(), FDLGFiltro->Columna());
    }
    a->setChecked(h->Lanzamiento().Solucion().Filtro() != nullptr);
}

void TMainForm::ToolsConsumoIdealExecute() {
    TMDIChild* h = VentanaActiva();
    if (h == nullptr) {
        return;
    }
    try {
        h->GuardarGrillas();
        FDlgConsumo->Preparar(h->Lanzamiento());
    } catch (const std::exception& e) {
        CDialogos::Avisar(QString::fromUtf8(e.what()));
        return;
    }
    CDialogos::Ejecutar(*FDlgConsumo);
}

void TMainForm::ToolsHistoricoExecute() {
    if (TMDIChild* h = VentanaActiva()) {
        FDlgHistorico->Mostrar(h->Lanzamiento());
        CDialogos::Ejecutar(*FDlgHistorico);
    }
}

void TMainForm::ToolsMulCantExecute() {
    TMDIChild* h = VentanaActiva();
    if (h != nullptr && CDialogos::Ejecutar(*FDLGMulCant) == QDialog::Accepted) {
        h->MultiplicarCantidades(FDLGMulCant->Texto());
    }
}

void TMainForm::ToolsOpcionesEntornoExecute() {
    if (CDialogos::Ejecutar(*FDLGEntorno) == QDialog::Accepted) {
        // Colours and drawing parameters changed: every job window draws again.
        for (TMDIChild* h : Ventanas()) {
            h->RefrescarSolucion();
            h->update();
        }
    }
}

void TMainForm::ToolsCalculadoraExecute() {
    CCalculadora::Abrir();
}

void TMainForm::HelpContents1Execute() {
    const QString manual =
        QString::fromStdString(CarpetaAplicacion) + QStringLiteral("manual.html");
    if (!QFileInfo::exists(manual) || !QDesktopServices::openUrl(QUrl::fromLocalFile(manual))) {
        CDialogos::Avisar(QString::fromUtf8(Textos::ManualNoDisponible) + manual);
    }
}

void TMainForm::HelpAbout1Execute() {
    CDialogos::Ejecutar(*FAboutBox);
}
