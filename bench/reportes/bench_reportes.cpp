// The reports of a large plan: 300 patterns of 900 leaves each (30 strips of 30 pieces on
// a 2440 x 1220 sheet, 899 cuts per pattern). PDF of the pattern cards and of the cutting
// parameters, the layout alone, and the first page as the preview shows it (layout of every
// page, then the painting of page 1 only).

#include "document/CLanzamiento.h"
#include "document/REntorno.h"
#include "document/ROpciones.h"
#include "reports/CReporteBandas.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr int Patrones = 300;
constexpr int Tiras = 30;
constexpr int PiezasPorTira = 30;

// A leaf of one 80 x 40 piece.
std::string Hoja(int alto) {
    return "(80;" + std::to_string(alto) + ";0;80;40;1;1;1;\\def()())";
}

// A strip of n leaves `alto` high in all, one above the other from the bottom.
std::string Tira(int n, int alto) {
    if (n == 1) {
        return Hoja(alto);
    }
    return "(80;" + std::to_string(alto) + ";-1;0;0;0;0;0;\\def" + Hoja(40) +
           Tira(n - 1, alto - 40) + ")";
}

// n strips side by side, the last one with the sheet's free end.
std::string Tiras_(int n, int largo) {
    if (n == 1) {
        return "(" + std::to_string(largo) + ";1220;1;0;0;0;0;0;\\def" + Tira(PiezasPorTira, 1220) +
               "(" + std::to_string(largo - 80) + ";1220;0;0;0;0;0;0;\\def()()))";
    }
    return "(" + std::to_string(largo) + ";1220;1;0;0;0;0;0;\\def" + Tira(PiezasPorTira, 1220) +
           Tiras_(n - 1, largo - 80) + ")";
}

const CLanzamiento& Trabajo() {
    static std::unique_ptr<CLanzamiento> job = [] {
        const auto ruta = std::filesystem::temp_directory_path() / "trazal-bench-reportes.lan";
        std::ofstream f(ruta);
        f << "[Piezas]\nN=1\n1=80;40;9000;Pieza;;1;\n[Materiales]\nN=1\n1=2440;1220;0;"
             "Tablero;;1;\n[Opciones]\nTipoUnidad=0\nPrecision=0\nFilasReportePatrones=2\n"
             "ColumnasReportePatrones=3\n[Solucion]\nCantPatrones="
          << Patrones << "\n";
        const std::string arbol = Tiras_(Tiras, 2440);
        for (int k = 1; k <= Patrones; ++k) {
            f << "Patron" << k << "=1;1;1;1;0;0;1;0;0;0;0;0" << arbol << "\n";
        }
        f.close();
        auto j = std::make_unique<CLanzamiento>(ruta.string(), ROpciones());
        std::filesystem::remove(ruta);
        return j;
    }();
    return *job;
}

void Pdf(benchmark::State& estado, TReporte tipo) {
    const CLanzamiento& job = Trabajo();
    const REntorno entorno = REntorno::PorDefecto(1920, 1080, {});
    for (auto _ : estado) {
        CReporteBandas reporte(job, tipo, entorno);
        QByteArray datos;
        QBuffer buffer(&datos);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(300);
        pdf.setPageLayout(reporte.Diseno());
        reporte.Imprimir(pdf);
        estado.counters["paginas"] = reporte.Paginas();
        estado.counters["MB"] = datos.size() / 1e6;
    }
}

void PrimeraPagina(benchmark::State& estado, TReporte tipo) {
    const CLanzamiento& job = Trabajo();
    const REntorno entorno = REntorno::PorDefecto(1920, 1080, {});
    for (auto _ : estado) {
        CReporteBandas reporte(job, tipo, entorno);
        const QPageLayout diseno = reporte.Diseno();
        reporte.Paginar(diseno);
        const QRect area = diseno.paintRectPixels(96);
        QImage imagen(area.size(), QImage::Format_RGB32);
        imagen.fill(Qt::white);
        QPainter p(&imagen);
        reporte.PintarPagina(p, 1, 1.0);
    }
}

// The layout alone: what the preview waits for before it paints the first page.
void Paginar(benchmark::State& estado, TReporte tipo) {
    const CLanzamiento& job = Trabajo();
    const REntorno entorno = REntorno::PorDefecto(1920, 1080, {});
    for (auto _ : estado) {
        CReporteBandas reporte(job, tipo, entorno);
        estado.counters["paginas"] = reporte.Paginar(reporte.Diseno());
    }
}

} // namespace

BENCHMARK_CAPTURE(Paginar, Tarjetas, TReporte::Patrones)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Paginar, Parametros, TReporte::Parametros)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Pdf, Tarjetas, TReporte::Patrones)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Pdf, Parametros, TReporte::Parametros)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PrimeraPagina, Tarjetas, TReporte::Patrones)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PrimeraPagina, Parametros, TReporte::Parametros)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QGuiApplication aplicacion(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
