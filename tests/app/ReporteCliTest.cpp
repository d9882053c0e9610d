// trazal-cli reporte: the PDF read back by independent readers (pdftotext, pdfinfo of
// poppler-utils), the CSV and text exports against the report rows, and the refusals.

#include "document/CLanzamiento.h"
#include "document/ROpciones.h"
#include "engine/CFilasReporte.h"
#include "support/EjecucionCli.h"
#include "support/RutasPrueba.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using cli::Ejecutar;
using cli::Leer;
using cli::RSalida;

std::string Comando(const std::string& linea) {
    std::string salida;
    if (FILE* f = popen(linea.c_str(), "r")) {
        char b[4096];
        for (std::size_t n; (n = fread(b, 1, sizeof b, f)) > 0;) {
            salida.append(b, n);
        }
        pclose(f);
    }
    return salida;
}

int PaginasPdf(const fs::path& pdf) {
    const std::string info = Comando("pdfinfo '" + pdf.string() + "'");
    const auto p = info.find("Pages:");
    return p == std::string::npos ? -1 : std::stoi(info.substr(p + 6));
}

// Every text of the rows, in order, must appear in the PDF's text in that order.
void EnOrden(const std::string& texto, const std::vector<std::string>& piezas) {
    std::size_t desde = 0;
    for (const std::string& s : piezas) {
        const auto p = texto.find(s, desde);
        ASSERT_NE(p, std::string::npos) << "\"" << s << "\" tras la posición " << desde;
        desde = p + s.size();
    }
}

std::vector<std::string> TextosDeFilas(const fs::path& job, TReporte tipo) {
    CLanzamiento j(job.string(), ROpciones());
    CFilasReporte filas(j, tipo, 2);
    std::vector<std::string> textos{filas.Titulo()};
    for (const RColumnaReporte& c : filas.Columnas()) {
        textos.push_back(c.Titulo);
    }
    for (const RFilaReporte& f : filas.Todas()) {
        if (f.Tipo == TFila::Titulo) {
            textos.push_back(f.Texto.substr(f.Texto.find_first_not_of(' ')));
        }
        for (const std::string& c : f.Celdas) {
            const auto a = c.find_first_not_of(' ');
            if (a != std::string::npos) {
                textos.push_back(c.substr(a, c.find_last_not_of(' ') - a + 1));
            }
        }
    }
    return textos;
}

const char* const Tipos[6] = {"patrones",   "datos",       "sobrantes",
                              "parametros", "coordenadas", "detalle"};

class ReporteCli : public testing::TestWithParam<int> {};

TEST_P(ReporteCli, PdfLeidoPorPdftotext) {
    rutas::CCarpetaTemporal carpeta;
    const fs::path job = rutas::DatosPrueba("reportes.lan");
    const fs::path pdf = carpeta / "r.pdf";
    const RSalida r = Ejecutar(carpeta, {"reporte", job.string(), "--tipo", Tipos[GetParam()],
                                         "--patron", "2", "-o", pdf.string()});
    ASSERT_EQ(r.Codigo, 0) << r.Errores;
    EXPECT_EQ(PaginasPdf(pdf), 1);
    const std::string texto = Comando("pdftotext -raw '" + pdf.string() + "' -");
    EnOrden(texto, TextosDeFilas(job, static_cast<TReporte>(GetParam())));
    EXPECT_NE(texto.find("Página 1 de 1"), std::string::npos);
}

TEST_P(ReporteCli, CsvYTextoSonLasFilas) {
    rutas::CCarpetaTemporal carpeta;
    const fs::path job = rutas::DatosPrueba("reportes.lan");
    const fs::path csv = carpeta / "r.csv";
    const fs::path txt = carpeta / "r.TXT";
    for (const fs::path& salida : {csv, txt}) {
        ASSERT_EQ(Ejecutar(carpeta, {"reporte", job.string(), "--tipo", Tipos[GetParam()],
                                     "--patron", "2", "-o", salida.string()})
                      .Codigo,
                  0);
    }
    CLanzamiento j(job.string(), ROpciones());
    CFilasReporte filas(j, static_cast<TReporte>(GetParam()), 2);
    std::istringstream lineas(Leer(csv));
    std::string linea;
    if (!filas.Columnas().empty()) {
        std::getline(lineas, linea); // the headings
    }
    for (const RFilaReporte& f : filas.Todas()) {
        ASSERT_TRUE(std::getline(lineas, linea));
        std::string esperada = f.Texto;
        for (std::size_t i = 0; i < f.Celdas.size(); ++i) {
            esperada += (i ? "," : "") + f.Celdas[i];
        }
        EXPECT_EQ(linea, esperada);
    }
    EXPECT_FALSE(std::getline(lineas, linea)) << linea;
    const std::string texto = Leer(txt);
    EXPECT_EQ(texto.rfind(filas.Titulo() + "\n", 0), 0u);
    EnOrden(texto, TextosDeFilas(job, static_cast<TReporte>(GetParam())));
}

INSTANTIATE_TEST_SUITE_P(Reportes, ReporteCli, testing::Range(0, 6),
                         [](const auto& info) { return std::string(Tipos[info.param]); });

// Seven patterns at 2 x 3 cards a page: the seventh starts page 2.
TEST(ReporteCliPaginas, SeptimaTarjetaEnLaPagina2) {
    rutas::CCarpetaTemporal carpeta;
    std::string texto = Leer(rutas::DatosPrueba("reportes.lan"));
    texto = texto.substr(0, texto.find("CantPatrones="));
    texto += "CantPatrones=7\n";
    for (int k = 1; k <= 7; ++k) {
        texto += "Patron" + std::to_string(k) +
                 "=1;1;1;1;0;0;1;0;0;0;0;0(2440;1220;0;400;600;-1;6;2;\\def()())\n";
    }
    const fs::path job = carpeta / "siete.lan";
    cli::Escribir(job, texto);
    const fs::path pdf = carpeta / "t.pdf";
    ASSERT_EQ(Ejecutar(carpeta, {"reporte", job.string(), "--tipo", "patrones", "-o", pdf.string()})
                  .Codigo,
              0);
    EXPECT_EQ(PaginasPdf(pdf), 2);
    const std::string pagina2 = Comando("pdftotext -f 2 -l 2 '" + pdf.string() + "' -");
    EXPECT_NE(pagina2.find("Patrón # 7"), std::string::npos) << pagina2;
    EXPECT_EQ(pagina2.find("Patrón # 6"), std::string::npos);
}

// One pattern of 30 x 30 leaves, each a 60 x 40 piece in an 80 x 40 leaf: 900 hatched
// offcuts and 1,800 labels. Written naively a card like this takes 2 MB of PDF (a hatch
// pattern written out again with every label); it must stay small, on the card and drawn
// alone, and still read back; its long list of cut lines repeats the heading on every page.
TEST(ReporteCliPdf, TarjetaRayadaOcupaPoco) {
    rutas::CCarpetaTemporal carpeta;
    const std::function<std::string(int, int)> tira = [&](int n, int alto) -> std::string {
        const std::string hoja =
            "(80;" + std::to_string(n == 1 ? alto : 40) + ";0;60;40;1;1;1;\\def()())";
        return n == 1 ? hoja
                      : "(80;" + std::to_string(alto) + ";-1;0;0;0;0;0;\\def" + hoja +
                            tira(n - 1, alto - 40) + ")";
    };
    const std::function<std::string(int, int)> tiras = [&](int n, int largo) -> std::string {
        const std::string resto =
            n == 1 ? "(" + std::to_string(largo - 80) + ";1220;0;0;0;0;0;0;\\def()())"
                   : tiras(n - 1, largo - 80);
        return "(" + std::to_string(largo) + ";1220;1;0;0;0;0;0;\\def" + tira(30, 1220) + resto +
               ")";
    };
    const fs::path job = carpeta / "rayado.lan";
    cli::Escribir(job, "[Piezas]\nN=1\n1=60;40;900;Pieza;;1;\n[Materiales]\nN=1\n"
                       "1=2440;1220;0;Tablero;;1;\n[Opciones]\nTipoUnidad=0\nPrecision=0\n"
                       "FilasReportePatrones=1\nColumnasReportePatrones=1\n[Solucion]\n"
                       "CantPatrones=1\nPatron1=1;1;1;1;0;0;1;0;0;0;0;0" +
                           tiras(30, 2440) + "\n");
    const fs::path tarjeta = carpeta / "t.pdf";
    const fs::path dibujo = carpeta / "d.pdf";
    ASSERT_EQ(
        Ejecutar(carpeta, {"reporte", job.string(), "--tipo", "patrones", "-o", tarjeta.string()})
            .Codigo,
        0);
    ASSERT_EQ(
        Ejecutar(carpeta, {"dibujar", job.string(), "--patron", "1", "-o", dibujo.string()}).Codigo,
        0);
    for (const fs::path& pdf : {tarjeta, dibujo}) {
        EXPECT_LT(fs::file_size(pdf), 400'000u) << pdf;
        EXPECT_EQ(PaginasPdf(pdf), 1) << pdf;
    }
    EXPECT_NE(Comando("pdftotext '" + tarjeta.string() + "' -").find("Patrón # 1"),
              std::string::npos);
    // Its 1,800 cut lines take many pages: each one repeats the pattern's heading.
    const fs::path lineas = carpeta / "c.pdf";
    ASSERT_EQ(
        Ejecutar(carpeta, {"reporte", job.string(), "--tipo", "coordenadas", "-o", lineas.string()})
            .Codigo,
        0);
    const int paginas = PaginasPdf(lineas);
    ASSERT_GT(paginas, 2);
    for (const int k : {2, paginas}) {
        const std::string p = std::to_string(k);
        EXPECT_NE(Comando("pdftotext -f " + p + " -l " + p + " '" + lineas.string() + "' -")
                      .find("Patrón 1: 2440x1220"),
                  std::string::npos)
            << k;
    }
}

TEST(ReporteCliRechazos, SalenCon2SinDejarArchivo) {
    rutas::CCarpetaTemporal carpeta;
    const fs::path job = rutas::DatosPrueba("reportes.lan");
    const fs::path sin = rutas::DatosPrueba("ejemplo-dos-piezas.lan");
    const fs::path salida = carpeta / "no.pdf";
    const std::vector<std::vector<std::string>> malos = {
        {"reporte", job.string(), "--tipo", "detalle", "--patron", "9", "-o", salida.string()},
        {"reporte", job.string(), "--tipo", "resumen", "-o", salida.string()},
        {"reporte", job.string(), "-o", salida.string()},
        {"reporte", job.string(), "--tipo", "datos", "-o", (carpeta / "no.png").string()},
        {"reporte", job.string(), "--tipo", "datos", "-o", job.string()},
        {"reporte", job.string(), "--tipo", "datos", "-o", (carpeta / "no/hay/r.csv").string()},
        {"reporte", sin.string(), "--tipo", "parametros", "-o", salida.string()},
    };
    for (const auto& args : malos) {
        const RSalida r = Ejecutar(carpeta, args);
        EXPECT_EQ(r.Codigo, 2) << args[3];
        EXPECT_FALSE(r.Errores.empty());
        EXPECT_FALSE(fs::exists(salida));
    }
    const RSalida r =
        Ejecutar(carpeta, {"reporte", sin.string(), "--tipo", "patrones", "-o", salida.string()});
    EXPECT_NE(r.Errores.find("No hay patrones"), std::string::npos) << r.Errores;
}

} // namespace
