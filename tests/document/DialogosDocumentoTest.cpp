// The logic behind the small dialogs: the new-job choices, the ideal consumption of a
// material and the preferences' working copy.

#include "document/CConsumoIdeal.h"
#include "document/CEdicionEntorno.h"
#include "document/CLanzamiento.h"
#include "document/CListaPlantillas.h"
#include "document/ROpciones.h"
#include "support/CConstructorLanzamiento.h"
#include "support/RutasPrueba.h"

#include <gtest/gtest.h>

#include <fstream>

TEST(ListaPlantillas, CarpetaVaciaOInexistenteSoloExaminar) {
    rutas::CCarpetaTemporal carpeta;
    CListaPlantillas lista;
    for (const std::string& c :
         {carpeta.Ruta().string(), (carpeta / "no-existe").string(), std::string()}) {
        lista.Cargar(c);
        ASSERT_EQ(lista.Entradas().size(), 1u);
        EXPECT_EQ(lista.Entradas()[0].Nombre, "Examinar...");
        EXPECT_TRUE(lista.EsExaminar(0));
    }
}

TEST(ListaPlantillas, SoloArchivosPlaSinExtension) {
    rutas::CCarpetaTemporal carpeta;
    rutas::EscribirBytes(carpeta / "melamina.pla", "");
    rutas::EscribirBytes(carpeta / "PERFILES.PLA", "");
    rutas::EscribirBytes(carpeta / "otro.lan", "");
    std::filesystem::create_directory(carpeta / "carpeta.pla");
    CListaPlantillas lista;
    lista.Cargar(carpeta.Ruta().string());
    ASSERT_EQ(lista.Entradas().size(), 3u);
    std::vector<std::string> nombres{lista.Entradas()[0].Nombre, lista.Entradas()[1].Nombre};
    std::sort(nombres.begin(), nombres.end());
    EXPECT_EQ(nombres, (std::vector<std::string>{"PERFILES", "melamina"}));
    EXPECT_EQ(lista.Entradas()[2].Nombre, "Examinar...");
    EXPECT_FALSE(lista.EsExaminar(0));
}

TEST(ListaPlantillas, Aceptar) {
    rutas::CCarpetaTemporal carpeta;
    rutas::EscribirBytes(carpeta / "a.pla", "");
    CListaPlantillas lista;
    lista.Cargar(carpeta.Ruta().string());
    ROpciones pred;
    std::string archivo = "x";
    EXPECT_TRUE(lista.Aceptar(CListaPlantillas::Barras, -1, "/app/", pred, archivo));
    EXPECT_EQ(archivo, "/app/defaultbars.pla");
    EXPECT_TRUE(pred.Barras);
    EXPECT_TRUE(lista.Aceptar(CListaPlantillas::Planchas, 0, "/app/", pred, archivo));
    EXPECT_EQ(archivo, "/app/defaultsheets.pla");
    EXPECT_FALSE(pred.Barras);
    EXPECT_TRUE(lista.Aceptar(CListaPlantillas::Plantilla, 0, "/app/", pred, archivo));
    EXPECT_EQ(archivo, (carpeta / "a.pla").string());
    // Nothing selected: the defaults alone.
    EXPECT_TRUE(lista.Aceptar(CListaPlantillas::Plantilla, -1, "/app/", pred, archivo));
    EXPECT_EQ(archivo, "");
    // "Examinar...": the caller browses.
    EXPECT_FALSE(lista.Aceptar(CListaPlantillas::Plantilla, 1, "/app/", pred, archivo));
}

// A missing "defaultbars.pla" gives an empty bar job with every other option at its default.
TEST(ListaPlantillas, PlantillaDeBarrasInexistente) {
    rutas::CCarpetaTemporal carpeta;
    CListaPlantillas lista;
    lista.Cargar(carpeta.Ruta().string());
    ROpciones pred = OpcionesPorDefecto();
    std::string archivo;
    ASSERT_TRUE(
        lista.Aceptar(CListaPlantillas::Barras, -1, carpeta.Ruta().string() + "/", pred, archivo));
    auto job = CLanzamiento::DesdePlantilla(archivo, (carpeta / "NUEVO.lan").string(), pred);
    ROpciones esperadas = OpcionesPorDefecto();
    esperadas.Barras = true;
    esperadas.Plantilla = archivo;
    EXPECT_EQ(job->Opciones(), esperadas);
    EXPECT_EQ(job->CantidadPiezas(), 0);
    EXPECT_EQ(job->CantidadMateriales(), 0);
}

struct RCasoConsumo {
    const char* Nombre;
    bool Rotar;
    int Material; // 1: 100x50, 2: 0x0
    const char* Esperado;
};

class ConsumoIdeal : public ::testing::TestWithParam<RCasoConsumo> {};

// Pieces: 40x40 x2 (fits), 30x60 x1 (fits only turned), 200x10 x5 (never), 10x10 x9
// inactive. Material 1 is 100x50 = 5000.
TEST_P(ConsumoIdeal, PiezasGiradasYMaterialSinArea) {
    const RCasoConsumo& c = GetParam();
    CConstructorLanzamiento constructor;
    constructor.Opciones.RotarPiezas = c.Rotar;
    constructor.Pieza(40, 40, 2).Pieza(30, 60, 1).Pieza(200, 10, 5).Pieza(10, 10, 9, false);
    constructor.Material(100, 50).Material(0, 0);
    auto job = constructor.Crear();
    EXPECT_EQ(CConsumoIdeal::Texto(*job, c.Material), c.Esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ConsumoIdeal,
    ::testing::Values(RCasoConsumo{"girada_cuenta", true, 1, "1.00"},        // (3200 + 1800) / 5000
                      RCasoConsumo{"sin_girar_no_cuenta", false, 1, "0.64"}, // 3200 / 5000
                      RCasoConsumo{"material_sin_area", true, 2, "0"}),
    [](const auto& info) { return std::string(info.param.Nombre); });

TEST(EdicionEntorno, ColorDePapelSoloDondeHay) {
    REntorno entorno = REntorno::PorDefecto(1024, 768, "/app/");
    CEdicionEntorno edicion;
    edicion.Cargar(entorno);
    // "Selección" (row 2) has no paper colour; "Etiquetas" (row 8) has number 15.
    edicion.AplicarColor({2, 8}, true, 0x123456);
    REntorno despues = entorno;
    edicion.Guardar(despues);
    REntorno esperado = entorno;
    esperado.Colores[REntorno::ColorPapelEtiquetas] = 0x123456;
    EXPECT_EQ(despues, esperado);

    edicion.AplicarColor({2}, false, 0xABCDEF);
    EXPECT_EQ(edicion.Color(REntorno::ColorSeleccion), 0xABCDEFu);
    edicion.RestaurarColores();
    EXPECT_EQ(edicion.Color(REntorno::ColorSeleccion), entorno.Colores[REntorno::ColorSeleccion]);
}

TEST(EdicionEntorno, CarpetasCortadasYAnchoDeBarra) {
    REntorno entorno = REntorno::PorDefecto(1024, 768, "/app/");
    entorno.AnchoBarra = 0.123;
    CEdicionEntorno edicion;
    edicion.Cargar(entorno);
    EXPECT_EQ(edicion.AnchoBarra, 12);
    edicion.CarpetaLanzamientos = "/" + std::string(300, 'a');
    // A two-byte character across the limit is dropped whole.
    edicion.CarpetaPlantillas = std::string(254, 'b') + "ñ";
    edicion.Guardar(entorno);
    EXPECT_EQ(entorno.CarpetaLanzamientos.size(), 255u);
    EXPECT_EQ(entorno.CarpetaPlantillas, std::string(254, 'b'));
    EXPECT_DOUBLE_EQ(entorno.AnchoBarra, 0.12);
}
