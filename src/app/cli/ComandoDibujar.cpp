// trazal-cli dibujar JOB.lan --patron N -o FILE: one pattern of the job's solution drawn with
// the job's labels, as a PNG image or, when FILE ends in .pdf, as a one-page PDF.

#include "cli/ArchivosCli.h"
#include "cli/Comandos.h"
#include "cli/TextosCli.h"

#include "document/UGlobals.h"
#include "document/UTextos.h"

#include <cctype>
#include <iostream>
#include <string>
#include <vector>

#if TRAZAL_CON_QT

#include "document/CIniMemoria.h"
#include "document/CLanzamiento.h"
#include "document/REntorno.h"
#include "engine/CSolucion.h"
#include "patterns/CPatron.h"
#include "patterns/UDibujo.h"
#include "ui/CLienzoQt.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <memory>

namespace {

constexpr int AnchoPorDefecto = 1200;
constexpr int AnchoMinimo = 16;
constexpr int AnchoMaximo = 20000;
constexpr double ResolucionPdf = 300.0;

struct RArgumentosDibujo {
    std::string Lanzamiento;
    std::string Salida;
    long long Patron = 0;
    int Modo = -1;
    long long Ancho = AnchoPorDefecto;
};

bool TerminaEnPdf(const std::string& archivo) {
    if (archivo.size() < 4) {
        return false;
    }
    std::string ext = archivo.substr(archivo.size() - 4);
    for (auto& c : ext) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return ext == ".pdf";
}

bool LeerArgumentos(const std::vector<std::string>& a, RArgumentosDibujo& r) {
    bool conPatron = false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const bool hayValor = i + 1 < a.size();
        if (a[i] == "--patron" && hayValor) {
            if (!LeerEntero(a[++i], r.Patron)) {
                return false;
            }
            conPatron = true;
        } else if (a[i] == "-o" && hayValor) {
            r.Salida = a[++i];
        } else if (a[i] == "--modo" && hayValor) {
            const std::string& m = a[++i];
            r.Modo = -1;
            for (int k = 0; k < 3; ++k) {
                if (m == Textos::CliModos[k]) {
                    r.Modo = k;
                }
            }
            if (r.Modo < 0) {
                return false;
            }
        } else if (a[i] == "--ancho" && hayValor) {
            if (!LeerEntero(a[++i], r.Ancho)) {
                return false;
            }
        } else if (!a[i].empty() && a[i][0] != '-' && r.Lanzamiento.empty()) {
            r.Lanzamiento = a[i];
        } else {
            return false;
        }
    }
    return conPatron && !r.Lanzamiento.empty() && !r.Salida.empty();
}

// Qt's own warnings (the runtime folder, fonts) are not for the user of this tool; the last
// one is kept to explain a drawing that fails.
std::string g_UltimoAvisoQt;

void AvisoQt(QtMsgType, const QMessageLogContext&, const QString& mensaje) {
    g_UltimoAvisoQt = mensaje.toStdString();
}

// The drawing is made in memory and written through the atomic writer of the job files, so
// that a failure says why and never leaves a damaged or half-written file in its place.
void Escribir(const QByteArray& datos, const std::string& salida) {
    EscribirArchivoAtomico(salida,
                           std::string(datos.constData(), static_cast<std::size_t>(datos.size())));
}

// Returns the message of a failure, empty on success.
std::string DibujarPng(CPatron& P, const REntorno& entorno, int modo, int ancho,
                       const std::string& salida) {
    const double largo = std::max(1, P.LargoTotal());
    double alto = P.Barras() ? std::round(largo * entorno.AnchoBarra) : P.AnchoTotal();
    alto = std::max(1.0, alto);
    // Room around the material for the labels that stand outside their nodes.
    const int margen = std::max(12, ancho / 40);
    const int util = std::max(1, ancho - 2 * margen);
    const int altoImagen = static_cast<int>(
        std::clamp(std::round(util * alto / largo) + 2 * margen, 2.0 * margen + 16, 20000.0));

    QImage imagen(ancho, altoImagen, QImage::Format_RGB32);
    if (imagen.isNull()) {
        return Textos::CliErrorDibujo + salida + TextosCli::ImagenDemasiadoGrande;
    }
    imagen.fill(modo == ModoDibujo::Pantalla ? QColor(64, 64, 64) : QColor(Qt::white));
    {
        QPainter pintor(&imagen);
        pintor.setRenderHint(QPainter::TextAntialiasing, true);
        CLienzoQt lienzo(pintor);
        Dibujar(P, lienzo, RRect{margen, margen, ancho - margen, altoImagen - margen}, modo,
                RRect{0, 0, ancho, altoImagen}, entorno);
    }
    QByteArray datos;
    QBuffer buffer(&datos);
    if (!buffer.open(QIODevice::WriteOnly) || !imagen.save(&buffer, "PNG")) {
        return Textos::CliErrorDibujo + salida + ": " + g_UltimoAvisoQt;
    }
    Escribir(datos, salida);
    return {};
}

std::string DibujarPdf(CPatron& P, const REntorno& entorno, int modo, const std::string& salida) {
    QByteArray datos;
    {
        QBuffer buffer(&datos);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(static_cast<int>(ResolucionPdf));
        const bool apaisado = P.Barras() || P.LargoTotal() >= P.AnchoTotal();
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                      apaisado ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        QPainter pintor;
        if (!pintor.begin(&pdf)) {
            return Textos::CliErrorDibujo + salida + TextosCli::DibujoSinPdf;
        }
        const int ancho = pdf.width();
        const int alto = pdf.height();
        const int margen = ancho / 40;
        CLienzoQt lienzo(pintor);
        Dibujar(P, lienzo, RRect{margen, margen, ancho - margen, alto - margen}, modo,
                RRect{0, 0, ancho, alto}, entorno);
        pintor.end();
    }
    if (datos.isEmpty()) {
        return Textos::CliErrorDibujo + salida + TextosCli::DibujoSinPdf;
    }
    Escribir(datos, salida);
    return {};
}

std::string Reemplazos(std::string texto, long long n, long long cantidad) {
    texto.replace(texto.find("%1"), 2, std::to_string(n));
    texto.replace(texto.find("%2"), 2, std::to_string(cantidad));
    return texto;
}

} // namespace

int ComandoDibujar(const std::vector<std::string>& argumentos) {
    RArgumentosDibujo a;
    if (!LeerArgumentos(argumentos, a)) {
        std::cerr << Textos::CliUsoDibujar << "\n";
        return 2;
    }
    if (a.Ancho < AnchoMinimo || a.Ancho > AnchoMaximo) {
        std::cerr << Textos::CliAnchoIncorrecto << "\n";
        return 2;
    }
    if (const std::string problema = ProblemaEntrada(a.Lanzamiento); !problema.empty()) {
        std::cerr << problema << "\n";
        return 2;
    }
    if (const std::string problema = ProblemaSalida(a.Lanzamiento, a.Salida, {".png", ".pdf"});
        !problema.empty()) {
        std::cerr << problema << "\n";
        return 2;
    }
    const bool pdf = TerminaEnPdf(a.Salida);
    const int modo = a.Modo >= 0 ? a.Modo : (pdf ? ModoDibujo::Papel : ModoDibujo::Pantalla);
    // Drawing needs a platform for the fonts even without a display.
    if (!std::getenv("QT_QPA_PLATFORM")) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    qInstallMessageHandler(AvisoQt);
    static int argc = 1;
    static char nombre[] = "trazal-cli";
    static char* argv[] = {nombre, nullptr};
    QGuiApplication aplicacion(argc, argv);

    std::unique_ptr<CLanzamiento> job;
    try {
        job = std::make_unique<CLanzamiento>(a.Lanzamiento, ROpciones());
    } catch (const std::exception& e) {
        std::cerr << Textos::ErrorCrearLanzamiento << e.what() << "\n";
        return 2;
    }
    const long long cantidad = job->Solucion().Cantidad();
    if (a.Patron < 1 || a.Patron > cantidad ||
        !job->Solucion().Patron(static_cast<int>(a.Patron))) {
        std::cerr << Reemplazos(Textos::CliPatronInexistente, a.Patron, cantidad) << "\n";
        return 2;
    }
    CPatron& P = *job->Solucion().Patron(static_cast<int>(a.Patron));
    // A pattern whose text could not be read has no tree: there is nothing true to draw.
    if (P.Raiz() == nullptr) {
        std::cerr << Textos::ErrorCrearPatron << "\n";
        return 2;
    }
    const REntorno entorno = REntorno::PorDefecto(1920, 1080, std::string());
    std::string problema;
    try {
        problema = pdf ? DibujarPdf(P, entorno, modo, a.Salida)
                       : DibujarPng(P, entorno, modo, static_cast<int>(a.Ancho), a.Salida);
    } catch (const std::exception& e) {
        problema = e.what();
    }
    if (!problema.empty()) {
        std::cerr << problema << "\n";
        return 2;
    }
    return 0;
}

#else

int ComandoDibujar(const std::vector<std::string>&) {
    std::cerr << Textos::CliSinQt << "\n";
    return 2;
}

#endif
