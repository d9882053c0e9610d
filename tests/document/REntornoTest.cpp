#include "document/REntorno.h"
#include "document/CAlmacenEntorno.h"
#include "document/UEntorno.h"

#include "support/RutasPrueba.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t pos) {
    return static_cast<std::uint32_t>(b[pos]) | (static_cast<std::uint32_t>(b[pos + 1]) << 8) |
           (static_cast<std::uint32_t>(b[pos + 2]) << 16) |
           (static_cast<std::uint32_t>(b[pos + 3]) << 24);
}

std::int32_t I32(const std::vector<std::uint8_t>& b, std::size_t pos) {
    return static_cast<std::int32_t>(U32(b, pos));
}

// A record with a distinct value in every field, so a field at the wrong offset shows.
REntorno EntornoDistinto() {
    REntorno e;
    e.EstadoLanzamiento = 1;
    e.EstadoPrincipal = 2;
    e.PosPrincipal = {-3, 4, 1000, 700};
    e.PosLanzamiento = {5, -6, 800, 525};
    e.VerBarraEstado = false;
    e.VerBarras = true;
    for (int k = 0; k < REntorno::CantidadBarras; ++k) {
        e.BarrasHerramientas[static_cast<std::size_t>(k)] = {k % 2 == 0, 100 + k, -200 - k};
    }
    e.VerInspectorPatron = false;
    for (int k = 1; k <= REntorno::CantidadColores; ++k) {
        e.Colores[static_cast<std::size_t>(k)] = 0x01020300u + static_cast<std::uint32_t>(k);
    }
    e.RellenoSobrante = 6;
    e.AnchoLinea = 4;
    e.CarpetaLanzamientos = "/home/taller/Lanzamientos/cocinas";
    e.CarpetaPlantillas = "/home/taller/Plantillas";
    e.ColoresMiniatura = 2;
    e.AnchoBarra = 0.25;
    return e;
}

TEST(Entorno, CadaCampoEnSuDesplazamiento) {
    const std::vector<std::uint8_t> b = EntornoDistinto().ABytes();
    ASSERT_EQ(b.size(), 696u);
    EXPECT_EQ(b[0], 1);
    EXPECT_EQ(b[1], 2);
    EXPECT_EQ(b[2] | b[3], 0);
    const std::int32_t posiciones[] = {-3, 4, 1000, 700, 5, -6, 800, 525};
    for (std::size_t k = 0; k < std::size(posiciones); ++k) {
        EXPECT_EQ(I32(b, 4 + 4 * k), posiciones[k]) << k;
    }
    EXPECT_EQ(b[36], 0);
    EXPECT_EQ(b[37], 1);
    for (std::size_t k = 0; k < 7; ++k) {
        EXPECT_EQ(b[38 + 9 * k], k % 2 == 0 ? 1 : 0) << k;
        EXPECT_EQ(I32(b, 39 + 9 * k), 100 + static_cast<int>(k)) << k;
        EXPECT_EQ(I32(b, 43 + 9 * k), -200 - static_cast<int>(k)) << k;
    }
    EXPECT_EQ(b[101] | b[102] | b[103], 0);
    for (std::size_t k = 1; k <= 15; ++k) {
        EXPECT_EQ(U32(b, 104 + 4 * (k - 1)), 0x01020300u + k) << k;
    }
    EXPECT_EQ(I32(b, 164), 6);
    EXPECT_EQ(I32(b, 168), 4);
    const std::string lanz = "/home/taller/Lanzamientos/cocinas";
    EXPECT_EQ(b[172], lanz.size());
    EXPECT_EQ(std::string(b.begin() + 173, b.begin() + 173 + static_cast<long>(lanz.size())), lanz);
    EXPECT_EQ(b[428], std::strlen("/home/taller/Plantillas"));
    EXPECT_EQ(b[429], '/');
    EXPECT_EQ(b[684], 2);
    EXPECT_EQ(b[685] | b[686] | b[687], 0);
    // 0.25 is 0x3FD0000000000000.
    const std::vector<std::uint8_t> cuarto = {0, 0, 0, 0, 0, 0, 0xD0, 0x3F};
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 688, b.end()), cuarto);
}

TEST(Entorno, ValoresPorDefectoSegunLaPantalla) {
    const REntorno e = REntorno::PorDefecto(1280, 1024, "/opt/trazal/");
    EXPECT_EQ(e.PosPrincipal, (RPosicionVentana{25, 25, 1230, 949}));
    EXPECT_EQ(e.PosLanzamiento, (RPosicionVentana{0, 0, 984, 711}));
    EXPECT_EQ(e.CarpetaLanzamientos, "/opt/trazal/Lanzamientos");
    EXPECT_EQ(e.CarpetaPlantillas, "/opt/trazal/Plantillas");
    // Red in the low byte; colour 4 is the system tool-tip background.
    EXPECT_EQ(e.Colores[1], 0xF0CAA6u);
    EXPECT_EQ(e.Colores[4], 0x80000018u);
}

class TamanoIncorrecto : public ::testing::TestWithParam<std::size_t> {};

TEST_P(TamanoIncorrecto, DaLosValoresPorDefecto) {
    rutas::CCarpetaTemporal tmp;
    const std::string ruta = (tmp / "Environment").string();
    std::vector<std::uint8_t> valor = EntornoDistinto().ABytes();
    valor.resize(GetParam(), 7);
    {
        std::ofstream f(ruta, std::ios::binary);
        f.write(reinterpret_cast<const char*>(valor.data()), static_cast<long>(valor.size()));
    }
    CAlmacenEntornoArchivo almacen(ruta);
    InicializarGlobales("/opt/trazal/trazal", 1024, 768, &almacen);
    if (GetParam() == REntorno::TamanoEntorno) {
        EXPECT_EQ(Entorno, EntornoDistinto());
    } else {
        EXPECT_EQ(Entorno, REntorno::PorDefecto(1024, 768, "/opt/trazal/"));
    }
}

INSTANTIATE_TEST_SUITE_P(Tamanos, TamanoIncorrecto,
                         ::testing::Values(0, 1, 695, 696, 697, 5000, 100000));

TEST(Entorno, GlobalesAlIniciar) {
    rutas::CCarpetaTemporal tmp;
    ApagarAlTerminar = true;
    CAlmacenEntornoArchivo almacen((tmp / "no" / "existe" / "Environment").string());
    InicializarGlobales("/opt/trazal/bin/trazal", 800, 600, &almacen);
    EXPECT_FALSE(ApagarAlTerminar);
    EXPECT_EQ(CarpetaAplicacion, "/opt/trazal/bin/");
    EXPECT_EQ(OpcionesPredeterminadas, OpcionesPorDefecto());
    EXPECT_EQ(FormatoEtiPredeterminado, OpcionesPorDefecto().FormatoEti);
    EXPECT_EQ(Entorno, REntorno::PorDefecto(800, 600, "/opt/trazal/bin/"));
    // Saving creates the key and what is saved is read back.
    Entorno.AnchoLinea = 5;
    Entorno.CarpetaPlantillas = "/srv/plantillas";
    ASSERT_TRUE(GuardarEntorno(almacen));
    EXPECT_EQ(fs::file_size(almacen.Ruta()), 696u);
    const REntorno guardado = Entorno;
    InicializarGlobales("/opt/trazal/bin/trazal", 800, 600, &almacen);
    EXPECT_EQ(Entorno, guardado);
    InicializarGlobales("trazal", 800, 600, nullptr);
    EXPECT_EQ(CarpetaAplicacion, fs::current_path().string() + "/");
}

TEST(Entorno, UnaClaveQueNoAbreDejaLoQueHabia) {
    rutas::CCarpetaTemporal tmp;
    InicializarGlobales("/opt/trazal/trazal", 800, 600, nullptr);
    Entorno.AnchoLinea = 0;
    CAlmacenEntornoArchivo sinCarpeta((tmp / "no" / "Environment").string());
    LeerEntorno(sinCarpeta);
    EXPECT_EQ(Entorno.AnchoLinea, 0);
    // A folder where the value should be cannot be opened either, nor written.
    fs::create_directory(tmp / "Environment");
    CAlmacenEntornoArchivo carpeta((tmp / "Environment").string());
    LeerEntorno(carpeta);
    EXPECT_EQ(Entorno.AnchoLinea, 0);
    EXPECT_FALSE(GuardarEntorno(carpeta));
    // A key without the value resets to the defaults.
    CAlmacenEntornoArchivo sinValor((tmp / "Falta").string());
    LeerEntorno(sinValor);
    EXPECT_EQ(Entorno.AnchoLinea, 2);
}

TEST(Entorno, CarpetasLargasSeCortanA255SinPartirCaracteres) {
    REntorno e = EntornoDistinto();
    e.CarpetaLanzamientos = std::string(254, 'a') + "ñb";
    e.CarpetaPlantillas = std::string(300, 'x');
    const std::vector<std::uint8_t> b = e.ABytes();
    EXPECT_EQ(b[172], 254);
    EXPECT_EQ(b[428], 255);
    REntorno leido;
    ASSERT_TRUE(leido.DesdeBytes(b));
    EXPECT_EQ(leido.CarpetaLanzamientos, std::string(254, 'a'));
    EXPECT_EQ(leido.CarpetaPlantillas, std::string(255, 'x'));
    EXPECT_EQ(REntorno::PorDefecto(10, 10, std::string(300, 'c') + "/").CarpetaPlantillas.size(),
              255u);
}

TEST(Entorno, ValoresDanadosNoLleganAlDibujo) {
    std::vector<std::uint8_t> b = EntornoDistinto().ABytes();
    b[0] = 9;
    b[164] = 200;
    b[168] = 77;
    b[684] = 5;
    for (std::size_t k = 688; k < 696; ++k) {
        b[k] = 0xFF; // NaN
    }
    REntorno e;
    ASSERT_TRUE(e.DesdeBytes(b));
    EXPECT_EQ(e.EstadoLanzamiento, 2);
    EXPECT_EQ(e.RellenoSobrante, 5);
    EXPECT_EQ(e.AnchoLinea, 2);
    EXPECT_EQ(e.ColoresMiniatura, 0);
    EXPECT_DOUBLE_EQ(e.AnchoBarra, 0.1);
}

} // namespace
