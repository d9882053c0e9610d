// Speed of the job window on a big job: opening it (reading the file, filling the pieces,
// materials and results grids, drawing the thumbnails) and rebuilding the results grid; and
// how long at most the window's thread is busy at once while a calculation runs in the
// progress window (up to 20 seconds of it).
//
//     trazal-bench-ventanas [PIEZAS MATERIALES PATRONES [REPETICIONES]]
//
// The job is generated: PIEZAS pieces, MATERIALES materials and PATRONES patterns, each cut
// into vertical strips of piece blocks, so that every pattern uses a few dozen of the pieces.
// Times are wall-clock medians over the repetitions, on the offscreen platform.

#include "document/CGrilla.h"
#include "document/CLanzamiento.h"
#include "document/UEntorno.h"
#include "engine/CCalculo.h"
#include "engine/CSolucion.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"
#include "ui/CDialogos.h"
#include "ui/TFrmCalculo.h"
#include "ui/TMDIChild.h"
#include "ui/TMainForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

double Ahora() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A column of strips: each strip a block of one piece across the whole width, the last
// strip an offcut.
std::unique_ptr<CCorte> Tira(int largo, int ancho, int tiras, std::mt19937& azar, int piezas,
                             const std::vector<int>& largos, const std::vector<int>& anchos) {
    std::uniform_int_distribution<int> pieza(1, piezas);
    const int p = pieza(azar);
    const int lp = largos[static_cast<std::size_t>(p)];
    const int wp = anchos[static_cast<std::size_t>(p)];
    if (tiras == 0 || lp >= largo || wp > ancho) {
        return CCorte::Create(largo, ancho, 0, 0, 0, 0, 0, 0);
    }
    auto nodo = CCorte::Create(largo, ancho, 1, 0, 0, 0, 0, 0);
    nodo->SetHijo1(CCorte::Create(lp, ancho, 0, lp, wp, p, 1, ancho / wp));
    nodo->SetHijo2(Tira(largo - lp, ancho, tiras - 1, azar, piezas, largos, anchos));
    return nodo;
}

std::string CrearLanzamiento(const std::filesystem::path& carpeta, int np, int nm, int npat) {
    std::mt19937 azar(7);
    const auto ruta = (carpeta / "grande.lan").string();
    CLanzamiento job(ruta, OpcionesPredeterminadas);
    CGrilla piezas(np + 1, 7);
    std::vector<int> largos(static_cast<std::size_t>(np) + 1);
    std::vector<int> anchos(static_cast<std::size_t>(np) + 1);
    for (int i = 1; i <= np; ++i) {
        largos[static_cast<std::size_t>(i)] = std::uniform_int_distribution<int>(80, 600)(azar);
        anchos[static_cast<std::size_t>(i)] = std::uniform_int_distribution<int>(60, 400)(azar);
        piezas.AsignarTextoFila(
            i, std::to_string(i) + "\n" + std::to_string(largos[static_cast<std::size_t>(i)]) +
                   "\n" + std::to_string(anchos[static_cast<std::size_t>(i)]) + "\n" +
                   std::to_string(1 + i % 9) + "\nPieza " + std::to_string(i) + "\n\n1\n");
    }
    CGrilla materiales(nm + 1, 7);
    for (int m = 1; m <= nm; ++m) {
        materiales.AsignarTextoFila(m, std::to_string(m) + "\n" + std::to_string(2000 + 10 * m) +
                                           "\n" + std::to_string(1000 + 5 * m) +
                                           "\n0\nTablero\n\n1\n");
    }
    job.EscribirPiezas(piezas);
    job.EscribirMateriales(materiales);
    auto solucion = std::make_unique<CSolucion>();
    for (int k = 1; k <= npat; ++k) {
        const int m = 1 + k % nm;
        const int largo = job.LargoMaterial(m);
        const int ancho = job.AnchoMaterial(m);
        auto p = CPatron::Create(np, m, &job);
        auto raiz = CCorte::Create(largo, ancho, -1, 0, 0, 0, 0, 0);
        raiz->SetHijo1(Tira(largo, ancho / 2, 12, azar, np, largos, anchos));
        raiz->SetHijo2(Tira(largo, ancho - ancho / 2, 12, azar, np, largos, anchos));
        p->SetRaiz(std::move(raiz));
        p->RecontarPiezas(np);
        p->SetRepeticion(1.5);
        p->SetRepEntera({1 + k % 3, 2, 1});
        solucion->FijarPatron(k, std::move(p));
    }
    job.AsignarSolucion(std::move(solucion));
    job.Guardar();
    return ruta;
}

// A cabinet-like job of 40 piece types on one board, long enough to keep the progress
// window busy.
std::string CrearCalculo(const std::filesystem::path& carpeta) {
    std::mt19937 azar(11);
    const auto ruta = (carpeta / "calculo.lan").string();
    CLanzamiento job(ruta, OpcionesPredeterminadas);
    ROpciones o = job.Opciones();
    o.AnchoCorte = 4;
    o.ChequearAnchoCorte = true;
    o.NivelOptimizacionInicial = 1;
    o.NivelOptimizacionFinal = 2;
    job.AsignarOpciones(o);
    const int np = 40;
    CGrilla piezas(np + 1, 7);
    for (int i = 1; i <= np; ++i) {
        piezas.AsignarTextoFila(
            i, std::to_string(i) + "\n" +
                   std::to_string(std::uniform_int_distribution<int>(150, 900)(azar)) + "\n" +
                   std::to_string(std::uniform_int_distribution<int>(80, 600)(azar)) + "\n" +
                   std::to_string(1 + i % 6) + "\nPieza " + std::to_string(i) + "\n\n1\n");
    }
    CGrilla materiales(2, 7);
    materiales.AsignarTextoFila(1, "1\n2800\n2070\n0\nTablero\n\n1\n");
    job.EscribirPiezas(piezas);
    job.EscribirMateriales(materiales);
    job.Guardar();
    return ruta;
}

// The longest gap between two ticks of a 2 ms timer on the window's thread while the
// calculation runs, at most `limite` seconds (then the window is closed, which cancels).
void MedirCalculo(TMainForm& principal, const std::string& ruta, double limite) {
    TMDIChild* h = principal.AbrirLanzamiento(QString::fromStdString(ruta));
    QPointer<TFrmCalculo> frm = new TFrmCalculo(h->Lanzamiento(), &principal);
    frm->Preparar();
    QElapsedTimer reloj;
    double ultimo = 0;
    double peor = 0;
    QTimer pulso;
    pulso.setInterval(2);
    QObject::connect(&pulso, &QTimer::timeout, [&] {
        const double ahora = static_cast<double>(reloj.nsecsElapsed()) / 1e6;
        peor = std::max(peor, ahora - ultimo);
        ultimo = ahora;
    });
    bool acabado = false;
    QObject::connect(frm, &TFrmCalculo::CalculoAcabado, [&] { acabado = true; });
    reloj.start();
    pulso.start();
    frm->Iniciar();
    while (!acabado && static_cast<double>(reloj.elapsed()) < limite * 1000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    const double duracion = static_cast<double>(reloj.elapsed()) / 1000;
    const bool cancelado = !acabado;
    if (!frm.isNull()) {
        frm->close();
    }
    while (CCalculo::CalculosActivos() > 0 || !frm.isNull()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        if (!frm.isNull() && CCalculo::CalculosActivos() == 0) {
            frm->close();
        }
    }
    pulso.stop();
    std::printf("Cálculo en la ventana de progreso: %.1f s%s; hilo de la ventana ocupado como "
                "máximo %.1f ms seguidos\n",
                duracion, cancelado ? " (cancelado)" : "", peor);
    h->Lanzamiento().Guardar();
    principal.AreaMDI()->closeAllSubWindows();
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacion(argc, argv);
    const int np = argc > 3 ? std::atoi(argv[1]) : 1000;
    const int nm = argc > 3 ? std::atoi(argv[2]) : 50;
    const int npat = argc > 3 ? std::atoi(argv[3]) : 300;
    const int veces = argc > 4 ? std::max(1, std::atoi(argv[4])) : 5;

    const auto carpeta =
        std::filesystem::temp_directory_path() /
        ("trazal-bench-ventanas-" + std::to_string(QCoreApplication::applicationPid()));
    std::filesystem::create_directories(carpeta);
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((carpeta / "config").string()));
    InicializarGlobales(QCoreApplication::applicationFilePath().toStdString(), 1280, 800, nullptr);
    const std::string ruta = CrearLanzamiento(carpeta, np, nm, npat);

    CDialogos::Prueba sinDialogos;
    TMainForm principal;
    principal.resize(1280, 800);
    principal.show();
    QCoreApplication::processEvents();

    std::vector<double> abrir;
    std::vector<double> resultados;
    std::vector<double> tabla;
    for (int i = 0; i < veces; ++i) {
        const double t0 = Ahora();
        TMDIChild* h = principal.AbrirLanzamiento(QString::fromStdString(ruta));
        QCoreApplication::processEvents();
        abrir.push_back(Ahora() - t0);

        const double t1 = Ahora();
        h->Edicion().ConstruirResultados();
        tabla.push_back(Ahora() - t1);

        const double t2 = Ahora();
        h->RefrescarSolucion();
        QCoreApplication::processEvents();
        resultados.push_back(Ahora() - t2);

        h->Lanzamiento().Guardar();
        principal.AreaMDI()->closeAllSubWindows();
        QCoreApplication::processEvents();
    }
    std::printf("Lanzamiento: %d piezas, %d materiales, %d patrones (%d veces)\n", np, nm, npat,
                veces);
    std::printf("Abrir (archivo, grillas, resultados, miniaturas): %.1f ms\n", Mediana(abrir));
    std::printf("Tabla de resultados (núcleo): %.1f ms\n", Mediana(tabla));
    std::printf("Refrescar resultados, miniaturas y patrón: %.1f ms\n", Mediana(resultados));
    std::fflush(stdout);
    MedirCalculo(principal, CrearCalculo(carpeta), 20.0);
    std::error_code ec;
    std::filesystem::remove_all(carpeta, ec);
    return 0;
}
