#pragma once

// The preview of a report (QRPreview1): its pages one below the other on a grey desk, each
// painted only when it comes into view. A report of thousands of pages opens as fast as
// its layout (the row walk without texts); the last few painted pages are kept as images,
// so scrolling back and forth does not paint them again. Zoom is one of three modes: the
// whole page in view, the page width in view, or a fixed factor (1 = the paper's size on
// the screen).

#include <QAbstractScrollArea>
#include <QImage>
#include <QPageLayout>
#include <QRectF>

#include <list>

class CReporteBandas;

class TPaginaReporteVista : public QAbstractScrollArea {
    Q_OBJECT

public:
    enum TModoZoom { AjustarPagina, AjustarAncho, Factor };

    explicit TPaginaReporteVista(QWidget* padre = nullptr);

    // The report to show, laid out on `diseno` (not owned; nullptr shows an empty desk).
    // Shows page 1.
    void FijarReporte(CReporteBandas* reporte, const QPageLayout& diseno);
    // Lays the report out again on its page (printing lays it out on the printer's) and
    // forgets the painted pages; stays on the current page.
    void Repaginar();

    int Paginas() const;
    int PaginaActual() const { return FPaginaActual; }
    void IrAPagina(int pagina);

    void FijarZoom(TModoZoom modo, double factor = 1.0);
    TModoZoom ModoZoom() const { return FModo; }
    double FactorZoom() const { return FFactor; }

    // How many pages have been painted since the report was set (each painting, not each
    // page: a page that left the image cache and comes back counts again).
    long long PaginasPintadas() const { return FPintadas; }

signals:
    // The current page or the page count changed.
    void PaginaCambiada();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct RImagen {
        int Pagina = 0;
        double Escala = 0;
        QImage Imagen;
    };
    // Device pixels per report unit at the current zoom.
    double Escala() const;
    double AltoPaso() const; // a page and the gap below it, in pixels
    void ActualizarBarras();
    int PaginaEnElCentro() const;
    const QImage& Imagen(int pagina, double escala);

    CReporteBandas* FReporte = nullptr;
    QPageLayout FDiseno;
    QRectF FHoja; // the whole page, in report units
    QRectF FArea; // the printable area within it
    TModoZoom FModo = AjustarPagina;
    double FFactor = 1.0;
    int FPaginaActual = 0;
    long long FPintadas = 0;
    bool FMoviendo = false;
    std::list<RImagen> FCache; // most recently used first
};
