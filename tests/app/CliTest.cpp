// trazal-cli as a user runs it: exit codes, what it prints, what it writes, and that a
// failed or cancelled command leaves the files as they were.

#include "support/EjecucionCli.h"
#include "support/RutasPrueba.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using cli::Ejecutar;
using cli::Leer;
using cli::RSalida;

fs::path CopiaDe(const rutas::CCarpetaTemporal& carpeta, const std::string& ejemplo) {
    const fs::path destino = carpeta / ejemplo;
    fs::copy_file(rutas::Raiz("examples/" + ejemplo), destino,
                  fs::copy_options::overwrite_existing);
    return destino;
}

TEST(CalcularCliTest, CalculaGuardaYMuestraElPlan) {
    rutas::CCarpetaTemporal carpeta;
    const fs::path job = CopiaDe(carpeta, "barras.lan");
    const RSalida r = Ejecutar(carpeta, {"calcular", job.string()});
    ASSERT_EQ(r.Codigo, 0) << r.Errores;
    EXPECT_NE(r.Salida.find("Solución Teórica:"), std::string::npos);
    EXPECT_NE(r.Salida.find("Plan de corte"), std::string::npos);
    EXPECT_NE(r.Salida.find("Duración (hh:mm:ss): "), std::string::npos);
    const std::string guardado = Leer(job);
    EXPECT_NE(guardado.find("[Historico]"), std::string::npos);
    EXPECT_NE(guardado.find("Patron1="), std::string::npos);
    EXPECT_EQ(guardado.find("CantPatrones=0\r\n"), std::string::npos);
}

TEST(CalcularCliTest, ConOtroArchivoElOriginalNoCambia) {
    rutas::CCarpetaTemporal carpeta;
    const fs::path job = CopiaDe(carpeta, "pies.lan");
    const std::string antes = Leer(job);
    const fs::path otro = carpeta / "otro.lan";
    const RSalida r = Ejecutar(carpeta, {"calcular", job.string(), "-o", otro.string(), "--json"});
    ASSERT_EQ(r.Codigo, 0) << r.Errores;
    EXPECT_EQ(Leer(job), antes);
    const std::string nuevo = Leer(otro);
    EXPECT_NE(nuevo.find("Patron1="), std::string::npos);
    // One JSON document on standard output, nothing else.
    ASSERT_FALSE(r.Salida.empty());
    EXPECT_EQ(r.Salida.front(), '{');
    EXPECT_EQ(r.Salida.substr(r.Salida.size() - 2), "}\n");
    for (const char* clave :
         {"\"materiales\"", "\"consumoTeorico\"", "\"hojas\"", "\"aprovechamientoTeorico\"",
          "\"aprovechamientoReal\"", "\"variantesAnalizadas\"", "\"duracion\"",
          "\"piezasIncumplidas\"", "\"patrones\"", "\"repeticionTeorica\"", "\"repeticionFinal\"",
          "\"repeticionExceso\"", "\"repeticionDefecto\"", "\"aprovechamiento\"", "\"piezas\"",
          "\"texto\"", "\"cotaLP\"", "\"optimo\""}) {
        EXPECT_NE(r.Salida.find(clave), std::string::npos) << clave;
    }
    // The label "\def" of the pattern text is escaped.
    EXPECT_NE(r.Salida.find("\\\\def"), std::string::npos);
}

// The improvement flags hold for the run only: the file keeps its own options.
TEST(CalcularCliTest, SinMejoraNoMejoraYElArchivoGuardaSusOpciones) {
    rutas::CCarpetaTemporal carpeta;
    const fs::path job = CopiaDe(carpeta, "barras.lan");
    const RSalida r = Ejecutar(carpeta, {"calcular", job.string(), "--sin-mejora"});
    ASSERT_EQ(r.Codigo, 0) << r.Errores;
    EXPECT_NE(r.Salida.find("Mejora:\nNo calculado\n"), std::string::npos) << r.Salida;
    EXPECT_NE(r.Salida.find("Cota inferior (LP):"), std::string::npos);
    const std::string guardado = Leer(job);
    EXPECT_NE(guardado.find("MejorarSolucion=1\r\nTiempoMejora=10\r\n"), std::string::npos);
    const RSalida mal = Ejecutar(carpeta, {"calcular", job.string(), "--tiempo-mejora", "x"});
    EXPECT_EQ(mal.Codigo, 2);
}

TEST(CalcularCliTest, ErrorDeCalculoNoTocaElArchivo) {
    rutas::CCarpetaTemporal carpeta;
    const fs::path job = carpeta / "vacio.lan";
    rutas::EscribirBytes(job, "[Piezas]\r\nN=0\r\n[Materiales]\r\nN=1\r\n1=100;100;1;;;1;\r\n");
    const std::string antes = Leer(job);
    const RSalida r = Ejecutar(carpeta, {"calcular", job.string()});
    EXPECT_EQ(r.Codigo, 1);
    EXPECT_NE(r.Errores.find("No hay piezas para cortar"), std::string::npos);
    EXPECT_EQ(Leer(job), antes);
}

struct RCasoUso {
    std::vector<std::string> Args;
    int Codigo;
};

class UsoCalcularTest : public ::testing::TestWithParam<RCasoUso> {};

TEST_P(UsoCalcularTest, CodigoDeSalida) {
    rutas::CCarpetaTemporal carpeta;
    std::vector<std::string> args{"calcular"};
    for (const std::string& a : GetParam().Args) {
        args.push_back(a == "@" ? CopiaDe(carpeta, "barras.lan").string() : a);
    }
    const RSalida r = Ejecutar(carpeta, args);
    EXPECT_EQ(r.Codigo, GetParam().Codigo) << r.Errores;
    EXPECT_TRUE(r.Salida.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Casos, UsoCalcularTest,
    ::testing::Values(RCasoUso{{}, 2}, RCasoUso{{"/no/existe.lan"}, 2}, RCasoUso{{"@", "-o"}, 2},
                      RCasoUso{{"@", "--otra"}, 2}, RCasoUso{{"@", "@"}, 2},
                      RCasoUso{{"@", "-o", "/no/existe/carpeta/otro.lan"}, 2}));

// A sheet job with a vertical cut, pieces, an offcut and a horizontal cut, and a bar job.
fs::path Trabajo(const rutas::CCarpetaTemporal& carpeta) {
    const fs::path ruta = carpeta / "dibujo.lan";
    std::ofstream f(ruta, std::ios::binary);
    f << "[Opciones]\r\nAnchoCorte=3\r\nChequearAnchoCorte=1\r\nChequearSobrante=1\r\n"
         "LargoMinimoSobrante=100\r\nAnchoMinimoSobrante=100\r\n"
         "[Piezas]\r\nN=2\r\n1=100;50;6;Tapa;;1;\r\n2=300;200;5;Puerta;;1;\r\n"
         "[Materiales]\r\nN=1\r\n1=1000;500;10;;;1;\r\n"
         "[Solucion]\r\nCantPatrones=2\r\nAprovTeorico=0.5\r\nRedondeo=0\r\n"
         "Patron1=1;1;1;1;0;3;1;0;0;0;0;0(1003;503;1;0;0;0;0;0;\\def"
         "(606;503;0;303;203;2;2;2;\\def()())(397;503;-1;0;0;0;0;0;\\def"
         "(397;303;0;203;303;-2;1;1;\\def()())(397;200;1;0;0;0;0;0;\\def"
         "(206;200;0;103;53;1;2;3;\\def()())(191;200;0;0;0;0;0;0;\\def()()))))\r\n"
         "Patron2=1;1;1;1;0;3;1;0;0;0;0;0(1003;503;0;103;53;1;9;9;\\def()())\r\n";
    return ruta;
}

struct CasoDibujo {
    const char* Archivo;
    std::vector<std::string> Extra;
    const char* Firma;
};

class DibujarCliTest : public testing::TestWithParam<CasoDibujo> {};

TEST_P(DibujarCliTest, EscribeUnArchivoNoVacio) {
    rutas::CCarpetaTemporal carpeta;
    const fs::path job = Trabajo(carpeta);
    for (const char* patron : {"1", "2"}) {
        const fs::path salida = carpeta / (std::string(patron) + GetParam().Archivo);
        std::vector<std::string> args = {"dibujar", job.string(), "--patron",
                                         patron,    "-o",         salida.string()};
        args.insert(args.end(), GetParam().Extra.begin(), GetParam().Extra.end());
        const RSalida r = Ejecutar(carpeta, args);
        ASSERT_EQ(r.Codigo, 0) << r.Errores;
        const std::string contenido = Leer(salida);
        EXPECT_GT(contenido.size(), 500u);
        EXPECT_EQ(contenido.rfind(GetParam().Firma, 0), 0u);
        EXPECT_FALSE(fs::exists(salida.string() + ".tmp"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formatos, DibujarCliTest,
    testing::Values(CasoDibujo{".png", {}, "\x89PNG"}, CasoDibujo{".pdf", {}, "%PDF"},
                    CasoDibujo{".PDF", {"--modo", "pantalla"}, "%PDF"},
                    CasoDibujo{".png", {"--modo", "papel", "--ancho", "300"}, "\x89PNG"},
                    CasoDibujo{".png", {"--modo", "miniatura"}, "\x89PNG"}));

TEST(DibujarCli, RechazosSinArchivoYSinTocarElAnterior) {
    rutas::CCarpetaTemporal carpeta;
    const fs::path job = Trabajo(carpeta);
    const fs::path salida = carpeta / "no.png";
    const std::vector<std::vector<std::string>> malos = {
        {"dibujar", job.string(), "--patron", "3", "-o", salida.string()},
        {"dibujar", job.string(), "--patron", "0", "-o", salida.string()},
        {"dibujar", job.string(), "--patron", "uno", "-o", salida.string()},
        {"dibujar", job.string(), "-o", salida.string()},
        {"dibujar", job.string(), "--patron", "1"},
        {"dibujar", job.string(), "--patron", "1", "-o", salida.string(), "--modo", "cine"},
        {"dibujar", job.string(), "--patron", "1", "-o", salida.string(), "--ancho", "5"},
        {"dibujar", (carpeta / "falta.lan").string(), "--patron", "1", "-o", salida.string()},
        {"dibujar", job.string(), "--patron", "1", "-o", (carpeta / "no/hay/carpeta.png").string()},
    };
    for (const auto& args : malos) {
        const RSalida r = Ejecutar(carpeta, args);
        EXPECT_EQ(r.Codigo, 2) << args[3];
        EXPECT_FALSE(r.Errores.empty());
        EXPECT_FALSE(fs::exists(salida));
        if (args[3] == "3") {
            EXPECT_NE(r.Errores.find("No existe el patrón 3: la solución tiene 2 patrones"),
                      std::string::npos)
                << r.Errores;
        }
    }
    // A drawing that an earlier one would replace leaves it as it was.
    const fs::path anterior = carpeta / "p.png";
    rutas::EscribirBytes(anterior, "anterior");
    EXPECT_EQ(Ejecutar(carpeta, {"dibujar", job.string(), "--patron", "7", "-o", anterior.string()})
                  .Codigo,
              2);
    EXPECT_EQ(Leer(anterior), "anterior");
}

} // namespace
