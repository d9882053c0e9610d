#include "ui/TPaginaReporte.h"

#include "document/CIniMemoria.h"
#include "document/UEntorno.h"
#include "engine/CExportacionReporte.h"
#include "reports/CReporteBandas.h"
#include "ui/TPaginaReporteVista.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>
#include <QVBoxLayout>

#include <sstream>

TPaginaReporte::TPaginaReporte(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("tbReportes"));
    FVista = new TPaginaReporteVista(this);
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(FVista);
    connect(FVista, &TPaginaReporteVista::PaginaCambiada, this, &TPaginaReporte::PaginaCambiada);
}

TPaginaReporte::~TPaginaReporte() = default;

void TPaginaReporte::Generar(const CLanzamiento& job, TReporte tipo, std::int32_t patron,
                             const QRect& vista, const QRect& zoom) {
    FJob = &job;
    FTipo = tipo;
    FPatron = patron;
    FVistaPatron = vista;
    FZoomPatron = zoom;
    Regenerar();
}

void TPaginaReporte::Regenerar() {
    if (FJob == nullptr) {
        return;
    }
    // The view lets go of the old report before it is freed.
    auto reporte = std::make_unique<CReporteBandas>(*FJob, FTipo, Entorno, FPatron);
    reporte->FijarVista(FVistaPatron, FZoomPatron);
    FVista->FijarReporte(reporte.get(), reporte->Diseno());
    FReporte = std::move(reporte);
    emit PaginaCambiada();
}

void TPaginaReporte::Cerrar() {
    FVista->FijarReporte(nullptr, QPageLayout());
    FReporte.reset();
    FJob = nullptr;
    emit PaginaCambiada();
}

int TPaginaReporte::Paginas() const {
    return FVista->Paginas();
}

int TPaginaReporte::PaginaActual() const {
    return FVista->PaginaActual();
}

void TPaginaReporte::IrAPagina(int pagina) {
    FVista->IrAPagina(pagina);
}

void TPaginaReporte::FijarZoom(TZoom zoom) {
    FZoom = zoom;
    FVista->FijarZoom(zoom == ZoomTodo    ? TPaginaReporteVista::AjustarPagina
                      : zoom == ZoomAncho ? TPaginaReporteVista::AjustarAncho
                                          : TPaginaReporteVista::Factor,
                      1.0);
}

void TPaginaReporte::CicloZoom() {
    FijarZoom(static_cast<TZoom>((FZoom + 1) % 3));
}

bool TPaginaReporte::Imprimir(QPrinter& impresora, const std::function<void(int)>& avance) {
    if (!FReporte) {
        return false;
    }
    FReporte->FijarAlTerminarPagina(avance);
    const bool rango = impresora.printRange() == QPrinter::PageRange;
    const bool bien = FReporte->Imprimir(impresora, rango ? impresora.fromPage() : 1,
                                         rango ? impresora.toPage() : 0);
    FReporte->FijarAlTerminarPagina({});
    // The printer's page may differ from the preview's.
    FVista->Repaginar();
    return bien;
}

void TPaginaReporte::Exportar(const QString& archivo,
                              const std::function<void(long long)>& avance) {
    if (!FReporte) {
        return;
    }
    const QString ext = QFileInfo(archivo).suffix().toUpper();
    std::string contenido;
    if (ext == QStringLiteral("PDF")) {
        QByteArray datos;
        {
            QBuffer buffer(&datos);
            buffer.open(QIODevice::WriteOnly);
            QPdfWriter pdf(&buffer);
            pdf.setResolution(300);
            pdf.setTitle(QString::fromStdString(FReporte->Titulo()));
            pdf.setCreator(QStringLiteral("Trazal"));
            pdf.setPageLayout(FReporte->Diseno());
            FReporte->FijarAlTerminarPagina([&avance](int k) {
                if (avance) {
                    avance(k);
                }
            });
            FReporte->Imprimir(pdf);
            FReporte->FijarAlTerminarPagina({});
            FVista->Repaginar();
        }
        contenido.assign(datos.constData(), static_cast<std::size_t>(datos.size()));
    } else {
        std::ostringstream salida;
        if (ext == QStringLiteral("TXT")) {
            CExportacionReporte::Texto(FReporte->Filas(), salida, avance);
        } else {
            CExportacionReporte::Csv(FReporte->Filas(), salida, avance);
        }
        contenido = salida.str();
    }
    EscribirArchivoAtomico(archivo.toStdString(), contenido);
}
