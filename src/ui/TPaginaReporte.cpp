#include "ui/TPaginaReporte.h"

#include "document/CIniMemoria.h"
#include "document/UEntorno.h"
#include "engine/CExportacionReporte.h"
#include "reports/CReporteBandas.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QVBoxLayout>

#include <sstream>

TPaginaReporte::TPaginaReporte(QWidget* padre)
    : QWidget(padre), FImpresora(std::make_unique<QPrinter>(QPrinter::ScreenResolution)) {
    setObjectName(QStringLiteral("tbReportes"));
    FVista = new QPrintPreviewWidget(FImpresora.get(), this);
    FVista->setObjectName(QStringLiteral("QRPreview1"));
    FVista->setFocusPolicy(Qt::StrongFocus);
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(FVista);
    connect(FVista, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* impresora) {
        if (FReporte) {
            FReporte->Imprimir(*impresora);
        }
    });
    connect(FVista, &QPrintPreviewWidget::previewChanged, this, &TPaginaReporte::PaginaCambiada);
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
    FReporte = std::make_unique<CReporteBandas>(*FJob, FTipo, Entorno, FPatron);
    FReporte->FijarVista(FVistaPatron, FZoomPatron);
    FImpresora->setPageLayout(FReporte->Diseno());
    FVista->updatePreview();
    FijarZoom(FZoom);
    emit PaginaCambiada();
}

void TPaginaReporte::Cerrar() {
    FReporte.reset();
    FJob = nullptr;
    FVista->updatePreview();
    emit PaginaCambiada();
}

int TPaginaReporte::Paginas() const {
    return FReporte ? FVista->pageCount() : 0;
}

int TPaginaReporte::PaginaActual() const {
    return FReporte ? FVista->currentPage() : 0;
}

void TPaginaReporte::IrAPagina(int pagina) {
    FVista->setCurrentPage(pagina);
    emit PaginaCambiada();
}

void TPaginaReporte::FijarZoom(TZoom zoom) {
    FZoom = zoom;
    switch (zoom) {
    case ZoomTodo:
        FVista->fitInView();
        break;
    case ZoomAncho:
        FVista->fitToWidth();
        break;
    case Zoom100:
        FVista->setZoomMode(QPrintPreviewWidget::CustomZoom);
        FVista->setZoomFactor(1.0);
        break;
    }
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
