#include "ui/TPaginaReporteVista.h"

#include "reports/CReporteBandas.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {

// Gap around and between pages, in pixels.
constexpr int Hueco = 12;
// Painted pages kept: the pages in view at the smallest zoom and the ones just left.
constexpr std::size_t ImagenesGuardadas = 8;
constexpr double EscalaMinima = 0.02;
constexpr double EscalaMaxima = 16.0;

} // namespace

TPaginaReporteVista::TPaginaReporteVista(QWidget* padre) : QAbstractScrollArea(padre) {
    setObjectName(QStringLiteral("QRPreview1"));
    setFocusPolicy(Qt::StrongFocus);
    // Always there, so that fitting the width never makes it come and go.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAutoFillBackground(false);
}

void TPaginaReporteVista::FijarReporte(CReporteBandas* reporte, const QPageLayout& diseno) {
    FReporte = reporte;
    FCache.clear();
    FPintadas = 0;
    FDiseno = diseno;
    if (FReporte != nullptr) {
        FReporte->Paginar(diseno);
        const QRectF hoja = diseno.fullRect(QPageLayout::Inch);
        const QRectF area = diseno.paintRect(QPageLayout::Inch);
        FHoja = QRectF(0, 0, hoja.width() * 96, hoja.height() * 96);
        FArea = QRectF(area.x() * 96, area.y() * 96, area.width() * 96, area.height() * 96);
    }
    FPaginaActual = FReporte != nullptr ? 1 : 0;
    ActualizarBarras();
    IrAPagina(FPaginaActual);
}

void TPaginaReporteVista::Repaginar() {
    if (FReporte == nullptr) {
        return;
    }
    FCache.clear();
    FReporte->Paginar(FDiseno);
    ActualizarBarras();
    IrAPagina(std::min(FPaginaActual, Paginas()));
}

int TPaginaReporteVista::Paginas() const {
    return FReporte != nullptr ? FReporte->Paginas() : 0;
}

void TPaginaReporteVista::IrAPagina(int pagina) {
    if (FReporte != nullptr) {
        FPaginaActual = std::clamp(pagina, 1, Paginas());
        FMoviendo = true;
        verticalScrollBar()->setValue(
            static_cast<int>(std::lround((FPaginaActual - 1) * AltoPaso())));
        FMoviendo = false;
    }
    viewport()->update();
    emit PaginaCambiada();
}

void TPaginaReporteVista::FijarZoom(TModoZoom modo, double factor) {
    FModo = modo;
    if (modo == Factor && factor > 0 && std::isfinite(factor)) {
        FFactor = factor;
    }
    ActualizarBarras();
    IrAPagina(FPaginaActual);
}

double TPaginaReporteVista::Escala() const {
    if (FHoja.isEmpty()) {
        return 1.0;
    }
    const double ancho = viewport()->width() - 2.0 * Hueco;
    const double alto = viewport()->height() - 2.0 * Hueco;
    double escala = FFactor * logicalDpiX() / 96.0;
    if (FModo == AjustarPagina) {
        escala = std::min(ancho / FHoja.width(), alto / FHoja.height());
    } else if (FModo == AjustarAncho) {
        escala = ancho / FHoja.width();
    }
    return std::clamp(escala, EscalaMinima, EscalaMaxima);
}

double TPaginaReporteVista::AltoPaso() const {
    return FHoja.height() * Escala() + Hueco;
}

void TPaginaReporteVista::ActualizarBarras() {
    const double escala = Escala();
    const double alto = Hueco + Paginas() * AltoPaso();
    const double ancho = FHoja.width() * escala + 2.0 * Hueco;
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, static_cast<int>(std::ceil(alto)) - viewport()->height()));
    v->setPageStep(viewport()->height());
    v->setSingleStep(40);
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, static_cast<int>(std::ceil(ancho)) - viewport()->width()));
    h->setPageStep(viewport()->width());
    h->setSingleStep(40);
}

int TPaginaReporteVista::PaginaEnElCentro() const {
    if (Paginas() == 0) {
        return 0;
    }
    const double centro = verticalScrollBar()->value() + viewport()->height() / 2.0;
    const int k = static_cast<int>(std::floor((centro - Hueco / 2.0) / AltoPaso())) + 1;
    return std::clamp(k, 1, Paginas());
}

const QImage& TPaginaReporteVista::Imagen(int pagina, double escala) {
    for (auto it = FCache.begin(); it != FCache.end(); ++it) {
        if (it->Pagina == pagina && it->Escala == escala) {
            FCache.splice(FCache.begin(), FCache, it);
            return FCache.front().Imagen;
        }
    }
    // The image has the page's pixels on the device; its resolution makes the fonts' points
    // come out at the same scale as the report units.
    const double dispositivo = escala * devicePixelRatioF();
    QImage imagen(std::max(1, static_cast<int>(std::lround(FHoja.width() * dispositivo))),
                  std::max(1, static_cast<int>(std::lround(FHoja.height() * dispositivo))),
                  QImage::Format_RGB32);
    const int puntosPorMetro = static_cast<int>(std::lround(96.0 * dispositivo / 0.0254));
    imagen.setDotsPerMeterX(puntosPorMetro);
    imagen.setDotsPerMeterY(puntosPorMetro);
    imagen.fill(Qt::white);
    {
        QPainter p(&imagen);
        p.translate(FArea.topLeft() * dispositivo);
        FReporte->PintarPagina(p, pagina, dispositivo);
    }
    ++FPintadas;
    FCache.push_front(RImagen{pagina, escala, std::move(imagen)});
    if (FCache.size() > ImagenesGuardadas) {
        FCache.pop_back();
    }
    return FCache.front().Imagen;
}

void TPaginaReporteVista::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), palette().color(QPalette::Dark));
    if (FReporte == nullptr || Paginas() == 0) {
        return;
    }
    const double escala = Escala();
    const double paso = AltoPaso();
    const double anchoHoja = FHoja.width() * escala;
    const double altoHoja = FHoja.height() * escala;
    const int arriba = verticalScrollBar()->value();
    const double x = std::max<double>(Hueco, (viewport()->width() - anchoHoja) / 2.0) -
                     horizontalScrollBar()->value();
    const int primera = std::max(1, static_cast<int>(std::floor((arriba - Hueco) / paso)) + 1);
    for (int k = primera; k <= Paginas(); ++k) {
        const double y = Hueco + (k - 1) * paso - arriba;
        if (y >= viewport()->height()) {
            break;
        }
        const QRectF hoja(x, y, anchoHoja, altoHoja);
        p.fillRect(hoja.translated(3, 3), QColor(60, 60, 60));
        p.drawImage(hoja, Imagen(k, escala));
    }
}

void TPaginaReporteVista::resizeEvent(QResizeEvent* evento) {
    QAbstractScrollArea::resizeEvent(evento);
    ActualizarBarras();
    if (FModo != Factor && FReporte != nullptr) {
        IrAPagina(FPaginaActual);
    }
}

void TPaginaReporteVista::keyPressEvent(QKeyEvent* evento) {
    if (FReporte == nullptr) {
        QAbstractScrollArea::keyPressEvent(evento);
        return;
    }
    switch (evento->key()) {
    case Qt::Key_Home:
        IrAPagina(1);
        break;
    case Qt::Key_End:
        IrAPagina(Paginas());
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        IrAPagina(FPaginaActual - 1);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        IrAPagina(FPaginaActual + 1);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(evento);
        return;
    }
    evento->accept();
}

void TPaginaReporteVista::scrollContentsBy(int, int) {
    viewport()->update();
    if (FMoviendo) {
        return;
    }
    const int k = PaginaEnElCentro();
    if (k != FPaginaActual) {
        FPaginaActual = k;
        emit PaginaCambiada();
    }
}
