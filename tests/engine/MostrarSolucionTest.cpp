// "trazal-cli mostrar" on a job file holding patterns: the solution is listed and the file
// is left as it was.

#include "support/RutasPrueba.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

std::string Ejecutar(const std::string& orden, int& codigo) {
    std::string salida;
    FILE* tubo = popen(orden.c_str(), "r");
    if (tubo == nullptr) {
        codigo = -1;
        return salida;
    }
    std::array<char, 4096> bloque{};
    std::size_t leidos = 0;
    while ((leidos = std::fread(bloque.data(), 1, bloque.size(), tubo)) > 0) {
        salida.append(bloque.data(), leidos);
    }
    codigo = pclose(tubo);
    return salida;
}

std::string LeerArchivo(const std::filesystem::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

TEST(MostrarSolucion, ListaPatronesYTotales) {
    const auto datos = rutas::DatosPrueba("con-patrones.lan");
    const std::string antes = LeerArchivo(datos);
    int codigo = 0;
    const std::string salida =
        Ejecutar("\"" + rutas::Cli().string() + "\" mostrar \"" + datos.string() + "\"", codigo);
    ASSERT_EQ(codigo, 0) << salida;
    const char* esperadas[] = {
        "Solución: 2 patrones; plan actual: final; aprovechamiento teórico guardado 87.12%\n",
        "Patrón # Material Teórica   Final  Exceso Defecto Aprov   Sobrante Desp    "
        "Piezas/Patrón\n",
        // 8 pieces of 600 x 400 and 4 of 300 x 250 on 2440 x 1220; offcut 1240 x 420.
        "1        1        1.25      2      2      1       74.58%  17.50%   7.93%   P1:8 P2:4\n",
        "2        1        0.30      1      1      0       96.75%  0.00%    3.25%   P1:12\n",
        "  Repeticiones: 3  teórica 1.55\n",
        "  Piezas: 36\n",
        "  Pieza 1: Producción 28  teórica 13.60",
        "  Material 1: 3 hojas  consumo teórico 1.55",
    };
    for (const char* linea : esperadas) {
        EXPECT_NE(salida.find(linea), std::string::npos) << linea << "\n---\n" << salida;
    }
    EXPECT_EQ(LeerArchivo(datos), antes);
}

TEST(MostrarSolucion, PatronIlegibleSeAvisa) {
    rutas::CCarpetaTemporal carpeta;
    const auto ruta = carpeta / "roto.lan";
    {
        std::ofstream f(ruta, std::ios::binary);
        f << "[Piezas]\r\nN=1\r\n1=10;10;1;;;1;\r\n[Solucion]\r\nCantPatrones=1\r\n"
             "Patron1=1;1;1;1;0;0;1;0;0;0;0;0(100;5x;0;0;0;0;0;0;\\def()())\r\n";
    }
    int codigo = 0;
    const std::string salida =
        Ejecutar("\"" + rutas::Cli().string() + "\" mostrar \"" + ruta.string() + "\"", codigo);
    EXPECT_EQ(codigo, 0);
    EXPECT_NE(salida.find("Ocurrió un error al crear el patrón\n"), std::string::npos) << salida;
}

} // namespace
