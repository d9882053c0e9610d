// The workbook readers on small workbooks of each format (tests/data/libros, made by its
// generar.py with openpyxl and xlwt), on damaged and foreign files, and the errors workbook
// read back by the same readers.

#include "exchange/CLectorLibros.h"
#include "document/CImportacion.h"
#include "document/UExcepciones.h"
#include "document/UTextos.h"
#include "exchange/CLibroErrores.h"
#include "support/RutasPrueba.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

std::string Libro(const std::string& nombre) {
    return rutas::DatosPrueba("libros/" + nombre).string();
}

std::string Texto(const CHojaCalculo& h, int f, int c) {
    return h.Celda(f, c).value_or("<vacía>");
}

class Lector : public ::testing::TestWithParam<const char*> {};

TEST_P(Lector, LeeLasHojasYLosValoresComoLosVeriaElUsuario) {
    const auto libro = CLectorLibros::Abrir(Libro(GetParam()));
    ASSERT_GE(libro->Hojas(), 1);
    const CHojaCalculo& h = libro->Hoja(0);
    const bool csv = std::string(GetParam()).ends_with(".csv");
    if (!csv) {
        ASSERT_EQ(libro->Hojas(), 2);
        EXPECT_EQ(h.Nombre(), "Piezas");
        EXPECT_EQ(libro->Hoja(1).Nombre(), "Otra");
        EXPECT_EQ(Texto(libro->Hoja(1), 1, 1), "nada");
    }
    EXPECT_EQ(Texto(h, 1, 1), "Largo");
    EXPECT_EQ(Texto(h, 1, 5), "Desc2");
    EXPECT_EQ(Texto(h, 2, 1), "600");
    EXPECT_EQ(Texto(h, 2, 3), "10");
    EXPECT_EQ(Texto(h, 3, 1), "300.5");
    EXPECT_FALSE(h.Celda(3, 5).has_value());
    EXPECT_EQ(Texto(h, 4, 4), "Zócalo");
    EXPECT_EQ(Texto(h, 4, 5), "ñandú");
    EXPECT_FALSE(h.Celda(1000, 1).has_value());
    EXPECT_FALSE(h.Celda(1, 200).has_value());
    EXPECT_EQ(h.Columnas(), 5);
}

INSTANTIATE_TEST_SUITE_P(Libros, Lector,
                         ::testing::Values("piezas.xlsx", "piezas.xls", "piezas.ods", "piezas.csv"),
                         [](const auto& i) {
                             std::string n = i.param;
                             return n.substr(n.find('.') + 1);
                         });

TEST(Lector, FormulasFechasYBooleanosComoTexto) {
    const auto libro = CLectorLibros::Abrir(Libro("piezas.xlsx"));
    const CHojaCalculo& h = libro->Hoja(0);
    EXPECT_EQ(Texto(h, 5, 1), "1200");
    EXPECT_EQ(Texto(h, 5, 2), "2026-12-07");
    EXPECT_EQ(Texto(h, 5, 3), Textos::Verdadero);
    EXPECT_EQ(CImportacion::UltimaFila(h), 5);
}

// Files that are not workbooks, each with its own message and never a crash.
struct CasoMalo {
    const char* Nombre;
    std::string Contenido;
    const char* Motivo;
};

class LectorMalo : public ::testing::TestWithParam<CasoMalo> {};

TEST_P(LectorMalo, FallaConMensajeClaro) {
    rutas::CCarpetaTemporal carpeta;
    const fs::path ruta = carpeta / GetParam().Nombre;
    std::ofstream(ruta, std::ios::binary) << GetParam().Contenido;
    const std::string mensaje =
        rutas::MensajeDe<EArchivo>([&] { CLectorLibros::Abrir(ruta.string()); });
    EXPECT_NE(mensaje.find(GetParam().Motivo), std::string::npos) << mensaje;
    EXPECT_NE(mensaje.find(GetParam().Nombre), std::string::npos);
}

std::string Truncado() {
    std::ifstream f(Libro("piezas.xlsx"), std::ios::binary);
    std::string s((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    return s.substr(0, s.size() / 2);
}

std::string Compuesto() {
    return std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(4000, '\0');
}

INSTANTIATE_TEST_SUITE_P(
    Libros, LectorMalo,
    ::testing::Values(CasoMalo{"texto.xlsx", "Largo;Ancho\n1;2\n", Textos::LibroDanado},
                      CasoMalo{"vacio.xlsx", "", Textos::LibroDanado},
                      CasoMalo{"truncado.xlsx", Truncado(), Textos::LibroDanado},
                      CasoMalo{"cifrado.xlsx", Compuesto(), Textos::LibroCifrado},
                      CasoMalo{"roto.xls", Compuesto(), Textos::LibroDanado},
                      CasoMalo{"imagen.png", "\x89PNG\r\n", Textos::LibroFormatoDesconocido}),
    [](const auto& i) {
        std::string n = i.param.Nombre;
        return n.substr(0, n.find('.'));
    });

TEST(LibroErrores, SeEscribeAlLadoYSeLeeConLosLectores) {
    rutas::CCarpetaTemporal carpeta;
    const std::string usuario = (carpeta / "piezas.xls").string();
    const std::string ruta = CLibroErrores::Ruta(usuario);
    EXPECT_EQ(fs::path(ruta).filename(), "piezas-errores.xlsx");
    CLibroErrores::Escribir(ruta, {{3, "Valor de longitud incorrecto"},
                                   {4, "El valor excede el máximo permitido (65535)"},
                                   {7, std::string(40000, 'x')}});
    EXPECT_FALSE(fs::exists(usuario));
    const auto libro = CLectorLibros::Abrir(ruta);
    ASSERT_EQ(libro->Hojas(), 1);
    const CHojaCalculo& h = libro->Hoja(0);
    EXPECT_EQ(h.Nombre(), Textos::HojaErrores);
    EXPECT_EQ(Texto(h, 1, 1), "FILA");
    EXPECT_EQ(Texto(h, 1, 2), "DESCRIPCION DEL ERROR");
    EXPECT_EQ(Texto(h, 2, 1), "3");
    EXPECT_EQ(Texto(h, 3, 1), "4");
    EXPECT_EQ(Texto(h, 4, 1), "7");
    EXPECT_EQ(Texto(h, 3, 2), "El valor excede el máximo permitido (65535)");
    EXPECT_EQ(CLibroErrores::Mensaje(3, ruta),
              "3 registros erróneos se copiaron en la hoja Errores del libro \"" + ruta + "\".");
    // Nothing is left beside it but the workbook.
    EXPECT_EQ(std::distance(fs::directory_iterator(carpeta.Ruta()), fs::directory_iterator()), 1);
}

} // namespace
