// The report commands of the main window: each asks the active job window's report page
// to do its part; printing and exporting show their progress in status panel 0.

#include "ui/TMainForm.h"

#include "document/CLanzamiento.h"
#include "document/UTextos.h"
#include "reports/CReporteBandas.h"
#include "ui/CDialogos.h"
#include "ui/CPaginaQt.h"
#include "ui/TDlgConfigurarPagina.h"
#include "ui/TMDIChild.h"
#include "ui/TPaginaReporte.h"
#include "ui/UTextoQt.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>

#include <exception>

namespace {

// The hourglass while a long command runs.
class CCursorEspera {
public:
    CCursorEspera() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CCursorEspera() { QGuiApplication::restoreOverrideCursor(); }
    CCursorEspera(const CCursorEspera&) = delete;
    CCursorEspera& operator=(const CCursorEspera&) = delete;
};

} // namespace

void TMainForm::ReporteExecute() {
    auto* a = qobject_cast<QAction*>(sender());
    if (TMDIChild* h = VentanaActiva(); h != nullptr && a != nullptr) {
        CCursorEspera espera;
        h->GuardarGrillas();
        h->GenerarReporte(a->data().toInt());
    }
}

void TMainForm::GenerarReporteExecute() {
    TMDIChild* h = VentanaActiva();
    if (h == nullptr) {
        return;
    }
    CCursorEspera espera;
    h->GuardarGrillas();
    TPaginaReporte& r = h->PaginaReporte();
    h->GenerarReporte(static_cast<int>(r.Generado() ? r.Tipo() : TReporte::Patrones));
}

void TMainForm::CerrarReporteExecute() {
    if (TMDIChild* h = VentanaActiva()) {
        h->PaginaReporte().Cerrar();
        h->ActualizarPaneles();
    }
}

void TMainForm::ZoomReporteExecute() {
    auto* a = qobject_cast<QAction*>(sender());
    TMDIChild* h = VentanaActiva();
    if (h == nullptr || a == nullptr) {
        return;
    }
    const QString n = a->objectName();
    h->PaginaReporte().FijarZoom(n == QStringLiteral("ZoomTodo")    ? TPaginaReporte::ZoomTodo
                                 : n == QStringLiteral("ZoomAncho") ? TPaginaReporte::ZoomAncho
                                                                    : TPaginaReporte::Zoom100);
}

void TMainForm::CicloZoomExecute() {
    if (TMDIChild* h = VentanaActiva()) {
        h->PaginaReporte().CicloZoom();
    }
}

void TMainForm::FileImprimir1Execute() {
    TMDIChild* h = VentanaActiva();
    if (h == nullptr || !h->PaginaReporte().Generado()) {
        return;
    }
    TPaginaReporte& r = h->PaginaReporte();
    QPrinter impresora(QPrinter::HighResolution);
    CPaginaQt::Aplicar(h->Lanzamiento().Opciones(), impresora);
    impresora.setPageLayout(r.Reporte()->Diseno());
    impresora.setDocName(QString::fromStdString(r.Reporte()->Titulo()));
    QPrintDialog dialogo(&impresora, this);
    dialogo.setMinMax(1, std::max(1, r.Paginas()));
    if (CDialogos::Ejecutar(dialogo) != QDialog::Accepted) {
        return;
    }
    IniciarProgreso(Q(Textos::ImprimiendoReporte));
    TotalProgreso(r.Paginas());
    bool bien = false;
    try {
        bien = r.Imprimir(impresora, [this](int k) { AvanzarProgreso(k); });
    } catch (const std::exception& e) {
        TerminarProgreso();
        CDialogos::Avisar(QString::fromUtf8(e.what()));
        return;
    }
    TerminarProgreso();
    if (!bien) {
        CDialogos::Avisar(Q(Textos::ErrorImprimir));
    }
}

void TMainForm::FileConfigurarPaginaExecute() {
    TMDIChild* h = VentanaActiva();
    if (h == nullptr) {
        return;
    }
    // Our own dialog: the printer set-up of the platform needs an installed printer.
    ROpciones o = h->Lanzamiento().Opciones();
    TDlgConfigurarPagina dialogo(this);
    dialogo.Cargar(o);
    if (CDialogos::Ejecutar(dialogo) != QDialog::Accepted) {
        return;
    }
    dialogo.Leer(o);
    h->Lanzamiento().AsignarOpciones(o);
    h->Lanzamiento().MarcarModificado();
    if (h->PaginaReporte().Generado()) {
        CCursorEspera espera;
        h->PaginaReporte().Regenerar();
    }
}

void TMainForm::ExportarReporteExecute() {
    TMDIChild* h = VentanaActiva();
    if (h == nullptr || !h->PaginaReporte().Generado()) {
        return;
    }
    TPaginaReporte& r = h->PaginaReporte();
    const QString archivo = CDialogos::GuardarArchivo(
        this, QString(), QString::fromStdString(r.Reporte()->Titulo()),
        Q(Textos::FiltroExportarReporte) + Q(Textos::FiltroExportarPdf), QStringLiteral("txt"));
    if (archivo.isEmpty()) {
        return;
    }
    CCursorEspera espera;
    IniciarProgreso(Q(Textos::ExportandoReporte));
    const bool pdf = QFileInfo(archivo).suffix().toUpper() == QStringLiteral("PDF");
    TotalProgreso(pdf ? r.Paginas() : static_cast<int>(r.Reporte()->Filas().TamanoProgreso()));
    try {
        r.Exportar(archivo, [this](long long n) { AvanzarProgreso(static_cast<int>(n)); });
    } catch (const std::exception& e) {
        TerminarProgreso();
        CDialogos::Avisar(QString::fromUtf8(e.what()));
        return;
    }
    TerminarProgreso();
}
