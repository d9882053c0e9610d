// trazal-cli exportar JOB.lan LIBRO.xlsx [--elementos ...]: the job and its plan written to a
// new workbook, one sheet per element, as the export window does.

#include "cli/ArchivosCli.h"
#include "cli/Comandos.h"
#include "cli/TextosCli.h"

#include "document/UTextos.h"

#include <iostream>
#include <string>
#include <vector>

#if TRAZAL_CON_QT

#include "document/CEdicionLanzamiento.h"
#include "document/CLanzamiento.h"
#include "document/REntorno.h"
#include "exchange/CExportacionLibro.h"

#include <QGuiApplication>

#include <cstdlib>
#include <exception>
#include <memory>
#include <sstream>

namespace {

// "piezas,materiales" into the elements; false on an unknown name.
bool LeerElementos(const std::string& lista, RElementosLibro& e) {
    e = RElementosLibro{};
    e.Piezas = e.Materiales = e.Patrones = false;
    std::istringstream s(lista);
    for (std::string nombre; std::getline(s, nombre, ',');) {
        bool* destino = nombre == "piezas"        ? &e.Piezas
                        : nombre == "materiales"  ? &e.Materiales
                        : nombre == "patrones"    ? &e.Patrones
                        : nombre == "resultados"  ? &e.Resultados
                        : nombre == "parametros"  ? &e.Parametros
                        : nombre == "sobrantes"   ? &e.Sobrantes
                        : nombre == "coordenadas" ? &e.Coordenadas
                                                  : nullptr;
        if (destino == nullptr) {
            std::cerr << TextosCli::ElementoDesconocido << nombre << "\n";
            return false;
        }
        *destino = true;
    }
    return true;
}

void SinAvisosQt(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

int ComandoExportar(const std::vector<std::string>& a) {
    std::vector<std::string> posicionales;
    RElementosLibro elementos;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == "--elementos" && i + 1 < a.size()) {
            if (!LeerElementos(a[++i], elementos)) {
                std::cerr << TextosCli::UsoExportar << "\n";
                return 2;
            }
        } else if (!a[i].empty() && a[i][0] != '-') {
            posicionales.push_back(a[i]);
        } else {
            std::cerr << TextosCli::UsoExportar << "\n";
            return 2;
        }
    }
    if (posicionales.size() != 2) {
        std::cerr << TextosCli::UsoExportar << "\n";
        return 2;
    }
    const std::string& archivo = posicionales[0];
    const std::string& salida = posicionales[1];
    if (const std::string problema = ProblemaEntrada(archivo); !problema.empty()) {
        std::cerr << problema << "\n";
        return 2;
    }
    if (const std::string problema = ProblemaSalida(archivo, salida, {".xlsx"});
        !problema.empty()) {
        std::cerr << problema << "\n";
        return 2;
    }
    // Drawing the patterns needs a platform for the fonts even without a display.
    if (!std::getenv("QT_QPA_PLATFORM")) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    qInstallMessageHandler(SinAvisosQt);
    static int argc = 1;
    static char nombre[] = "trazal-cli";
    static char* argv[] = {nombre, nullptr};
    QGuiApplication aplicacion(argc, argv);

    std::unique_ptr<CEdicionLanzamiento> edicion;
    try {
        edicion = std::make_unique<CEdicionLanzamiento>(
            std::make_unique<CLanzamiento>(archivo, ROpciones()));
        edicion->LeerDelLanzamiento();
    } catch (const std::exception& e) {
        std::cerr << Textos::ErrorCrearLanzamiento << e.what() << "\n";
        return 2;
    }
    try {
        const REntorno entorno = REntorno::PorDefecto(1920, 1080, std::string());
        CExportacionLibro exportacion(*edicion, entorno);
        exportacion.Exportar(salida, elementos);
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 2;
    }
    std::cout << TextosCli::LibroEscrito << salida << "\n";
    return 0;
}

#else

int ComandoExportar(const std::vector<std::string>&) {
    std::cerr << Textos::CliSinQt << "\n";
    return 2;
}

#endif
