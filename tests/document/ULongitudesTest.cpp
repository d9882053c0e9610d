#include "document/ULongitudes.h"
#include "document/ROpciones.h"
#include "document/UExcepciones.h"
#include "support/RutasPrueba.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

ROpciones Unidades(int tipo, int precision, bool suprimirCeros, const std::string& nombre) {
    ROpciones u;
    u.TipoUnidad = tipo;
    u.Precision = precision;
    u.SuprimirCeros = suprimirCeros;
    u.NombreUnidad = nombre;
    return u;
}

// One row of the conversion table: the value is written as `escrito` and `leido` reads back
// as `valorLeido` (usually the same value).
struct RConversion {
    int Tipo;
    int Precision;
    bool SuprimirCeros;
    const char* Nombre;
    int Valor;
    const char* Escrito;
    const char* Leido;
    int ValorLeido;
};

class ConversionTabla : public ::testing::TestWithParam<RConversion> {};

TEST_P(ConversionTabla, EscribeYLee) {
    const RConversion& c = GetParam();
    const ROpciones u = Unidades(c.Tipo, c.Precision, c.SuprimirCeros, c.Nombre);
    EXPECT_EQ(FormatearLongitud(c.Valor, u), c.Escrito);
    EXPECT_EQ(LeerLongitud(c.Leido, u), c.ValorLeido);
    // What is written always reads back as the same value.
    EXPECT_EQ(LeerLongitud(FormatearLongitud(c.Valor, u), u), c.Valor);
}

INSTANTIATE_TEST_SUITE_P(
    Tabla, ConversionTabla,
    ::testing::Values(RConversion{0, 0, false, "", 65535, "65535", "65535", LongitudMaxima},
                      RConversion{0, 2, true, " mm", 1200, "12 mm", "12 mm", 1200},
                      RConversion{0, 2, true, " mm", 1250, "12.50 mm", "12.5 mm", 1250},
                      RConversion{0, 2, false, " mm", 1200, "12.00 mm", "12", 1200},
                      RConversion{0, 1, false, "", 123, "12.3", "12.37", 123},
                      RConversion{0, 1, true, "", 123, "12.3", "12.37", 123},
                      RConversion{0, 1, false, "", 5, "0.5", ".5", 5},
                      RConversion{2, 1, false, "", 665, "5' 6.5\"", "5' 6.5\"", 665},
                      RConversion{2, 1, false, "", 600, "5'", "5'", 600},
                      RConversion{2, 1, false, "", 65, "6.5\"", "6.5", 65},
                      RConversion{3, 4, false, "", 1064, "5' 6 1/2\"", "5' 6 1/2\"", 1064},
                      RConversion{3, 4, false, "", 8, "1/2\"", "1/2", 8},
                      RConversion{3, 4, false, "", 960, "5'", "5'", 960},
                      RConversion{3, 4, false, "", 104, "6 1/2\"", "6 1/2", 104},
                      RConversion{3, 4, false, "", 5, "5/16\"", "1/3", 5},
                      RConversion{1, 3, false, "", 20, "2 1/2", "2 1/2", 20},
                      RConversion{1, 3, false, "", 4, "1/2", "1/2", 4}));

TEST(Longitudes, CeroSeEscribeSinUnidadNiMarcas) {
    for (int tipo = 0; tipo <= 3; ++tipo) {
        EXPECT_EQ(FormatearLongitud(0, Unidades(tipo, 2, false, " mm")), "0") << tipo;
    }
    EXPECT_EQ(FormatearLongitud(1234, Unidades(7, 2, false, " mm")), "0");
    EXPECT_EQ(LeerLongitud("", Unidades(0, 2, false, " mm")), 0);
}

struct RRechazo {
    int Tipo;
    int Precision;
    const char* Nombre;
    const char* Texto;
    const char* Mensaje;
};

class LongitudRechazada : public ::testing::TestWithParam<RRechazo> {};

TEST_P(LongitudRechazada, ConSuMensaje) {
    const RRechazo& r = GetParam();
    const ROpciones u = Unidades(r.Tipo, r.Precision, false, r.Nombre);
    EXPECT_EQ(rutas::MensajeDe<EConversion>([&] { LeerLongitud(r.Texto, u); }), r.Mensaje);
}

INSTANTIATE_TEST_SUITE_P(
    Mensajes, LongitudRechazada,
    ::testing::Values(
        RRechazo{0, 0, "", "1.2.3", "Valor de longitud incorrecto"},
        RRechazo{0, 2, "", "1.2.3", "Valor de longitud incorrecto"},
        RRechazo{2, 1, "", "5' 1.2.3", "Valor de longitud incorrecto"},
        RRechazo{0, 0, "", "65536", "El valor excede el máximo permitido(65535)"},
        RRechazo{0, 2, " mm", "655.36", "El valor excede el máximo permitido(655.35 mm)"},
        RRechazo{3, 4, "", "400'", "El valor excede el máximo permitido(341' 3 15/16\")"},
        RRechazo{1, 3, "", "9000", "El valor excede el máximo permitido(8191 7/8)"},
        // The "0" put in front turns a sign into a malformed integer.
        RRechazo{0, 0, "", "-5", "'0-5' no es un valor entero válido"},
        RRechazo{0, 0, "", "+5", "'0+5' no es un valor entero válido"},
        RRechazo{0, 0, "", "12abc", "'012abc' no es un valor entero válido"},
        RRechazo{0, 1, "", "12.3x", "'3x' no es un valor entero válido"},
        RRechazo{2, 0, "", "5 5' 3", "'5 5' no es un valor entero válido"},
        RRechazo{2, 0, "", "--5' 3", "'--5' no es un valor entero válido"},
        RRechazo{0, 0, "", "99999999999999999999",
                 "'099999999999999999999' no es un valor entero válido"},
        RRechazo{1, 3, "", "1 2 3/4", "Valor de longitud incorrecto"},
        RRechazo{1, 3, "", "1 2", "Valor de longitud incorrecto"},
        RRechazo{1, 3, "", "1/0", "Valor de longitud incorrecto"},
        RRechazo{1, 3, "", "a/2", "'a' no es un valor entero válido"},
        // A negative length has no meaning anywhere in the program.
        RRechazo{1, 3, "", "-2", "Valor de longitud incorrecto"},
        RRechazo{3, 4, "", "-1' 3", "Valor de longitud incorrecto"}));

TEST(Longitudes, LosDigitosDeMasSeCortanSinRedondear) {
    const ROpciones u = Unidades(0, 2, false, "");
    EXPECT_EQ(LeerLongitud("1.999", u), 199);
    EXPECT_EQ(LeerLongitud(" 1 . 5 ", u), 150);
    EXPECT_EQ(LeerLongitud("7.", u), 700);
}

TEST(Longitudes, FraccionRedondeaAlParMasCercano) {
    const ROpciones u = Unidades(1, 2, false, "");
    // 1/8 of a quarter unit is exactly half a step: ties go to the even step.
    EXPECT_EQ(LeerLongitud("1/8", u), 0);
    EXPECT_EQ(LeerLongitud("3/8", u), 2);
    EXPECT_EQ(LeerLongitud("3   5/8", u), 3 * 4 + 2);
}

TEST(Longitudes, PrecisionDesmesuradaNoCuelgaNiDesborda) {
    for (const int p : {-5, 31, 1000, 2000000000}) {
        for (int tipo = 0; tipo <= 3; ++tipo) {
            const ROpciones u = Unidades(tipo, p, false, "");
            EXPECT_NO_THROW(FormatearLongitud(65535, u));
            EXPECT_NO_THROW(RealATexto(u, 12.5));
            EXPECT_NO_THROW(LongitudAReal(65535, u));
            rutas::MensajeDe<EConversion>([&] { LeerLongitud("123456789012 1/2", u); });
        }
    }
}

TEST(Longitudes, TextoDeMuchosMegasSeRechazaSinColgar) {
    const ROpciones u = Unidades(0, 2, false, "");
    EXPECT_THROW(LeerLongitud(std::string(4 << 20, '9'), u), EConversion);
    EXPECT_THROW(LeerLongitud("1." + std::string(4 << 20, '9') + "x", u), EConversion);
    EXPECT_THROW(LeerLongitud(std::string(1 << 20, '.'), u), EConversion);
}

TEST(Longitudes, LongitudARealYRealATexto) {
    EXPECT_DOUBLE_EQ(LongitudAReal(2505, Unidades(0, 1, false, "")), 250.5);
    EXPECT_DOUBLE_EQ(LongitudAReal(665, Unidades(2, 1, false, "")), 66.5);
    EXPECT_DOUBLE_EQ(LongitudAReal(1064, Unidades(3, 4, false, "")), 66.5);
    EXPECT_DOUBLE_EQ(LongitudAReal(20, Unidades(1, 3, false, "")), 2.5);
    EXPECT_DOUBLE_EQ(LongitudAReal(20, Unidades(9, 3, false, "")), 0.0);
    EXPECT_EQ(RealATexto(Unidades(0, 2, false, " mm"), 12.5), "12.50");
    EXPECT_EQ(RealATexto(Unidades(2, 1, false, ""), 66.5), "66.5");
    EXPECT_EQ(RealATexto(Unidades(1, 3, false, ""), 2.5), "2 4/8");
    EXPECT_EQ(RealATexto(Unidades(3, 4, false, ""), 6.0), "6 0/16");
    EXPECT_EQ(RealATexto(Unidades(5, 4, false, ""), 6.0), "");
}

// Converting units goes through LongitudAReal, a factor, RealATexto and LeerLongitud: a
// length must survive the trip through every kind with the factor 1.
TEST(Longitudes, IdaYVueltaPorTexto) {
    std::mt19937 azar(11);
    const ROpciones kinds[] = {Unidades(0, 0, false, ""), Unidades(0, 2, true, " mm"),
                               Unidades(1, 3, false, " in"), Unidades(2, 1, false, ""),
                               Unidades(3, 4, false, "")};
    for (const ROpciones& u : kinds) {
        for (int k = 0; k < 2000; ++k) {
            const auto v = static_cast<std::int32_t>(azar() % (LongitudMaxima + 1));
            ASSERT_EQ(LeerLongitud(FormatearLongitud(v, u), u), v) << FormatearLongitud(v, u);
            ASSERT_EQ(LeerLongitud(RealATexto(u, LongitudAReal(v, u)), u), v);
        }
    }
}

} // namespace
