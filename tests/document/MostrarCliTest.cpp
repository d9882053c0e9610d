// trazal-cli mostrar, run as a separate program.

#include "support/RutasPrueba.h"

#include "PruebaDocumento.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;
using prueba::LeerBytes;

struct RSalida {
    int Codigo = -1;
    std::string Estandar;
    std::string Errores;
};

RSalida Ejecutar(const std::string& argumentos) {
    rutas::CCarpetaTemporal tmp;
    const std::string orden = "'" + rutas::Cli().string() + "' " + argumentos + " >'" +
                              (tmp / "out").string() + "' 2>'" + (tmp / "err").string() + "'";
    const int estado = std::system(orden.c_str());
    RSalida r;
    r.Codigo = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    r.Estandar = LeerBytes(tmp / "out");
    r.Errores = LeerBytes(tmp / "err");
    return r;
}

std::string Comillas(const fs::path& p) {
    return "'" + p.string() + "'";
}

TEST(MostrarCli, ElEjemploDeDosPiezas) {
    const RSalida r = Ejecutar("mostrar " + Comillas(rutas::DatosPrueba("ejemplo-dos-piezas.lan")));
    EXPECT_EQ(r.Codigo, 0) << r.Errores;
    EXPECT_EQ(r.Errores, "");
    EXPECT_EQ(r.Estandar.rfind("Lanzamiento: ejemplo-dos-piezas\n", 0), 0u);
    // The options the file has come first, in its order, then the others.
    EXPECT_NE(r.Estandar.find("Opciones:\n  TipoUnidad = 0\n  Precision = 0\n  NombreUnidad = \n"
                              "  SuprimirCeros = 0\n  Barras = 0\n  RotarPiezas = 1\n"
                              "  SobranteMinimo = 0\n"),
              std::string::npos)
        << r.Estandar;
    EXPECT_NE(r.Estandar.find("Piezas: 2\n"
                              "  Id  Largo  Ancho  Cantidad  Desc1   Desc2  Act\n"
                              "   1    600    400        10  Puerta         sí\n"
                              "   2    300    250         4                 sí\n"),
              std::string::npos)
        << r.Estandar;
    EXPECT_NE(r.Estandar.find("Materiales: 1\n"
                              "  Id  Largo  Ancho  Cantidad  Desc1  Desc2  Act\n"
                              "   1   2440   1220        20                sí\n"),
              std::string::npos)
        << r.Estandar;
}

TEST(MostrarCli, LaCocinaEnSusUnidades) {
    const RSalida r = Ejecutar("mostrar " + Comillas(rutas::Raiz("examples/cocina.lan")));
    EXPECT_EQ(r.Codigo, 0) << r.Errores;
    EXPECT_NE(r.Estandar.find("Lanzamiento: cocina\n"), std::string::npos);
    EXPECT_NE(r.Estandar.find("Piezas: 13\n"), std::string::npos);
    EXPECT_NE(r.Estandar.find("   1   720 mm  560 mm         8  Lateral "), std::string::npos)
        << r.Estandar;
    EXPECT_NE(r.Estandar.find("  12  1800 mm  100 mm         2  Zócalo  "), std::string::npos);
    EXPECT_NE(r.Estandar.find("   1  2440 mm  1220 mm        12  Melamina blanca 16 mm"),
              std::string::npos);
}

TEST(MostrarCli, BarrasDejaElAnchoVacioEIlimitada) {
    rutas::CCarpetaTemporal tmp;
    std::ofstream(tmp / "b.lan") << "[Opciones]\nBarras=1\n[Materiales]\nN=1\n"
                                    "1=6000;50;65535;Perfil;;1;\n";
    const RSalida r = Ejecutar("mostrar " + Comillas(tmp / "b.lan"));
    EXPECT_EQ(r.Codigo, 0) << r.Errores;
    EXPECT_NE(r.Estandar.find("   1   6000         ilimitada  Perfil         sí\n"),
              std::string::npos)
        << r.Estandar;
}

struct RError {
    const char* Contenido; // nullptr: no file; "/": a folder
    const char* Mensaje;   // after "Error al crear el lanzamiento: "
};

class MostrarError : public ::testing::TestWithParam<RError> {};

TEST_P(MostrarError, VaAErroresConCodigoDos) {
    rutas::CCarpetaTemporal tmp;
    const fs::path ruta = tmp / "job.lan";
    const std::string contenido = GetParam().Contenido == nullptr ? "" : GetParam().Contenido;
    if (contenido == "/") {
        fs::create_directory(ruta);
    } else if (GetParam().Contenido != nullptr) {
        std::ofstream(ruta, std::ios::binary) << contenido;
    }
    const RSalida r = Ejecutar("mostrar " + Comillas(ruta));
    EXPECT_EQ(r.Codigo, 2);
    EXPECT_EQ(r.Estandar, "");
    std::string esperado = std::string("Error al crear el lanzamiento: ") + GetParam().Mensaje;
    const std::size_t marca = esperado.find("RUTA");
    if (marca != std::string::npos) {
        esperado.replace(marca, 4, ruta.string());
    }
    EXPECT_EQ(r.Errores, esperado + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Casos, MostrarError,
    ::testing::Values(
        RError{nullptr, "No existe el archivo \"RUTA\""},
        RError{"/", "No se puede leer el archivo \"RUTA\": es una carpeta, no un archivo"},
        RError{"[Piezas]\nN=4000000000\n",
               "La sección [Piezas] declara 4000000000 registros; el máximo es 65535"},
        RError{"[Piezas]\nN=-3\n",
               "La sección [Piezas] declara una cantidad de registros incorrecta: -3"},
        RError{"[Materiales]\nN=abc\n",
               "La sección [Materiales] declara una cantidad de registros incorrecta: abc"},
        RError{"[Piezas]\nN=1\n1=1.2.3;4;1;;;1;\n",
               "Piezas, registro 1, Largo: '1.2.3': Valor de longitud incorrecto"},
        RError{"[Piezas]\nN=1\n1=70000;4;1;;;1;\n",
               "Piezas, registro 1, Largo: '70000': El valor excede el máximo permitido(65535)"},
        RError{"[Piezas]\nN=1\n1=7;4;x;;;1;\n", "'x' no es un valor entero válido"}));

TEST(MostrarCli, SinArgumentosMuestraElUso) {
    const RSalida r = Ejecutar("mostrar");
    EXPECT_EQ(r.Codigo, 2);
    EXPECT_EQ(r.Errores, "Uso: trazal-cli mostrar LANZAMIENTO.lan\n");
}

TEST(MostrarCli, BasuraNoRompeNada) {
    rutas::CCarpetaTemporal tmp;
    std::string basura;
    std::uint32_t x = 99;
    for (int i = 0; i < 200000; ++i) {
        x = x * 1664525u + 1013904223u;
        basura += static_cast<char>(x >> 24);
    }
    std::ofstream(tmp / "b.lan", std::ios::binary) << basura;
    const RSalida r = Ejecutar("mostrar " + Comillas(tmp / "b.lan"));
    EXPECT_TRUE(r.Codigo == 0 || r.Codigo == 2) << r.Codigo << r.Errores;
}

} // namespace
