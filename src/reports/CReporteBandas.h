#pragma once

// A banded report over the rows of one report of a job (CFilasReporte): a page header (the
// title shape in the paper title colours 10 and 11, the page number, the title and the
// date), the group and column headings, detail bands fed by the rows' need-data loop, and a
// page footer with the page number. Pattern cards are laid out FilasReportePatrones x
// ColumnasReportePatrones per page, each with its captions and the pattern drawn in paper
// mode; the pattern detail is one card showing what the pattern view shows.
//
// Layout is in report units of 1/96 inch, independent of the device; painting converts them
// to the device's pixels, so a PDF, a printer and the preview get the same pages. Only the
// position where each page starts is kept, so a page paints without the rows before it. A
// page that starts in the middle of a pattern's (or a material's) rows repeats its heading.

#include "engine/CFilasReporte.h"

#include "document/REntorno.h"

#include <QDate>
#include <QPageLayout>
#include <QRect>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CLanzamiento;
class QPainter;
class QPagedPaintDevice;
class QRectF;

class CReporteBandas {
public:
    CReporteBandas(const CLanzamiento& job, TReporte tipo, const REntorno& entorno,
                   std::int32_t patron = 0);
    ~CReporteBandas();
    CReporteBandas(const CReporteBandas&) = delete;
    CReporteBandas& operator=(const CReporteBandas&) = delete;

    CFilasReporte& Filas() { return FFilas; }
    TReporte Tipo() const { return FFilas.Tipo(); }
    const std::string& Titulo() const { return FFilas.Titulo(); }

    // The pattern detail: the pattern view's visible area and its zoomed rectangle (in the
    // view's pixels); the paper then shows what the screen shows, to scale. Without them the
    // whole pattern is fitted into the card.
    void FijarVista(const QRect& vista, const QRect& zoom);
    void FijarFecha(const QDate& fecha) { FFecha = fecha; }
    // Called with the page number after each page is painted.
    void FijarAlTerminarPagina(std::function<void(int)> f) { FAlTerminarPagina = std::move(f); }

    // The page from the job's six page settings; the listings keep their own orientation
    // (cutting parameters landscape, the others portrait), the pattern reports follow the
    // job's.
    QPageLayout Diseno() const;

    // Lays the report out on pages of the layout's printable size; answers the page count
    // (at least 1: a report without rows is its headers).
    int Paginar(const QPageLayout& diseno);
    int Paginas() const { return static_cast<int>(FInicios.size()); }

    // Paints pages desde..hasta (1-based; 0 = to the end) on the device, laid out for its
    // page layout first. False when painting cannot start on it.
    bool Imprimir(QPagedPaintDevice& dispositivo, int desde = 1, int hasta = 0);
    // Paints page `pagina` (1-based) with `escala` device pixels per report unit; the
    // painter's origin is the printable area's top-left corner.
    void PintarPagina(QPainter& pintor, int pagina, double escala);

private:
    struct RPagina {
        RPosicionReporte Inicio;
        int Filas = 0;
        // A page that goes on with a group's rows repeats the group's heading first.
        bool Continua = false;
        RPosicionReporte Encabezado;
    };
    double AltoFila(const RFilaReporte& f) const;
    double AltoEncabezados() const;
    double AltoCuerpo() const;
    void PintarCabecera(QPainter& p, int pagina, double e);
    void PintarPie(QPainter& p, int pagina, double e);
    double PintarEncabezados(QPainter& p, double y, double e);
    void PintarFila(QPainter& p, const RFilaReporte& f, double y, double e);
    void PintarTarjeta(QPainter& p, const RFilaReporte& f, const QRectF& r, double e);
    std::vector<double> Posiciones() const; // left edge of each column, then the right end

    const CLanzamiento& FJob;
    CFilasReporte FFilas;
    REntorno FEntorno;
    QDate FFecha;
    QRect FVista;
    QRect FZoom;
    std::function<void(int)> FAlTerminarPagina;
    double FAncho = 0.0; // printable area in report units
    double FAlto = 0.0;
    int FFilasTarjetas = 1;
    int FColumnasTarjetas = 1;
    std::vector<RPagina> FInicios;
};
