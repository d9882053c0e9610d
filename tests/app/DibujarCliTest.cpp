// trazal-cli dibujar as a user runs it: a picture of each pattern as PNG and PDF, and clear
// refusals that leave no file behind.

#include "support/RutasPrueba.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Leer(const fs::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

int Ejecutar(const rutas::CCarpetaTemporal& carpeta, const std::vector<std::string>& args,
             std::string* errores = nullptr) {
    std::string orden = "'" + rutas::Cli().string() + "'";
    for (const std::string& a : args) {
        orden += " '" + a + "'";
    }
    const fs::path salidaErrores = carpeta / "errores.txt";
    orden += " >/dev/null 2>'" + salidaErrores.string() + "'";
    const int estado = std::system(orden.c_str());
    if (errores) {
        *errores = Leer(salidaErrores);
    }
    return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
}

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
        std::string errores;
        ASSERT_EQ(Ejecutar(carpeta, args, &errores), 0) << errores;
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

TEST(DibujarCli, RechazosSinArchivo) {
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
        std::string errores;
        EXPECT_EQ(Ejecutar(carpeta, args, &errores), 2) << args[3];
        EXPECT_FALSE(errores.empty());
        EXPECT_FALSE(fs::exists(salida));
    }
    std::string errores;
    Ejecutar(carpeta, {"dibujar", job.string(), "--patron", "3", "-o", salida.string()}, &errores);
    EXPECT_NE(errores.find("No existe el patrón 3: la solución tiene 2 patrones"),
              std::string::npos)
        << errores;
}

TEST(DibujarCli, UnDibujoFallidoNoTocaElArchivoAnterior) {
    rutas::CCarpetaTemporal carpeta;
    const fs::path job = Trabajo(carpeta);
    const fs::path salida = carpeta / "p.png";
    {
        std::ofstream f(salida, std::ios::binary);
        f << "anterior";
    }
    EXPECT_EQ(Ejecutar(carpeta, {"dibujar", job.string(), "--patron", "7", "-o", salida.string()}),
              2);
    EXPECT_EQ(Leer(salida), "anterior");
}

} // namespace
