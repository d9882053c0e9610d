// trazal-cli against hostile but fair inputs: large counts, interrupted runs, outputs that
// would overwrite their input, absurd options, broken patterns and slow corners. The inputs
// live in tests/data, each named for what it exercises.

#include "support/EjecucionCli.h"
#include "support/RutasPrueba.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using cli::Ejecutar;
using cli::RSalida;

fs::path Copia(const rutas::CCarpetaTemporal& carpeta, const std::string& datos) {
    const fs::path destino = carpeta / datos;
    fs::copy_file(rutas::DatosPrueba(datos), destino, fs::copy_options::overwrite_existing);
    return destino;
}

bool Contiene(const std::string& texto, const std::string& parte) {
    return texto.find(parte) != std::string::npos;
}

// Counts above 65535: a hand-written block of 256 x 256 pieces, and a plan whose one sheet
// holds 300 x 300 = 90000 pieces of an order of 65535.
TEST(ConteosCli, PorEncimaDe65535NoDanLaVuelta) {
    rutas::CCarpetaTemporal carpeta;
    const RSalida m = Ejecutar(carpeta, {"mostrar", Copia(carpeta, "conteo-bloque-256x256.lan")});
    ASSERT_EQ(m.Codigo, 0) << m.Errores;
    EXPECT_TRUE(Contiene(m.Salida, "P1:65536\n")) << m.Salida;
    EXPECT_TRUE(Contiene(m.Salida, "  Piezas: 65536\n")) << m.Salida;
    EXPECT_TRUE(Contiene(m.Salida, "Pieza 1: Producción 65536 ")) << m.Salida;

    const RSalida c =
        Ejecutar(carpeta, {"calcular", Copia(carpeta, "conteo-65535-piezas-1x1.lan")});
    ASSERT_EQ(c.Codigo, 0) << c.Errores;
    EXPECT_TRUE(Contiene(c.Salida, "P1x90000\n")) << c.Salida;
    EXPECT_TRUE(Contiene(c.Salida, ": 1 hoja ")) << c.Salida;
}

// Every command that writes a file refuses to write over its own job, a folder, or under an
// extension it does not write; nothing is written and the job stays as it was.
TEST(SalidasCli, NuncaSobreescribenLaEntradaNiCambianDeFormato) {
    rutas::CCarpetaTemporal carpeta;
    const fs::path job = Copia(carpeta, "con-patrones.lan");
    const std::string antes = rutas::LeerBytes(job);
    fs::create_symlink(job, carpeta / "enlace.png");
    fs::create_symlink(job, carpeta / "enlace.lan");
    fs::create_directory(carpeta / "carpeta.png");
    struct RCaso {
        std::vector<std::string> Args;
        const char* Mensaje;
    };
    const std::string j = job.string();
    const std::string c = carpeta.Ruta().string() + "/";
    const RCaso casos[] = {
        {{"dibujar", j, "--patron", "1", "-o", j}, "la extensión debe ser .png o .pdf"},
        {{"dibujar", j, "--patron", "1", "-o", c + "enlace.png"}, "es el propio lanzamiento"},
        {{"dibujar", j, "--patron", "1", "-o", c + "carpeta.png"}, "es una carpeta"},
        {{"dibujar", j, "--patron", "1", "-o", c + "x.jpg"}, "la extensión debe ser .png o .pdf"},
        {{"dibujar", j, "--patron", "1", "-o", c + "x.txt"}, "la extensión debe ser .png o .pdf"},
        {{"dibujar", j, "--patron", "1", "-o", c + "x"}, "la extensión debe ser .png o .pdf"},
        {{"calcular", j, "-o", j}, "es el propio lanzamiento"},
        {{"calcular", j, "-o", c + "enlace.lan"}, "es el propio lanzamiento"},
        {{"calcular", j, "-o", c + "x.txt"}, "la extensión debe ser .lan o .pla"},
    };
    for (const RCaso& caso : casos) {
        const RSalida r = Ejecutar(carpeta, caso.Args);
        EXPECT_EQ(r.Codigo, 2) << caso.Args[0] << " " << caso.Args.back();
        EXPECT_TRUE(Contiene(r.Errores, caso.Mensaje)) << r.Errores;
        EXPECT_EQ(rutas::LeerBytes(job), antes);
    }
    for (const char* nombre : {"x.jpg", "x.txt", "x"}) {
        EXPECT_FALSE(fs::exists(carpeta / nombre)) << nombre;
    }
}

// Drawing a pattern whose text could not be read is refused, as "mostrar" warns.
TEST(DibujarFiabilidadCli, PatronIlegibleSeRechaza) {
    rutas::CCarpetaTemporal carpeta;
    const RSalida r = Ejecutar(carpeta, {"dibujar", Copia(carpeta, "patron-ilegible.lan"),
                                         "--patron", "1", "-o", (carpeta / "p.png").string()});
    EXPECT_EQ(r.Codigo, 2);
    EXPECT_EQ(r.Errores, "Ocurrió un error al crear el patrón\n");
    EXPECT_FALSE(fs::exists(carpeta / "p.png"));
}

// One check and one message for a job that is not a regular file, whatever the command (a FIFO
// would block a reader that did not check; the reader's messages for a folder and a device
// are in CIniMemoriaTest).
TEST(EntradasCli, UnMismoMensajeParaCadaOrden) {
    rutas::CCarpetaTemporal carpeta;
    const fs::path fifo = carpeta / "tubo.lan";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string png = (carpeta / "p.png").string();
    struct RCaso {
        std::string Ruta;
        std::string Motivo;
    };
    for (const RCaso& caso : {RCaso{fifo.string(), ": no es un archivo normal"},
                              RCaso{(carpeta / "falta.lan").string(), ""}}) {
        const std::string esperado =
            caso.Motivo.empty()
                ? "Error al crear el lanzamiento: No existe el archivo \"" + caso.Ruta + "\"\n"
                : "Error al crear el lanzamiento: No se puede leer el archivo \"" + caso.Ruta +
                      "\"" + caso.Motivo + "\n";
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"mostrar", caso.Ruta},
              std::vector<std::string>{"calcular", caso.Ruta},
              std::vector<std::string>{"dibujar", caso.Ruta, "--patron", "1", "-o", png}}) {
            const RSalida r = Ejecutar(carpeta, args);
            EXPECT_EQ(r.Codigo, 2) << args[0] << " " << caso.Ruta;
            EXPECT_EQ(r.Errores, esperado) << args[0];
        }
    }
}

// A bad length names its section, record and field with the value as typed.
TEST(EntradasCli, LongitudMalaDiceDondeEsta) {
    rutas::CCarpetaTemporal carpeta;
    const RSalida r = Ejecutar(carpeta, {"mostrar", Copia(carpeta, "longitud-mala-piezas-3.lan")});
    EXPECT_EQ(r.Codigo, 2);
    EXPECT_TRUE(Contiene(r.Errores, "Piezas, registro 3, Largo: '12,5': ")) << r.Errores;
}

// A drawing that cannot be written says why, and Qt's own warnings stay out of sight.
TEST(DibujarFiabilidadCli, FallosDicenPorQueYSinAvisosDeQt) {
    rutas::CCarpetaTemporal carpeta;
    const std::string job = Copia(carpeta, "con-patrones.lan");
    const RSalida bien =
        Ejecutar(carpeta, {"dibujar", job, "--patron", "1", "-o", (carpeta / "p.png").string()},
                 "env -u XDG_RUNTIME_DIR");
    EXPECT_EQ(bien.Codigo, 0);
    EXPECT_EQ(bien.Errores, "");
    const RSalida mal = Ejecutar(
        carpeta, {"dibujar", job, "--patron", "1", "-o", (carpeta / "no/hay/p.pdf").string()});
    EXPECT_EQ(mal.Codigo, 2);
    EXPECT_TRUE(Contiene(mal.Errores, "no se puede crear el archivo temporal (")) << mal.Errores;
    EXPECT_FALSE(Contiene(mal.Errores, "QPainter")) << mal.Errores;
}

// Two Ctrl+C within two seconds cancel: exit code 3 and the file as it was, also when the
// forced step has ended the calculation before the second key (the save waits for the window).
class CtrlCCli : public ::testing::TestWithParam<int> {};

TEST_P(CtrlCCli, DosPulsacionesCancelanSinGuardar) {
    rutas::CCarpetaTemporal carpeta;
    const fs::path job = carpeta / "cocina.lan";
    {
        std::string texto = rutas::LeerBytes(rutas::Raiz("examples/cocina.lan"));
        const std::string clave = "NivelOptimizacionFinal=2";
        texto.replace(texto.find(clave), clave.size(), "NivelOptimizacionFinal=3");
        rutas::EscribirBytes(job, texto);
    }
    const std::string antes = rutas::LeerBytes(job);
    for (int intento = 0; intento < 3; ++intento) {
        const pid_t hijo = fork();
        ASSERT_GE(hijo, 0);
        if (hijo == 0) {
            if (std::freopen((carpeta / "salida.txt").c_str(), "w", stdout) == nullptr ||
                std::freopen((carpeta / "errores.txt").c_str(), "w", stderr) == nullptr) {
                _exit(99);
            }
            const std::string programa = rutas::Cli().string();
            execl(programa.c_str(), programa.c_str(), "calcular", job.c_str(),
                  static_cast<char*>(nullptr));
            _exit(98);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        int estado = 0;
        if (waitpid(hijo, &estado, WNOHANG) == hijo) {
            rutas::EscribirBytes(job, antes); // finished before the first key: try again
            continue;
        }
        kill(hijo, SIGINT);
        std::this_thread::sleep_for(std::chrono::milliseconds(GetParam()));
        kill(hijo, SIGINT);
        waitpid(hijo, &estado, 0);
        if (WIFSIGNALED(estado) && WTERMSIG(estado) == SIGINT) {
            rutas::EscribirBytes(job, antes); // a loaded machine: the key came before the handler
            continue;
        }
        ASSERT_TRUE(WIFEXITED(estado));
        EXPECT_EQ(WEXITSTATUS(estado), 3) << rutas::LeerBytes(carpeta / "errores.txt");
        EXPECT_EQ(rutas::LeerBytes(job), antes);
        const std::string errores = rutas::LeerBytes(carpeta / "errores.txt");
        EXPECT_TRUE(Contiene(errores, "Forzar >>")) << errores;
        EXPECT_TRUE(Contiene(errores, "Cálculo cancelado")) << errores;
        return;
    }
    GTEST_SKIP() << "the calculation always ended before the first key";
}

// Milliseconds between the keys: the calculation still running, and already ended.
INSTANTIATE_TEST_SUITE_P(Esperas, CtrlCCli, ::testing::Values(200, 1500));

// Negative or absurd technological values, and margins that leave no material, are refused
// before the calculation with the option named; the job stays as it was.
TEST(OpcionesCli, ValoresAbsurdosSeRechazanNombrandoLaOpcion) {
    struct RCaso {
        std::vector<std::pair<std::string, std::string>> Cambios;
        const char* Mensaje;
    };
    const RCaso casos[] = {
        {{{"AnchoCorte=4", "AnchoCorte=-1000"}},
         "La opción AnchoCorte tiene un valor incorrecto: -1000"},
        {{{"ChequearAgarre=0", "ChequearAgarre=1"}, {"LongitudAgarre=0", "LongitudAgarre=-5"}},
         "La opción LongitudAgarre"},
        {{{"ChequearCorteMaximo=0", "ChequearCorteMaximo=1"},
          {"CorteMaximo=0", "CorteMaximo=70000"}},
         "La opción CorteMaximo"},
        {{{"MargenInf=10", "MargenInf=-10"}}, "La opción MargenInf"},
        {{{"MargenIzq=10", "MargenIzq=2430"}},
         "Las opciones MargenIzq y MargenDer no dejan material útil en el material 1"},
        {{{"MargenSup=10", "MargenSup=1210"}},
         "Las opciones MargenSup y MargenInf no dejan material útil en el material 1"},
    };
    rutas::CCarpetaTemporal carpeta;
    const std::string cocina = rutas::LeerBytes(rutas::Raiz("examples/cocina.lan"));
    for (const RCaso& c : casos) {
        std::string texto = cocina;
        for (const auto& [antes, despues] : c.Cambios) {
            texto.replace(texto.find("\n" + antes) + 1, antes.size(), despues);
        }
        const fs::path job = carpeta / "cocina.lan";
        rutas::EscribirBytes(job, texto);
        const RSalida r = Ejecutar(carpeta, {"calcular", job.string()});
        EXPECT_EQ(r.Codigo, 2) << c.Mensaje;
        EXPECT_TRUE(Contiene(r.Errores, c.Mensaje)) << r.Errores;
        EXPECT_TRUE(rutas::LeerBytes(job) == texto) << "the job was written";
    }
}

} // namespace
