// Speed of the patterns page on a pattern of 900 leaves (30 strips of 30 blocks):
// repainting it at zoom 1 and at zoom 11, hit-testing clicks, rebuilding the cut tree and
// the inspectors after an adjustment, and 1,000 adjustment commands followed by their undo.
//
//     trazal-bench-patron [REPETICIONES]
//
// Times are wall-clock medians over the repetitions, on the offscreen platform.

#include "document/CEdicionLanzamiento.h"
#include "document/CGrilla.h"
#include "document/CLanzamiento.h"
#include "document/UEntorno.h"
#include "engine/CAjuste.h"
#include "engine/CSolucion.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"
#include "patterns/USeleccionPatron.h"
#include "ui/CDialogos.h"
#include "ui/TPaginaPatron.h"
#include "ui/TVistaPatron.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>

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

// 30 horizontal strips of 30 leaves, kerf 4: blocks of the ten pieces and some offcuts.
std::unique_ptr<CLanzamiento> CrearLanzamiento(const std::filesystem::path& carpeta) {
    auto job =
        std::make_unique<CLanzamiento>((carpeta / "patron.lan").string(), OpcionesPredeterminadas);
    ROpciones o = job->Opciones();
    o.AnchoCorte = 4;
    o.ChequearAnchoCorte = true;
    job->AsignarOpciones(o);
    constexpr int np = 10;
    CGrilla piezas(np + 1, 7);
    for (int i = 1; i <= np; ++i) {
        piezas.AsignarTextoFila(i, std::to_string(i) + "\n" + std::to_string(40 + 3 * i) + "\n" +
                                       std::to_string(20 + 2 * i) + "\n50\nPieza\n\n1\n");
    }
    CGrilla materiales(2, 7);
    materiales.AsignarTextoFila(1, "1\n3000\n2000\n0\nTablero\n\n1\n");
    job->EscribirPiezas(piezas);
    job->EscribirMateriales(materiales);
    std::mt19937 azar(5);
    auto p = CPatron::Create(np, 1, job.get());
    p->CrearRaiz(3000, 2000);
    constexpr int tiras = 30;
    const auto tira = [&](int largo, int ancho) {
        std::unique_ptr<CCorte> resto = CCorte::Create(largo / tiras + 4, ancho, 0, 0, 0, 0, 0, 0);
        for (int j = 1; j < tiras; ++j) {
            const int l = largo / tiras + 4;
            const int pieza = std::uniform_int_distribution<int>(0, np)(azar);
            auto hoja = CCorte::Create(l, ancho, 0, 0, 0, 0, 0, 0);
            const int lp = 40 + 3 * pieza + 4;
            const int ap = 20 + 2 * pieza + 4;
            if (pieza > 0 && lp <= l && ap <= ancho) {
                hoja = CCorte::Create(l, ancho, 0, lp, ap, pieza, l / lp, ancho / ap);
            }
            auto corte = CCorte::Create(resto->Largo() + l, ancho, 1, 0, 0, 0, 0, 0);
            corte->SetHijo1(std::move(hoja));
            corte->SetHijo2(std::move(resto));
            resto = std::move(corte);
        }
        return resto;
    };
    const int largo = p->Raiz()->Largo() - 4 * tiras;
    const int ancho = p->Raiz()->Ancho();
    std::unique_ptr<CCorte> arbol = tira(largo, ancho / tiras);
    for (int i = 1; i < tiras; ++i) {
        auto corte =
            CCorte::Create(arbol->Largo(), arbol->Ancho() + ancho / tiras, -1, 0, 0, 0, 0, 0);
        corte->SetHijo1(tira(largo, ancho / tiras));
        corte->SetHijo2(std::move(arbol));
        arbol = std::move(corte);
    }
    p->SetRaiz(std::move(arbol));
    p->RecontarPiezas(np);
    p->SetRepEntera({1, 1, 1});
    auto solucion = std::make_unique<CSolucion>();
    solucion->FijarPatron(1, std::move(p));
    job->AsignarSolucion(std::move(solucion));
    return job;
}

template <class F> double Medir(int veces, F&& f) {
    std::vector<double> t;
    for (int i = 0; i < veces; ++i) {
        const double t0 = Ahora();
        f();
        t.push_back(Ahora() - t0);
    }
    return Mediana(t);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacion(argc, argv);
    const int veces = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const auto carpeta =
        std::filesystem::temp_directory_path() /
        ("trazal-bench-patron-" + std::to_string(QCoreApplication::applicationPid()));
    std::filesystem::create_directories(carpeta);
    InicializarGlobales(QCoreApplication::applicationFilePath().toStdString(), 1280, 800, nullptr);
    CDialogos::Prueba sinDialogos;

    CEdicionLanzamiento edicion(CrearLanzamiento(carpeta));
    CPatron& P = *edicion.Lanzamiento().Solucion().Patron(1);
    std::int64_t hojas = 0;
    for (const RNodoArbol& n : NodosEnOrden(P)) {
        hojas += n.Nodo->EsHoja() ? 1 : 0;
    }
    TPaginaPatron pagina(edicion);
    pagina.resize(1280, 800);
    pagina.show();
    QCoreApplication::processEvents();
    TVistaPatron& vista = pagina.Vista();

    const double abrir = Medir(veces, [&] { pagina.FijarPatron(&P); });
    const auto repintar = [&] {
        vista.Invalidar();
        vista.repaint();
    };
    const double zoom1 = Medir(veces, repintar);
    const double contorno = Medir(veces, [&] { vista.repaint(); });
    for (int i = 0; i < 6; ++i) {
        vista.Aumentar();
    }
    const double zoom11 = Medir(veces, repintar);
    vista.Encajar();
    vista.AsegurarDibujo();

    std::mt19937 azar(3);
    const double clics = Medir(veces, [&] {
        for (int i = 0; i < 10'000; ++i) {
            HojaEnPunto(P.Raiz(), std::uniform_int_distribution<int>(0, vista.width())(azar),
                        std::uniform_int_distribution<int>(0, vista.height())(azar));
        }
    });

    // One adjustment on the page: the command, the tree, the inspectors and the drawing.
    CCorte* hoja = P.Raiz()->Hijo1()->Hijo1();
    const double ajuste = Medir(veces, [&] {
        pagina.Seleccionar(hoja);
        pagina.Comando(QStringLiteral("EditIntercambiar"));
        pagina.Comando(QStringLiteral("EditLimpiar"));
        vista.repaint();
    });

    // 1,000 commands on random nodes of the core's undo stack, then every undo.
    CAjuste& deshacer = pagina.Ajuste();
    pagina.FijarPatron(nullptr);
    deshacer.VaciarDeshacer();
    const EAjuste ops[] = {EAjuste::CorteVer,     EAjuste::CorteHor, EAjuste::Unir,
                           EAjuste::Intercambiar, EAjuste::Ampliar,  EAjuste::Reducir,
                           EAjuste::VerAHor,      EAjuste::HorAVer,  EAjuste::Limpiar};
    const double t0 = Ahora();
    int hechos = 0;
    for (int i = 0; i < 1000; ++i) {
        CPatron& Q = *edicion.Lanzamiento().Solucion().Patron(1);
        const std::vector<RNodoArbol> nodos = NodosEnOrden(Q);
        CCorte& n =
            *nodos[std::uniform_int_distribution<std::size_t>(0, nodos.size() - 1)(azar)].Nodo;
        const EAjuste op = ops[std::uniform_int_distribution<int>(0, 8)(azar)];
        if (CAjuste::Puede(Q, n, op) || op == EAjuste::Limpiar) {
            hechos += deshacer.Ejecutar(Q, n, op) ? 1 : 0;
        }
    }
    const double comandos = Ahora() - t0;
    const double t1 = Ahora();
    while (deshacer.PuedeDeshacer()) {
        deshacer.Deshacer();
    }
    const double deshechos = Ahora() - t1;

    std::printf("Patrón de %lld hojas, vista de %dx%d, mediana de %d veces\n",
                static_cast<long long>(hojas), vista.width(), vista.height(), veces);
    std::printf("  mostrar el patrón (árbol e inspectores):  %8.2f ms\n", abrir);
    std::printf("  repintado con dibujo nuevo, zoom 1:       %8.2f ms\n", zoom1);
    std::printf("  repintado con dibujo nuevo, zoom 11.4:    %8.2f ms\n", zoom11);
    std::printf("  repintado del dibujo guardado (contorno): %8.2f ms\n", contorno);
    std::printf("  10.000 clics (búsqueda de hoja):          %8.2f ms\n", clics);
    std::printf("  un ajuste en la página (2 comandos):      %8.2f ms\n", ajuste);
    std::printf("  %d ajustes sobre nodos al azar:          %8.2f ms\n", hechos, comandos);
    std::printf("  deshacerlos todos:                        %8.2f ms\n", deshechos);
    std::filesystem::remove_all(carpeta);
    return 0;
}
