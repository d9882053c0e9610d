#pragma once

// The report page of a job window (page 4): the preview of the current report
// (QRPreview1, painting pages as they come into view) with its zoom modes and page
// navigation, and what the main window's report commands ask of it: generate again, close,
// print, export to text, CSV or PDF, take new page settings. The report itself
// (CReporteBandas) lays out and paints the rows the core computes; this page only shows it.

#include "engine/CFilasReporte.h"

#include <QRect>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>

class CLanzamiento;
class CReporteBandas;
class QPrinter;
class TPaginaReporteVista;

class TPaginaReporte : public QWidget {
    Q_OBJECT

public:
    // The zoom modes CicloZoom goes through, in order.
    enum TZoom { ZoomTodo = 0, ZoomAncho, Zoom100 };

    explicit TPaginaReporte(QWidget* padre = nullptr);
    ~TPaginaReporte() override;

    // Makes report `tipo` of the job (which must outlive the report or close it first).
    // `patron`, `vista` and `zoom`: the pattern detail's pattern and the pattern view's
    // visible area and zoomed rectangle.
    void Generar(const CLanzamiento& job, TReporte tipo, std::int32_t patron = 0,
                 const QRect& vista = QRect(), const QRect& zoom = QRect());
    // The same report again from the job as it is now (its rows, its page settings).
    void Regenerar();
    void Cerrar();
    bool Generado() const { return FReporte != nullptr; }
    TReporte Tipo() const { return FTipo; }
    CReporteBandas* Reporte() const { return FReporte.get(); }
    TPaginaReporteVista& Vista() const { return *FVista; }

    int Paginas() const;
    int PaginaActual() const;
    void IrAPagina(int pagina);
    void FijarZoom(TZoom zoom);
    TZoom Zoom() const { return FZoom; }
    void CicloZoom();

    // Prints on a printer the user set up, pages fromPage..toPage (all when 0); `avance`
    // gets each finished page. False when the printer could not be started.
    bool Imprimir(QPrinter& impresora, const std::function<void(int)>& avance = {});
    // Writes the report to a file: ".pdf" the printed pages, ".txt" the text export, any
    // other the CSV export; atomically (raises EArchivo with the reason on failure).
    void Exportar(const QString& archivo, const std::function<void(long long)>& avance = {});

signals:
    // The shown page or the page count changed.
    void PaginaCambiada();

private:
    TPaginaReporteVista* FVista = nullptr;
    std::unique_ptr<CReporteBandas> FReporte;
    const CLanzamiento* FJob = nullptr;
    TReporte FTipo = TReporte::Patrones;
    std::int32_t FPatron = 0;
    QRect FVistaPatron;
    QRect FZoomPatron;
    TZoom FZoom = ZoomTodo;
};
