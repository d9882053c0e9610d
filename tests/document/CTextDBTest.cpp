#include "document/CTextDB.h"
#include "document/CGrilla.h"
#include "document/UExcepciones.h"

#include <gtest/gtest.h>

#include "PruebaDocumento.h"

#include <random>

namespace {

CTextDB DesdeTexto(const std::string& texto) {
    CTextDB db("");
    db.AsignarTexto(texto);
    return db;
}

TEST(Grilla, TextoDeFilaYAsignacion) {
    CGrilla g(2, 3);
    g.AsignarTextoFila(1, "a\r\nb\nc\nd\n");
    EXPECT_EQ(g.Celda(1, 0), "a");
    EXPECT_EQ(g.Celda(1, 1), "b");
    EXPECT_EQ(g.Celda(1, 2), "c");
    EXPECT_EQ(g.TextoFila(1), "a\nb\nc\n");
    g.AsignarTextoFila(1, "x");
    EXPECT_EQ(g.TextoFila(1), "x\n\n\n");
    g.AsignarColumnas(2);
    g.AsignarFilas(3);
    EXPECT_EQ(g.TextoFila(1), "x\n\n");
    EXPECT_EQ(g.TextoFila(2), "\n\n");
    EXPECT_EQ(g.Celda(9, 9), "");
    g.AsignarCelda(-1, 0, "fuera");
    g.AsignarFilas(-4);
    EXPECT_EQ(g.Filas(), 0);
}

TEST(TextDB, UnaFilaVaciaEscribeSeisCamposVacios) {
    CTextDB db("");
    db.EscribirGrilla("Piezas", CGrilla(2, 7));
    EXPECT_EQ(db.LeerCantidad("Piezas"), 1);
    EXPECT_EQ(db.LeerTexto("Piezas", "1", "?"), ";;;;;;");
}

TEST(TextDB, SeccionVaciaOAusenteDaDosFilas) {
    for (const char* texto : {"", "[Piezas]\nN=0\n", "[Piezas]\n"}) {
        const CTextDB db = DesdeTexto(texto);
        CGrilla g(7, 7);
        g.AsignarCelda(0, 1, "Largo");
        g.AsignarCelda(3, 1, "resto");
        db.LeerGrilla("Piezas", g);
        EXPECT_EQ(g.Filas(), 2) << texto;
        EXPECT_EQ(g.Celda(0, 1), "Largo"); // the header row is the grid's own
        EXPECT_EQ(g.TextoFila(1), "1\n\n\n\n\n\n\n");
    }
}

TEST(TextDB, RegistroCortoLeeCamposVaciosYSeRecorta) {
    const CTextDB db = DesdeTexto("[Piezas]\nN=2\n1= 600 ;400\n2=1;2;3;4;5;6;7;8\n");
    CGrilla g(1, 7);
    db.LeerGrilla("Piezas", g);
    ASSERT_EQ(g.Filas(), 3);
    EXPECT_EQ(g.TextoFila(1), "1\n600\n400\n\n\n\n\n");
    EXPECT_EQ(g.TextoFila(2), "2\n1\n2\n3\n4\n5\n6\n"); // fields beyond the grid are dropped
    EXPECT_EQ(db.LeerCampo("Piezas", 1, 1), "600");
    EXPECT_EQ(db.LeerCampo("Piezas", 1, 0), "1");
    for (int k = 3; k <= 6; ++k) {
        EXPECT_EQ(db.LeerCampo("Piezas", 1, k), "") << k;
    }
    EXPECT_EQ(db.LeerCampo("Piezas", 2, 8), "8");
    EXPECT_EQ(db.LeerCampo("Piezas", 9, 2), "");
    EXPECT_EQ(db.LeerRegistro("Piezas", 9), "9\n\n\n\n\n\n\n");
}

TEST(TextDB, EscribirMenosFilasDejaExactamenteEsas) {
    CTextDB db = DesdeTexto("[Piezas]\nN=5\n1=a;\n2=b;\n3=c;\n4=d;\n5=e;\n[Otra]\nk=v\n");
    db.EscribirGrilla("Piezas", prueba::Grilla({{"x"}, {"y"}, {"z"}}));
    EXPECT_EQ(db.LeerCantidad("Piezas"), 3);
    EXPECT_FALSE(db.ExisteClave("Piezas", "4"));
    EXPECT_FALSE(db.ExisteClave("Piezas", "5"));
    EXPECT_EQ(db.Texto(), "[Otra]\r\nk=v\r\n[Piezas]\r\nN=3\r\n1=x;;;;;;\r\n2=y;;;;;;\r\n"
                          "3=z;;;;;;\r\n");
}

TEST(TextDB, EscribirRegistroSubeN) {
    CTextDB db("");
    db.EscribirRegistro("S", 3, "3\na\nb\n");
    EXPECT_EQ(db.LeerCantidad("S"), 3);
    EXPECT_EQ(db.LeerTexto("S", "3", ""), "a;b;");
    db.EscribirRegistro("S", 1, "1\r\nc\r\n");
    EXPECT_EQ(db.LeerCantidad("S"), 3);
    EXPECT_EQ(db.LeerTexto("S", "1", ""), "c;");
}

TEST(TextDB, PuntoYComaEnUnCampoLoParte) {
    CTextDB db("");
    db.EscribirGrilla("S", prueba::Grilla({{"600", "400", "1", "a;b"}}));
    CGrilla g(1, 7);
    db.LeerGrilla("S", g);
    EXPECT_EQ(g.Celda(1, 4), "a");
    EXPECT_EQ(g.Celda(1, 5), "b");
}

struct RCantidadMala {
    const char* Valor;
    const char* Mensaje;
};

class CantidadMala : public ::testing::TestWithParam<RCantidadMala> {};

TEST_P(CantidadMala, SeRechazaSinReservarMemoria) {
    const CTextDB db = DesdeTexto(std::string("[Piezas]\nN=") + GetParam().Valor + "\n");
    EXPECT_EQ(rutas::MensajeDe<EConversion>([&] { db.LeerCantidad("Piezas"); }),
              GetParam().Mensaje);
    CGrilla g(1, 7);
    EXPECT_THROW(db.LeerGrilla("Piezas", g), EConversion);
}

INSTANTIATE_TEST_SUITE_P(
    Valores, CantidadMala,
    ::testing::Values(
        RCantidadMala{"4000000000",
                      "La sección [Piezas] declara 4000000000 registros; el máximo es 65535"},
        RCantidadMala{"65536", "La sección [Piezas] declara 65536 registros; el máximo es 65535"},
        RCantidadMala{"-3", "La sección [Piezas] declara una cantidad de registros incorrecta: -3"},
        RCantidadMala{"abc",
                      "La sección [Piezas] declara una cantidad de registros incorrecta: abc"},
        RCantidadMala{"", "La sección [Piezas] declara una cantidad de registros incorrecta: "},
        RCantidadMala{"99999999999999999999999",
                      "La sección [Piezas] declara una cantidad de registros incorrecta: "
                      "99999999999999999999999"}));

TEST(TextDB, ElMaximoDeRegistrosSeLee) {
    std::string texto = "[S]\nN=65535\n";
    const CTextDB db = DesdeTexto(texto);
    CGrilla g(1, 7);
    db.LeerGrilla("S", g);
    EXPECT_EQ(g.Filas(), 65536);
    EXPECT_EQ(g.Celda(65535, 0), "65535");
}

// Random grids written and read back give the same cells (no ";" nor line breaks inside).
TEST(TextDB, IdaYVueltaDeGrillasAlAzar) {
    std::mt19937 azar(5);
    const std::vector<std::string> alfabeto = {" ", "a", "b", "ñ",  "á", "0",
                                               "7", ".", "'", "\"", "/", "€"};
    CTextDB db("");
    for (int prueba = 0; prueba < 200; ++prueba) {
        const int filas = static_cast<int>(azar() % 12) + 1;
        CGrilla g(filas + 1, 7);
        for (int f = 1; f <= filas; ++f) {
            g.AsignarCelda(f, 0, std::to_string(f));
            for (int c = 1; c < 7; ++c) {
                std::string celda;
                const int largo = static_cast<int>(azar() % 6);
                for (int k = 0; k < largo; ++k) {
                    celda += alfabeto[azar() % alfabeto.size()];
                }
                // Cells read back trimmed, so compare trimmed cells.
                while (!celda.empty() && celda.front() == ' ') {
                    celda.erase(0, 1);
                }
                while (!celda.empty() && celda.back() == ' ') {
                    celda.pop_back();
                }
                g.AsignarCelda(f, c, celda);
            }
        }
        db.EscribirGrilla("S", g);
        const CTextDB releido = DesdeTexto(db.Texto());
        CGrilla leida(1, 7);
        releido.LeerGrilla("S", leida);
        ASSERT_EQ(leida, g) << prueba;
        for (int f = 1; f <= filas; ++f) {
            for (int c = 1; c < 7; ++c) {
                ASSERT_EQ(releido.LeerCampo("S", f, c), g.Celda(f, c));
            }
        }
    }
}

} // namespace
