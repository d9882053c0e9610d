#include "document/CIniMemoria.h"
#include "document/UExcepciones.h"

#include "support/RutasPrueba.h"

#include "PruebaDocumento.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

using namespace prueba;

CIniMemoria DesdeTexto(const std::string& texto) {
    CIniMemoria ini("");
    ini.AsignarTexto(texto);
    return ini;
}

TEST(IniMemoria, ArchivoInexistenteEsVacio) {
    rutas::CCarpetaTemporal tmp;
    CIniMemoria ini((tmp / "no-existe.lan").string());
    EXPECT_TRUE(ini.Secciones().empty());
    EXPECT_EQ(ini.LeerTexto("Opciones", "TipoUnidad", "x"), "x");
}

// A folder, a device and an unreadable file are refused with the reason.
class LecturaImposible : public ::testing::TestWithParam<int> {};

TEST_P(LecturaImposible, EsUnErrorConSuMotivo) {
    rutas::CCarpetaTemporal tmp;
    std::string ruta = tmp.Ruta().string();
    std::string motivo = ": es una carpeta, no un archivo";
    if (GetParam() == 1) {
        ruta = "/dev/zero";
        motivo = ": no es un archivo normal";
    } else if (GetParam() == 2) {
        ruta = (tmp / "cerrado.lan").string();
        motivo = "";
        EscribirBytes(ruta, "[A]\nx=1\n");
        std::filesystem::permissions(ruta, std::filesystem::perms::none);
        if (std::ifstream(ruta).is_open()) {
            GTEST_SKIP() << "el usuario lee cualquier archivo (root)";
        }
    }
    EXPECT_EQ(rutas::MensajeDe<EArchivo>([&] { CIniMemoria ini(ruta); }),
              "No se puede leer el archivo \"" + ruta + "\"" + motivo);
}

INSTANTIATE_TEST_SUITE_P(Casos, LecturaImposible, ::testing::Values(0, 1, 2));

// Text read, changes made, text written: LF and CRLF read alike and CRLF is written; keys keep
// their place and new ones go last; a section deleted and written again goes last; names are
// case-blind; leading blanks of values stay; comments and lines before any section go; a
// repeated section continues the first (its repeated key is kept, the first one is read);
// deleting a key leaves the others readable.
struct RReescritura {
    const char* Entrada;
    std::function<void(CIniMemoria&)> Cambios;
    const char* Salida;
};

TEST(IniMemoria, ReglasDeReescritura) {
    const RReescritura casos[] = {
        {"[A]\nx=1\ny=2\n[B]\nz=3", [](CIniMemoria&) {}, "[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n"},
        {"[A]\r\nx=1\r\n[b]\r\nz=3\r\n",
         [](CIniMemoria& ini) { ini.EscribirNumero("B", "Z", ini.LeerNumero("b", "Z", 0) + 1); },
         "[A]\r\nx=1\r\n[b]\r\nz=4\r\n"},
        {"[Opciones]\nExtra=a\nPrecision=3\nTipoUnidad=1\n[Piezas]\nN=0\n",
         [](CIniMemoria& ini) {
             ini.EscribirNumero("Opciones", "TipoUnidad", 2);
             ini.EscribirNumero("Opciones", "Nueva", 7);
             ini.EscribirNumero("Opciones", "precision", 1);
         },
         "[Opciones]\r\nExtra=a\r\nPrecision=1\r\nTipoUnidad=2\r\nNueva=7\r\n[Piezas]\r\nN=0\r\n"},
        {"[Piezas]\nN=1\n1=a;\n[Ajena]\nk=v\n[Opciones]\nX=1\n",
         [](CIniMemoria& ini) {
             ini.BorrarSeccion("piezas");
             ini.EscribirNumero("Piezas", "N", 0);
         },
         "[Ajena]\r\nk=v\r\n[Opciones]\r\nX=1\r\n[Piezas]\r\nN=0\r\n"},
        {"[Opciones]\n  NombreUnidad = mm\n",
         [](CIniMemoria& ini) {
             EXPECT_EQ(ini.LeerTexto("Opciones", "NombreUnidad", "?"), " mm");
             ini.EscribirTexto("Opciones", "Otra", " cm");
         },
         "[Opciones]\r\nNombreUnidad= mm\r\nOtra= cm\r\n"},
        {"antes=de toda seccion\n\n; comentario\n[ S ]\nsin igual\n a = 1 \n=vacia\n",
         [](CIniMemoria& ini) {
             EXPECT_EQ(ini.LeerNumero("S", "a", 0), 1);
             EXPECT_EQ(ini.LeerTexto("S", "", "?"), "vacia");
         },
         "[S]\r\nsin igual\r\na= 1 \r\n=vacia\r\n"},
        {"[A]\nx=1\n[B]\ny=2\n[a]\nx=9\nz=3\n",
         [](CIniMemoria& ini) {
             EXPECT_EQ(ini.LeerNumero("A", "x", 0), 1);
             EXPECT_EQ(ini.LeerNumero("A", "z", 0), 3);
         },
         "[A]\r\nx=1\r\nx=9\r\nz=3\r\n[B]\r\ny=2\r\n"},
        {"[S]\na=1\nb=2\nc=3\n",
         [](CIniMemoria& ini) {
             ini.BorrarClave("S", "a");
             EXPECT_EQ(ini.LeerNumero("S", "c", 0), 3);
             ini.EscribirNumero("S", "b", 5);
         },
         "[S]\r\nb=5\r\nc=3\r\n"},
    };
    for (const RReescritura& c : casos) {
        CIniMemoria ini = DesdeTexto(c.Entrada);
        c.Cambios(ini);
        EXPECT_EQ(ini.Texto(), c.Salida) << c.Entrada;
        EXPECT_EQ(DesdeTexto(ini.Texto()).Texto(), ini.Texto()) << c.Entrada;
    }
}

struct RLecturaTipada {
    const char* Valor;
    std::int32_t Numero;
    bool Logico;
    double Real;
};

class LecturaTipada : public ::testing::TestWithParam<RLecturaTipada> {};

TEST_P(LecturaTipada, ValorIlegibleDaElDefecto) {
    const RLecturaTipada& c = GetParam();
    const CIniMemoria ini = DesdeTexto(std::string("[S]\nk=") + c.Valor + "\n");
    EXPECT_EQ(ini.LeerNumero("S", "k", -77), c.Numero);
    EXPECT_EQ(ini.LeerLogico("S", "k", true), c.Logico);
    EXPECT_DOUBLE_EQ(ini.LeerReal("S", "k", -1.5), c.Real);
}

INSTANTIATE_TEST_SUITE_P(
    Valores, LecturaTipada,
    ::testing::Values(RLecturaTipada{"12", 12, true, 12.0}, RLecturaTipada{"0", 0, false, 0.0},
                      RLecturaTipada{"-3", -3, true, -3.0}, RLecturaTipada{"", -77, true, -1.5},
                      RLecturaTipada{"abc", -77, true, -1.5}, RLecturaTipada{"2.5", -77, true, 2.5},
                      RLecturaTipada{"2,5", -77, true, -1.5},
                      RLecturaTipada{"4000000000", -77, true, 4e9},
                      RLecturaTipada{"nan", -77, true, -1.5},
                      RLecturaTipada{"1e999", -77, true, -1.5}));

TEST(IniMemoria, RealesVuelvenIguales) {
    CIniMemoria ini("");
    for (const double x : {0.0, 210.0, 297.5, 0.1, 1.0 / 3.0, -2.75e-5, 1e300}) {
        ini.EscribirReal("S", "x", x);
        EXPECT_EQ(DesdeTexto(ini.Texto()).LeerReal("S", "x", 99.0), x);
    }
    ini.EscribirReal("S", "x", 0.25);
    EXPECT_EQ(ini.LeerTexto("S", "x", ""), "0.25");
}

TEST(IniMemoria, SaltosDeLineaEnUnValorNoPartenElArchivo) {
    CIniMemoria ini("");
    ini.EscribirTexto("S", "k", "uno\r\ndos\n[Falsa]");
    const CIniMemoria leido = DesdeTexto(ini.Texto());
    EXPECT_EQ(leido.Secciones(), std::vector<std::string>{"S"});
    EXPECT_EQ(leido.LeerTexto("S", "k", ""), "uno  dos [Falsa]");
}

TEST(IniMemoria, Utf8SeConservaYWindows1252SeConvierte) {
    rutas::CCarpetaTemporal tmp;
    EscribirBytes(tmp / "utf8.lan", "[Piezas]\r\n1=600;400;1;Caj\xC3\xB3n;\xE2\x82\xAC;1;\r\n");
    EscribirBytes(tmp / "bom.lan", "\xEF\xBB\xBF[Piezas]\r\n1=Caj\xC3\xB3n\r\n");
    EscribirBytes(tmp / "ansi.lan", "[Piezas]\r\n1=600;400;1;Caj\xF3n;\x80\x93\x81;1;\r\n");
    EXPECT_EQ(CIniMemoria((tmp / "utf8.lan").string()).LeerTexto("Piezas", "1", ""),
              "600;400;1;Cajón;€;1;");
    EXPECT_EQ(CIniMemoria((tmp / "bom.lan").string()).LeerTexto("Piezas", "1", ""), "Cajón");
    CIniMemoria ansi((tmp / "ansi.lan").string());
    EXPECT_EQ(ansi.LeerTexto("Piezas", "1", ""), "600;400;1;Cajón;€“\xC2\x81;1;");
    // Written back, the file is UTF-8.
    ansi.Actualizar();
    EXPECT_EQ(LeerBytes(tmp / "ansi.lan"), "[Piezas]\r\n1=600;400;1;Cajón;€“\xC2\x81;1;\r\n");
}

TEST(IniMemoria, BasuraBinariaYLineasEnormesNoRompenNada) {
    rutas::CCarpetaTemporal tmp;
    std::string basura;
    std::uint32_t x = 12345;
    for (int i = 0; i < 300000; ++i) {
        x = x * 1103515245u + 12345u;
        basura += static_cast<char>(x >> 24);
    }
    EscribirBytes(tmp / "basura.lan", basura);
    CIniMemoria ini((tmp / "basura.lan").string());
    ini.Actualizar();
    const std::string larga(6 << 20, 'x');
    EscribirBytes(tmp / "larga.lan", "[S]\nk=" + larga + "\n" + larga + "\n[T]\nj=1");
    CIniMemoria ini2((tmp / "larga.lan").string());
    EXPECT_EQ(ini2.LeerTexto("S", "k", "").size(), larga.size());
    EXPECT_EQ(ini2.LeerNumero("T", "j", 0), 1);
}

// A disk that fails after some bytes: a short write, or an exception in the middle.
enum class EFallo { Corta, Excepcion };

class GuardadoInterrumpido : public ::testing::TestWithParam<EFallo> {};

TEST_P(GuardadoInterrumpido, DejaElArchivoAnteriorIntacto) {
    rutas::CCarpetaTemporal tmp;
    const auto ruta = tmp / "trabajo.lan";
    const std::string anterior = "[A]\r\nx=1\r\n";
    EscribirBytes(ruta, anterior);
    CIniMemoria ini(ruta.string());
    for (int i = 0; i < 20000; ++i) {
        ini.EscribirNumero("B", std::to_string(i), i);
    }
    std::size_t total = 0;
    const EFallo fallo = GetParam();
    ini.AsignarEscritor([&](std::FILE* f, const char* datos, std::size_t n) -> std::size_t {
        if (total + n > 100000) {
            if (fallo == EFallo::Excepcion) {
                throw std::runtime_error("interrumpido");
            }
            const std::size_t parte = 100000 - total;
            total += std::fwrite(datos, 1, parte, f);
            return parte;
        }
        total += std::fwrite(datos, 1, n, f);
        return n;
    });
    if (fallo == EFallo::Excepcion) {
        EXPECT_THROW(ini.Actualizar(), std::runtime_error);
    } else {
        EXPECT_EQ(rutas::MensajeDe<EArchivo>([&] { ini.Actualizar(); }),
                  "No se pudo guardar el archivo \"" + ruta.string() +
                      "\": error de escritura (¿disco lleno?)");
    }
    const auto archivos = [&] {
        return std::distance(std::filesystem::directory_iterator(tmp.Ruta()),
                             std::filesystem::directory_iterator());
    };
    EXPECT_GT(total, 0u);
    EXPECT_EQ(LeerBytes(ruta), anterior);
    EXPECT_EQ(archivos(), 1);
    // With a sound disk the same object saves, replacing the file and leaving nothing beside.
    ini.AsignarEscritor({});
    ini.Actualizar();
    EXPECT_EQ(CIniMemoria(ruta.string()).LeerNumero("B", "19999", 0), 19999);
    EXPECT_EQ(archivos(), 1);
}

INSTANTIATE_TEST_SUITE_P(Fallos, GuardadoInterrumpido,
                         ::testing::Values(EFallo::Corta, EFallo::Excepcion));

TEST(IniMemoria, GuardarEnUnaCarpetaInexistenteFallaSinDejarRastro) {
    rutas::CCarpetaTemporal tmp;
    CIniMemoria ini((tmp / "no" / "hay" / "x.lan").string());
    ini.EscribirNumero("A", "x", 1);
    EXPECT_THROW(ini.Actualizar(), EArchivo);
    CIniMemoria carpeta(tmp.Ruta().string() + "/sub");
    std::filesystem::create_directory(tmp / "sub");
    carpeta.EscribirNumero("A", "x", 1);
    EXPECT_THROW(carpeta.Actualizar(), EArchivo);
    EXPECT_TRUE(std::filesystem::is_directory(tmp / "sub"));
}

// A file larger than any job is refused by its size, before it is read (a sparse file:
// nothing is written to the disk).
TEST(IniMemoria, ArchivoMayorQueCualquierLanzamientoSeRechazaSinLeerlo) {
    rutas::CCarpetaTemporal tmp;
    const auto grande = tmp / "grande.lan";
    EscribirBytes(grande, "[A]\nx=1\n");
    std::filesystem::resize_file(grande, CIniMemoria::TamanoMaximoArchivo + 1);
    EXPECT_EQ(rutas::MensajeDe<EArchivo>([&] { CIniMemoria ini(grande.string()); }),
              "No se puede leer el archivo \"" + grande.string() +
                  "\": el archivo es demasiado grande");
    EXPECT_EQ(CIniMemoria::TamanoMaximoArchivo, 64u * 1024u * 1024u);
}

// A save killed while it writes leaves the job as it was and no temporary file beside it.
TEST(IniMemoria, GuardadoMatadoNoDejaTemporales) {
    rutas::CCarpetaTemporal tmp;
    const auto ruta = tmp / "job.lan";
    EscribirBytes(ruta, "[A]\nx=1\n");
    int tubo[2];
    ASSERT_EQ(pipe(tubo), 0);
    const pid_t hijo = fork();
    ASSERT_GE(hijo, 0);
    if (hijo == 0) {
        CIniMemoria ini(ruta.string());
        for (int i = 0; i < 20000; ++i) {
            ini.EscribirNumero("B", std::to_string(i), i);
        }
        ini.AsignarEscritor([&](std::FILE* f, const char* datos, std::size_t n) -> std::size_t {
            const std::size_t hechos = std::fwrite(datos, 1, n, f);
            std::fflush(f);
            static_cast<void>(write(tubo[1], "x", 1));
            pause();
            return hechos;
        });
        ini.Actualizar();
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(tubo[0], &c, 1), 1);
    kill(hijo, SIGKILL);
    waitpid(hijo, nullptr, 0);
    close(tubo[0]);
    close(tubo[1]);
    EXPECT_EQ(LeerBytes(ruta), "[A]\nx=1\n");
    std::vector<std::string> nombres;
    for (const auto& e : std::filesystem::directory_iterator(tmp.Ruta())) {
        nombres.push_back(e.path().filename().string());
    }
    EXPECT_EQ(nombres, std::vector<std::string>{"job.lan"});
}

} // namespace
