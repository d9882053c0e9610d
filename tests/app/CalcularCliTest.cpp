// trazal-cli calcular as a user runs it: exit codes, what it prints, what it writes, and
// that a failed or cancelled calculation leaves the job file as it was.

#include "support/RutasPrueba.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Leer(const fs::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

struct RSalida {
    int Codigo = -1;
    std::string Salida;
    std::string Errores;
};

// Runs the tool with its standard output and error in files of the folder.
RSalida Ejecutar(const rutas::CCarpetaTemporal& carpeta, const std::vector<std::string>& args) {
    std::string orden = "'" + rutas::Cli().string() + "'";
    for (const std::string& a : args) {
        orden += " '" + a + "'";
    }
    const fs::path salida = carpeta / "salida.txt";
    const fs::path errores = carpeta / "errores.txt";
    orden += " >'" + salida.string() + "' 2>'" + errores.string() + "'";
    const int estado = std::system(orden.c_str());
    RSalida r;
    r.Codigo = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    r.Salida = Leer(salida);
    r.Errores = Leer(errores);
    return r;
}

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
          "\"texto\""}) {
        EXPECT_NE(r.Salida.find(clave), std::string::npos) << clave;
    }
    // The label "\def" of the pattern text is escaped.
    EXPECT_NE(r.Salida.find("\\\\def"), std::string::npos);
}

TEST(CalcularCliTest, ErrorDeCalculoNoTocaElArchivo) {
    rutas::CCarpetaTemporal carpeta;
    const fs::path job = carpeta / "vacio.lan";
    {
        std::ofstream f(job, std::ios::binary);
        f << "[Piezas]\r\nN=0\r\n[Materiales]\r\nN=1\r\n1=100;100;1;;;1;\r\n";
    }
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

// Two Ctrl+C within two seconds cancel: exit code 3 and the file as it was. The job is made
// long enough (level 3) that the calculation is still running when the keys arrive.
TEST(CalcularCliTest, DosCtrlCCancelan) {
    rutas::CCarpetaTemporal carpeta;
    const fs::path job = CopiaDe(carpeta, "cocina.lan");
    {
        std::string texto = Leer(job);
        const std::string clave = "NivelOptimizacionFinal=2";
        texto.replace(texto.find(clave), clave.size(), "NivelOptimizacionFinal=3");
        std::ofstream f(job, std::ios::binary);
        f << texto;
    }
    const std::string antes = Leer(job);
    for (int intento = 0; intento < 3; ++intento) {
        const pid_t hijo = fork();
        ASSERT_GE(hijo, 0);
        if (hijo == 0) {
            const std::string salida = (carpeta / "salida.txt").string();
            if (std::freopen(salida.c_str(), "w", stdout) == nullptr ||
                std::freopen((carpeta / "errores.txt").string().c_str(), "w", stderr) == nullptr) {
                _exit(99);
            }
            const std::string cli = rutas::Cli().string();
            const std::string archivo = job.string();
            execl(cli.c_str(), cli.c_str(), "calcular", archivo.c_str(),
                  static_cast<char*>(nullptr));
            _exit(98);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        kill(hijo, SIGINT);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        kill(hijo, SIGINT);
        int estado = 0;
        waitpid(hijo, &estado, 0);
        ASSERT_TRUE(WIFEXITED(estado)) << "attempt " << intento;
        if (WEXITSTATUS(estado) == 0) {
            // Finished before the keys: try again on the untouched copy.
            std::ofstream f(job, std::ios::binary);
            f << antes;
            continue;
        }
        EXPECT_EQ(WEXITSTATUS(estado), 3);
        EXPECT_EQ(Leer(job), antes);
        const std::string errores = Leer(carpeta / "errores.txt");
        EXPECT_NE(errores.find("Forzar >>"), std::string::npos);
        EXPECT_NE(errores.find("Cálculo cancelado"), std::string::npos);
        return;
    }
    GTEST_SKIP() << "the calculation always ended before the keys arrived";
}

} // namespace
