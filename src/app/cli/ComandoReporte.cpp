// trazal-cli reporte JOB.lan --tipo T -o FILE [--patron N]: one of the six printed reports of
// the job as a PDF (the pages the desktop program prints) or as its text or CSV export.

#include "cli/ArchivosCli.h"
#include "cli/Comandos.h"
#include "cli/TextosCli.h"

#include "document/CIniMemoria.h"
#include "document/CLanzamiento.h"
#include "document/UGlobals.h"
#include "document/UTextos.h"
#include "engine/CExportacionReporte.h"
#include "engine/CFilasReporte.h"
#include "engine/CSolucion.h"

#include <cctype>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#if TRAZAL_CON_QT
#include "document/REntorno.h"
#include "reports/CReporteBandas.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QPdfWriter>
#endif

namespace {

struct RArgumentosReporte {
    std::string Lanzamiento;
    std::string Salida;
    int Tipo = -1;
    long long Patron = 0;
};

bool LeerArgumentos(const std::vector<std::string>& a, RArgumentosReporte& r) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        const bool hayValor = i + 1 < a.size();
        if (a[i] == "--patron" && hayValor) {
            if (!LeerEntero(a[++i], r.Patron)) {
                return false;
            }
        } else if (a[i] == "-o" && hayValor) {
            r.Salida = a[++i];
        } else if (a[i] == "--tipo" && hayValor) {
            const std::string& t = a[++i];
            r.Tipo = -1;
            for (int k = 0; k < 6; ++k) {
                if (t == TextosCli::TiposReporte[k]) {
                    r.Tipo = k;
                }
            }
            if (r.Tipo < 0) {
                return false;
            }
        } else if (!a[i].empty() && a[i][0] != '-' && r.Lanzamiento.empty()) {
            r.Lanzamiento = a[i];
        } else {
            return false;
        }
    }
    return r.Tipo >= 0 && !r.Lanzamiento.empty() && !r.Salida.empty();
}

std::string Extension(const std::string& archivo) {
    const auto p = archivo.find_last_of("./");
    if (p == std::string::npos || archivo[p] != '.') {
        return {};
    }
    std::string ext = archivo.substr(p);
    for (auto& c : ext) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return ext;
}

#if TRAZAL_CON_QT
std::string g_UltimoAvisoQt;

void AvisoQt(QtMsgType, const QMessageLogContext&, const QString& mensaje) {
    g_UltimoAvisoQt = mensaje.toStdString();
}

// The PDF is made in memory; empty on failure.
std::string Pdf(const CLanzamiento& job, TReporte tipo, std::int32_t patron) {
    if (!std::getenv("QT_QPA_PLATFORM")) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    qInstallMessageHandler(AvisoQt);
    static int argc = 1;
    static char nombre[] = "trazal-cli";
    static char* argv[] = {nombre, nullptr};
    QGuiApplication aplicacion(argc, argv);
    const REntorno entorno = REntorno::PorDefecto(1920, 1080, std::string());
    CReporteBandas reporte(job, tipo, entorno, patron);
    QByteArray datos;
    {
        QBuffer buffer(&datos);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(300);
        pdf.setTitle(QString::fromStdString(reporte.Titulo()));
        pdf.setCreator(QStringLiteral("Trazal"));
        pdf.setPageLayout(reporte.Diseno());
        if (!reporte.Imprimir(pdf)) {
            return {};
        }
    }
    return std::string(datos.constData(), static_cast<std::size_t>(datos.size()));
}
#endif

} // namespace

int ComandoReporte(const std::vector<std::string>& argumentos) {
    RArgumentosReporte a;
    if (!LeerArgumentos(argumentos, a)) {
        std::cerr << TextosCli::UsoReporte << "\n";
        return 2;
    }
    if (const std::string problema = ProblemaEntrada(a.Lanzamiento); !problema.empty()) {
        std::cerr << problema << "\n";
        return 2;
    }
    if (const std::string problema =
            ProblemaSalida(a.Lanzamiento, a.Salida, {".pdf", ".csv", ".txt"});
        !problema.empty()) {
        std::cerr << problema << "\n";
        return 2;
    }
    std::unique_ptr<CLanzamiento> job;
    try {
        job = std::make_unique<CLanzamiento>(a.Lanzamiento, ROpciones());
    } catch (const std::exception& e) {
        std::cerr << Textos::ErrorCrearLanzamiento << e.what() << "\n";
        return 2;
    }
    const auto tipo = static_cast<TReporte>(a.Tipo);
    const CSolucion& s = job->Solucion();
    const bool dePatrones = tipo != TReporte::Datos && tipo != TReporte::Sobrantes;
    bool hayPatrones = false;
    for (std::int32_t k = 1; k <= s.Cantidad() && !hayPatrones; ++k) {
        hayPatrones = s.Patron(k) != nullptr;
    }
    if (dePatrones && !hayPatrones) {
        std::cerr << Textos::NoHayPatrones << "\n";
        return 2;
    }
    std::int32_t patron = 0;
    if (tipo == TReporte::Detalle) {
        // Without --patron, the first pattern of the solution.
        for (std::int32_t k = 1; k <= s.Cantidad() && a.Patron == 0; ++k) {
            if (s.Patron(k) != nullptr) {
                a.Patron = k;
            }
        }
        if (a.Patron < 1 || a.Patron > s.Cantidad() ||
            s.Patron(static_cast<std::int32_t>(a.Patron)) == nullptr) {
            std::string texto = Textos::CliPatronInexistente;
            texto.replace(texto.find("%1"), 2, std::to_string(a.Patron));
            texto.replace(texto.find("%2"), 2, std::to_string(s.Cantidad()));
            std::cerr << texto << "\n";
            return 2;
        }
        patron = static_cast<std::int32_t>(a.Patron);
    }
    const std::string ext = Extension(a.Salida);
    try {
        std::string contenido;
        if (ext == ".pdf") {
#if TRAZAL_CON_QT
            contenido = Pdf(*job, tipo, patron);
            if (contenido.empty()) {
                std::cerr << TextosCli::ErrorReporte << a.Salida << TextosCli::ReporteSinPdf
                          << "\n";
                return 2;
            }
#else
            std::cerr << Textos::CliSinQt << "\n";
            return 2;
#endif
        } else {
            CFilasReporte filas(*job, tipo, patron);
            std::ostringstream salida;
            if (ext == ".csv") {
                CExportacionReporte::Csv(filas, salida);
            } else {
                CExportacionReporte::Texto(filas, salida);
            }
            contenido = salida.str();
        }
        EscribirArchivoAtomico(a.Salida, contenido);
    } catch (const std::exception& e) {
        std::cerr << TextosCli::ErrorReporte << a.Salida << ": " << e.what() << "\n";
        return 2;
    }
    return 0;
}
