// trazal-cli mostrar: the job as read, its solution, and the messages of what it cannot read.
// The job file is never written.

#include "support/EjecucionCli.h"
#include "support/RutasPrueba.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using cli::Ejecutar;
using cli::RSalida;

bool Contiene(const std::string& texto, const std::string& parte) {
    return texto.find(parte) != std::string::npos;
}

TEST(MostrarCli, ListaOpcionesPiezasYMaterialesEnSusUnidades) {
    rutas::CCarpetaTemporal carpeta;
    const RSalida dos =
        Ejecutar(carpeta, {"mostrar", rutas::DatosPrueba("ejemplo-dos-piezas.lan").string()});
    ASSERT_EQ(dos.Codigo, 0) << dos.Errores;
    EXPECT_EQ(dos.Errores, "");
    EXPECT_EQ(dos.Salida.rfind("Lanzamiento: ejemplo-dos-piezas\n", 0), 0u);
    // The options the file has come first, in its order, then the others.
    for (const char* parte : {"Opciones:\n  TipoUnidad = 0\n  Precision = 0\n  NombreUnidad = \n"
                              "  SuprimirCeros = 0\n  Barras = 0\n  RotarPiezas = 1\n"
                              "  SobranteMinimo = 0\n",
                              "Piezas: 2\n"
                              "  Id  Largo  Ancho  Cantidad  Desc1   Desc2  Act\n"
                              "   1    600    400        10  Puerta         sí\n"
                              "   2    300    250         4                 sí\n",
                              "Materiales: 1\n"
                              "  Id  Largo  Ancho  Cantidad  Desc1  Desc2  Act\n"
                              "   1   2440   1220        20                sí\n"}) {
        EXPECT_TRUE(Contiene(dos.Salida, parte)) << parte << "\n---\n" << dos.Salida;
    }

    const RSalida cocina =
        Ejecutar(carpeta, {"mostrar", rutas::Raiz("examples/cocina.lan").string()});
    ASSERT_EQ(cocina.Codigo, 0) << cocina.Errores;
    for (const char* parte : {"Piezas: 13\n", "   1   720 mm  560 mm         8  Lateral ",
                              "  12  1800 mm  100 mm         2  Zócalo  ",
                              "   1  2440 mm  1220 mm        12  Melamina blanca 16 mm"}) {
        EXPECT_TRUE(Contiene(cocina.Salida, parte)) << parte << "\n---\n" << cocina.Salida;
    }

    const fs::path barras = carpeta / "b.lan";
    rutas::EscribirBytes(barras,
                         "[Opciones]\nBarras=1\n[Materiales]\nN=1\n1=6000;50;65535;Perfil;;1;\n");
    const RSalida b = Ejecutar(carpeta, {"mostrar", barras.string()});
    ASSERT_EQ(b.Codigo, 0) << b.Errores;
    EXPECT_TRUE(Contiene(b.Salida, "   1   6000         ilimitada  Perfil         sí\n"))
        << b.Salida;
}

TEST(MostrarCli, ListaPatronesYTotales) {
    rutas::CCarpetaTemporal carpeta;
    const auto datos = rutas::DatosPrueba("con-patrones.lan");
    const std::string antes = rutas::LeerBytes(datos);
    const RSalida r = Ejecutar(carpeta, {"mostrar", datos.string()});
    ASSERT_EQ(r.Codigo, 0) << r.Errores;
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
        EXPECT_TRUE(Contiene(r.Salida, linea)) << linea << "\n---\n" << r.Salida;
    }
    EXPECT_EQ(rutas::LeerBytes(datos), antes);
}

// What cannot be read goes to standard error with exit code 2 (the readers' messages have their
// own cases in CTextDBTest and CLanzamientoTest); a pattern that cannot be read is only warned
// about, since the rest of the job can still be shown.
TEST(MostrarCli, LoIlegibleSeDiceConSuMotivo) {
    rutas::CCarpetaTemporal carpeta;
    struct RCaso {
        const char* Contenido;
        const char* Mensaje; // after "Error al crear el lanzamiento: "
    };
    for (const RCaso& c :
         {RCaso{"[Piezas]\nN=4000000000\n",
                "La sección [Piezas] declara 4000000000 registros; el máximo es 65535"},
          RCaso{"[Piezas]\nN=1\n1=7;4;x;;;1;\n", "'x' no es un valor entero válido"}}) {
        const fs::path job = carpeta / "job.lan";
        rutas::EscribirBytes(job, c.Contenido);
        const RSalida r = Ejecutar(carpeta, {"mostrar", job.string()});
        EXPECT_EQ(r.Codigo, 2);
        EXPECT_EQ(r.Salida, "");
        EXPECT_EQ(r.Errores, std::string("Error al crear el lanzamiento: ") + c.Mensaje + "\n");
    }

    const RSalida uso = Ejecutar(carpeta, {"mostrar"});
    EXPECT_EQ(uso.Codigo, 2);
    EXPECT_EQ(uso.Errores, "Uso: trazal-cli mostrar LANZAMIENTO.lan\n");

    const fs::path roto = carpeta / "roto.lan";
    rutas::EscribirBytes(roto,
                         "[Piezas]\r\nN=1\r\n1=10;10;1;;;1;\r\n[Solucion]\r\nCantPatrones=1\r\n"
                         "Patron1=1;1;1;1;0;0;1;0;0;0;0;0(100;5x;0;0;0;0;0;0;\\def()())\r\n");
    const RSalida r = Ejecutar(carpeta, {"mostrar", roto.string()});
    EXPECT_EQ(r.Codigo, 0);
    EXPECT_TRUE(Contiene(r.Salida, "Ocurrió un error al crear el patrón\n")) << r.Salida;
}

TEST(MostrarCli, BasuraNoRompeNada) {
    rutas::CCarpetaTemporal carpeta;
    std::string basura;
    std::uint32_t x = 99;
    for (int i = 0; i < 200000; ++i) {
        x = x * 1664525u + 1013904223u;
        basura += static_cast<char>(x >> 24);
    }
    rutas::EscribirBytes(carpeta / "b.lan", basura);
    const RSalida r = Ejecutar(carpeta, {"mostrar", (carpeta / "b.lan").string()});
    EXPECT_TRUE(r.Codigo == 0 || r.Codigo == 2) << r.Codigo << r.Errores;
}

} // namespace
