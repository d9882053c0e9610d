// trazal-cli against hostile but fair inputs: large counts, interrupted runs, outputs that
// would overwrite their input, absurd options, broken patterns and slow corners. The inputs
// live in tests/data, each named for what it exercises.

#include "support/EjecucionCli.h"
#include "support/RutasPrueba.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using cli::Ejecutar;
using cli::Leer;
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
    EXPECT_TRUE(Contiene(c.Salida, ": 1 hojas")) << c.Salida;
}

} // namespace
